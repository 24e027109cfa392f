// Menus and tool bars of the simulated desktop: the program's menu
// resources, menus tracked with a scripted choice, the bar's tool bars.
// Everything the program does here is recorded.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/fake/dialogs.h"
#include "platform/menus.h"

namespace lv::fake {

struct FakeMenuItem {
    int command = 0;  // 0: separator
    std::string text;
    bool enabled = true;
};

struct FakeMenu {
    int resourceId = 0;
    bool isPopup = false;
    std::vector<FakeMenuItem> items;
    int defaultPosition = -1;
    bool destroyed = false;
    std::uintptr_t parent = 0;
};

// One TrackPopupMenu call, as the user saw the menu.
struct TrackedMenu {
    int resourceId = 0;
    std::vector<FakeMenuItem> items;
    int defaultPosition = -1;
    Point at;
    std::uint32_t flags = 0;
    HWindow owner = HWindow::None;
    bool ownerWasForeground = false;
};

struct FakeToolBar {
    HWindow handle = HWindow::None;
    int bitmapId = 0;
    Point image;
    Point button;
    std::vector<int> commands;
    Rect placed;  // in the bar's client area
};

class FakeMenus : public IMenus {
public:
    FakeMenus(FakeClock& clock, EventLog& log, FakeDialogs& ui, FakeWindows& windows);

    HWindow CreateToolBar(HWindow parent, int controlId, const ToolBarLook& look, const int* commands,
                          int count) override;
    void PlaceChild(HWindow child, const Rect& clientRect) override;
    std::int32_t GetToolBarHeight(HWindow toolBar) override;
    HMenu LoadMenu(int id) override;
    HMenu GetSubMenu(HMenu menu, int position) override;
    void SetMenuDefaultItem(HMenu menu, int position) override;
    void EnableMenuItem(HMenu menu, int commandId, bool enabled) override;
    void TrackPopupMenu(HMenu menu, std::uint32_t flags, std::int32_t x, std::int32_t y, HWindow owner) override;
    void DestroyMenu(HMenu menu) override;

    // The world.
    std::map<int, std::vector<FakeMenuItem>> menuResources;
    // The user's pick from the next tracked menu: a command id, or 0 to
    // dismiss it.
    int nextMenuChoice = 0;

    // What the program did.
    std::vector<TrackedMenu> trackedMenus;
    std::vector<FakeToolBar> toolBars;
    FakeToolBar* FindToolBar(HWindow tb);
    // Menus loaded and not yet destroyed (a menu bar and its pop-ups count
    // as one).
    int LiveMenus() const;
private:
    FakeMenu* FindMenu(HMenu menu);

    FakeClock& clock_;
    EventLog& log_;
    FakeDialogs& ui_;
    FakeWindows& windows_;
    std::map<std::uintptr_t, FakeMenu> menus_;
    std::uintptr_t nextMenu_ = 0x7000;
};

}  // namespace lv::fake
