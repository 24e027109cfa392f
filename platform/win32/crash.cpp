// The program's last word on a crash: an unhandled-exception filter that
// runs the logic's handler once, then hands the exception on to whatever
// filter was there before (the C runtime's) and to the system's own crash
// handling, so the crash is reported as it would have been. The other ways
// the C and C++ runtimes end a broken process get the same handler first:
// abort (SIGABRT), std::terminate (a pure virtual call ends there with g++),
// and, where the C runtime has them, its pure-call and invalid-parameter
// handlers.
#include <windows.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "platform/win32/system.h"

namespace lv::win32 {

namespace {

ISystem::CrashHandler g_handler = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previous = nullptr;
LONG g_entered = 0;

// Once only: a second thread crashing meanwhile, or the handler itself
// faulting, goes straight on.
void RunHandlerOnce() {
    if (::InterlockedExchange(&g_entered, 1) == 0 && g_handler != nullptr) g_handler();
}

LONG WINAPI LastWordFilter(EXCEPTION_POINTERS* info) {
    RunHandlerOnce();
    return g_previous != nullptr ? g_previous(info) : EXCEPTION_CONTINUE_SEARCH;
}

// abort goes on to end the process once the handler returns.
void OnAbortSignal(int) { RunHandlerOnce(); }

[[noreturn]] void OnTerminate() {
    RunHandlerOnce();
    std::abort();
}

void __cdecl OnPureCall() {
    RunHandlerOnce();
    std::abort();
}

void __cdecl OnInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned int, std::uintptr_t) {
    RunHandlerOnce();
    std::abort();
}

// The C runtimes' own setters, in each runtime loaded in the process (the
// program's, and another a system library brought in): older ones have
// neither.
using PureCallHandler = void(__cdecl*)();
using InvalidParameterHandler = void(__cdecl*)(const wchar_t*, const wchar_t*, const wchar_t*, unsigned int,
                                               std::uintptr_t);
constexpr const char* kRuntimes[] = {"msvcrt.dll", "ucrtbase.dll"};
constexpr int kRuntimeCount = int(sizeof kRuntimes / sizeof kRuntimes[0]);

template <typename Handler>
void SetRuntimeHandlers(const char* setter, Handler handler, Handler (&previous)[kRuntimeCount], bool restore) {
    using Setter = Handler(__cdecl*)(Handler);
    for (int i = 0; i < kRuntimeCount; ++i) {
        HMODULE module = ::GetModuleHandleA(kRuntimes[i]);
        if (module == nullptr) continue;
        auto set = reinterpret_cast<Setter>(reinterpret_cast<void*>(::GetProcAddress(module, setter)));
        if (set == nullptr) continue;
        if (restore) {
            set(previous[i]);
        } else {
            previous[i] = set(handler);
        }
    }
}

void (*g_previousAbort)(int) = SIG_DFL;
std::terminate_handler g_previousTerminate = nullptr;
PureCallHandler g_previousPureCall[kRuntimeCount] = {};
InvalidParameterHandler g_previousInvalidParameter[kRuntimeCount] = {};

void WatchRuntimeEnds() {
    g_previousAbort = std::signal(SIGABRT, OnAbortSignal);
    g_previousTerminate = std::set_terminate(OnTerminate);
    SetRuntimeHandlers<PureCallHandler>("_set_purecall_handler", OnPureCall, g_previousPureCall, false);
    SetRuntimeHandlers<InvalidParameterHandler>("_set_invalid_parameter_handler", OnInvalidParameter,
                                                g_previousInvalidParameter, false);
}

void StopWatchingRuntimeEnds() {
    std::signal(SIGABRT, g_previousAbort == SIG_ERR ? SIG_DFL : g_previousAbort);
    std::set_terminate(g_previousTerminate);
    SetRuntimeHandlers<PureCallHandler>("_set_purecall_handler", nullptr, g_previousPureCall, true);
    SetRuntimeHandlers<InvalidParameterHandler>("_set_invalid_parameter_handler", nullptr,
                                                g_previousInvalidParameter, true);
}

}  // namespace

void Win32System::SetCrashHandler(CrashHandler handler) {
    g_handler = handler;
    if (handler == nullptr) {
        ::SetUnhandledExceptionFilter(g_previous);
        g_previous = nullptr;
        StopWatchingRuntimeEnds();
        return;
    }
    LPTOP_LEVEL_EXCEPTION_FILTER previous = ::SetUnhandledExceptionFilter(LastWordFilter);
    if (previous != LastWordFilter) g_previous = previous;
    WatchRuntimeEnds();
}

}  // namespace lv::win32
