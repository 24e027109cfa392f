// Hidden top-level windows with a handler of the logic behind them, and the
// plain USER32 calls on any window: messages, timers, registered messages.
// The window procedure only hands messages on; an unhandled WM_CLOSE is
// DefWindowProc's, which destroys the window.
#include "platform/win32/messages.h"

#include "platform/win32/dialogs.h"
#include "platform/win32/win32_platform.h"

namespace lv::win32 {

namespace {

constexpr char kHiddenClass[] = "LumivaneHiddenWindow";

// Kept as the window's user data from WM_NCCREATE to WM_NCDESTROY.
struct HiddenContext {
    IWindowHandler* handler = nullptr;
    bool created = false;  // CreateWindowExA has answered
};

LRESULT CALLBACK HiddenWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* context = reinterpret_cast<HiddenContext*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (context == nullptr || context->handler == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);

    if (msg == WM_CREATE) return context->handler->OnCreate(FromHwnd(hwnd)) == -1 ? -1 : 0;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        // The default procedure frees what the system keeps for the window
        // (its title among them); it runs whatever our side does.
        const LRESULT answer = ::DefWindowProcA(hwnd, msg, wParam, lParam);
        // A window refused during its creation is its maker's to clean up.
        if (!context->created) {
            context->handler = nullptr;
            return answer;
        }
        IWindowHandler* handler = context->handler;
        delete context;
        handler->OnDestroyed();
        return answer;
    }
    std::intptr_t result = 0;
    if (context->handler->OnMessage(Message{FromHwnd(hwnd), msg, wParam, lParam}, result)) {
        return LRESULT(result);
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterHiddenClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = HiddenWindowProc;
    wc.hInstance = Instance();
    wc.lpszClassName = kHiddenClass;
    registered = ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

}  // namespace

HWindow Win32Messages::CreateHiddenWindow(const char* title, IWindowHandler* handler) {
    if (handler == nullptr || !RegisterHiddenClass()) return HWindow::None;
    auto* context = new HiddenContext{handler, false};
    // Top-level, not a message-only window: only top-level windows hear
    // broadcasts such as "TaskbarCreated". Never shown.
    HWND hwnd = ::CreateWindowExA(0, kHiddenClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, Instance(), context);
    if (hwnd == nullptr) {
        delete context;
        return HWindow::None;
    }
    context->created = true;
    return FromHwnd(hwnd);
}

std::intptr_t Win32Messages::SendWindowMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    return std::intptr_t(::SendMessageA(ToHwnd(wnd), msg, WPARAM(wParam), LPARAM(lParam)));
}

std::uintptr_t Win32Messages::SetTimer(HWindow wnd, std::uintptr_t id, std::uint32_t periodMs) {
    return std::uintptr_t(::SetTimer(ToHwnd(wnd), UINT_PTR(id), periodMs, nullptr));
}

bool Win32Messages::KillTimer(HWindow wnd, std::uintptr_t id) {
    return ::KillTimer(ToHwnd(wnd), UINT_PTR(id)) != FALSE;
}

std::uint32_t Win32Messages::RegisterMessage(const char* name) {
    return ::RegisterWindowMessageA(name);
}

// Windows 7 filters a window's messages; Vista only the process's.
void Win32Messages::AllowFromLowerIntegrity(HWindow wnd, std::uint32_t msg) {
    using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user = ::GetModuleHandleA("user32.dll");
    if (user == nullptr) return;
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW, and MSGFLT_ADD for the process
    if (auto perWindow = reinterpret_cast<PerWindow>(
            reinterpret_cast<void*>(::GetProcAddress(user, "ChangeWindowMessageFilterEx")))) {
        perWindow(ToHwnd(wnd), msg, kAllow, nullptr);
    } else if (auto perProcess = reinterpret_cast<PerProcess>(
                   reinterpret_cast<void*>(::GetProcAddress(user, "ChangeWindowMessageFilter")))) {
        perProcess(msg, kAllow);
    }
}

bool Win32Messages::RegisterHotKey(HWindow wnd, int id, std::uint32_t modifiers, std::uint32_t key) {
    return ::RegisterHotKey(ToHwnd(wnd), id, modifiers, key) != FALSE;
}

bool Win32Messages::UnregisterHotKey(HWindow wnd, int id) { return ::UnregisterHotKey(ToHwnd(wnd), id) != FALSE; }

// A flat tool bar at the top of its parent, without borders or a divider,
// laid out by the bar itself. The images are a bitmap resource of 17 x 15
// cells; its light grey shows as the button face.
}  // namespace lv::win32
