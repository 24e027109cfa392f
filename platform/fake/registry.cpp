#include "platform/fake/registry.h"

#include <cstring>

#include "platform/constants.h"

namespace lv::fake {

namespace {
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyQueryValueRight = 0x0001;
constexpr std::int32_t kErrorAccessDenied = 5;
constexpr std::int32_t kErrorInvalidHandle = 6;
// What an undefined buffer holds: never a terminator.
constexpr std::uint8_t kJunk = 'X';
}  // namespace

HKey FakeRegistry::OpenCurrentUserKey(const char* subKey, std::uint32_t access) {
    log_.Add(clock_.Now(), std::string("registry open ") + subKey);
    if (!keys.count(subKey)) return HKey::None;
    if (readOnly && (access & ~kKeyRead) != 0) return HKey::None;
    const std::uintptr_t h = nextHandle_++;
    handles_[h] = OpenKey{subKey, access};
    opened.push_back(Opened{subKey, access});
    ++openKeys;
    return HKey(h);
}

std::int32_t FakeRegistry::QueryValue(HKey key, const char* name, std::uint32_t* type,
                                      std::uint8_t* data, std::uint32_t* size) {
    ++reads;
    auto h = handles_.find(std::uintptr_t(key));
    if (h == handles_.end()) return kErrorInvalidHandle;
    // A key opened without the right to query its values cannot be read.
    if ((h->second.access & kKeyQueryValueRight) == 0) return kErrorAccessDenied;
    log_.Add(clock_.Now(), std::string("registry read ") + name);
    const auto& values = keys[h->second.path];
    auto v = values.find(name);
    if (v == values.end()) return std::int32_t(kErrorFileNotFound);
    if (type != nullptr) *type = v->second.type;
    const std::uint32_t needed = std::uint32_t(v->second.data.size());
    if (needed > *size) {
        std::memset(data, kJunk, *size);
        log_.AddWrite("QueryValue", *size, *size);
        *size = needed;
        return std::int32_t(kErrorMoreData);
    }
    std::memcpy(data, v->second.data.data(), needed);
    log_.AddWrite("QueryValue", *size, needed);
    *size = needed;
    return 0;
}

void FakeRegistry::CloseKey(HKey key) {
    if (handles_.erase(std::uintptr_t(key))) {
        --openKeys;
        log_.Add(clock_.Now(), "registry close");
    }
}

std::uint32_t FakeRegistry::GetWindowsDir(char* buffer, std::uint32_t size) {
    if (failWindowsDirectory) return 0;
    const std::uint32_t length = std::uint32_t(windowsDirectory.size());
    if (length + 1 > size) {
        std::memset(buffer, kJunk, size);
        log_.AddWrite("GetWindowsDir", size, size);
        return length + 1;
    }
    std::memcpy(buffer, windowsDirectory.c_str(), length + 1);
    log_.AddWrite("GetWindowsDir", size, length + 1);
    return length;
}

void FakeRegistry::SetString(const std::string& key, const std::string& name, const std::string& text,
                             std::uint32_t type, bool terminated) {
    RegValue value;
    value.type = type;
    value.data.assign(text.begin(), text.end());
    if (terminated) value.data.push_back(0);
    SetValue(key, name, value);
}

void FakeRegistry::SetValue(const std::string& key, const std::string& name, RegValue value) {
    keys[key][name] = std::move(value);
}

}  // namespace lv::fake
