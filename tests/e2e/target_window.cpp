// target_window: an ordinary framed window for the program to select and
// follow, which moves, resizes, maximises, minimises and closes itself on a
// schedule or on keys and traces where it is after every change.
//
//   target_window.exe [--rect L T R B] [--script "MS:ACTION;MS:ACTION;..."]
//
// --rect is the window rectangle in screen coordinates (default 200 150 600
// 450). --script runs ACTIONs at MS milliseconds after start: move X Y (the
// window's top left), size W H (the window's size), maximise, minimise,
// restore, front, close. With the focus, keys do the same: m moves by
// +50,+30, s grows by +40,+30, x maximises, n minimises, r restores, f
// brings it to the front, q closes. Trace lines (OutputDebugStringA, seen
// under Wine with WINEDEBUG=+debugstr), rectangles in screen coordinates:
//
//   lvtarget: client L T R B window L T R B
//   lvtarget: state normal|maximised|minimised
//   lvtarget: foreground yes|no
//   lvtarget: did ACTION          (after it, the three lines above)
//   lvtarget: key K               (before the action of a key)
//   lvtarget: done
//
// The three state lines come at start, after each action and whenever the
// window changes otherwise (a user drags it, another program moves it).
// Bad arguments trace "lvtarget: usage: ..." and exit with status 2.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/e2e/helper_script.h"

namespace {

using namespace e2e;

constexpr char kUsage[] =
    "usage: target_window.exe [--rect L T R B] [--script MS:ACTION;MS:ACTION;...] "
    "(ACTION: move X Y, size W H, maximise, minimise, restore, front, close)";

// ---------------------------------------------------------------------------
// The window

HWND g_window = nullptr;
ScriptRunner g_script;
bool g_inAction = false;  // an action traces its own outcome

struct Seen {
    RECT client{}, window{};
    const char* state = "";
    bool foreground = false;
};
Seen g_traced;

const char* StateOf(HWND hwnd) {
    if (::IsIconic(hwnd)) return "minimised";
    if (::IsZoomed(hwnd)) return "maximised";
    return "normal";
}

Seen Look(HWND hwnd) {
    Seen now;
    ::GetWindowRect(hwnd, &now.window);
    ::GetClientRect(hwnd, &now.client);
    POINT topLeft{now.client.left, now.client.top};
    POINT bottomRight{now.client.right, now.client.bottom};
    ::ClientToScreen(hwnd, &topLeft);
    ::ClientToScreen(hwnd, &bottomRight);
    now.client = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    now.state = StateOf(hwnd);
    now.foreground = ::GetForegroundWindow() == hwnd;
    return now;
}

bool SameRect(const RECT& x, const RECT& y) {
    return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
}

// All three lines, or (changedOnly) those that differ from the last ones.
void TraceLook(HWND hwnd, bool changedOnly) {
    const Seen now = Look(hwnd);
    if (!changedOnly || !SameRect(now.client, g_traced.client) || !SameRect(now.window, g_traced.window))
        Trace("lvtarget: client %ld %ld %ld %ld window %ld %ld %ld %ld", now.client.left, now.client.top,
              now.client.right, now.client.bottom, now.window.left, now.window.top, now.window.right,
              now.window.bottom);
    if (!changedOnly || std::strcmp(now.state, g_traced.state) != 0) Trace("lvtarget: state %s", now.state);
    if (!changedOnly || now.foreground != g_traced.foreground)
        Trace("lvtarget: foreground %s", now.foreground ? "yes" : "no");
    g_traced = now;
}

void Perform(HWND hwnd, const Action& action) {
    g_inAction = true;
    constexpr UINT kKeep = SWP_NOZORDER | SWP_NOACTIVATE;
    switch (action.kind) {
        case Kind::Move: ::SetWindowPos(hwnd, nullptr, action.a, action.b, 0, 0, kKeep | SWP_NOSIZE); break;
        case Kind::Size: ::SetWindowPos(hwnd, nullptr, 0, 0, action.a, action.b, kKeep | SWP_NOMOVE); break;
        case Kind::Maximise: ::ShowWindow(hwnd, SW_MAXIMIZE); break;
        case Kind::Minimise: ::ShowWindow(hwnd, SW_MINIMIZE); break;
        case Kind::Restore: ::ShowWindow(hwnd, SW_RESTORE); break;
        case Kind::Front:
            ::SetForegroundWindow(hwnd);
            ::BringWindowToTop(hwnd);
            break;
        case Kind::Close:
            ::DestroyWindow(hwnd);
            Trace("lvtarget: did close");
            return;
        case Kind::Fullscreen: break;  // not in the target's script (ParseArgs refuses it)
    }
    g_inAction = false;
    Trace("lvtarget: did %s", NameOf(action.kind));
    TraceLook(hwnd, false);
}

// A key's action, relative to where the window is now.
void OnKey(HWND hwnd, WPARAM key) {
    RECT r;
    ::GetWindowRect(hwnd, &r);
    Action action{0, Kind::Move, 0, 0};
    switch (key) {
        case 'M': action = Action{0, Kind::Move, r.left + 50, r.top + 30}; break;
        case 'S': action = Action{0, Kind::Size, r.right - r.left + 40, r.bottom - r.top + 30}; break;
        case 'X': action.kind = Kind::Maximise; break;
        case 'N': action.kind = Kind::Minimise; break;
        case 'R': action.kind = Kind::Restore; break;
        case 'F': action.kind = Kind::Front; break;
        case 'Q': action.kind = Kind::Close; break;
        default: return;
    }
    Trace("lvtarget: key %c", char(key - 'A' + 'a'));
    Perform(hwnd, action);
}

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == ScriptRunner::kTimer) g_script.OnTimer(hwnd, Perform);
            return 0;
        case WM_KEYDOWN:
            OnKey(hwnd, wParam);
            return 0;
        case WM_SYSKEYDOWN:
            // A minimised window has no focus: its keys come as system keys.
            // Those with Alt (bit 29) stay the system's.
            if (!::IsIconic(hwnd) || (lParam & (1L << 29)) != 0) break;
            OnKey(hwnd, wParam);
            return 0;
        case WM_WINDOWPOSCHANGED:
        case WM_ACTIVATE:
            if (!g_inAction && hwnd == g_window) TraceLook(hwnd, true);
            break;
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
    const ULONGLONG startMs = ::GetTickCount64();
    Options opt{RECT{200, 150, 600, 450}, {}};
    if (!ParseArgs(__argc, __argv, opt)) {
        Trace("lvtarget: %s", kUsage);
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }

    WNDCLASSA wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "LvTarget";
    if (::RegisterClassA(&wc) == 0) return 1;
    const RECT& r = opt.rect;
    HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "lv target", WS_OVERLAPPEDWINDOW, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        Trace("lvtarget: cannot create the window (error %lu)", ::GetLastError());
        return 1;
    }
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd);
    g_window = hwnd;  // from here on, changes are traced as they come
    TraceLook(hwnd, false);
    g_script.Start(hwnd, opt.script, startMs);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    Trace("lvtarget: done");
    return 0;
}
