// Menus and tool bars: the program's pop-up menus from its resources and
// the bar's flat tool bars.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

// A tool bar's pictures and buttons: a bitmap resource holding one picture
// a button, in order, each `image` wide and high, on buttons of `button`.
struct ToolBarLook {
    int bitmapId = 0;
    Point image{17, 15};
    Point button{24, 22};
};

class IMenus {
public:
    virtual ~IMenus() = default;

    // A flat tool bar, child of `parent` with the given control id, its
    // buttons the given command ids over the pictures of the look. None when
    // it cannot be made. Ended with IDialogs::DestroyWindow.
    virtual HWindow CreateToolBar(HWindow parent, int controlId, const ToolBarLook& look, const int* commands,
                                  int count) = 0;
    // Moves a child window to a rectangle of its parent's client area.
    virtual void PlaceChild(HWindow child, const Rect& clientRect) = 0;
    // The height the tool bar needs for one row of buttons.
    virtual std::int32_t GetToolBarHeight(HWindow toolBar) = 0;

    // Pop-up menus from the program's resources.
    virtual HMenu LoadMenu(int id) = 0;
    virtual HMenu GetSubMenu(HMenu menu, int position) = 0;
    virtual void SetMenuDefaultItem(HMenu menu, int position) = 0;
    virtual void EnableMenuItem(HMenu menu, int commandId, bool enabled) = 0;
    // Shows the menu at (x, y); the chosen command reaches `owner` as
    // WM_COMMAND once the menu has closed.
    virtual void TrackPopupMenu(HMenu menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                                HWindow owner) = 0;
    virtual void DestroyMenu(HMenu menu) = 0;
};

}  // namespace lv
