// The legend window: a small captioned tool window in the bottom right
// corner, above the taskbar and away from row 0.
#include "monitor/win32/legend.h"

namespace lv::monitor::win32 {

namespace {
constexpr char kClassName[] = "LvMonLegend";
constexpr UINT kExitCommand = 1;
constexpr int kWidth = 330;
constexpr int kHeight = 90;
constexpr int kMargin = 30;  // above the taskbar
}  // namespace

bool Legend::Create(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    const int x = ::GetSystemMetrics(SM_CXSCREEN) - kWidth - 10;
    const int y = ::GetSystemMetrics(SM_CYSCREEN) - kHeight - kMargin;
    hwnd_ = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "lvmon - monitor emulator",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, x, y, kWidth, kHeight, nullptr, nullptr,
                              instance, this);
    return hwnd_ != nullptr;
}

void Legend::SetLines(const std::string& state, const std::string& last, const std::string& rate) {
    if (hwnd_ == nullptr || (lines_[0] == state && lines_[1] == last && lines_[2] == rate)) return;
    lines_[0] = state;
    lines_[1] = last;
    lines_[2] = rate;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
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
        default:
            return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

void Legend::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < 3; ++i) {
        ::TextOutA(dc, 8, 4 + 18 * i, lines_[i].c_str(), int(lines_[i].size()));
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
