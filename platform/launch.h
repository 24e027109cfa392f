// Opening what a link points at for the user: the shell's "open" verb,
// WinExec, the default values of the file associations under
// HKEY_CLASSES_ROOT, and the warning beep when it fails.
#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "platform/types.h"

namespace lv {

// ShowWindow commands and MessageBeep types.
constexpr std::int32_t kSwShow = 5;
constexpr std::uint32_t kMbIconExclamation = 0x30;
constexpr std::uint32_t kMbOk = 0x0;
// Registry access to read a value.
constexpr std::uint32_t kKeyQueryValue = 0x0001;

class ILaunch {
public:
    virtual ~ILaunch() = default;

    // ShellExecuteA with verb "open", no parameters and no directory:
    // above 32 on success, else the shell's error code.
    virtual std::intptr_t ShellOpen(HWindow owner, const char* file, std::int32_t showCommand) = 0;
    // WinExec: above 31 on success, else its error code.
    virtual std::uint32_t WinExec(const char* commandLine, std::int32_t showCommand) = 0;
    virtual void MessageBeep(std::uint32_t type) = 0;

    // RegOpenKeyExA under HKEY_CLASSES_ROOT: a Win32 error code, 0 with the
    // key in `key` on success.
    virtual std::int32_t OpenClassesRootKey(const char* subKey, std::uint32_t access, HKey* key) = 0;
    // RegQueryValueA of the key's default value: `size` holds the buffer's
    // size in bytes and answers the value's (terminator included). Answers
    // a Win32 error code; kErrorMoreData when it does not fit (the buffer is
    // then undefined). The text need not be terminated.
    virtual std::int32_t QueryDefaultValue(HKey key, char* data, std::int32_t* size) = 0;
    virtual void CloseKey(HKey key) = 0;
};

}  // namespace lv
