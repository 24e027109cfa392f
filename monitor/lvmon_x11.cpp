// lvmon: the monitor's eyes on an X display. Reads row 0 of the screen (or
// of one window) as fast as the X server answers, decodes each sample as the
// monitor's controller would, and prints one line per message, frame and
// return of the desktop (monitor/README.md describes the lines).
//
//   lvmon [--display NAME] [--window ID] [--width N] [--duration SECONDS]
//         [--output FILE] [--rate HZ]
//
// It runs until the duration is over, or until SIGINT or SIGTERM, and then
// ends the frame still shown and prints a closing line with its sample rate.
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "monitor/desktop_watch.h"
#include "monitor/message_tracker.h"
#include "monitor/report.h"
#include "monitor/row_decoder.h"

// After the program's headers: Xlib defines None as a macro.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;
int g_xError = 0;

// The first signal ends the watch cleanly; a second one ends the process.
void OnSignal(int sig) {
    g_stop = 1;
    std::signal(sig, SIG_DFL);
}

int OnXError(Display*, XErrorEvent* e) {
    g_xError = e->error_code;
    return 0;
}

struct Options {
    const char* display = nullptr;
    unsigned long window = 0;  // 0: the root window
    long width = 0;            // 0: the window's width
    double durationS = 0;      // 0: until a signal
    const char* output = nullptr;
    double rateHz = 0;         // 0: as fast as it can
};

int Usage() {
    std::fprintf(stderr,
                 "usage: lvmon [--display NAME] [--window ID] [--width N] [--duration SECONDS]\n"
                 "             [--output FILE] [--rate HZ]\n"
                 "Watches row 0 of the X screen (or of window ID) from x = 0 over N pixels\n"
                 "(default: the window's width) and prints what the monitor reads there.\n"
                 "Runs for SECONDS, or until interrupted; samples at most HZ times a second\n"
                 "(default: as fast as the X server answers).\n");
    return 2;
}

bool ParseNumber(const char* text, double& out) {
    errno = 0;
    char* end = nullptr;
    out = std::strtod(text, &end);
    return errno == 0 && end != text && *end == '\0' && out >= 0;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        double number = 0;
        if (arg == "--display") {
            o.display = value;
        } else if (arg == "--output") {
            o.output = value;
        } else if (arg == "--window") {
            char* end = nullptr;
            errno = 0;
            o.window = std::strtoul(value, &end, 0);
            if (errno != 0 || *end != '\0' || o.window == 0) return false;
        } else if (arg == "--width" && ParseNumber(value, number) && number >= 1 && number <= 65535) {
            o.width = long(number);
        } else if (arg == "--duration" && ParseNumber(value, number)) {
            o.durationS = number;
        } else if (arg == "--rate" && ParseNumber(value, number)) {
            o.rateHz = number;
        } else {
            return false;
        }
    }
    return true;
}

double RawSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double UnixSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// One channel of an X pixel, scaled to 0..255, by its mask.
std::uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const unsigned long max = mask >> shift;
    return std::uint8_t(((pixel & mask) >> shift) * 255 / max);
}

// Converts one sampled row into the program's colours.
void ReadRow(XImage* image, std::vector<lv::Colour>& row) {
    const bool plain32 = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
                         image->green_mask == 0xFF00 && image->blue_mask == 0xFF &&
                         image->byte_order == LSBFirst;
    for (std::size_t x = 0; x < row.size(); ++x) {
        if (plain32) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(image->data) + 4 * x;
            row[x] = lv::MakeColour(p[2], p[1], p[0]);
        } else {
            const unsigned long pixel = XGetPixel(image, int(x), 0);
            row[x] = lv::MakeColour(Channel(pixel, image->red_mask), Channel(pixel, image->green_mask),
                                    Channel(pixel, image->blue_mask));
        }
    }
}

class Printer {
public:
    explicit Printer(std::FILE* out) : out_(out) {}
    void Line(const std::string& text) {
        std::fputs(text.c_str(), out_);
        std::fputc('\n', out_);
        std::fflush(out_);  // a script follows the file as it grows
    }

private:
    std::FILE* out_;
};

void PrintDone(lv::monitor::MessageTracker& tracker, lv::monitor::DesktopWatch& desktop, Printer& print) {
    for (const lv::monitor::SeenMessage& m : tracker.TakeMessages()) {
        print.Line(lv::monitor::MessageLine(m));
        for (int i = 0; i < m.frameCount; ++i) print.Line(lv::monitor::FrameLine(m.frames[i]));
    }
    for (const lv::monitor::RestoreEvent& e : desktop.TakeEvents()) print.Line(lv::monitor::RestoreLine(e));
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();

    Display* display = XOpenDisplay(options.display);
    if (display == nullptr) {
        std::fprintf(stderr, "lvmon: cannot open display %s\n", XDisplayName(options.display));
        return 1;
    }
    XSetErrorHandler(OnXError);
    const Window window = options.window != 0 ? Window(options.window) : DefaultRootWindow(display);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || g_xError != 0) {
        std::fprintf(stderr, "lvmon: no window 0x%lx\n", window);
        return 1;
    }
    const long width = options.width != 0 ? options.width : attributes.width;
    if (width > attributes.width) {
        std::fprintf(stderr, "lvmon: the window is only %d pixels wide\n", attributes.width);
        return 1;
    }

    std::FILE* out = stdout;
    if (options.output != nullptr) {
        out = std::fopen(options.output, "w");
        if (out == nullptr) {
            std::fprintf(stderr, "lvmon: cannot write %s: %s\n", options.output, std::strerror(errno));
            return 1;
        }
    }
    Printer print(out);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    XImage* image = XGetImage(display, window, 0, 0, unsigned(width), 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        std::fprintf(stderr, "lvmon: cannot read row 0 of window 0x%lx\n", window);
        return 1;
    }
    const double start = RawSeconds();
    char header[256];
    std::snprintf(header, sizeof header, "# lvmon display=%s window=0x%lx width=%ld start_raw=%.6f start_unix=%.6f",
                  DisplayString(display), window, width, start, UnixSeconds());
    print.Line(header);

    lv::monitor::MessageTracker tracker;
    lv::monitor::DesktopWatch desktop;
    std::vector<lv::Colour> row(static_cast<std::size_t>(width));
    long long samples = 0;
    double now = 0;
    int status = 0;
    const double period = options.rateHz > 0 ? 1.0 / options.rateHz : 0;
    while (!g_stop) {
        now = RawSeconds() - start;
        if (options.durationS > 0 && now >= options.durationS) break;
        // A round trip: the error of a window gone arrives with its answer.
        if (!XGetSubImage(display, window, 0, 0, unsigned(width), 1, AllPlanes, ZPixmap, image, 0, 0) ||
            g_xError != 0) {
            print.Line("# lvmon stopped: row 0 can no longer be read");
            status = 3;
            break;
        }
        ReadRow(image, row);
        ++samples;
        const double ms = now * 1000.0;
        const lv::monitor::DecodedRow decoded = lv::monitor::DecodeRow(row.data(), row.size());
        tracker.Feed(ms, decoded);
        desktop.Feed(ms, row.data(), row.size(), tracker.FrameShown());
        PrintDone(tracker, desktop, print);
        if (period > 0) {
            const double wait = (double(samples) * period) - (RawSeconds() - start);
            if (wait > 0) {
                timespec ts{time_t(wait), long((wait - double(time_t(wait))) * 1e9)};
                nanosleep(&ts, nullptr);
            }
        }
    }
    now = RawSeconds() - start;
    tracker.Finish(now * 1000.0);
    PrintDone(tracker, desktop, print);
    char footer[160];
    std::snprintf(footer, sizeof footer, "# lvmon end samples=%lld seconds=%.3f rate=%.0f", samples, now,
                  now > 0 ? double(samples) / now : 0.0);
    print.Line(footer);
    if (out != stdout) std::fclose(out);
    XDestroyImage(image);
    XCloseDisplay(display);
    return status;
}
