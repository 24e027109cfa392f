// The current user's registry and the Windows directory, as the API gives
// them: the logic bounds and terminates what it reads.
#include "platform/win32/registry.h"

#include "platform/win32/utf8.h"

namespace lv::win32 {

namespace {
HKEY ToHkey(HKey key) { return reinterpret_cast<HKEY>(key); }
}  // namespace

HKey Win32Registry::OpenCurrentUserKey(const char* subKey, std::uint32_t access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, access, &key) != ERROR_SUCCESS) return HKey::None;
    return HKey(reinterpret_cast<std::uintptr_t>(key));
}

std::int32_t Win32Registry::QueryValue(HKey key, const char* name, std::uint32_t* type,
                                       std::uint8_t* data, std::uint32_t* size) {
    DWORD valueType = 0;
    DWORD valueSize = *size;
    const LONG result = ::RegQueryValueExA(ToHkey(key), name, nullptr, &valueType, data, &valueSize);
    if (type != nullptr) *type = valueType;
    *size = valueSize;
    return std::int32_t(result);
}

void Win32Registry::CloseKey(HKey key) { ::RegCloseKey(ToHkey(key)); }

std::uint32_t Win32Registry::GetWindowsDir(char* buffer, std::uint32_t size) {
    // In UTF-8, as every path the program keeps; a cut one answers `size` or more.
    wchar_t wide[MAX_PATH + 1];
    const UINT n = ::GetWindowsDirectoryW(wide, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return n == 0 ? 0 : size;
    return std::uint32_t(Narrow(wide, int(n), buffer, int(size)));
}

}  // namespace lv::win32
