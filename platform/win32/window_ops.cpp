// The floating bar's window operations with the Win32 API: its hot key,
// tool bars, menus, icons, the zoom animation, the HTML Help viewer and
// message boxes.
#include "platform/win32/window_ops.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/ui.h"
#include "platform/win32/win32_platform.h"

namespace lv::win32 {

namespace {

HMENU ToHmenu(HMenu m) { return reinterpret_cast<HMENU>(m); }
HMenu FromHmenu(HMENU m) { return HMenu(reinterpret_cast<std::uintptr_t>(m)); }
RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// HtmlHelpA lives in hhctrl.ocx; it is looked up when first needed, so the
// program starts on a system without the viewer.
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
HtmlHelpFn LoadHtmlHelp() {
    static HtmlHelpFn fn = [] {
        HMODULE module = ::LoadLibraryA("hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpA")))
                      : nullptr;
    }();
    return fn;
}

}  // namespace

void Win32WindowOps::SetWindowIcons(HWindow wnd, HIcon icon) {
    ::SendMessageA(ToHwnd(wnd), WM_SETICON, ICON_BIG, LPARAM(icon));
    ::SendMessageA(ToHwnd(wnd), WM_SETICON, ICON_SMALL, LPARAM(icon));
}

std::intptr_t Win32WindowOps::DefaultWindowProc(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                                std::intptr_t lParam) {
    return ::DefWindowProcA(ToHwnd(wnd), msg, wParam, lParam);
}

bool Win32WindowOps::RegisterHotKey(HWindow wnd, int id, std::uint32_t modifiers, std::uint32_t key) {
    return ::RegisterHotKey(ToHwnd(wnd), id, modifiers, key) != FALSE;
}

bool Win32WindowOps::UnregisterHotKey(HWindow wnd, int id) { return ::UnregisterHotKey(ToHwnd(wnd), id) != FALSE; }

// A flat tool bar at the top of its parent, without borders or a divider,
// laid out by the bar itself. The images are a bitmap resource of 17 x 15
// cells; its light grey shows as the button face.
HWindow Win32WindowOps::CreateToolBar(HWindow parent, int controlId, int bitmapId, const int* commands, int count) {
    HWND tb = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NORESIZE |
                                    CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                0, 0, 0, 0, ToHwnd(parent), reinterpret_cast<HMENU>(INT_PTR(controlId)), Instance(),
                                nullptr);
    if (tb == nullptr) return HWindow::None;
    ::SendMessageA(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(tb, TB_SETBITMAPSIZE, 0, MAKELPARAM(17, 15));
    ::SendMessageA(tb, TB_SETBUTTONSIZE, 0, MAKELPARAM(24, 22));
    TBADDBITMAP images{Instance(), UINT_PTR(bitmapId)};
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

void Win32WindowOps::PlaceChild(HWindow child, const Rect& r) {
    ::SetWindowPos(ToHwnd(child), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t Win32WindowOps::GetToolBarHeight(HWindow toolBar) {
    RECT rc{};
    if (!::SendMessageA(ToHwnd(toolBar), TB_GETITEMRECT, 0, LPARAM(&rc))) return 22;
    return rc.bottom;
}

HMenu Win32WindowOps::LoadMenu(int id) { return FromHmenu(::LoadMenuA(Instance(), MAKEINTRESOURCEA(id))); }

HMenu Win32WindowOps::GetSubMenu(HMenu menu, int position) { return FromHmenu(::GetSubMenu(ToHmenu(menu), position)); }

void Win32WindowOps::SetMenuDefaultItem(HMenu menu, int position) {
    ::SetMenuDefaultItem(ToHmenu(menu), UINT(position), TRUE);
}

void Win32WindowOps::EnableMenuItem(HMenu menu, int commandId, bool enabled) {
    ::EnableMenuItem(ToHmenu(menu), UINT(commandId), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32WindowOps::TrackPopupMenu(HMenu menu, std::uint32_t flags, std::int32_t x, std::int32_t y, HWindow owner) {
    ::TrackPopupMenu(ToHmenu(menu), flags, x, y, 0, ToHwnd(owner), nullptr);
    // A menu opened from the tray closes properly only once its owner has
    // had a message after it.
    ::PostMessageA(ToHwnd(owner), WM_NULL, 0, 0);
}

void Win32WindowOps::DestroyMenu(HMenu menu) { ::DestroyMenu(ToHmenu(menu)); }

void Win32WindowOps::DrawAnimatedRects(HWindow wnd, int animation, const Rect& from, const Rect& to) {
    const RECT a = ToRECT(from);
    const RECT b = ToRECT(to);
    ::DrawAnimatedRects(ToHwnd(wnd), animation, &a, &b);
}

void Win32WindowOps::PaintIconic(HWindow wnd, HIcon icon, std::int32_t x, std::int32_t y) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(ToHwnd(wnd), &ps);
    ::SendMessageA(ToHwnd(wnd), WM_ICONERASEBKGND, WPARAM(dc), 0);
    ::DrawIcon(dc, x, y, reinterpret_cast<HICON>(icon));
    ::EndPaint(ToHwnd(wnd), &ps);
}

int Win32WindowOps::GetModuleFileName(char* path, int size) {
    if (size <= 0) return 0;
    const DWORD n = ::GetModuleFileNameA(nullptr, path, DWORD(size));
    path[size - 1] = '\0';  // Windows XP leaves a cut path unterminated
    return int(n);
}

HWindow Win32WindowOps::HtmlHelp(HWindow caller, const char* path, std::uint32_t command, std::uintptr_t data) {
    HtmlHelpFn fn = LoadHtmlHelp();
    return fn ? FromHwnd(fn(ToHwnd(caller), path, command, data)) : HWindow::None;
}

int Win32WindowOps::MessageBox(HWindow owner, const char* text, const char* caption, std::uint32_t flags) {
    return ::MessageBoxA(ToHwnd(owner), text, caption, flags);
}

}  // namespace lv::win32
