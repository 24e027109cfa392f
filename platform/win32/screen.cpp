// Screen painting on the display's device context with GDI, and the
// selection's rubber band on the desktop window's.
#include "platform/win32/screen.h"

#include <cstring>
#include <utility>

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

// ---------------------------------------------------------------------------
// Monitors

namespace {

// GetDpiForMonitor is in shcore.dll from Windows 8.1 on; before it every
// monitor has the system's DPI.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

std::uint32_t MonitorDpi(HMONITOR monitor) {
    static const GetDpiForMonitorFn getDpi = [] {
        HMODULE shcore = ::LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return shcore != nullptr
                   ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")))
                   : nullptr;
    }();
    UINT x = 0;
    UINT y = 0;
    if (getDpi != nullptr && SUCCEEDED(getDpi(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x != 0) return x;
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? std::uint32_t(dpi) : 96;
}

struct MonitorList {
    MonitorInfo* out;
    int max;
    int count;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& list = *reinterpret_cast<MonitorList*>(data);
    if (list.count >= list.max) return FALSE;
    MONITORINFOEXA info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(monitor, &info)) return TRUE;
    MonitorInfo& m = list.out[list.count++];
    m.rect = Rect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    m.dpi = MonitorDpi(monitor);
    static_assert(sizeof m.device >= sizeof info.szDevice, "device name");
    std::memcpy(m.device, info.szDevice, sizeof info.szDevice);
    m.device[sizeof m.device - 1] = '\0';
    return TRUE;
}

}  // namespace

int Win32Screen::GetMonitors(MonitorInfo* monitors, int max) {
    if (max <= 0) return 0;
    MonitorList list{monitors, max, 0};
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, LPARAM(&list));
    // The primary one first.
    for (int i = 1; i < list.count; ++i) {
        if (monitors[i].primary) std::swap(monitors[0], monitors[i]);
    }
    return list.count;
}

HDc Win32Screen::OpenMonitorDC(const char* device) {
    return HDc(reinterpret_cast<std::uintptr_t>(::CreateDCA(device, nullptr, nullptr, nullptr)));
}

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

HDc Win32Screen::OpenBandDC(std::int32_t penWidth, Colour colour) {
    if (bandDc_ != nullptr) CloseBandDC(HDc(reinterpret_cast<std::uintptr_t>(bandDc_)));
    bandDc_ = ::GetDC(nullptr);
    if (bandDc_ == nullptr) return HDc::None;
    // An inside frame keeps the pen within the rectangle; the null brush
    // leaves the inside alone.
    bandPen_ = ::CreatePen(PS_INSIDEFRAME, penWidth, COLORREF(colour));
    oldPen_ = bandPen_ != nullptr ? ::SelectObject(bandDc_, bandPen_) : nullptr;
    oldBrush_ = ::SelectObject(bandDc_, ::GetStockObject(NULL_BRUSH));
    oldRop_ = ::SetROP2(bandDc_, R2_NOTXORPEN);
    return HDc(reinterpret_cast<std::uintptr_t>(bandDc_));
}

void Win32Screen::DrawBandRect(HDc dc, Point a, Point b) { ::Rectangle(ToHdc(dc), a.x, a.y, b.x, b.y); }

void Win32Screen::CloseBandDC(HDc dc) {
    if (bandDc_ == nullptr || ToHdc(dc) != bandDc_) return;
    if (oldRop_ != 0) ::SetROP2(bandDc_, oldRop_);
    if (oldBrush_ != nullptr) ::SelectObject(bandDc_, oldBrush_);
    if (oldPen_ != nullptr) ::SelectObject(bandDc_, oldPen_);
    if (bandPen_ != nullptr) ::DeleteObject(bandPen_);
    ::ReleaseDC(nullptr, bandDc_);
    bandDc_ = nullptr;
    bandPen_ = nullptr;
    oldPen_ = nullptr;
    oldBrush_ = nullptr;
    oldRop_ = 0;
}

}  // namespace lv::win32
