// The test build's fault switch (lumivane_test.exe only; the shipped
// program has no such code). With LUMIVANE_TEST_FAULT=1 in its environment
// the program makes the auto-reset event "LumivaneTestFault"; when a test
// sets it, a thread of the program's own writes through a null pointer: an
// access violation that nothing handles, as a real fault would be.
#include <windows.h>

#include <cstring>

#include "tests/e2e/fault_switch.h"

namespace lv::test {

namespace {

DWORD WINAPI WaitThenFault(void* event) {
    ::WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
    ::OutputDebugStringA("lumivane: test fault now\n");
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}

}  // namespace

void StartFaultSwitch() {
    char value[8] = {};
    const DWORD length = ::GetEnvironmentVariableA("LUMIVANE_TEST_FAULT", value, sizeof value);
    if (length == 0 || length >= sizeof value || std::strcmp(value, "1") != 0) return;
    HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, "LumivaneTestFault");
    if (event == nullptr) return;
    HANDLE thread = ::CreateThread(nullptr, 0, WaitThenFault, event, 0, nullptr);
    if (thread != nullptr) ::CloseHandle(thread);
    ::OutputDebugStringA("lumivane: test fault switch armed\n");
}

}  // namespace lv::test
