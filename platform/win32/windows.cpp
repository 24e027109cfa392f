// The desktop's windows with the Win32 API: the tree, geometry, show
// states, z-order and the foreground. Every call works on other programs'
// windows too; a window that has gone makes the call fail, which reads as
// an empty rectangle, an empty class name or no window.
#include "platform/win32/windows.h"

#include "platform/win32/dialogs.h"

namespace lv::win32 {

namespace {
Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
}  // namespace

// ---------------------------------------------------------------------------
// The tree

bool Win32Windows::IsWindow(HWindow wnd) { return ::IsWindow(ToHwnd(wnd)) != FALSE; }

HWindow Win32Windows::GetParent(HWindow wnd) { return FromHwnd(::GetParent(ToHwnd(wnd))); }

HWindow Win32Windows::GetAncestorParent(HWindow wnd) {
    // A top-level window's parent is the desktop window (a message-only
    // window's, the message window): neither is a window of the chain.
    HWND parent = ::GetAncestor(ToHwnd(wnd), GA_PARENT);
    if (parent == nullptr || parent == ::GetDesktopWindow() || ::GetAncestor(parent, GA_PARENT) == nullptr) {
        return HWindow::None;
    }
    return FromHwnd(parent);
}

int Win32Windows::GetControlId(HWindow wnd) { return ::GetDlgCtrlID(ToHwnd(wnd)); }

bool Win32Windows::IsOwnWindow(HWindow wnd) {
    DWORD process = 0;
    return ::GetWindowThreadProcessId(ToHwnd(wnd), &process) != 0 && process == ::GetCurrentProcessId();
}

void Win32Windows::GetClassName(HWindow wnd, char* name, int size) {
    if (size <= 0) return;
    name[0] = '\0';
    // Fails (and writes nothing) for no window or one that is gone.
    if (::GetClassNameA(ToHwnd(wnd), name, size) == 0) name[0] = '\0';
    name[size - 1] = '\0';
}

HWindow Win32Windows::FindWindow(const char* className) { return FromHwnd(::FindWindowA(className, nullptr)); }

HWindow Win32Windows::FindWindowEx(HWindow parent, const char* className) {
    return FromHwnd(::FindWindowExA(ToHwnd(parent), nullptr, className, nullptr));
}

namespace {
BOOL CALLBACK VisitChild(HWND child, LPARAM data) {
    const auto& visit = *reinterpret_cast<const std::function<bool(HWindow)>*>(data);
    return visit(FromHwnd(child)) ? TRUE : FALSE;
}
}  // namespace

void Win32Windows::EnumChildWindows(HWindow parent, const std::function<bool(HWindow)>& visit) {
    ::EnumChildWindows(ToHwnd(parent), VisitChild, LPARAM(&visit));
}

HWindow Win32Windows::WindowFromPoint(Point pt) { return FromHwnd(::WindowFromPoint(POINT{pt.x, pt.y})); }

// ---------------------------------------------------------------------------
// Geometry

Rect Win32Windows::GetWindowRect(HWindow wnd) {
    RECT rc{};
    if (!::GetWindowRect(ToHwnd(wnd), &rc)) return Rect{};
    return FromRECT(rc);
}

Rect Win32Windows::GetClientRect(HWindow wnd) {
    RECT rc{};
    if (!::GetClientRect(ToHwnd(wnd), &rc)) return Rect{};
    return FromRECT(rc);
}

Point Win32Windows::ScreenToClient(HWindow wnd, Point pt) {
    POINT p{pt.x, pt.y};
    ::ScreenToClient(ToHwnd(wnd), &p);
    return Point{p.x, p.y};
}

Point Win32Windows::ClientToScreen(HWindow wnd, Point pt) {
    POINT p{pt.x, pt.y};
    ::ClientToScreen(ToHwnd(wnd), &p);
    return Point{p.x, p.y};
}

void Win32Windows::MoveWindow(HWindow wnd, const Rect& rect, bool repaint) {
    ::MoveWindow(ToHwnd(wnd), rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

void Win32Windows::SetWindowSize(HWindow wnd, std::int32_t width, std::int32_t height) {
    ::SetWindowPos(ToHwnd(wnd), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Windows::CentreWindow(HWindow wnd) {
    RECT rc{};
    ::GetWindowRect(ToHwnd(wnd), &rc);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    ::SetWindowPos(ToHwnd(wnd), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Windows::SetWindowPosTopmost(HWindow wnd, std::int32_t x, std::int32_t y, std::int32_t width,
                                       std::int32_t height) {
    ::SetWindowPos(ToHwnd(wnd), HWND_TOPMOST, x, y, width, height, 0);
}

void Win32Windows::MoveTopmostWithoutActivating(HWindow wnd, std::int32_t x, std::int32_t y, std::int32_t width,
                                                std::int32_t height) {
    ::SetWindowPos(ToHwnd(wnd), HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE);
}

int Win32Windows::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

// ---------------------------------------------------------------------------
// Show state, z-order, foreground

void Win32Windows::ShowWindow(HWindow wnd, bool show) { ::ShowWindow(ToHwnd(wnd), show ? SW_SHOW : SW_HIDE); }

bool Win32Windows::IsWindowVisible(HWindow wnd) {
    return (::GetWindowLongPtrA(ToHwnd(wnd), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Win32Windows::IsIconic(HWindow wnd) { return ::IsIconic(ToHwnd(wnd)) != FALSE; }

bool Win32Windows::IsZoomed(HWindow wnd) { return ::IsZoomed(ToHwnd(wnd)) != FALSE; }

std::uint32_t Win32Windows::GetShowCmd(HWindow wnd) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;  // 44 bytes; the call refuses any other length
    if (!::GetWindowPlacement(ToHwnd(wnd), &placement)) return 0;
    return placement.showCmd;
}

HWindow Win32Windows::GetTopWindow(HWindow parent) { return FromHwnd(::GetTopWindow(ToHwnd(parent))); }

HWindow Win32Windows::GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

bool Win32Windows::SetForegroundWindow(HWindow wnd) { return ::SetForegroundWindow(ToHwnd(wnd)) != FALSE; }

}  // namespace lv::win32
