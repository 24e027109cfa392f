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
    ::GdiFlush();
    ::DeleteDC(ToHdc(dc));
    // Wine keeps a screen DC's drawing in the desktop's surface until the
    // thread waits for messages or the next screen DC is made; the link
    // sleeps instead, so without this a frame would show only when the next
    // one is painted or the row erased. Making a DC pushes it to the screen
    // now; on Windows it costs a fraction of a millisecond.
    HDC next = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (next != nullptr) ::DeleteDC(next);
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
