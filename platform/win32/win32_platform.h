// The real platform: every interface of platform/ implemented with the
// Win32 API. The entry point installs it once; it lives until the process
// has ended, so objects destroyed during exit can still paint.
#pragma once

#include <windows.h>

namespace lv::win32 {

void InstallWin32Platform(HINSTANCE instance);
HINSTANCE Instance();

}  // namespace lv::win32
