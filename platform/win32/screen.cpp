// Screen painting on the display's device context with GDI.
#include "platform/win32/screen.h"

namespace lv::win32 {

namespace {
HDC ToHdc(HDc dc) { return reinterpret_cast<HDC>(dc); }
HPEN ToHpen(HPen pen) { return reinterpret_cast<HPEN>(pen); }
}  // namespace

HDc Win32Screen::OpenScreenDC() {
    // A DC on the display driver covers the whole screen, not one window.
    return HDc(reinterpret_cast<std::uintptr_t>(::CreateDCA("DISPLAY", nullptr, nullptr, nullptr)));
}

void Win32Screen::CloseScreenDC(HDc dc) {
    // The drawing reaches the screen (and, under Wine, the X server) once the
    // DC is gone.
    ::GdiFlush();
    ::DeleteDC(ToHdc(dc));
}

std::int32_t Win32Screen::GetHorzRes(HDc dc) { return ::GetDeviceCaps(ToHdc(dc), HORZRES); }

HPen Win32Screen::CreateSolidPen(Colour colour) {
    return HPen(reinterpret_cast<std::uintptr_t>(::CreatePen(PS_SOLID, 1, COLORREF(colour))));
}

HPen Win32Screen::SelectPen(HDc dc, HPen pen) {
    return HPen(reinterpret_cast<std::uintptr_t>(::SelectObject(ToHdc(dc), ToHpen(pen))));
}

void Win32Screen::DeletePen(HPen pen) { ::DeleteObject(ToHpen(pen)); }

void Win32Screen::MoveTo(HDc dc, std::int32_t x, std::int32_t y) { ::MoveToEx(ToHdc(dc), x, y, nullptr); }

void Win32Screen::LineTo(HDc dc, std::int32_t x, std::int32_t y) { ::LineTo(ToHdc(dc), x, y); }

void Win32Screen::RedrawScreenRect(const Rect& rect, std::uint32_t flags) {
    RECT rc{rect.left, rect.top, rect.right, rect.bottom};
    ::RedrawWindow(nullptr, &rc, nullptr, flags);
}

}  // namespace lv::win32
