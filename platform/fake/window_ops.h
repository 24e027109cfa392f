// The bar's side of the simulated desktop: hot keys other programs may hold,
// tool bars, menus with a scripted choice, the zoom animation, the help viewer
// and message boxes. Everything the program does here is recorded.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/fake/ui.h"
#include "platform/window_ops.h"

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
    std::vector<int> commands;
    Rect placed;  // in the bar's client area
};

class FakeWindowOps : public IWindowOps {
public:
    FakeWindowOps(FakeClock& clock, EventLog& log, FakeUi& ui, FakeWindows& windows);

    void SetWindowIcons(HWindow wnd, HIcon icon) override;
    std::intptr_t DefaultWindowProc(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                    std::intptr_t lParam) override;
    bool RegisterHotKey(HWindow wnd, int id, std::uint32_t modifiers, std::uint32_t key) override;
    bool UnregisterHotKey(HWindow wnd, int id) override;
    HWindow CreateToolBar(HWindow parent, int controlId, int bitmapId, const int* commands, int count) override;
    void PlaceChild(HWindow child, const Rect& clientRect) override;
    std::int32_t GetToolBarHeight(HWindow toolBar) override;
    HMenu LoadMenu(int id) override;
    HMenu GetSubMenu(HMenu menu, int position) override;
    void SetMenuDefaultItem(HMenu menu, int position) override;
    void EnableMenuItem(HMenu menu, int commandId, bool enabled) override;
    void TrackPopupMenu(HMenu menu, std::uint32_t flags, std::int32_t x, std::int32_t y, HWindow owner) override;
    void DestroyMenu(HMenu menu) override;
    void DrawAnimatedRects(HWindow wnd, int animation, const Rect& from, const Rect& to) override;
    void PaintIconic(HWindow wnd, HIcon icon, std::int32_t x, std::int32_t y) override;
    int GetModuleFileName(char* path, int size) override;
    HWindow HtmlHelp(HWindow caller, const char* path, std::uint32_t command, std::uintptr_t data) override;
    int MessageBox(HWindow owner, const char* text, const char* caption, std::uint32_t flags) override;

    // The world.
    std::string modulePath = "C:\\Program Files\\Lumivane\\lumivane.exe";
    std::set<std::string> helpFiles;  // files the viewer can open
    std::set<std::pair<std::uint32_t, std::uint32_t>> takenHotKeys;  // (modifiers without NOREPEAT, key)
    bool refuseNoRepeat = false;  // a system that predates MOD_NOREPEAT
    std::map<int, std::vector<FakeMenuItem>> menuResources;
    // The user's pick from the next tracked menu: a command id, or 0 to
    // dismiss it.
    int nextMenuChoice = 0;

    // What the program did.
    struct HotKey {
        HWindow wnd;
        int id;
        std::uint32_t modifiers, key;
    };
    std::vector<HotKey> hotKeys;
    std::vector<TrackedMenu> trackedMenus;
    std::vector<FakeToolBar> toolBars;
    FakeToolBar* FindToolBar(HWindow tb);
    struct Animation {
        int animation;
        Rect from, to;
    };
    std::vector<Animation> animations;
    struct HelpCall {
        std::string path;
        std::uint32_t command;
    };
    std::vector<HelpCall> helpCalls;
    struct Box {
        std::string text, caption;
        std::uint32_t flags;
    };
    std::vector<Box> messageBoxes;
    std::map<std::uintptr_t, HIcon> windowIcons;
    int iconicPaints = 0;
    int defaultProcCalls = 0;

private:
    FakeMenu* FindMenu(HMenu menu);

    FakeClock& clock_;
    EventLog& log_;
    FakeUi& ui_;
    FakeWindows& windows_;
    std::map<std::uintptr_t, FakeMenu> menus_;
    std::uintptr_t nextMenu_ = 0x7000;
};

}  // namespace lv::fake
