// pointer_poller: the least a program that watches the pointer and both mouse
// buttons every 10 ms must do, from a hidden window's timer, so that the
// program's own cost can be measured against it.
//
//   pointer_poller.exe [--seconds N]      (N 1 to 86400; without it, until killed)
//
// Each tick reads the pointer (GetCursorPos), the window under it
// (WindowFromPoint) and both buttons (GetAsyncKeyState). Trace lines
// (OutputDebugStringA, seen under Wine with WINEDEBUG=+debugstr):
//
//   lvpoller: polling every 10 ms
//   lvpoller: done ticks=N seconds=S pressed=P     (P: ticks with a button down)
//
// Bad arguments trace "lvpoller: usage: ..." and exit with status 2.
#include <windows.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/e2e/helper_script.h"

namespace {

using e2e::Trace;

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kEndTimer = 2;
constexpr UINT kPollMs = 10;
constexpr long kMaxSeconds = 86400;
constexpr char kUsage[] = "usage: pointer_poller.exe [--seconds N] (N from 1 to 86400)";

bool ParseArgs(int argc, char** argv, long& seconds) {
    seconds = 0;
    if (argc == 1) return true;
    if (argc != 3 || std::strcmp(argv[1], "--seconds") != 0) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(argv[2], &end, 10);
    if (errno != 0 || end == argv[2] || *end != '\0' || v < 1 || v > kMaxSeconds) return false;
    seconds = v;
    return true;
}

unsigned long g_ticks = 0;
unsigned long g_pressed = 0;
ULONGLONG g_startMs = 0;
HWND g_under = nullptr;  // kept, so that the call's result is used

void Poll() {
    POINT pt;
    if (!::GetCursorPos(&pt)) return;
    g_under = ::WindowFromPoint(pt);
    const bool left = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    const bool right = (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
    ++g_ticks;
    if (left || right) ++g_pressed;
}

LRESULT CALLBACK PollerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kPollTimer) Poll();
            if (wParam == kEndTimer) ::DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    long seconds = 0;
    if (!ParseArgs(__argc, __argv, seconds)) {
        Trace("lvpoller: %s", kUsage);
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = PollerProc;
    wc.hInstance = instance;
    wc.lpszClassName = "LvPointerPoller";
    if (::RegisterClassA(&wc) == 0) return 1;
    // A hidden top-level window, as a tray program's own window is.
    HWND hwnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "pointer poller", WS_POPUP, 0, 0, 1, 1,
                                  nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    g_startMs = ::GetTickCount64();
    ::SetTimer(hwnd, kPollTimer, kPollMs, nullptr);
    if (seconds > 0) ::SetTimer(hwnd, kEndTimer, UINT(seconds * 1000), nullptr);
    Trace("lvpoller: polling every %u ms", kPollMs);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    Trace("lvpoller: done ticks=%lu seconds=%.3f pressed=%lu", g_ticks,
          double(::GetTickCount64() - g_startMs) / 1000.0, g_pressed);
    return 0;
}
