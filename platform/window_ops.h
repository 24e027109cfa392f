// What the floating bar does with its own window and with the shell: its
// icons and painting while minimised, the hot key, tool bars, pop-up menus,
// the zoom animation, the help viewer and a message box. The windows
// themselves (places, show states, the taskbar's) are platform/windows.h;
// the pointer is platform/mouse_input.h.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

class IWindowOps {
public:
    virtual ~IWindowOps() = default;

    // The window's large and small icons (WM_SETICON).
    virtual void SetWindowIcons(HWindow wnd, HIcon icon) = 0;
    // Answers a message the way the system's default window procedure would.
    virtual std::intptr_t DefaultWindowProc(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                            std::intptr_t lParam) = 0;

    // A global hot key: WM_HOTKEY with the id reaches the window.
    virtual bool RegisterHotKey(HWindow wnd, int id, std::uint32_t modifiers, std::uint32_t key) = 0;
    virtual bool UnregisterHotKey(HWindow wnd, int id) = 0;

    // A flat tool bar, child of `parent` with the given control id, its
    // buttons the given command ids over the images of bitmap `bitmapId`
    // (17 x 15 each, one per button, in order). None when it cannot be made.
    virtual HWindow CreateToolBar(HWindow parent, int controlId, int bitmapId, const int* commands,
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

    virtual void DrawAnimatedRects(HWindow wnd, int animation, const Rect& from, const Rect& to) = 0;

    // WM_PAINT for a minimised window: the background erased through
    // WM_ICONERASEBKGND, then the icon drawn at (x, y) of the client area.
    virtual void PaintIconic(HWindow wnd, HIcon icon, std::int32_t x, std::int32_t y) = 0;

    // The program's own file path, up to `size` - 1 characters, always
    // terminated; answers the length, or 0 on failure.
    virtual int GetModuleFileName(char* path, int size) = 0;
    // HtmlHelpA; answers the viewer's window, None when it did not open.
    virtual HWindow HtmlHelp(HWindow caller, const char* path, std::uint32_t command, std::uintptr_t data) = 0;
    virtual int MessageBox(HWindow owner, const char* text, const char* caption, std::uint32_t flags) = 0;
};

}  // namespace lv
