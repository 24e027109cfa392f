// Hidden top-level windows (kept in the desktop's one window table), window
// timers and registered messages of the simulated desktop. Timers fire only while the message loop runs, which a
// test stands in for with RunFor: virtual time passes and each due timer
// brings one WM_TIMER, to a hidden window or to a dialog alike.
#pragma once

#include <map>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/fake/dialogs.h"
#include "platform/fake/windows.h"
#include "platform/messages.h"

namespace lv::fake {

struct FakeTimer {
    HWindow wnd = HWindow::None;
    std::uintptr_t id = 0;
    std::uint32_t periodMs = 0;
    std::uint64_t dueMs = 0;
};

class FakeMessages : public IMessages {
public:
    FakeMessages(FakeClock& clock, EventLog& log, FakeDialogs& ui, FakeWindows& windows)
        : clock_(clock), log_(log), ui_(ui), windows_(windows) {}

    HWindow CreateHiddenWindow(const char* title, IWindowHandler* handler) override;
    std::intptr_t SendWindowMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    std::uintptr_t SetTimer(HWindow wnd, std::uintptr_t id, std::uint32_t periodMs) override;
    bool KillTimer(HWindow wnd, std::uintptr_t id) override;
    std::uint32_t RegisterMessage(const char* name) override;
    void AllowFromLowerIntegrity(HWindow wnd, std::uint32_t msg) override { allowedFromBelow.insert({wnd, msg}); }
    // The messages windows let through from lower integrity.
    std::set<std::pair<HWindow, std::uint32_t>> allowedFromBelow;
    // How often this desktop's programs registered a message name.
    int Registrations(const std::string& name) const {
        auto it = registrations_.find(name);
        return it == registrations_.end() ? 0 : it->second;
    }
    bool RegisterHotKey(HWindow wnd, int id, std::uint32_t modifiers, std::uint32_t key) override;
    bool UnregisterHotKey(HWindow wnd, int id) override;

    // The message loop runs for `ms` of virtual time. Handlers that Sleep
    // move the clock on; a timer that fell due meanwhile fires once, as
    // soon as the loop gets to it, not once for every period missed.
    void RunFor(std::uint64_t ms);
    // A message to every top-level window, hidden ones and dialogs.
    void Broadcast(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // Live hidden windows with this title.
    std::vector<const FakeWindow*> HiddenWindowsTitled(const std::string& title) const;
    const FakeTimer* Timer(HWindow wnd, std::uintptr_t id) const;
    const std::vector<FakeTimer>& Timers() const { return timers_; }

    // Hidden windows with these titles cannot be made.
    std::set<std::string> refuseTitles;
    bool failTimers = false;
    // Hot keys other programs hold: (modifiers without NOREPEAT, key).
    std::set<std::pair<std::uint32_t, std::uint32_t>> takenHotKeys;
    bool refuseNoRepeat = false;  // a system that predates MOD_NOREPEAT
    struct HotKey {
        HWindow wnd;
        int id;
        std::uint32_t modifiers, key;
    };
    std::vector<HotKey> hotKeys;
    int timerTicks = 0;

private:
    std::map<std::string, int> registrations_;
    FakeWindow* FindHidden(HWindow wnd);
    void Destroy(FakeWindow& w);
    void RemoveTimersOf(HWindow wnd);

    FakeClock& clock_;
    EventLog& log_;
    FakeDialogs& ui_;
    FakeWindows& windows_;
    std::vector<FakeTimer> timers_;
};

}  // namespace lv::fake
