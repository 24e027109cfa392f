// Menus and tool bars with the Win32 API: pop-up menus from the program's
// resources, flat tool bars from a table of buttons.
#include "platform/win32/menus.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/dialogs.h"
#include "platform/win32/win32_platform.h"

namespace lv::win32 {

namespace {

HMENU ToHmenu(HMenu m) { return reinterpret_cast<HMENU>(m); }
HMenu FromHmenu(HMENU m) { return HMenu(reinterpret_cast<std::uintptr_t>(m)); }

}  // namespace

HWindow Win32Menus::CreateToolBar(HWindow parent, int controlId, const ToolBarLook& look, const int* commands,
                                  int count) {
    HWND tb = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NORESIZE |
                                    CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                0, 0, 0, 0, ToHwnd(parent), reinterpret_cast<HMENU>(INT_PTR(controlId)), Instance(),
                                nullptr);
    if (tb == nullptr) return HWindow::None;
    ::SendMessageA(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(tb, TB_SETBITMAPSIZE, 0, MAKELPARAM(look.image.x, look.image.y));
    ::SendMessageA(tb, TB_SETBUTTONSIZE, 0, MAKELPARAM(look.button.x, look.button.y));
    TBADDBITMAP images{Instance(), UINT_PTR(look.bitmapId)};
    const LRESULT first = ::SendMessageA(tb, TB_ADDBITMAP, WPARAM(count), LPARAM(&images));
    std::vector<TBBUTTON> buttons(std::size_t(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        buttons[std::size_t(i)] = TBBUTTON{};
        buttons[std::size_t(i)].iBitmap = int(first) + i;
        buttons[std::size_t(i)].idCommand = commands[i];
        buttons[std::size_t(i)].fsState = TBSTATE_ENABLED;
        buttons[std::size_t(i)].fsStyle = BTNS_BUTTON;
    }
    ::SendMessageA(tb, TB_ADDBUTTONSA, WPARAM(count), LPARAM(buttons.data()));
    return FromHwnd(tb);
}

void Win32Menus::PlaceChild(HWindow child, const Rect& r) {
    ::SetWindowPos(ToHwnd(child), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t Win32Menus::GetToolBarHeight(HWindow toolBar) {
    RECT rc{};
    if (!::SendMessageA(ToHwnd(toolBar), TB_GETITEMRECT, 0, LPARAM(&rc))) return 22;
    return rc.bottom;
}

HMenu Win32Menus::LoadMenu(int id) { return FromHmenu(::LoadMenuA(Instance(), MAKEINTRESOURCEA(id))); }

HMenu Win32Menus::GetSubMenu(HMenu menu, int position) { return FromHmenu(::GetSubMenu(ToHmenu(menu), position)); }

void Win32Menus::SetMenuDefaultItem(HMenu menu, int position) {
    ::SetMenuDefaultItem(ToHmenu(menu), UINT(position), TRUE);
}

void Win32Menus::EnableMenuItem(HMenu menu, int commandId, bool enabled) {
    ::EnableMenuItem(ToHmenu(menu), UINT(commandId), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32Menus::TrackPopupMenu(HMenu menu, std::uint32_t flags, std::int32_t x, std::int32_t y, HWindow owner) {
    ::TrackPopupMenu(ToHmenu(menu), flags, x, y, 0, ToHwnd(owner), nullptr);
    // A menu opened from the tray closes properly only once its owner has
    // had a message after it.
    ::PostMessageA(ToHwnd(owner), WM_NULL, 0, 0);
}

void Win32Menus::DestroyMenu(HMenu menu) { ::DestroyMenu(ToHmenu(menu)); }

}  // namespace lv::win32
