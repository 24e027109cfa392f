// The program's last word on a crash: an unhandled-exception filter that
// runs the logic's handler once, then hands the exception on to whatever
// filter was there before (the C runtime's) and to the system's own crash
// handling, so the crash is reported as it would have been.
#include <windows.h>

#include "platform/win32/system.h"

namespace lv::win32 {

namespace {

ISystem::CrashHandler g_handler = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previous = nullptr;
LONG g_entered = 0;

LONG WINAPI LastWordFilter(EXCEPTION_POINTERS* info) {
    // Once only: a second thread crashing meanwhile, or the handler itself
    // faulting, goes straight on.
    if (::InterlockedExchange(&g_entered, 1) == 0 && g_handler != nullptr) g_handler();
    return g_previous != nullptr ? g_previous(info) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void Win32System::SetCrashHandler(CrashHandler handler) {
    g_handler = handler;
    if (handler == nullptr) {
        ::SetUnhandledExceptionFilter(g_previous);
        g_previous = nullptr;
        return;
    }
    LPTOP_LEVEL_EXCEPTION_FILTER previous = ::SetUnhandledExceptionFilter(LastWordFilter);
    if (previous != LastWordFilter) g_previous = previous;
}

}  // namespace lv::win32
