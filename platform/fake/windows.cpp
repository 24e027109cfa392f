#include "platform/fake/windows.h"

#include <algorithm>
#include <cstring>

#include "platform/constants.h"
#include "platform/fake/text.h"

namespace lv::fake {

namespace {
constexpr std::uintptr_t kFirstWindow = 0x1000;
// Where Windows parks a minimised top-level window, and its size there.
constexpr std::int32_t kIconicAt = -32000;
constexpr std::int32_t kIconicWidth = 160;
constexpr std::int32_t kIconicHeight = 28;
}  // namespace

FakeWindows::FakeWindows(FakeClock& clock, EventLog& log, std::int32_t width, std::int32_t height)
    : screenWidth(width), screenHeight(height), clock_(clock), log_(log) {}

// ---------------------------------------------------------------------------
// The table

FakeWindow& FakeWindows::Add(FakeWindow w) {
    w.handle = HWindow(kFirstWindow + windows_.size());
    w.z = ++nextZ_;
    windows_.push_back(w);
    return windows_.back();
}

HWindow FakeWindows::AddWindow(const std::string& className, const Rect& rect, HWindow parent, Frame frame) {
    FakeWindow w;
    w.parent = parent;
    w.className = className;
    w.rect = rect;
    w.frame = frame;
    w.visible = true;
    w.foreign = true;
    return Add(w).handle;
}

HWindow FakeWindows::AddOwnedWindow(const std::string& className, const Rect& rect, HWindow owner, Frame frame) {
    const HWindow w = AddWindow(className, rect, HWindow::None, frame);
    Find(w)->owner = owner;
    return w;
}

FakeWindow* FakeWindows::Find(HWindow wnd) {
    const std::uintptr_t h = std::uintptr_t(wnd);
    if (h < kFirstWindow || h - kFirstWindow >= windows_.size()) return nullptr;
    // (Handles index the table directly; windows are never removed.)
    return &windows_[h - kFirstWindow];
}

std::vector<HWindow> FakeWindows::Descendants(HWindow parent) const {
    std::vector<HWindow> out;
    for (const FakeWindow& w : windows_) {
        if (w.parent != parent || w.destroyed) continue;
        out.push_back(w.handle);
        for (HWindow d : Descendants(w.handle)) out.push_back(d);
    }
    return out;
}

std::vector<const FakeWindow*> FakeWindows::WindowsFrom(int templateId) const {
    std::vector<const FakeWindow*> out;
    for (const FakeWindow& w : windows_) {
        if (w.templateId == templateId && IsNone(w.parent)) out.push_back(&w);
    }
    return out;
}

std::vector<HWindow> FakeWindows::TopLevelWindows() const {
    std::vector<HWindow> out;
    for (const FakeWindow& w : windows_) {
        if (!w.destroyed && IsNone(w.parent)) out.push_back(w.handle);
    }
    return out;
}

HWindow FakeWindows::TopLevelOf(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    while (w != nullptr && !IsNone(w->parent)) {
        wnd = w->parent;
        w = Find(wnd);
    }
    return wnd;
}

// ---------------------------------------------------------------------------
// The tree

bool FakeWindows::IsWindow(HWindow wnd) {
    const FakeWindow* w = Find(wnd);
    return w != nullptr && !w->destroyed;
}

HWindow FakeWindows::GetParent(HWindow wnd) {
    ++lookups;
    const FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed) return HWindow::None;
    return IsNone(w->parent) ? w->owner : w->parent;
}

HWindow FakeWindows::GetAncestorParent(HWindow wnd) {
    ++lookups;
    const FakeWindow* w = Find(wnd);
    return w == nullptr || w->destroyed ? HWindow::None : w->parent;
}

int FakeWindows::GetControlId(HWindow wnd) {
    ++lookups;
    const FakeWindow* w = Find(wnd);
    return w == nullptr || w->destroyed || IsNone(w->parent) ? 0 : w->controlId;
}

bool FakeWindows::IsOwnWindow(HWindow wnd) {
    const FakeWindow* w = Find(wnd);
    return w != nullptr && !w->destroyed && !w->foreign;
}

void FakeWindows::GetClassName(HWindow wnd, char* name, int size) {
    ++lookups;
    const FakeWindow* w = Find(wnd);
    const std::size_t written = CopyBounded(w != nullptr && !w->destroyed ? w->className : std::string(), name, size);
    log_.AddWrite("GetClassName", std::size_t(size < 0 ? 0 : size), written);
}

HWindow FakeWindows::FindWindow(const char* className) { return FindWindowEx(HWindow::None, className); }

HWindow FakeWindows::FindWindowEx(HWindow parent, const char* className) {
    ++lookups;
    for (const FakeWindow& w : windows_) {
        if (!w.destroyed && w.parent == parent && w.className == className) return w.handle;
    }
    return HWindow::None;
}

void FakeWindows::EnumChildWindows(HWindow parent, const std::function<bool(HWindow)>& visit) {
    for (HWindow w : Descendants(parent)) {
        if (!visit(w)) return;
    }
}

bool FakeWindows::Contains(const FakeWindow& w, Point pt) const {
    return pt.x >= w.rect.left && pt.x < w.rect.right && pt.y >= w.rect.top && pt.y < w.rect.bottom;
}

HWindow FakeWindows::WindowFromPoint(Point pt) {
    ++lookups;
    // The topmost window under the point among each level's visible
    // windows, then the same among its children, down to the deepest.
    HWindow found = HWindow::None;
    HWindow level = HWindow::None;
    for (;;) {
        const FakeWindow* best = nullptr;
        for (const FakeWindow& w : windows_) {
            if (w.parent != level || w.destroyed || !w.visible || w.minimised || !Contains(w, pt)) continue;
            if (IsNone(level) && IsNone(w.parent) && best != nullptr && best->topmost != w.topmost) {
                if (w.topmost) best = &w;
                continue;
            }
            if (best == nullptr || w.z > best->z) best = &w;
        }
        if (best == nullptr) return found;
        found = best->handle;
        level = best->handle;
    }
}

// ---------------------------------------------------------------------------
// Geometry

Rect FakeWindows::ClientOnScreen(const FakeWindow& w) const {
    if (w.minimised) return Rect{w.rect.left, w.rect.top, w.rect.left, w.rect.top};
    Rect c{w.rect.left + w.frame.left, w.rect.top + w.frame.top, w.rect.right - w.frame.right,
           w.rect.bottom - w.frame.bottom};
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    return c;
}

Rect FakeWindows::GetWindowRect(HWindow wnd) {
    ++lookups;
    const FakeWindow* w = Find(wnd);
    return w == nullptr || w->destroyed ? Rect{} : w->rect;
}

Rect FakeWindows::GetClientRect(HWindow wnd) {
    ++lookups;
    const FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed) return Rect{};
    const Rect c = ClientOnScreen(*w);
    return Rect{0, 0, c.Width(), c.Height()};
}

// A window that is gone leaves the point as it was, as the calls fail.
Point FakeWindows::ScreenToClient(HWindow wnd, Point pt) {
    const FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed) return pt;
    const Rect c = ClientOnScreen(*w);
    return Point{pt.x - c.left, pt.y - c.top};
}

Point FakeWindows::ClientToScreen(HWindow wnd, Point pt) {
    const FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed) return pt;
    const Rect c = ClientOnScreen(*w);
    return Point{pt.x + c.left, pt.y + c.top};
}

void FakeWindows::Shift(HWindow wnd, std::int32_t dx, std::int32_t dy) {
    for (HWindow d : Descendants(wnd)) {
        FakeWindow* c = Find(d);
        c->rect = Rect{c->rect.left + dx, c->rect.top + dy, c->rect.right + dx, c->rect.bottom + dy};
    }
}

void FakeWindows::MoveWindow(HWindow wnd, const Rect& rect, bool /*repaint*/) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    const std::int32_t dx = rect.left - w->rect.left;
    const std::int32_t dy = rect.top - w->rect.top;
    w->rect = rect;
    Shift(wnd, dx, dy);
}

void FakeWindows::SetWindowSize(HWindow wnd, std::int32_t width, std::int32_t height) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    w->rect.right = w->rect.left + width;
    w->rect.bottom = w->rect.top + height;
}

void FakeWindows::CentreWindow(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    const std::int32_t left = (screenWidth - w->rect.Width()) / 2;
    const std::int32_t top = (screenHeight - w->rect.Height()) / 2;
    MoveWindow(wnd, Rect{left, top, left + w->rect.Width(), top + w->rect.Height()}, false);
}

void FakeWindows::PlaceTopmost(HWindow wnd, const Rect& rect, bool activate) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    // Its controls move with it.
    Shift(wnd, rect.left - w->rect.left, rect.top - w->rect.top);
    w->rect = rect;
    w->topmost = true;
    if (activate) foreground = wnd;
    log_.Add(clock_.Now(), std::string(activate ? "place " : "place quietly ") + std::to_string(rect.left) + " " +
                               std::to_string(rect.top) + " " + std::to_string(rect.Width()) + " " +
                               std::to_string(rect.Height()));
}

// Without SWP_NOACTIVATE the window is activated too.
void FakeWindows::SetWindowPosTopmost(HWindow wnd, std::int32_t x, std::int32_t y, std::int32_t width,
                                      std::int32_t height) {
    PlaceTopmost(wnd, Rect{x, y, x + width, y + height}, true);
}

void FakeWindows::MoveTopmostWithoutActivating(HWindow wnd, std::int32_t x, std::int32_t y, std::int32_t width,
                                               std::int32_t height) {
    PlaceTopmost(wnd, Rect{x, y, x + width, y + height}, false);
}

int FakeWindows::GetSystemMetrics(int index) {
    if (index == kSmCxScreen) return screenWidth;
    if (index == kSmCyScreen) return screenHeight;
    if (index == kSmCxIcon || index == kSmCyIcon) return 32;
    return 0;
}

// ---------------------------------------------------------------------------
// Show state, z-order, foreground

void FakeWindows::ShowWindow(HWindow wnd, bool show) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    w->visible = show;
    log_.Add(clock_.Now(), std::string(show ? "show window " : "hide window ") +
                               std::to_string(std::uintptr_t(wnd)));
}

bool FakeWindows::IsWindowVisible(HWindow wnd) {
    const FakeWindow* w = Find(wnd);
    return w != nullptr && w->visible && !w->destroyed;
}

bool FakeWindows::IsIconic(HWindow wnd) {
    const FakeWindow* w = Find(wnd);
    return w != nullptr && !w->destroyed && w->minimised;
}

bool FakeWindows::IsZoomed(HWindow wnd) {
    const FakeWindow* w = Find(wnd);
    return w != nullptr && !w->destroyed && w->maximised && !w->minimised;
}

std::uint32_t FakeWindows::GetShowCmd(HWindow wnd) {
    const FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed) return 0;
    if (w->placementShowCmd != 0) return w->placementShowCmd;
    if (w->minimised) return kSwShowMinimized;
    return w->maximised ? kSwShowMaximized : kSwShowNormal;
}

HWindow FakeWindows::GetTopWindow(HWindow parent) {
    const FakeWindow* best = nullptr;
    for (const FakeWindow& w : windows_) {
        if (w.destroyed || w.parent != parent) continue;
        if (best == nullptr || w.z > best->z) best = &w;
    }
    return best == nullptr ? HWindow::None : best->handle;
}

bool FakeWindows::SetForegroundWindow(HWindow wnd) {
    foreground = wnd;
    log_.Add(clock_.Now(), "foreground");
    return true;
}

// ---------------------------------------------------------------------------
// What happens to windows between ticks

void FakeWindows::Move(HWindow wnd, std::int32_t left, std::int32_t top) {
    const Rect r = GetWindowRect(wnd);
    MoveWindow(wnd, Rect{left, top, left + r.Width(), top + r.Height()}, true);
}

void FakeWindows::Resize(HWindow wnd, std::int32_t width, std::int32_t height) { SetWindowSize(wnd, width, height); }

void FakeWindows::Maximise(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed) return;
    if (w->minimised) Restore(wnd);
    if (!w->maximised) w->restoreRect = w->rect;
    Rect area{0, 0, screenWidth, screenHeight};
    if (FakeWindow* p = Find(w->parent)) area = ClientOnScreen(*p);
    MoveWindow(wnd, Rect{area.left, area.top, area.left + w->rect.Width(), area.top + w->rect.Height()}, true);
    w->rect = area;
    w->maximised = true;
}

void FakeWindows::Minimise(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed || w->minimised) return;
    w->restoreRect = w->rect;
    Rect parked{kIconicAt, kIconicAt, kIconicAt + kIconicWidth, kIconicAt + kIconicHeight};
    if (FakeWindow* p = Find(w->parent)) {
        // A minimised child (an MDI document) sits at the bottom of its parent.
        const Rect area = ClientOnScreen(*p);
        parked = Rect{area.left, area.bottom - kIconicHeight, area.left + kIconicWidth, area.bottom};
    }
    MoveWindow(wnd, Rect{parked.left, parked.top, parked.left + w->rect.Width(), parked.top + w->rect.Height()},
               true);
    w->rect = parked;
    w->minimised = true;
    // A minimised top-level window gives up the foreground.
    if (IsNone(w->parent) && foreground == wnd) foreground = HWindow::None;
}

void FakeWindows::Restore(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed || (!w->minimised && !w->maximised)) return;
    const Rect back = w->restoreRect;
    w->minimised = false;
    w->maximised = false;
    MoveWindow(wnd, Rect{back.left, back.top, back.left + w->rect.Width(), back.top + w->rect.Height()}, true);
    w->rect = back;
}

void FakeWindows::Activate(HWindow wnd) {
    for (HWindow h = wnd; FakeWindow* w = Find(h); h = w->parent) w->z = ++nextZ_;
    foreground = TopLevelOf(wnd);
}

void FakeWindows::Close(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    for (HWindow d : Descendants(wnd)) Find(d)->destroyed = true;
    w->destroyed = true;
    w->visible = false;
    if (foreground == wnd) foreground = HWindow::None;
}

}  // namespace lv::fake
