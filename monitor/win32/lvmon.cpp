// lvmon.exe: the monitor emulator for Windows. Reads the top row of every
// monitor about a thousand times a second, decodes each as that monitor's
// controller would, and shows the region each monitor would enhance as an
// outline on it, with a small legend window. A user without the monitor
// sees what it would do; Escape in the legend, its Close box or its menu's
// Exit end it.
//
//   lvmon.exe [--output FILE] [--duration SECONDS]
//
// With --output it also writes the lines of the Linux lvmon to FILE
// (monitor/README.md).
#include <windows.h>
#include <mmsystem.h>  // timeBeginPeriod

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "monitor/desk.h"
#include "monitor/legend_text.h"
#include "monitor/win32/desk_monitors.h"
#include "monitor/win32/legend.h"
#include "monitor/win32/outline.h"
#include "monitor/win32/row_reader.h"

namespace {

using lv::monitor::Desk;
using lv::monitor::win32::Legend;
using lv::monitor::win32::Outline;
using lv::monitor::win32::RowReader;

constexpr double kLongGapS = 0.004;       // reads further apart than this are reported
constexpr double kDeskCheckS = 0.5;       // how often the monitors are read again
constexpr double kLegendRefreshS = 0.25;  // how often the legend is written

struct Options {
    const char* output = nullptr;
    double durationS = 0;
};

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        if (i + 1 >= argc) return false;
        if (std::strcmp(argv[i], "--output") == 0) {
            o.output = argv[++i];
        } else if (std::strcmp(argv[i], "--duration") == 0) {
            char* end = nullptr;
            o.durationS = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end != '\0' || o.durationS < 0) return false;
        } else {
            return false;
        }
    }
    return true;
}

double NowSeconds() {
    LARGE_INTEGER now, freq;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&freq);
    return double(now.QuadPart) / double(freq.QuadPart);
}

// One outline for each monitor, owned by the legend.
bool MatchOutlines(std::vector<std::unique_ptr<Outline>>& outlines, std::size_t count, HINSTANCE instance,
                   HWND owner) {
    if (outlines.size() > count) outlines.resize(count);
    while (outlines.size() < count) {
        outlines.push_back(std::make_unique<Outline>());
        if (!outlines.back()->Create(instance, owner)) return false;
    }
    return true;
}

RECT ToRect(const lv::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Options options;
    if (!ParseOptions(__argc, __argv, options)) {
        ::MessageBoxA(nullptr, "usage: lvmon.exe [--output FILE] [--duration SECONDS]", "lvmon", MB_OK);
        return 2;
    }
    std::FILE* out = nullptr;
    if (options.output != nullptr && (out = std::fopen(options.output, "w")) == nullptr) {
        ::MessageBoxA(nullptr, "lvmon cannot write its output file", "lvmon", MB_OK | MB_ICONERROR);
        return 1;
    }
    auto print = [&](const std::string& line) {
        if (out == nullptr) return;
        std::fprintf(out, "%s\n", line.c_str());
        std::fflush(out);
    };
    auto printAll = [&](const std::vector<std::string>& lines) {
        for (const std::string& line : lines) print(line);
    };

    lv::monitor::win32::UsePhysicalPixels();
    Legend legend;
    if (!legend.Create(instance)) return 1;
    std::vector<std::unique_ptr<Outline>> outlines;
    RowReader reader;
    reader.Open();

    Desk desk;
    std::vector<lv::monitor::DeskMonitor> monitors = lv::monitor::win32::ReadDeskMonitors();
    const double start = NowSeconds();
    char header[160];
    std::snprintf(header, sizeof header, "# lvmon.exe width=%d start_qpc=%.6f", int(monitors[0].rect.Width()), start);
    print(header);
    desk.SetMonitors(0, monitors);
    printAll(desk.TakeLines());
    if (!MatchOutlines(outlines, desk.Count(), instance, legend.Window())) return 1;

    std::vector<std::vector<lv::Colour>> rows;
    std::vector<bool> read;
    long long samples = 0;
    double lastSample = -1;
    double maxGap = 0;  // the longest time between two reads, for the footer
    double shownAt = 0;
    double checkedAt = 0;
    bool quit = false;
    double now = 0;
    ::timeBeginPeriod(1);
    while (!quit && !legend.Closed()) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) quit = true;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        now = NowSeconds() - start;
        if (options.durationS > 0 && now >= options.durationS) break;
        const double ms = now * 1000.0;
        // Every monitor's top row, at the time just taken: nothing else
        // comes between, or an edge would look earlier than it was.
        rows.resize(desk.Count());
        read.assign(desk.Count(), false);
        bool any = false;
        for (std::size_t i = 0; i < desk.Count(); ++i) {
            const lv::Rect& r = desk.Monitor(i).rect;
            read[i] = reader.Read(r.left, r.top, r.Width(), rows[i]);
            any = any || read[i];
        }
        if (any) {
            ++samples;
            if (lastSample >= 0 && now - lastSample > maxGap) maxGap = now - lastSample;
            // A long gap leaves an edge seen late by up to its length: say
            // where, so that a reader can time each edge to its own gap.
            if (lastSample >= 0 && now - lastSample > kLongGapS) {
                char gap[64];
                std::snprintf(gap, sizeof gap, "# gap %.4f %.1f", now, (now - lastSample) * 1000.0);
                print(gap);
            }
            lastSample = now;
            for (std::size_t i = 0; i < desk.Count(); ++i) {
                if (read[i]) desk.Feed(i, ms, rows[i].data(), rows[i].size());
            }
            printAll(desk.TakeLines());
            for (std::size_t i = 0; i < desk.Count(); ++i) outlines[i]->Show(ToRect(desk.Outline(i)));
        }
        if (now - shownAt > kLegendRefreshS) {
            legend.SetLines(lv::monitor::LegendLines(desk, now > 0 ? double(samples) / now : 0.0));
            shownAt = now;
        }
        // Monitors come and go, or change their mode: the desk is read
        // again on WM_DISPLAYCHANGE and twice a second (a quarter of a
        // millisecond under Wine), after the rows, which it would delay.
        if (legend.TakeDisplayChange() || now - checkedAt > kDeskCheckS) {
            checkedAt = now;
            desk.SetMonitors(ms, lv::monitor::win32::ReadDeskMonitors());
            printAll(desk.TakeLines());
            if (!MatchOutlines(outlines, desk.Count(), instance, legend.Window())) break;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    ::timeEndPeriod(1);
    desk.Finish(now * 1000.0);
    printAll(desk.TakeLines());
    char footer[96];
    std::snprintf(footer, sizeof footer, "# lvmon.exe end samples=%lld seconds=%.3f rate=%.0f max_gap_ms=%.1f",
                  samples, now, now > 0 ? double(samples) / now : 0.0, maxGap * 1000.0);
    print(footer);
    outlines.clear();
    legend.Destroy();
    reader.Close();
    if (out != nullptr) std::fclose(out);
    return 0;
}
