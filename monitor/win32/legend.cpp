// The legend window: a small captioned tool window in the bottom right
// corner, above the taskbar and away from row 0.
#include "monitor/win32/legend.h"

namespace lv::monitor::win32 {

namespace {
constexpr char kClassName[] = "LvMonLegend";
constexpr UINT kExitCommand = 1;
constexpr int kWidth = 330;
constexpr int kHeight = 90;  // with three lines
constexpr int kLineHeight = 18;
constexpr int kMargin = 30;  // above the taskbar

int HeightFor(std::size_t lines) { return kHeight + kLineHeight * (lines > 3 ? int(lines) - 3 : 0); }

// The window's top left corner for that height, in the primary screen's
// bottom right corner.
POINT CornerFor(int height) {
    return POINT{::GetSystemMetrics(SM_CXSCREEN) - kWidth - 10, ::GetSystemMetrics(SM_CYSCREEN) - height - kMargin};
}
}  // namespace

bool Legend::Create(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    const POINT at = CornerFor(kHeight);
    hwnd_ = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "lvmon - monitor emulator",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, at.x, at.y, kWidth, kHeight, nullptr,
                              nullptr, instance, this);
    return hwnd_ != nullptr;
}

void Legend::SetLines(const std::vector<std::string>& lines) {
    if (hwnd_ == nullptr || lines == lines_) return;
    const bool resize = HeightFor(lines.size()) != HeightFor(lines_.size());
    lines_ = lines;
    if (resize) Place();
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Legend::TakeDisplayChange() {
    const bool changed = displayChanged_;
    displayChanged_ = false;
    return changed;
}

void Legend::Place() {
    const int height = HeightFor(lines_.size());
    const POINT at = CornerFor(height);
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, kWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Legend::Destroy() {
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

LRESULT CALLBACK Legend::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* legend = static_cast<Legend*>(create->lpCreateParams);
        legend->hwnd_ = hwnd;  // before CreateWindowEx returns: its messages need it
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(legend));
    }
    auto* self = reinterpret_cast<Legend*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->Handle(msg, wParam, lParam);
}

LRESULT Legend::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) closed_ = true;
            return 0;
        case WM_CONTEXTMENU:
            ShowMenu(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kExitCommand) closed_ = true;
            return 0;
        case WM_CLOSE:
            closed_ = true;
            return 0;
        case WM_DISPLAYCHANGE:
            displayChanged_ = true;
            Place();  // the primary screen may have another size
            return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
        default:
            return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

void Legend::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        ::TextOutA(dc, 8, 4 + kLineHeight * int(i), lines_[i].c_str(), int(lines_[i].size()));
    }
    ::SelectObject(dc, old);
    ::EndPaint(hwnd_, &ps);
}

void Legend::ShowMenu(POINT at) {
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, kExitCommand, "Exit");
    ::SetForegroundWindow(hwnd_);
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    ::DestroyMenu(menu);
}

}  // namespace lv::monitor::win32
