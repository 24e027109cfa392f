#pragma once

#include <windows.h>

#include "platform/window_ops.h"

namespace lv::win32 {

class Win32WindowOps : public IWindowOps {
public:
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
};

}  // namespace lv::win32
