// Single controls with USER32, GDI32 and the common controls: subclassing
// through SetWindowSubclass (the handler rides as the subclass's data),
// fonts copied through their LOGFONT, tooltips and trackbars by their
// messages, and cursors of another module.
#include "platform/win32/controls.h"

#include "platform/win32/utf8.h"

#include <commctrl.h>

#include "platform/constants.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/win32_platform.h"

namespace lv::win32 {

static_assert(kSsCenter == SS_CENTER && kSsRight == SS_RIGHT && kSsNotify == SS_NOTIFY &&
                  kSsCenterImage == SS_CENTERIMAGE && kStnClicked == STN_CLICKED,
              "static control styles");
static_assert(kWmMouseMove == WM_MOUSEMOVE && kWmCtlColorStatic == WM_CTLCOLORSTATIC &&
                  kWmCaptureChanged == WM_CAPTURECHANGED &&
                  kColorHighlight == COLOR_HIGHLIGHT,
              "messages and colours");

namespace {

constexpr UINT_PTR kSubclassId = 0x4C56;  // 'LV'

HFONT ToHfont(HFont font) { return reinterpret_cast<HFONT>(font); }
HFont FromHfont(HGDIOBJ font) { return HFont(reinterpret_cast<std::uintptr_t>(font)); }
HDC ToHdc(HDc dc) { return reinterpret_cast<HDC>(dc); }

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* handler = reinterpret_cast<IControlHandler*>(data);
    std::intptr_t result = 0;
    if (handler != nullptr && handler->OnControlMessage(Message{FromHwnd(hwnd), msg, wParam, lParam}, result)) {
        return LRESULT(result);
    }
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

// The tool record in the layout every comctl32 version reads.
TTTOOLINFOA ToolInfo(HWindow owner, std::uintptr_t id, const char* text) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = ToHwnd(owner);
    info.uId = id;
    info.lpszText = const_cast<char*>(text);
    return info;
}

}  // namespace

bool Win32Controls::SubclassControl(HWindow control, IControlHandler* handler) {
    return ::SetWindowSubclass(ToHwnd(control), SubclassProc, kSubclassId, DWORD_PTR(handler)) != FALSE;
}

void Win32Controls::RemoveSubclass(HWindow control) {
    ::RemoveWindowSubclass(ToHwnd(control), SubclassProc, kSubclassId);
}

std::intptr_t Win32Controls::DefaultControlProc(const Message& m) {
    return ::DefSubclassProc(ToHwnd(m.hwnd), m.msg, m.wParam, m.lParam);
}

std::uint32_t Win32Controls::GetStyle(HWindow wnd) {
    return std::uint32_t(::GetWindowLongA(ToHwnd(wnd), GWL_STYLE));
}

void Win32Controls::SetStyle(HWindow wnd, std::uint32_t style) {
    ::SetWindowLongA(ToHwnd(wnd), GWL_STYLE, LONG(style));
}

void Win32Controls::SetWindowText(HWindow wnd, const char* text) { ::SetWindowTextA(ToHwnd(wnd), text); }

void Win32Controls::SetWindowPosNoZOrder(HWindow wnd, const Rect& rect) {
    ::SetWindowPos(ToHwnd(wnd), nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER);
}

void Win32Controls::RedrawWindow(HWindow wnd, std::uint32_t flags) {
    ::RedrawWindow(ToHwnd(wnd), nullptr, nullptr, flags);
}

void Win32Controls::InvalidateWindow(HWindow wnd, bool erase) {
    ::InvalidateRect(ToHwnd(wnd), nullptr, erase ? TRUE : FALSE);
}

void Win32Controls::SetCapture(HWindow wnd) { ::SetCapture(ToHwnd(wnd)); }

void Win32Controls::ReleaseCapture() { ::ReleaseCapture(); }

HFont Win32Controls::GetFont(HWindow wnd) {
    return FromHfont(reinterpret_cast<HGDIOBJ>(::SendMessageA(ToHwnd(wnd), WM_GETFONT, 0, 0)));
}

HFont Win32Controls::CreateFontLike(HFont base, bool underline) {
    HGDIOBJ from = IsNone(base) ? ::GetStockObject(SYSTEM_FONT) : ToHfont(base);
    LOGFONTA description{};
    if (::GetObjectA(from, sizeof description, &description) == 0) return HFont::None;
    description.lfUnderline = underline ? TRUE : FALSE;
    return FromHfont(::CreateFontIndirectA(&description));
}

void Win32Controls::SetFont(HWindow wnd, HFont font, bool redraw) {
    ::SendMessageA(ToHwnd(wnd), WM_SETFONT, WPARAM(ToHfont(font)), redraw ? TRUE : FALSE);
}

void Win32Controls::DeleteFont(HFont font) { ::DeleteObject(ToHfont(font)); }

Point Win32Controls::MeasureText(HWindow wnd, HFont font, const char* text) {
    HDC dc = ::GetDC(ToHwnd(wnd));
    if (dc == nullptr) return Point{};
    HGDIOBJ old = IsNone(font) ? nullptr : ::SelectObject(dc, ToHfont(font));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, int(::lstrlenA(text)), &size);
    if (old != nullptr) ::SelectObject(dc, old);
    ::ReleaseDC(ToHwnd(wnd), dc);
    return Point{size.cx, size.cy};
}

void Win32Controls::SetTextColour(HDc dc, Colour colour) { ::SetTextColor(ToHdc(dc), COLORREF(colour)); }

void Win32Controls::SetTransparentBackground(HDc dc) { ::SetBkMode(ToHdc(dc), TRANSPARENT); }

std::intptr_t Win32Controls::HollowBrush() { return std::intptr_t(::GetStockObject(NULL_BRUSH)); }

std::intptr_t Win32Controls::SysColourBrush(int index) { return std::intptr_t(::GetSysColorBrush(index)); }

Colour Win32Controls::GetSysColour(int index) { return Colour(::GetSysColor(index)); }

// A pop-up whose owner is the control's top-level window: it goes with the
// dialog, and TTS_ALWAYSTIP is not asked for.
HWindow Win32Controls::CreateTooltip(HWindow parent) {
    HWND tip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, ToHwnd(parent), nullptr, Instance(), nullptr);
    return FromHwnd(tip);
}

bool Win32Controls::AddTool(HWindow tip, HWindow owner, std::uintptr_t id, const char* text, const Rect& area) {
    TTTOOLINFOA info = ToolInfo(owner, id, text);
    info.rect = RECT{area.left, area.top, area.right, area.bottom};
    return ::SendMessageA(ToHwnd(tip), TTM_ADDTOOLA, 0, LPARAM(&info)) != FALSE;
}

void Win32Controls::UpdateToolText(HWindow tip, HWindow owner, std::uintptr_t id, const char* text) {
    TTTOOLINFOA info = ToolInfo(owner, id, text);
    ::SendMessageA(ToHwnd(tip), TTM_UPDATETIPTEXTA, 0, LPARAM(&info));
}

// The tooltip reads the message's window, number and mouse position.
void Win32Controls::RelayEvent(HWindow tip, const Message& m) {
    MSG msg{};
    msg.hwnd = ToHwnd(m.hwnd);
    msg.message = m.msg;
    msg.wParam = m.wParam;
    msg.lParam = m.lParam;
    msg.time = DWORD(::GetMessageTime());
    const DWORD at = ::GetMessagePos();
    msg.pt = POINT{short(LOWORD(at)), short(HIWORD(at))};
    ::SendMessageA(ToHwnd(tip), TTM_RELAYEVENT, 0, LPARAM(&msg));
}

void Win32Controls::DestroyTooltip(HWindow tip) {
    if (::IsWindow(ToHwnd(tip))) ::DestroyWindow(ToHwnd(tip));
}

void Win32Controls::SetSlider(HWindow slider, std::int32_t minimum, std::int32_t maximum, std::int32_t position) {
    ::SendMessageA(ToHwnd(slider), TBM_SETRANGE, FALSE, MAKELPARAM(minimum, maximum));
    ::SendMessageA(ToHwnd(slider), TBM_SETPOS, TRUE, LPARAM(position));
}

HModule Win32Controls::LoadModule(const char* path) {
    return HModule(
        reinterpret_cast<std::uintptr_t>(::LoadLibraryExW(Widen(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)));
}

HCursor Win32Controls::LoadModuleCursor(HModule module, int resourceId) {
    return HCursor(reinterpret_cast<std::uintptr_t>(
        ::LoadCursorA(reinterpret_cast<HMODULE>(module), MAKEINTRESOURCEA(resourceId))));
}

void Win32Controls::ReleaseModule(HModule module) { ::FreeLibrary(reinterpret_cast<HMODULE>(module)); }

}  // namespace lv::win32
