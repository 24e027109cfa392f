// The outline window: its inside is the layered window's colour key, so only
// the frame is drawn and every click falls through to the window below.
#include "monitor/win32/outline.h"

namespace lv::monitor::win32 {

namespace {
constexpr char kClassName[] = "LvMonOutline";
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kFrame = RGB(255, 160, 0);
constexpr int kThickness = 3;
}  // namespace

bool Outline::Create(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    hwnd_ = ::CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                              kClassName, "lvmon outline", WS_POPUP, 0, 1, 1, 1, nullptr, nullptr, instance, nullptr);
    if (hwnd_ == nullptr) return false;
    ::SetLayeredWindowAttributes(hwnd_, kTransparent, 0, LWA_COLORKEY);
    return true;
}

void Outline::Show(const RECT& region) {
    if (hwnd_ == nullptr) return;
    RECT r = region;
    // Row 0 belongs to the monitor's line: the outline starts below it.
    if (r.top < 1) r.top = 1;
    if (r.right <= r.left || r.bottom <= r.top) {
        Hide();
        return;
    }
    if (visible_ && ::EqualRect(&r, &shown_)) return;
    shown_ = r;
    visible_ = true;
    ::SetWindowPos(hwnd_, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Outline::Hide() {
    if (hwnd_ != nullptr && visible_) ::ShowWindow(hwnd_, SW_HIDE);
    visible_ = false;
}

void Outline::Destroy() {
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

LRESULT CALLBACK Outline::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            RECT all;
            ::GetClientRect(hwnd, &all);
            HBRUSH inside = ::CreateSolidBrush(kTransparent);
            HBRUSH frame = ::CreateSolidBrush(kFrame);
            ::FillRect(dc, &all, frame);
            RECT hole = all;
            ::InflateRect(&hole, -kThickness, -kThickness);
            if (hole.right > hole.left && hole.bottom > hole.top) ::FillRect(dc, &hole, inside);
            ::DeleteObject(inside);
            ::DeleteObject(frame);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace lv::monitor::win32
