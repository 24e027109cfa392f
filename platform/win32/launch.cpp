// Opening a link's target with the shell, WinExec and the file associations
// under HKEY_CLASSES_ROOT, as the API gives them: the logic bounds and
// terminates what it reads.
#include "platform/win32/launch.h"

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/dialogs.h"
#include "platform/win32/utf8.h"

namespace lv::win32 {

static_assert(kSwShow == SW_SHOW && kMbIconExclamation == MB_ICONEXCLAMATION && kMbOk == MB_OK &&
                  kKeyQueryValue == KEY_QUERY_VALUE,
              "launch numbers");

// The shell asks for COM, apartment-threaded, on the thread that opens a
// link: initialised once on the program's thread, and kept.
std::intptr_t Win32Launch::ShellOpen(HWindow owner, const char* file, std::int32_t showCommand) {
    static const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    (void)com;
    return reinterpret_cast<std::intptr_t>(
        ::ShellExecuteW(ToHwnd(owner), L"open", Widen(file).c_str(), nullptr, nullptr, showCommand));
}

std::uint32_t Win32Launch::WinExec(const char* commandLine, std::int32_t showCommand) {
    return ::WinExec(commandLine, UINT(showCommand));
}

void Win32Launch::MessageBeep(std::uint32_t type) { ::MessageBeep(type); }

std::int32_t Win32Launch::OpenClassesRootKey(const char* subKey, std::uint32_t access, HKey* key) {
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey, 0, access, &opened);
    if (status == ERROR_SUCCESS) *key = HKey(reinterpret_cast<std::uintptr_t>(opened));
    return std::int32_t(status);
}

std::int32_t Win32Launch::QueryDefaultValue(HKey key, char* data, std::int32_t* size) {
    LONG length = LONG(*size);
    const LONG status = ::RegQueryValueA(reinterpret_cast<HKEY>(key), nullptr, data, &length);
    *size = std::int32_t(length);
    return std::int32_t(status);
}

void Win32Launch::CloseKey(HKey key) { ::RegCloseKey(reinterpret_cast<HKEY>(key)); }

}  // namespace lv::win32
