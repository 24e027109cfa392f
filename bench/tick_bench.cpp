// The cost of one armed selection tick without a press, through the
// simulated desktop: heap allocations (counted by a replaced operator new)
// and time per tick, with the pointer resting over a client area and over
// the floating bar, one following tick of a still window, and one detection
// tick with no player running; and the window look-ups each makes.
//
//   lv_tick_bench [TICKS]     default 100000
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "bar/lv_dlg.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"

namespace {
std::size_t g_allocations = 0;
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using lv::fake::FakeDesktop;

struct Figures {
    double allocationsPerTick;
    double nsPerTick;
    double lookupsPerTick;
};

Figures Measure(FakeDesktop& desk, lv::CLvDlg& bar, long ticks) {
    bar.OnSelectionTick();  // the first one may install a pointer
    const std::size_t before = g_allocations;
    const int lookups = desk.windows.lookups;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < ticks; ++i) bar.OnSelectionTick();
    const auto end = std::chrono::steady_clock::now();
    return Figures{double(g_allocations - before) / double(ticks),
                   std::chrono::duration<double, std::nano>(end - start).count() / double(ticks),
                   double(desk.windows.lookups - lookups) / double(ticks)};
}

void Print(const char* what, const Figures& f, long ticks) {
    std::printf("%-36s %.3f allocations, %.1f window look-ups, %.0f ns a tick (%ld ticks)\n", what,
                f.allocationsPerTick, f.lookupsPerTick, f.nsPerTick, ticks);
}

}  // namespace

int main(int argc, char** argv) {
    const long ticks = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    if (ticks <= 0) {
        std::fprintf(stderr, "usage: lv_tick_bench [TICKS]\n");
        return 2;
    }
    FakeDesktop desk(1024, 768);
    const lv::HWindow target =
        desk.windows.AddWindow("Notepad", lv::Rect{100, 100, 500, 400}, lv::HWindow::None, lv::fake::kCaptionFrame);
    desk.windows.Activate(target);
    lv::CLvDlg bar;
    desk.dialogs.modalScript = [&](lv::HWindow dlg) {
        // Idle after start-up with no player running: the detection tick.
        const Figures detection = Measure(desk, bar, ticks);
        desk.dialogs.Send(dlg, lv::kWmCommand, lv::ID_SHOW_BAR, 0);
        desk.dialogs.Send(dlg, lv::WM_TRAY_NOTIFY, 128, lv::kWmLButtonUp);  // armed
        desk.mouse.cursorPos = lv::Point{300, 250};
        const Figures client = Measure(desk, bar, ticks);
        desk.mouse.cursorPos = lv::Point{520, 10};
        const Figures overBar = Measure(desk, bar, ticks);
        // A click on the window, then following it while it stays still.
        desk.mouse.cursorPos = lv::Point{300, 250};
        desk.mouse.leftHeld = true;
        bar.OnSelectionTick();
        desk.mouse.leftHeld = false;
        bar.OnSelectionTick();
        const long followTicks = ticks / 100 > 0 ? ticks / 100 : 1;  // each waits 100 ms of virtual time
        const Figures following = Measure(desk, bar, followTicks);
        Print("detection, no player running:", detection, ticks);
        Print("armed, pointer over a client area:", client, ticks);
        Print("armed, pointer over the bar:", overBar, ticks);
        Print("following a still window:", following, followTicks);
        std::printf("state after: %d (1 active), following %d\n", lv::TheSelection().nState,
                    lv::TheSelection().bFollowing);
        desk.dialogs.EndDialog(dlg, 0);
    };
    bar.DoModal();
    return 0;
}
