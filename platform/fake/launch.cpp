#include "platform/fake/launch.h"

#include <cstring>

#include "platform/constants.h"

namespace lv::fake {

namespace {
constexpr std::int32_t kErrorAccessDenied = 5;
constexpr std::int32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyViews = 0x0300;  // KEY_WOW64_64KEY | KEY_WOW64_32KEY
constexpr std::uint32_t kKeyQueryValueRight = 0x0001;
constexpr std::int32_t kErrorInvalidData = 13;
constexpr char kJunk = 'X';  // what an undefined buffer holds: never a terminator
}  // namespace

std::intptr_t FakeLaunch::ShellOpen(HWindow, const char* file, std::int32_t showCommand) {
    shellOpens.push_back(Launch{file, showCommand});
    log_.Add(clock_.Now(), std::string("shell open ") + file);
    return shellAnswer;
}

std::uint32_t FakeLaunch::WinExec(const char* commandLine, std::int32_t showCommand) {
    winExecs.push_back(Launch{commandLine, showCommand});
    log_.Add(clock_.Now(), std::string("winexec ") + commandLine);
    const std::string line = commandLine;
    const std::string program = !line.empty() && line[0] == '"' ? line.substr(1, line.find('"', 1) - 1)
                                                                 : line.substr(0, line.find(' '));
    return programs.count(program) ? winExecAnswer : std::uint32_t(kErrorFileNotFound);
}

void FakeLaunch::MessageBeep(std::uint32_t type) {
    beeps.push_back(type);
    log_.Add(clock_.Now(), "beep " + std::to_string(type));
}

std::int32_t FakeLaunch::OpenClassesRootKey(const char* subKey, std::uint32_t access, HKey* key) {
    log_.Add(clock_.Now(), std::string("classes open ") + subKey);
    std::int32_t answer = 0;
    if (!classes.count(subKey)) {
        answer = std::int32_t(kErrorFileNotFound);
    } else if (!administrator && (access & ~(kKeyRead | kKeyViews)) != 0) {
        answer = kErrorAccessDenied;
    }
    opened.push_back(Opened{subKey, access, answer});
    if (answer != 0) return answer;
    const std::uintptr_t h = nextHandle_++;
    handles_[h] = OpenKey{subKey, access};
    ++openKeys;
    *key = HKey(h);
    return 0;
}

// As RegQueryValueA: a key without a default value reads as an empty text;
// one that is not a string cannot be read.
std::int32_t FakeLaunch::QueryDefaultValue(HKey key, char* data, std::int32_t* size) {
    auto h = handles_.find(std::uintptr_t(key));
    if (h == handles_.end()) return kErrorInvalidHandle;
    if ((h->second.access & kKeyQueryValueRight) == 0) return kErrorAccessDenied;
    const ClassKey& k = classes[h->second.path];
    std::vector<char> value = k.hasDefault ? k.value : std::vector<char>{'\0'};
    if (k.hasDefault && k.type != 1) return kErrorInvalidData;
    const std::int32_t needed = std::int32_t(value.size());
    if (needed > *size) {
        std::memset(data, kJunk, std::size_t(*size));
        log_.AddWrite("QueryDefaultValue", std::size_t(*size), std::size_t(*size));
        *size = needed;
        return std::int32_t(kErrorMoreData);
    }
    std::memcpy(data, value.data(), value.size());
    log_.AddWrite("QueryDefaultValue", std::size_t(*size), value.size());
    *size = needed;
    return 0;
}

void FakeLaunch::CloseKey(HKey key) {
    if (handles_.erase(std::uintptr_t(key))) --openKeys;
}

void FakeLaunch::SetClassDefault(const std::string& key, const std::string& text, bool terminated) {
    ClassKey k;
    k.hasDefault = true;
    k.value.assign(text.begin(), text.end());
    if (terminated) k.value.push_back('\0');
    classes[key] = k;
}

}  // namespace lv::fake
