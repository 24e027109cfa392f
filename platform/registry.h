// The system's configuration as the program reads it: values under the
// current user's registry key and the Windows directory.
#pragma once

#include <cstdint>

namespace lv {

// An open registry key; zero is "none".
enum class HKey : std::uintptr_t { None = 0 };

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // RegOpenKeyExA under HKEY_CURRENT_USER with the access asked for. None
    // when the key is missing or the access is refused.
    virtual HKey OpenCurrentUserKey(const char* subKey, std::uint32_t access) = 0;
    // RegQueryValueExA. `size` holds the buffer's size in bytes and answers
    // the value's size; `type` answers its registry type. Answers a Win32
    // error code: 0, kErrorMoreData when the value is longer than the buffer
    // (the buffer's content is then undefined), kErrorFileNotFound when it
    // is missing. A string value need not end with a terminator.
    virtual std::int32_t QueryValue(HKey key, const char* name, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) = 0;
    virtual void CloseKey(HKey key) = 0;

    // GetWindowsDirectoryA: the length copied (without the terminator) when
    // it fits in `size` characters; otherwise the size needed (terminator
    // included) and the buffer is undefined; 0 on failure.
    virtual std::uint32_t GetWindowsDir(char* buffer, std::uint32_t size) = 0;
};

}  // namespace lv
