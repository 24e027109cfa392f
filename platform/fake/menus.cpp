#include "platform/fake/menus.h"

#include <algorithm>
#include <cstring>

#include "platform/constants.h"

namespace lv::fake {

namespace {

std::vector<FakeMenuItem> ProgramMenu(int toggleCommand, const char* toggleText) {
    return {{40003, "Start", true}, {40005, "Stop", true},  {0, "", true},
            {40008, "Setting", true}, {0, "", true},         {toggleCommand, toggleText, true},
            {0, "", true},            {40007, "Help", true}, {0, "", true},
            {40001, "About...", true}, {0, "", true},        {40002, "Exit", true}};
}

}  // namespace

FakeMenus::FakeMenus(FakeClock& clock, EventLog& log, FakeDialogs& ui, FakeWindows& windows)
    : clock_(clock), log_(log), ui_(ui), windows_(windows) {
    menuResources[6000] = ProgramMenu(40006, "Show Bar");
    menuResources[7000] = ProgramMenu(40009, "Hide Bar");
}

HWindow FakeMenus::CreateToolBar(HWindow parent, int controlId, const ToolBarLook& look, const int* commands,
                                 int count) {
    if (!windows_.IsWindow(parent)) return HWindow::None;
    const HWindow tb = windows_.AddWindow("ToolbarWindow32", Rect{}, parent);
    windows_.Find(tb)->controlId = controlId;
    windows_.Find(tb)->foreign = false;
    toolBars.push_back(FakeToolBar{tb, look.bitmapId, look.image, look.button,
                                   std::vector<int>(commands, commands + count), Rect{}});
    log_.Add(clock_.Now(), "toolbar " + std::to_string(look.bitmapId));
    return tb;
}

FakeToolBar* FakeMenus::FindToolBar(HWindow tb) {
    for (FakeToolBar& t : toolBars) {
        if (t.handle == tb) return &t;
    }
    return nullptr;
}

// A tool bar keeps its place in `placed`; another child (the bar's logo)
// moves on the screen with it.
void FakeMenus::PlaceChild(HWindow child, const Rect& clientRect) {
    if (FakeToolBar* t = FindToolBar(child)) {
        t->placed = clientRect;
        return;
    }
    FakeWindow* w = windows_.Find(child);
    if (w == nullptr) return;
    const Point origin = windows_.ClientToScreen(w->parent, Point{0, 0});
    w->rect = Rect{origin.x + clientRect.left, origin.y + clientRect.top, origin.x + clientRect.right,
                   origin.y + clientRect.bottom};
}

// One row of its buttons, without borders.
std::int32_t FakeMenus::GetToolBarHeight(HWindow tb) {
    const FakeToolBar* t = FindToolBar(tb);
    return t != nullptr ? t->button.y : 22;
}

HMenu FakeMenus::LoadMenu(int id) {
    auto res = menuResources.find(id);
    if (res == menuResources.end()) return HMenu::None;
    const std::uintptr_t bar = nextMenu_++;
    const std::uintptr_t popup = nextMenu_++;
    menus_[bar] = FakeMenu{id, false, {}, -1, false, 0};
    menus_[popup] = FakeMenu{id, true, res->second, -1, false, bar};
    return HMenu(bar);
}

FakeMenu* FakeMenus::FindMenu(HMenu menu) {
    auto it = menus_.find(std::uintptr_t(menu));
    return it == menus_.end() || it->second.destroyed ? nullptr : &it->second;
}

HMenu FakeMenus::GetSubMenu(HMenu menu, int position) {
    const FakeMenu* m = FindMenu(menu);
    if (m == nullptr || m->isPopup || position != 0) return HMenu::None;
    for (const auto& [handle, child] : menus_) {
        if (child.parent == std::uintptr_t(menu)) return HMenu(handle);
    }
    return HMenu::None;
}

void FakeMenus::SetMenuDefaultItem(HMenu menu, int position) {
    if (FakeMenu* m = FindMenu(menu)) m->defaultPosition = position;
}

void FakeMenus::EnableMenuItem(HMenu menu, int commandId, bool enabled) {
    FakeMenu* m = FindMenu(menu);
    if (m == nullptr) return;
    for (FakeMenuItem& item : m->items) {
        if (item.command == commandId) item.enabled = enabled;
    }
}

void FakeMenus::TrackPopupMenu(HMenu menu, std::uint32_t flags, std::int32_t x, std::int32_t y, HWindow owner) {
    const FakeMenu* m = FindMenu(menu);
    if (m == nullptr) return;
    trackedMenus.push_back(TrackedMenu{m->resourceId, m->items, m->defaultPosition, Point{x, y}, flags, owner,
                                       windows_.foreground == owner});
    log_.Add(clock_.Now(), "menu " + std::to_string(m->resourceId));
    const int choice = nextMenuChoice;
    nextMenuChoice = 0;
    if (choice == 0) return;
    // A greyed item cannot be chosen; the menu closes without a command.
    for (const FakeMenuItem& item : m->items) {
        if (item.command == choice && item.enabled) ui_.PostMessage(owner, kWmCommand, std::uintptr_t(choice), 0);
    }
}

int FakeMenus::LiveMenus() const {
    int n = 0;
    for (const auto& [handle, m] : menus_) {
        if (m.parent == 0 && !m.destroyed) ++n;
    }
    return n;
}

void FakeMenus::DestroyMenu(HMenu menu) {
    FakeMenu* m = FindMenu(menu);
    if (m == nullptr) return;
    m->destroyed = true;
    for (auto& [handle, child] : menus_) {
        if (child.parent == std::uintptr_t(menu)) child.destroyed = true;
    }
    log_.Add(clock_.Now(), "menu destroy");
}

}  // namespace lv::fake
