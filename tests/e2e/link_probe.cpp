// link_probe: sends the link's messages on the real screen, from a window's
// timer as the program does, for the end-to-end tests to watch on row 0.
//
// One message a timer tick: off; a region; the whole screen; a region
// dragged up and to the left; two regions partly off the screen. Then it
// ends, and the global link paints its off frame at process exit, as in the
// program. Every step is traced with OutputDebugStringA ("lvprobe: ...",
// visible under Wine with WINEDEBUG=+debugstr), with times in seconds of
// QueryPerformanceCounter, which under Wine is the host's CLOCK_MONOTONIC_RAW:
//
//   lvprobe: screen W H
//   lvprobe: send N off|region L T R B at=SECONDS
//   lvprobe: frame paint_ms=MS closed_at=SECONDS      (each frame painted)
//   lvprobe: erase at=SECONDS                         (the top rows invalidated)
//   lvprobe: sent N at=SECONDS
//   lvprobe: done at=SECONDS
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "link/screen_link.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"

namespace {

constexpr UINT_PTR kStepTimer = 1;
constexpr UINT kStepMs = 500;  // a message takes 250 ms at most; the rest is the desktop's

double Seconds() {
    LARGE_INTEGER now, freq;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&freq);
    return double(now.QuadPart) / double(freq.QuadPart);
}

void Trace(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text - 1, format, args);
    va_end(args);
    std::strcat(text, "\n");
    ::OutputDebugStringA(text);
}

// Passes every call to the real screen and times each painted frame, from
// opening the screen DC to having closed it (the pixels are on their way).
class TimedScreen : public lv::IScreen {
public:
    explicit TimedScreen(lv::IScreen& real) : real_(real) {}
    lv::HDc OpenScreenDC() override {
        openedAt_ = Seconds();
        drew_ = false;
        return real_.OpenScreenDC();
    }
    void CloseScreenDC(lv::HDc dc) override {
        real_.CloseScreenDC(dc);
        const double closedAt = Seconds();
        if (drew_) Trace("lvprobe: frame paint_ms=%.3f closed_at=%.6f", (closedAt - openedAt_) * 1000.0, closedAt);
    }
    std::int32_t GetHorzRes(lv::HDc dc) override { return real_.GetHorzRes(dc); }
    int GetMonitors(lv::MonitorInfo* m, int max) override { return real_.GetMonitors(m, max); }
    lv::HDc OpenMonitorDC(const char* device) override {
        openedAt_ = Seconds();
        drew_ = false;
        return real_.OpenMonitorDC(device);
    }
    lv::HPen CreateSolidPen(lv::Colour c) override { return real_.CreateSolidPen(c); }
    lv::HPen SelectPen(lv::HDc dc, lv::HPen p) override { return real_.SelectPen(dc, p); }
    void DeletePen(lv::HPen p) override { real_.DeletePen(p); }
    void MoveTo(lv::HDc dc, std::int32_t x, std::int32_t y) override { real_.MoveTo(dc, x, y); }
    void LineTo(lv::HDc dc, std::int32_t x, std::int32_t y) override {
        drew_ = true;
        real_.LineTo(dc, x, y);
    }
    // The frame's end as the program asks for it: the desktop repaints the
    // row after this call, in its own time.
    void RedrawScreenRect(const lv::Rect& r, std::uint32_t f) override {
        Trace("lvprobe: erase at=%.6f", Seconds());
        real_.RedrawScreenRect(r, f);
    }
    lv::HDc OpenBandDC(std::int32_t w, lv::Colour c) override { return real_.OpenBandDC(w, c); }
    void DrawBandRect(lv::HDc dc, lv::Point a, lv::Point b) override { real_.DrawBandRect(dc, a, b); }
    void CloseBandDC(lv::HDc dc) override { real_.CloseBandDC(dc); }

private:
    lv::IScreen& real_;
    double openedAt_ = 0;
    bool drew_ = false;
};

struct Step {
    std::uint32_t mode;
    lv::Rect region;
};

int g_step = 0;
Step g_steps[6];

void PlanSteps() {
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    Trace("lvprobe: screen %d %d", w, h);
    g_steps[0] = Step{lv::SEND_OFF, {}};
    g_steps[1] = Step{lv::SEND_REGION, lv::Rect{40, 60, 700, 500}};
    g_steps[2] = Step{lv::SEND_REGION, lv::Rect{0, 0, w, h}};
    g_steps[3] = Step{lv::SEND_REGION, lv::Rect{700, 500, 40, 60}};
    g_steps[4] = Step{lv::SEND_REGION, lv::Rect{-4, -4, w + 4, h + 4}};
    g_steps[5] = Step{lv::SEND_REGION, lv::Rect{w - 300, h - 200, w + 200, h + 100}};
}

void SendStep(const Step& step, int index) {
    lv::CScreenLink& link = lv::TheScreenLink();
    if (step.mode == lv::SEND_REGION) {
        link.rcRegion = step.region;
        Trace("lvprobe: send %d region %ld %ld %ld %ld at=%.6f", index, long(step.region.left),
              long(step.region.top), long(step.region.right), long(step.region.bottom), Seconds());
    } else {
        Trace("lvprobe: send %d off at=%.6f", index, Seconds());
    }
    link.Send(step.mode);
    Trace("lvprobe: sent %d at=%.6f", index, Seconds());
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam != kStepTimer) break;
            if (g_step < int(sizeof g_steps / sizeof g_steps[0])) {
                SendStep(g_steps[g_step], g_step);
                ++g_step;
            } else {
                ::KillTimer(hwnd, kStepTimer);
                ::DestroyWindow(hwnd);
            }
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
    lv::win32::InstallWin32Platform(instance);
    // Never freed: the global link paints through it during process exit.
    static TimedScreen* timed = new TimedScreen(lv::Screen());
    lv::PlatformServices services = lv::Platform();
    services.screen = timed;
    lv::InstallPlatform(services);

    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "LvLinkProbe";
    ::RegisterClassA(&wc);
    // Well below row 0, so that the row shows only the desktop between sends.
    HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "link probe", WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 300,
                                  240, 60, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    PlanSteps();
    ::SetTimer(hwnd, kStepTimer, kStepMs, nullptr);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    Trace("lvprobe: done at=%.6f", Seconds());
    return 0;
}
