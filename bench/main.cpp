// Paints each frame kind on the real screen many times, with the program's
// painter (one pen a colour, runs of a colour joined) and with a painter that
// follows the frame's steps literally (a pen made and deleted for every
// part), and prints the median and worst paint time and the GDI calls of
// each, side by side.
//
//   lv_link_bench [REPEATS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/literal_painter.h"
#include "link/line_code.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"

namespace {

// Counts every call that reaches GDI, then passes it on.
class CountingScreen : public lv::IScreen {
public:
    explicit CountingScreen(lv::IScreen& real) : real_(real) {}
    lv::HDc OpenScreenDC() override { ++calls; return real_.OpenScreenDC(); }
    void CloseScreenDC(lv::HDc dc) override { ++calls; real_.CloseScreenDC(dc); }
    std::int32_t GetHorzRes(lv::HDc dc) override { ++calls; return real_.GetHorzRes(dc); }
    int GetMonitors(lv::MonitorInfo* m, int max) override { return real_.GetMonitors(m, max); }
    lv::HDc OpenMonitorDC(const char* device) override { ++calls; return real_.OpenMonitorDC(device); }
    lv::HPen CreateSolidPen(lv::Colour c) override { ++calls; ++pens; return real_.CreateSolidPen(c); }
    lv::HPen SelectPen(lv::HDc dc, lv::HPen p) override { ++calls; return real_.SelectPen(dc, p); }
    void DeletePen(lv::HPen p) override { ++calls; real_.DeletePen(p); }
    void MoveTo(lv::HDc dc, std::int32_t x, std::int32_t y) override { ++calls; real_.MoveTo(dc, x, y); }
    void LineTo(lv::HDc dc, std::int32_t x, std::int32_t y) override { ++calls; real_.LineTo(dc, x, y); }
    void RedrawScreenRect(const lv::Rect& r, std::uint32_t f) override { real_.RedrawScreenRect(r, f); }
    lv::HDc OpenBandDC(std::int32_t w, lv::Colour c) override { return real_.OpenBandDC(w, c); }
    void DrawBandRect(lv::HDc dc, lv::Point a, lv::Point b) override { real_.DrawBandRect(dc, a, b); }
    void CloseBandDC(lv::HDc dc) override { real_.CloseBandDC(dc); }
    int calls = 0;
    int pens = 0;

private:
    lv::IScreen& real_;
};

struct Figures {
    double medianMs = 0;
    double p99Ms = 0;
    double worstMs = 0;
    int calls = 0;
    int pens = 0;
};

template <typename Paint>
Figures Measure(CountingScreen& counter, int repeats, Paint paint) {
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        counter.calls = 0;
        counter.pens = 0;
        LARGE_INTEGER t0, t1;
        ::QueryPerformanceCounter(&t0);
        paint();
        ::QueryPerformanceCounter(&t1);
        times.push_back(double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(freq.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return Figures{times[times.size() / 2], times[times.size() * 99 / 100], times.back(), counter.calls,
                   counter.pens};
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    lv::win32::InstallWin32Platform(::GetModuleHandleA(nullptr));
    CountingScreen counter(lv::Screen());
    lv::PlatformServices services = lv::Platform();
    services.screen = &counter;
    lv::InstallPlatform(services);

    std::printf("%-6s %-8s | %7s %7s %7s %5s %4s | %7s %7s %7s %5s %4s | %6s %6s\n", "width", "frame",
                "median", "p99", "worst", "calls", "pens", "median", "p99", "worst", "calls", "pens", "time x",
                "calls x");
    std::printf("%-6s %-8s | %-34s | %-34s |\n", "", "", "this painter (ms)", "a pen for every part (ms)");
    for (std::uint32_t horzRes : {1024u, 1920u}) {
        const lv::FrameGeometry g(horzRes - 1);
        const lv::FramePlan plans[3] = {lv::PlanOffFrame(lv::kOffFlags, g), lv::PlanRowsFrame(200, 600, g),
                                        lv::PlanColumnsFrame(100, horzRes - 100, g)};
        const char* names[3] = {"off", "rows", "columns"};
        for (int k = 0; k < 3; ++k) {
            const Figures ours = Measure(counter, repeats, [&] { lv::PaintFramePlan(plans[k], g); });
            const Figures literal = Measure(counter, repeats, [&] { lv::PaintFramePlanLiterally(plans[k], g); });
            std::printf("%-6u %-8s | %7.3f %7.3f %7.3f %5d %4d | %7.3f %7.3f %7.3f %5d %4d | %6.2f %6.2f\n",
                        horzRes, names[k], ours.medianMs, ours.p99Ms, ours.worstMs, ours.calls, ours.pens,
                        literal.medianMs, literal.p99Ms, literal.worstMs, literal.calls, literal.pens,
                        ours.medianMs > 0 ? literal.medianMs / ours.medianMs : 0.0,
                        double(literal.calls) / double(ours.calls));
        }
    }
    // Give the desktop its row back.
    RECT top{0, 0, ::GetSystemMetrics(SM_CXSCREEN), 5};
    ::RedrawWindow(nullptr, &top, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE | RDW_FRAME);
    std::fflush(stdout);
    return 0;
}
