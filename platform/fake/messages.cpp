#include "platform/fake/messages.h"

#include <algorithm>

#include "platform/constants.h"

namespace lv::fake {

namespace {
// SetTimer makes shorter periods this long (USER_TIMER_MINIMUM).
constexpr std::uint32_t kTimerMinimum = 10;
// The session's atom table outlives one test's desktop, as the window
// station's does one program run: a name keeps its number.
std::map<std::string, std::uint32_t>& AtomTable() {
    static std::map<std::string, std::uint32_t> table;
    return table;
}
}  // namespace

HWindow FakeMessages::CreateHiddenWindow(const char* title, IWindowHandler* handler) {
    if (handler == nullptr || refuseTitles.count(title)) return HWindow::None;
    FakeWindow hidden;
    hidden.text = title;
    hidden.windowHandler = handler;
    const HWindow wnd = windows_.Add(hidden).handle;
    if (handler->OnCreate(wnd) == -1) {
        // Refused in WM_CREATE: the window never existed, and its timers go.
        FindHidden(wnd)->destroyed = true;
        RemoveTimersOf(wnd);
        return HWindow::None;
    }
    log_.Add(clock_.Now(), std::string("hidden create ") + title);
    return wnd;
}

FakeWindow* FakeMessages::FindHidden(HWindow wnd) {
    FakeWindow* w = windows_.Find(wnd);
    return w != nullptr && w->windowHandler != nullptr ? w : nullptr;
}

std::intptr_t FakeMessages::SendWindowMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    FakeWindow* w = FindHidden(wnd);
    if (w == nullptr) return ui_.Send(wnd, msg, wParam, lParam);
    if (w->destroyed) return 0;
    std::intptr_t result = 0;
    if (w->windowHandler->OnMessage(Message{wnd, msg, wParam, lParam}, result)) return result;
    // The frame window's default: closing destroys it.
    if (msg == kWmClose) Destroy(*w);
    return 0;
}

void FakeMessages::Destroy(FakeWindow& w) {
    IWindowHandler* handler = w.windowHandler;
    const HWindow wnd = w.handle;
    std::intptr_t ignored = 0;
    handler->OnMessage(Message{wnd, kWmDestroy, 0, 0}, ignored);
    FakeWindow* gone = windows_.Find(wnd);
    gone->destroyed = true;
    RemoveTimersOf(wnd);
    log_.Add(clock_.Now(), "hidden destroy " + gone->text);
    handler->OnDestroyed();
}

void FakeMessages::RemoveTimersOf(HWindow wnd) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [wnd](const FakeTimer& t) { return t.wnd == wnd; }),
                  timers_.end());
}

std::uintptr_t FakeMessages::SetTimer(HWindow wnd, std::uintptr_t id, std::uint32_t periodMs) {
    if (failTimers || !windows_.IsWindow(wnd)) return 0;
    const std::uint32_t period = std::max(periodMs, kTimerMinimum);
    log_.Add(clock_.Now(), "timer set " + std::to_string(id) + " " + std::to_string(period));
    for (FakeTimer& t : timers_) {
        if (t.wnd == wnd && t.id == id) {
            t.periodMs = period;
            t.dueMs = clock_.Now() + period;
            return id;
        }
    }
    timers_.push_back(FakeTimer{wnd, id, period, clock_.Now() + period});
    return id;
}

bool FakeMessages::KillTimer(HWindow wnd, std::uintptr_t id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->wnd == wnd && it->id == id) {
            timers_.erase(it);
            log_.Add(clock_.Now(), "timer kill " + std::to_string(id));
            return true;
        }
    }
    return false;
}

std::uint32_t FakeMessages::RegisterMessage(const char* name) {
    ++registrations_[name];
    auto& table = AtomTable();
    auto it = table.find(name);
    if (it != table.end()) return it->second;
    const std::uint32_t number = 0xC000 + std::uint32_t(table.size());
    table[name] = number;
    return number;
}

const FakeTimer* FakeMessages::Timer(HWindow wnd, std::uintptr_t id) const {
    for (const FakeTimer& t : timers_) {
        if (t.wnd == wnd && t.id == id) return &t;
    }
    return nullptr;
}

void FakeMessages::RunFor(std::uint64_t ms) {
    const std::uint64_t end = clock_.Now() + ms;
    for (;;) {
        ui_.Pump();  // posted messages (a menu's command) come first
        // The next timer to fire; ties go to the older timer.
        std::size_t next = timers_.size();
        for (std::size_t i = 0; i < timers_.size(); ++i) {
            if (next == timers_.size() || timers_[i].dueMs < timers_[next].dueMs) next = i;
        }
        if (next == timers_.size()) break;
        FakeTimer& timer = timers_[next];
        const std::uint64_t at = std::max(timer.dueMs, clock_.Now());
        if (at > end) break;
        if (at > clock_.Now()) clock_.Advance(at - clock_.Now());
        // Rescheduled when the message is made, before the handler runs.
        timer.dueMs = at + timer.periodMs;
        const HWindow wnd = timer.wnd;
        const std::uintptr_t id = timer.id;
        ++timerTicks;
        SendWindowMessage(wnd, kWmTimer, id, 0);
    }
    if (clock_.Now() < end) clock_.Advance(end - clock_.Now());
    ui_.Pump();
}

void FakeMessages::Broadcast(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    log_.Add(clock_.Now(), "broadcast " + std::to_string(msg));
    // Hidden windows first, then dialogs, each in creation order.
    std::vector<HWindow> targets;
    for (HWindow wnd : windows_.TopLevelWindows()) {
        if (FindHidden(wnd) != nullptr) targets.push_back(wnd);
    }
    for (HWindow wnd : windows_.TopLevelWindows()) {
        const FakeWindow* w = windows_.Find(wnd);
        if (w->windowHandler == nullptr) targets.push_back(wnd);
    }
    for (HWindow wnd : targets) SendWindowMessage(wnd, msg, wParam, lParam);
}

std::vector<const FakeWindow*> FakeMessages::HiddenWindowsTitled(const std::string& title) const {
    std::vector<const FakeWindow*> out;
    for (HWindow wnd : windows_.TopLevelWindows()) {
        const FakeWindow* w = windows_.Find(wnd);
        if (w->windowHandler != nullptr && w->text == title) out.push_back(w);
    }
    return out;
}

bool FakeMessages::RegisterHotKey(HWindow wnd, int id, std::uint32_t modifiers, std::uint32_t key) {
    const std::uint32_t base = modifiers & ~kModNoRepeat;
    bool refused = (refuseNoRepeat && (modifiers & kModNoRepeat)) || takenHotKeys.count({base, key}) != 0;
    for (const HotKey& h : hotKeys) refused = refused || (h.modifiers == base && h.key == key);
    log_.Add(clock_.Now(), "hotkey " + std::to_string(modifiers) + " " + std::to_string(key) +
                               (refused ? " refused" : " registered"));
    if (refused) return false;
    hotKeys.push_back(HotKey{wnd, id, base, key});
    return true;
}

bool FakeMessages::UnregisterHotKey(HWindow wnd, int id) {
    auto it = std::find_if(hotKeys.begin(), hotKeys.end(), [&](const HotKey& h) { return h.wnd == wnd && h.id == id; });
    if (it == hotKeys.end()) return false;
    hotKeys.erase(it);
    return true;
}

}  // namespace lv::fake
