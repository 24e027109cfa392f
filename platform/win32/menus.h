#pragma once

#include <windows.h>

#include "platform/menus.h"

namespace lv::win32 {

class Win32Menus : public IMenus {
public:
    HWindow CreateToolBar(HWindow parent, int controlId, const ToolBarLook& look, const int* commands, int count) override;
    void PlaceChild(HWindow child, const Rect& clientRect) override;
    std::int32_t GetToolBarHeight(HWindow toolBar) override;
    HMenu LoadMenu(int id) override;
    HMenu GetSubMenu(HMenu menu, int position) override;
    void SetMenuDefaultItem(HMenu menu, int position) override;
    void EnableMenuItem(HMenu menu, int commandId, bool enabled) override;
    void TrackPopupMenu(HMenu menu, std::uint32_t flags, std::int32_t x, std::int32_t y, HWindow owner) override;
    void DestroyMenu(HMenu menu) override;
};

}  // namespace lv::win32
