// player_standin: stands in for a media player, a "WMPlayerApp" window with
// a "VideoRenderer" child across its middle, for the program's search for a
// video window. It moves, resizes, minimises and closes itself on a schedule
// and traces where its video child is after every change.
//
//   player_standin.exe [--rect L T R B] [--script "MS:ACTION;MS:ACTION;..."]
//
// --rect is the player's window rectangle in screen coordinates (default
// 150 100 750 550). --script runs ACTIONs at MS milliseconds after start:
// move X Y (the window's top left), size W H (the window's size), maximise,
// minimise, restore, front, close. The video child covers the client area
// less 40 pixels left and right and 60 at the top and bottom, and keeps that
// layout when the player is resized. Trace lines (OutputDebugStringA, seen
// under Wine with WINEDEBUG=+debugstr), in screen coordinates:
//
//   lvplayer: video L T R B       (the child's window rectangle)
//   lvplayer: did ACTION          (after it, the video line)
//   lvplayer: done
//
// The video line comes at start, after each action and whenever the child
// moves otherwise. Bad arguments trace "lvplayer: usage: ..." and exit 2.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/e2e/helper_script.h"

namespace {

using namespace e2e;

constexpr int kVideoInsetX = 40;
constexpr int kVideoInsetY = 60;
constexpr char kUsage[] =
    "usage: player_standin.exe [--rect L T R B] [--script MS:ACTION;MS:ACTION;...] "
    "(ACTION: move X Y, size W H, maximise, minimise, restore, front, close)";

// ---------------------------------------------------------------------------
// The player and its video child

HWND g_player = nullptr;
HWND g_video = nullptr;
ScriptRunner g_script;
bool g_inAction = false;  // an action traces its own outcome
RECT g_traced{};

void TraceVideo(bool changedOnly) {
    if (g_video == nullptr) return;
    RECT r;
    ::GetWindowRect(g_video, &r);
    if (changedOnly && r.left == g_traced.left && r.top == g_traced.top && r.right == g_traced.right &&
        r.bottom == g_traced.bottom)
        return;
    Trace("lvplayer: video %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    g_traced = r;
}

// The video band: the client area less the insets, never negative in size.
void LayOutVideo(HWND player) {
    if (g_video == nullptr) return;
    RECT c;
    ::GetClientRect(player, &c);
    const int width = std::max(0, int(c.right - c.left) - 2 * kVideoInsetX);
    const int height = std::max(0, int(c.bottom - c.top) - 2 * kVideoInsetY);
    ::MoveWindow(g_video, kVideoInsetX, kVideoInsetY, width, height, TRUE);
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
            g_video = nullptr;
            ::DestroyWindow(hwnd);
            Trace("lvplayer: did close");
            return;
    }
    g_inAction = false;
    Trace("lvplayer: did %s", NameOf(action.kind));
    TraceVideo(false);
}

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            LayOutVideo(hwnd);
            return 0;
        case WM_TIMER:
            if (wParam == ScriptRunner::kTimer) g_script.OnTimer(hwnd, Perform);
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (!g_inAction && hwnd == g_player) TraceVideo(true);
            break;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSA player{};
    player.lpfnWndProc = PlayerProc;
    player.hInstance = instance;
    player.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    player.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    player.lpszClassName = "WMPlayerApp";
    WNDCLASSA video{};
    video.lpfnWndProc = ::DefWindowProcA;
    video.hInstance = instance;
    video.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    video.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    video.lpszClassName = "VideoRenderer";
    return ::RegisterClassA(&player) != 0 && ::RegisterClassA(&video) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const ULONGLONG startMs = ::GetTickCount64();
    Options opt{RECT{150, 100, 750, 550}, {}};
    if (!ParseArgs(__argc, __argv, opt)) {
        Trace("lvplayer: %s", kUsage);
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    if (!RegisterClasses(instance)) return 1;

    const RECT& r = opt.rect;
    HWND player = ::CreateWindowExA(0, "WMPlayerApp", "stand-in player", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance,
                                    nullptr);
    if (player == nullptr) {
        Trace("lvplayer: cannot create the window (error %lu)", ::GetLastError());
        return 1;
    }
    g_video = ::CreateWindowExA(0, "VideoRenderer", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, player, nullptr,
                                instance, nullptr);
    if (g_video == nullptr) {
        Trace("lvplayer: cannot create the video window (error %lu)", ::GetLastError());
        return 1;
    }
    LayOutVideo(player);
    ::ShowWindow(player, SW_SHOWNORMAL);
    ::UpdateWindow(player);
    g_player = player;  // from here on, changes are traced as they come
    TraceVideo(false);
    g_script.Start(player, opt.script, startMs);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    Trace("lvplayer: done");
    return 0;
}
