// The outline's four strips: plain popups painted in one colour, which let
// every click fall through to the window below.
#include "monitor/win32/outline.h"

namespace lv::monitor::win32 {

namespace {
constexpr char kClassName[] = "LvMonOutline";
constexpr COLORREF kFrame = RGB(255, 160, 0);

// The strips of a region: top and bottom span the whole width, left and
// right the rows between them.
void StripRects(const RECT& r, RECT out[4]) {
    const int t = Outline::kThickness;
    out[0] = RECT{r.left, r.top, r.right, r.top + t};
    out[1] = RECT{r.left, r.bottom - t, r.right, r.bottom};
    out[2] = RECT{r.left, r.top, r.left + t, r.bottom};
    out[3] = RECT{r.right - t, r.top, r.right, r.bottom};
}
}  // namespace

bool Outline::Create(HINSTANCE instance, HWND owner) {
    WNDCLASSA wc{};
    if (!::GetClassInfoA(instance, kClassName, &wc)) {
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hbrBackground = ::CreateSolidBrush(kFrame);  // the class keeps it for the run
        wc.lpszClassName = kClassName;
        if (::RegisterClassA(&wc) == 0) return false;
    }
    for (HWND& strip : strips_) {
        // Layered and transparent: clicks go to whatever lies under the
        // strip, in this program or another. Opaque, so no colour key.
        strip = ::CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW |
                                      WS_EX_NOACTIVATE,
                                  kClassName, "lvmon outline", WS_POPUP, 0, 1, 1, 1, owner, nullptr, instance,
                                  nullptr);
        if (strip == nullptr) return false;
        ::SetLayeredWindowAttributes(strip, 0, 255, LWA_ALPHA);
    }
    return true;
}

void Outline::Show(const RECT& region) {
    if (region.right <= region.left || region.bottom <= region.top) {
        Hide();
        return;
    }
    if (visible_ && ::EqualRect(&region, &shown_)) return;
    shown_ = region;
    visible_ = true;
    RECT rects[4];
    StripRects(region, rects);
    for (int i = 0; i < 4; ++i) {
        if (strips_[i] == nullptr) continue;
        const RECT& s = rects[i];
        ::SetWindowPos(strips_[i], HWND_TOPMOST, s.left, s.top, s.right - s.left, s.bottom - s.top,
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void Outline::Hide() {
    if (visible_) {
        for (HWND strip : strips_) {
            if (strip != nullptr) ::ShowWindow(strip, SW_HIDE);
        }
    }
    visible_ = false;
}

void Outline::Destroy() {
    for (HWND& strip : strips_) {
        if (strip != nullptr) ::DestroyWindow(strip);
        strip = nullptr;
    }
    visible_ = false;
}

LRESULT CALLBACK Outline::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace lv::monitor::win32
