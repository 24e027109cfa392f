// The test build's fault switch (lumivane_test.exe only; the shipped
// program has no such code). With LUMIVANE_TEST_FAULT set in its environment
// the program makes the auto-reset event "LumivaneTestFault"; when a test
// sets it, a thread of the program's own fails the way the variable says,
// with nothing to handle it, as a real fault would:
//   1          writes through a null pointer (an access violation)
//   abort      calls abort
//   terminate  calls std::terminate
//   purecall   makes a pure virtual call, as the compiler's code does
//              (__cxa_pure_virtual with g++)
//   parameter  hands the C runtime an invalid parameter (strcpy_s into no
//              buffer): the universal C runtime's, loaded when the switch
//              is armed, before the program sets its handlers (the older
//              msvcrt.dll of MinGW builds reports no invalid parameter)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "tests/e2e/fault_switch.h"

// Where a pure virtual call lands in code g++ compiles.
extern "C" void __cxa_pure_virtual();

namespace lv::test {

namespace {

char g_kind[16] = {};

using StrcpyS = int(__cdecl*)(char*, std::size_t, const char*);

DWORD WINAPI WaitThenFault(void* event) {
    ::WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
    ::OutputDebugStringA("lumivane: test fault now\n");
    if (std::strcmp(g_kind, "abort") == 0) std::abort();
    if (std::strcmp(g_kind, "terminate") == 0) std::terminate();
    if (std::strcmp(g_kind, "purecall") == 0) __cxa_pure_virtual();
    if (std::strcmp(g_kind, "parameter") == 0) {
        HMODULE runtime = ::GetModuleHandleA("ucrtbase.dll");
        auto copy = reinterpret_cast<StrcpyS>(
            reinterpret_cast<void*>(runtime != nullptr ? ::GetProcAddress(runtime, "strcpy_s") : nullptr));
        if (copy != nullptr) copy(nullptr, 0, "x");
    }
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}

}  // namespace

void StartFaultSwitch() {
    const DWORD length = ::GetEnvironmentVariableA("LUMIVANE_TEST_FAULT", g_kind, sizeof g_kind);
    if (length == 0 || length >= sizeof g_kind) return;
    const char* const kinds[] = {"1", "abort", "terminate", "purecall", "parameter"};
    bool known = false;
    for (const char* kind : kinds) known = known || std::strcmp(g_kind, kind) == 0;
    if (!known) return;
    if (std::strcmp(g_kind, "parameter") == 0) ::LoadLibraryA("ucrtbase.dll");
    HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, "LumivaneTestFault");
    if (event == nullptr) return;
    HANDLE thread = ::CreateThread(nullptr, 0, WaitThenFault, event, 0, nullptr);
    if (thread != nullptr) ::CloseHandle(thread);
    ::OutputDebugStringA("lumivane: test fault switch armed\n");
}

}  // namespace lv::test
