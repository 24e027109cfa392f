// player_standin: stands in for a media player, for the program's search for
// a video window: it makes the windows one player makes, in the classes that
// player uses, moves, resizes, minimises, goes full screen and closes itself
// on a schedule, and traces where its picture is after every change.
//
//   player_standin.exe [--kind KIND] [--rect L T R B] [--script "MS:ACTION;..."]
//
// KIND is the player whose windows it makes (one top-level window a
// process), and its picture, the rectangle the program should enhance:
//
//   wmp (default)  a "WMPlayerApp" window with a "VideoRenderer" child
//                  across its middle; the picture is the child's window
//                  rectangle
//   gemini         a "GeminiWindowClass" window, a "VideoWindowControlClass"
//                  child and in it a "VideoControlWindowClass" grandchild,
//                  the video, above a 30-pixel strip of controls; the picture
//                  is the grandchild's window rectangle
//   mpv            one "mpv" window, no child: the picture is its client area
//   mpc-hc         a "MediaPlayerClassicW" main frame with three children: a
//                  tool bar (id 0xE800) along the top, the view (id 0xE900,
//                  class "Afx:view", with a sunken edge) and a status bar
//                  (id 0xE801) along the bottom; the picture is the view's
//                  client area
//   mpc-be         the same with the main frame's class "MPC-BE"
//
// --rect is the top-level window's rectangle in screen coordinates (default
// 150 100 750 550). --script runs ACTIONs at MS milliseconds after start:
// move X Y (the window's top left), size W H (the window's size), maximise,
// minimise, restore, front, close, fullscreen. In full screen, as the players
// do it, the top-level window loses its caption and frame and covers its
// monitor, and the video fills it (mpc-*: the bars hidden, the view without
// its edge); restore leaves full screen for the window's place before
// (minimised, restore only brings it back, still in full screen). Windowed,
// the wmp video child and the gemini control child cover the client area
// less 40 pixels left and right and 60 at the top and bottom, and keep that
// layout when the player is resized. Trace lines (OutputDebugStringA, seen
// under Wine with WINEDEBUG=+debugstr), in screen coordinates:
//
//   lvplayer: video L T R B       (the picture)
//   lvplayer: did ACTION          (after it, the video line)
//   lvplayer: done
//
// The video line comes at start, after each action and whenever the picture
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
constexpr int kGeminiControlsHeight = 30;  // under the gemini video, in its control child
constexpr int kToolBarHeight = 28;
constexpr int kStatusBarHeight = 20;
constexpr int kToolBarId = 0xE800;
constexpr int kViewId = 0xE900;
constexpr int kStatusBarId = 0xE801;
constexpr char kViewClass[] = "Afx:view";
constexpr char kBarClass[] = "StandInBar";
constexpr char kUsage[] =
    "usage: player_standin.exe [--kind wmp|gemini|mpv|mpc-hc|mpc-be] [--rect L T R B] "
    "[--script MS:ACTION;MS:ACTION;...] "
    "(ACTION: move X Y, size W H, maximise, minimise, restore, front, close, fullscreen)";

enum class PlayerKind { Wmp, Gemini, Mpv, MpcHc, MpcBe };

struct KindName {
    const char* name;
    PlayerKind kind;
    const char* topClass;
};
constexpr KindName kKinds[] = {
    {"wmp", PlayerKind::Wmp, "WMPlayerApp"},          {"gemini", PlayerKind::Gemini, "GeminiWindowClass"},
    {"mpv", PlayerKind::Mpv, "mpv"},                  {"mpc-hc", PlayerKind::MpcHc, "MediaPlayerClassicW"},
    {"mpc-be", PlayerKind::MpcBe, "MPC-BE"},
};

// ---------------------------------------------------------------------------
// The player and its windows

const KindName* g_kind = &kKinds[0];
HWND g_player = nullptr;   // the top-level window
HWND g_video = nullptr;    // the window the picture is in (mpv: the top-level window)
HWND g_control = nullptr;  // gemini: the child holding the video
HWND g_toolBar = nullptr;  // mpc-*: the bars around the view
HWND g_statusBar = nullptr;
ScriptRunner g_script;
bool g_inAction = false;  // an action traces its own outcome
RECT g_traced{};
bool g_fullscreen = false;
RECT g_windowedRect{};  // where full screen came from
LONG g_windowedStyle = 0;

bool IsMpc() { return g_kind->kind == PlayerKind::MpcHc || g_kind->kind == PlayerKind::MpcBe; }
// The picture is the video window's client area, not its window rectangle.
bool PictureIsClientArea() { return g_kind->kind == PlayerKind::Mpv || IsMpc(); }

RECT Picture() {
    RECT r;
    if (!PictureIsClientArea()) {
        ::GetWindowRect(g_video, &r);
        return r;
    }
    ::GetClientRect(g_video, &r);
    POINT tl{0, 0};
    ::ClientToScreen(g_video, &tl);
    return RECT{tl.x, tl.y, tl.x + r.right, tl.y + r.bottom};
}

void TraceVideo(bool changedOnly) {
    if (g_video == nullptr) return;
    const RECT r = Picture();
    if (changedOnly && r.left == g_traced.left && r.top == g_traced.top && r.right == g_traced.right &&
        r.bottom == g_traced.bottom)
        return;
    Trace("lvplayer: video %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    g_traced = r;
}

// The children in the player's client area, never negative in size: windowed,
// the video (or gemini's control child) is inset and mpc's view sits between
// its bars; in full screen the video fills the window.
void LayOut(HWND player) {
    if (g_video == nullptr) return;  // not made yet, or closing
    RECT c;
    ::GetClientRect(player, &c);
    const int w = int(c.right - c.left);
    const int h = int(c.bottom - c.top);
    const int insetX = g_fullscreen ? 0 : kVideoInsetX;
    const int insetY = g_fullscreen ? 0 : kVideoInsetY;
    const int bandW = std::max(0, w - 2 * insetX);
    const int bandH = std::max(0, h - 2 * insetY);
    switch (g_kind->kind) {
        case PlayerKind::Wmp: ::MoveWindow(g_video, insetX, insetY, bandW, bandH, TRUE); break;
        case PlayerKind::Gemini:
            ::MoveWindow(g_control, insetX, insetY, bandW, bandH, TRUE);
            ::GetClientRect(g_control, &c);
            ::MoveWindow(g_video, 0, 0, int(c.right),
                         std::max(0, int(c.bottom) - (g_fullscreen ? 0 : kGeminiControlsHeight)), TRUE);
            break;
        case PlayerKind::Mpv: break;
        case PlayerKind::MpcHc:
        case PlayerKind::MpcBe: {
            const int top = g_fullscreen ? 0 : std::min(h, kToolBarHeight);
            const int bottom = g_fullscreen ? h : std::max(top, h - kStatusBarHeight);
            ::MoveWindow(g_toolBar, 0, 0, w, top, TRUE);
            ::MoveWindow(g_video, 0, top, w, bottom - top, TRUE);
            ::MoveWindow(g_statusBar, 0, bottom, w, h - bottom, TRUE);
            break;
        }
    }
}

// Full screen as the players make it: no caption or frame, the monitor's
// rectangle; mpc's bars hidden and its view without its edge.
void EnterFullscreen(HWND hwnd) {
    if (g_fullscreen) return;
    if (::IsIconic(hwnd) || ::IsZoomed(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
    ::GetWindowRect(hwnd, &g_windowedRect);
    g_windowedStyle = ::GetWindowLongA(hwnd, GWL_STYLE);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoA(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi);
    g_fullscreen = true;
    if (IsMpc()) {
        ::ShowWindow(g_toolBar, SW_HIDE);
        ::ShowWindow(g_statusBar, SW_HIDE);
        ::SetWindowLongA(g_video, GWL_EXSTYLE, ::GetWindowLongA(g_video, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        ::SetWindowPos(g_video, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetWindowLongA(hwnd, GWL_STYLE, (g_windowedStyle & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
    const RECT& m = mi.rcMonitor;
    ::SetWindowPos(hwnd, HWND_TOP, m.left, m.top, m.right - m.left, m.bottom - m.top,
                   SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    LayOut(hwnd);
}

// Back to the window's style and place before full screen.
void LeaveFullscreen(HWND hwnd) {
    g_fullscreen = false;
    if (IsMpc()) {
        ::SetWindowLongA(g_video, GWL_EXSTYLE, ::GetWindowLongA(g_video, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        ::SetWindowPos(g_video, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(g_toolBar, SW_SHOWNA);
        ::ShowWindow(g_statusBar, SW_SHOWNA);
    }
    ::SetWindowLongA(hwnd, GWL_STYLE, g_windowedStyle);
    const RECT& r = g_windowedRect;
    ::SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(hwnd);
}

void Perform(HWND hwnd, const Action& action) {
    g_inAction = true;
    constexpr UINT kKeep = SWP_NOZORDER | SWP_NOACTIVATE;
    switch (action.kind) {
        case Kind::Move: ::SetWindowPos(hwnd, nullptr, action.a, action.b, 0, 0, kKeep | SWP_NOSIZE); break;
        case Kind::Size: ::SetWindowPos(hwnd, nullptr, 0, 0, action.a, action.b, kKeep | SWP_NOMOVE); break;
        case Kind::Maximise: ::ShowWindow(hwnd, SW_MAXIMIZE); break;
        case Kind::Minimise: ::ShowWindow(hwnd, SW_MINIMIZE); break;
        case Kind::Restore:
            if (g_fullscreen && !::IsIconic(hwnd)) {
                LeaveFullscreen(hwnd);
            } else {
                ::ShowWindow(hwnd, SW_RESTORE);
            }
            break;
        case Kind::Front:
            ::SetForegroundWindow(hwnd);
            ::BringWindowToTop(hwnd);
            break;
        case Kind::Fullscreen: EnterFullscreen(hwnd); break;
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
            LayOut(hwnd);
            return 0;
        case WM_TIMER:
            if (wParam == ScriptRunner::kTimer) g_script.OnTimer(hwnd, Perform);
            return 0;
        case WM_WINDOWPOSCHANGED: {
            // Its WM_SIZE lays the children out first.
            const LRESULT result = ::DefWindowProcA(hwnd, msg, wParam, lParam);
            if (!g_inAction && hwnd == g_player) TraceVideo(true);
            return result;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool Register(HINSTANCE instance, const char* name, WNDPROC proc, int brush) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(brush));
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) != 0;
}

HWND MakeChild(HINSTANCE instance, const char* cls, HWND parent, int id, DWORD exStyle) {
    HWND child = ::CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (child == nullptr) Trace("lvplayer: cannot create a %s window (error %lu)", cls, ::GetLastError());
    return child;
}

// The player's children, as its kind makes them; false when one failed.
bool MakeChildren(HINSTANCE instance, HWND player) {
    switch (g_kind->kind) {
        case PlayerKind::Wmp:
            if (!Register(instance, "VideoRenderer", ::DefWindowProcA, BLACK_BRUSH)) return false;
            g_video = MakeChild(instance, "VideoRenderer", player, 0, 0);
            return g_video != nullptr;
        case PlayerKind::Gemini:
            if (!Register(instance, "VideoWindowControlClass", ::DefWindowProcA, DKGRAY_BRUSH) ||
                !Register(instance, "VideoControlWindowClass", ::DefWindowProcA, BLACK_BRUSH))
                return false;
            g_control = MakeChild(instance, "VideoWindowControlClass", player, 0, 0);
            if (g_control == nullptr) return false;
            g_video = MakeChild(instance, "VideoControlWindowClass", g_control, 0, 0);
            return g_video != nullptr;
        case PlayerKind::Mpv: g_video = player; return true;
        case PlayerKind::MpcHc:
        case PlayerKind::MpcBe:
            if (!Register(instance, kBarClass, ::DefWindowProcA, LTGRAY_BRUSH) ||
                !Register(instance, kViewClass, ::DefWindowProcA, BLACK_BRUSH))
                return false;
            g_toolBar = MakeChild(instance, kBarClass, player, kToolBarId, 0);
            g_video = MakeChild(instance, kViewClass, player, kViewId, WS_EX_CLIENTEDGE);
            g_statusBar = MakeChild(instance, kBarClass, player, kStatusBarId, 0);
            return g_toolBar != nullptr && g_video != nullptr && g_statusBar != nullptr;
    }
    return false;
}

// Takes "--kind KIND" out of the arguments; false when KIND is unknown, is
// missing or comes twice.
bool TakeKind(std::vector<char*>& args) {
    bool seen = false;
    for (std::size_t i = 1; i < args.size();) {
        if (std::strcmp(args[i], "--kind") != 0) {
            ++i;
            continue;
        }
        if (seen || i + 1 >= args.size()) return false;
        seen = true;
        const KindName* found = nullptr;
        for (const KindName& k : kKinds)
            if (std::strcmp(args[i + 1], k.name) == 0) found = &k;
        if (found == nullptr) return false;
        g_kind = found;
        args.erase(args.begin() + std::ptrdiff_t(i), args.begin() + std::ptrdiff_t(i) + 2);
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const ULONGLONG startMs = ::GetTickCount64();
    Options opt{RECT{150, 100, 750, 550}, {}};
    std::vector<char*> args(__argv, __argv + __argc);
    if (!TakeKind(args) || !ParseArgs(int(args.size()), args.data(), opt, true)) {
        Trace("lvplayer: %s", kUsage);
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    const int topBrush = g_kind->kind == PlayerKind::Mpv ? BLACK_BRUSH : GRAY_BRUSH;
    if (!Register(instance, g_kind->topClass, PlayerProc, topBrush)) return 1;

    const RECT& r = opt.rect;
    HWND player = ::CreateWindowExA(0, g_kind->topClass, "stand-in player", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance,
                                    nullptr);
    if (player == nullptr) {
        Trace("lvplayer: cannot create the window (error %lu)", ::GetLastError());
        return 1;
    }
    if (!MakeChildren(instance, player)) return 1;
    LayOut(player);
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
