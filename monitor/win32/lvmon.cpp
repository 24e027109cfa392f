// lvmon.exe: the monitor emulator for Windows. Reads screen row 0 about a
// thousand times a second, decodes it as the monitor's controller would, and
// shows the region the monitor would enhance as an outline on the screen,
// with a small legend window. A user without the monitor sees what it would
// do; Escape in the legend, its Close box or its menu's Exit end it.
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
#include <string>
#include <vector>

#include "monitor/desktop_watch.h"
#include "monitor/message_tracker.h"
#include "monitor/report.h"
#include "monitor/row_decoder.h"
#include "monitor/win32/legend.h"
#include "monitor/win32/outline.h"

namespace {

using lv::monitor::win32::Legend;

constexpr double kLongGapS = 0.004;  // reads further apart than this are reported
using lv::monitor::win32::Outline;

// Copies row 0 of the screen into a 32-bit DIB, one pixel high.
class RowReader {
public:
    ~RowReader() { Close(); }

    bool Open(int width) {
        Close();
        screen_ = ::GetDC(nullptr);
        memory_ = ::CreateCompatibleDC(screen_);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -1;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dib_ = ::CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (screen_ == nullptr || memory_ == nullptr || dib_ == nullptr) {
            Close();
            return false;
        }
        old_ = ::SelectObject(memory_, dib_);
        width_ = width;
        return true;
    }

    // The row as the program's colours (0x00BBGGRR).
    bool Read(std::vector<lv::Colour>& row) {
        if (dib_ == nullptr) return false;
        // CAPTUREBLT: layered windows are part of the picture the monitor gets.
        if (!::BitBlt(memory_, 0, 0, width_, 1, screen_, 0, 0, SRCCOPY | CAPTUREBLT)) return false;
        ::GdiFlush();
        row.resize(std::size_t(width_));
        const auto* p = static_cast<const std::uint8_t*>(bits_);
        for (int x = 0; x < width_; ++x, p += 4) row[std::size_t(x)] = lv::MakeColour(p[2], p[1], p[0]);
        return true;
    }

    int Width() const { return width_; }

    void Close() {
        if (memory_ != nullptr && old_ != nullptr) ::SelectObject(memory_, old_);
        if (dib_ != nullptr) ::DeleteObject(dib_);
        if (memory_ != nullptr) ::DeleteDC(memory_);
        if (screen_ != nullptr) ::ReleaseDC(nullptr, screen_);
        screen_ = nullptr;
        memory_ = nullptr;
        dib_ = nullptr;
        old_ = nullptr;
        bits_ = nullptr;
        width_ = 0;
    }

private:
    HDC screen_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
};

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

// The screen rectangle of what the monitor enhances: for an edge that stands
// for several columns the first, for one past the frame the screen's edge.
RECT EnhancedRect(const lv::monitor::Enhancement& e, int screenWidth) {
    RECT r{0, 0, 0, 0};
    if (!e.active || !e.columns.hasRed) return r;
    const lv::monitor::ColumnSpan& left = e.columns.left;
    const lv::monitor::ColumnSpan& right = e.columns.right;
    r.left = LONG(left.first);
    r.right = right.last == lv::monitor::ColumnSpan::kNoLimit ? screenWidth : LONG(right.first);
    r.top = LONG(e.top);
    r.bottom = LONG(e.bottom);
    if (r.right > screenWidth) r.right = screenWidth;
    const LONG height = ::GetSystemMetrics(SM_CYSCREEN);
    if (r.bottom > height) r.bottom = height;
    return r;
}

// "enhancing 40 60 700 500" in the columns' and rows' numbers of the log.
std::string StateLine(const lv::monitor::Enhancement& e) {
    if (!e.active) return "not enhancing";
    char text[96];
    if (!e.columns.hasRed) {
        std::snprintf(text, sizeof text, "enhancing nothing: rows %u %u, no columns", e.top, e.bottom);
    } else {
        std::snprintf(text, sizeof text, "enhancing %s %u %s %u", lv::monitor::ColumnText(e.columns.left).c_str(),
                      e.top, lv::monitor::ColumnText(e.columns.right).c_str(), e.bottom);
    }
    return text;
}

// "last: region 40 60 700 500 (rows 51 ms, columns 102 ms)"
std::string LastLine(const lv::monitor::SeenMessage& m) {
    std::string line = lv::monitor::MessageLine(m);
    const std::size_t space = line.find(' ');
    std::string text = "last: " + (space == std::string::npos ? line : line.substr(space + 1)) + " (";
    for (int i = 0; i < m.frameCount; ++i) {
        char part[48];
        std::snprintf(part, sizeof part, "%s%s %.0f ms", i ? ", " : "", lv::monitor::KindName(m.frames[i].frame.kind),
                      m.frames[i].shownMs);
        text += part;
    }
    return text + ")";
}

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

    Outline outline;
    Legend legend;
    if (!outline.Create(instance) || !legend.Create(instance)) return 1;
    RowReader reader;
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    reader.Open(width);

    const double start = NowSeconds();
    char header[160];
    std::snprintf(header, sizeof header, "# lvmon.exe width=%d start_qpc=%.6f", width, start);
    print(header);

    lv::monitor::MessageTracker tracker;
    lv::monitor::DesktopWatch desktop;
    std::vector<lv::Colour> row;
    std::string last = "last: -";
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
        // A new resolution: read the new row.
        if (now - checkedAt > 0.5) {
            checkedAt = now;
            const int w = ::GetSystemMetrics(SM_CXSCREEN);
            if (w != width) {
                width = w;
                reader.Open(width);
            }
        }
        if (reader.Read(row)) {
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
            const double ms = now * 1000.0;
            tracker.Feed(ms, lv::monitor::DecodeRow(row.data(), row.size()));
            desktop.Feed(ms, row.data(), row.size(), tracker.FrameShown());
            for (const lv::monitor::SeenMessage& m : tracker.TakeMessages()) {
                print(lv::monitor::MessageLine(m));
                for (int i = 0; i < m.frameCount; ++i) print(lv::monitor::FrameLine(m.frames[i]));
                last = LastLine(m);
            }
            for (const lv::monitor::RestoreEvent& e : desktop.TakeEvents()) print(lv::monitor::RestoreLine(e));
            const RECT region = EnhancedRect(tracker.Enhanced(), width);
            if (region.right > region.left) {
                outline.Show(region);
            } else {
                outline.Hide();
            }
        }
        if (now - shownAt > 0.25) {
            char rate[96];
            std::snprintf(rate, sizeof rate, "row 0 (%d pixels) read %.0f times a second", width,
                          now > 0 ? double(samples) / now : 0.0);
            legend.SetLines(StateLine(tracker.Enhanced()), last, rate);
            shownAt = now;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    ::timeEndPeriod(1);
    tracker.Finish(now * 1000.0);
    for (const lv::monitor::SeenMessage& m : tracker.TakeMessages()) {
        print(lv::monitor::MessageLine(m));
        for (int i = 0; i < m.frameCount; ++i) print(lv::monitor::FrameLine(m.frames[i]));
    }
    char footer[96];
    std::snprintf(footer, sizeof footer, "# lvmon.exe end samples=%lld seconds=%.3f rate=%.0f max_gap_ms=%.1f",
                  samples, now, now > 0 ? double(samples) / now : 0.0, maxGap * 1000.0);
    print(footer);
    outline.Destroy();
    legend.Destroy();
    reader.Close();
    if (out != nullptr) std::fclose(out);
    return 0;
}
