// DirectInput 8's system mouse, read as an immediate snapshot; the physical
// buttons as a low-level mouse hook sees them, which tells the selection's
// own injected release from the user's (and stands in where DirectInput
// cannot be set up); the pointer; injected button releases.
#include "platform/win32/mouse_input.h"

#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>

#include <atomic>
#include <cstddef>

namespace lv::win32 {

static_assert(kMouseStateSize == sizeof(DIMOUSESTATE2), "mouse state size");
static_assert(kMouseLeftByte == offsetof(DIMOUSESTATE2, rgbButtons) &&
              kMouseRightByte == offsetof(DIMOUSESTATE2, rgbButtons) + 1, "button bytes");

namespace {
IDirectInput8A* ToInput(HDirectInput input) { return reinterpret_cast<IDirectInput8A*>(input); }
IDirectInputDevice8A* ToDevice(HInputDevice device) { return reinterpret_cast<IDirectInputDevice8A*>(device); }
}  // namespace

HDirectInput Win32MouseInput::CreateDirectInput() {
    void* input = nullptr;
    if (FAILED(::DirectInput8Create(::GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                    &input, nullptr))) {
        return HDirectInput::None;
    }
    return HDirectInput(reinterpret_cast<std::uintptr_t>(input));
}

HInputDevice Win32MouseInput::CreateSystemMouse(HDirectInput input) {
    IDirectInputDevice8A* device = nullptr;
    if (FAILED(ToInput(input)->CreateDevice(GUID_SysMouse, &device, nullptr))) return HInputDevice::None;
    return HInputDevice(reinterpret_cast<std::uintptr_t>(device));
}

bool Win32MouseInput::SetMouseDataFormat(HInputDevice device) {
    return SUCCEEDED(ToDevice(device)->SetDataFormat(&c_dfDIMouse2));
}

bool Win32MouseInput::Acquire(HInputDevice device) { return SUCCEEDED(ToDevice(device)->Acquire()); }

void Win32MouseInput::Unacquire(HInputDevice device) { ToDevice(device)->Unacquire(); }

bool Win32MouseInput::GetDeviceState(HInputDevice device, std::uint32_t size, void* state) {
    // Fails with DIERR_INPUTLOST or DIERR_NOTACQUIRED once another program
    // has taken the mouse exclusively.
    return SUCCEEDED(ToDevice(device)->GetDeviceState(size, state));
}

void Win32MouseInput::ReleaseDevice(HInputDevice device) { ToDevice(device)->Release(); }

void Win32MouseInput::ReleaseDirectInput(HDirectInput input) { ToInput(input)->Release(); }

// ---------------------------------------------------------------------------
// The physical buttons, told apart from injected input.
//
// DirectInput's system mouse and GetAsyncKeyState will not do: both can
// read the input stream that mouse_event injects into (DirectInput does
// under Wine), so the selection's own injected release would end every drag
// at its first tick. A low-level mouse hook sees each button event with a flag for
// injected ones and keeps the state of the others. It runs on a thread of
// its own: a hook's thread must answer every mouse event at once, and the
// program's thread blocks for hundreds of milliseconds while it sends.

namespace {

std::atomic<bool> g_leftDown{false};
std::atomic<bool> g_rightDown{false};
std::atomic<bool> g_hooked{false};

LRESULT CALLBACK LowLevelMouse(int code, WPARAM message, LPARAM data) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    if (code == HC_ACTION && (event->flags & LLMHF_INJECTED) == 0) {
        switch (message) {
            case WM_LBUTTONDOWN: g_leftDown = true; break;
            case WM_LBUTTONUP: g_leftDown = false; break;
            case WM_RBUTTONDOWN: g_rightDown = true; break;
            case WM_RBUTTONUP: g_rightDown = false; break;
            default: break;
        }
    }
    return ::CallNextHookEx(nullptr, code, message, data);
}

DWORD WINAPI HookThread(LPVOID ready) {
    HHOOK hook = ::SetWindowsHookExA(WH_MOUSE_LL, LowLevelMouse, ::GetModuleHandleA(nullptr), 0);
    g_hooked = hook != nullptr;
    ::SetEvent(static_cast<HANDLE>(ready));
    if (hook == nullptr) return 1;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    }
    ::UnhookWindowsHookEx(hook);
    return 0;
}

// Started once, by the button reader's set-up or the first read. A button
// already held then counts as held, as the system saw it, until the hook
// sees it come up. Answers whether the hook is in place.
bool StartButtonWatch() {
    static const bool started = [] {
        g_leftDown = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        g_rightDown = (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
        HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE thread = ::CreateThread(nullptr, 0, HookThread, ready, 0, nullptr);
        if (thread != nullptr) {
            ::WaitForSingleObject(ready, 1000);
            ::CloseHandle(thread);  // it lives as long as the process
        }
        if (ready != nullptr) ::CloseHandle(ready);
        return thread != nullptr;
    }();
    return started && g_hooked;
}

}  // namespace

bool Win32MouseInput::WatchPhysicalButtons() { return StartButtonWatch(); }

bool Win32MouseInput::IsPhysicalLeftDown() {
    StartButtonWatch();
    return g_leftDown;
}

bool Win32MouseInput::IsPhysicalRightDown() {
    StartButtonWatch();
    return g_rightDown;
}

// ---------------------------------------------------------------------------
// The pointer

Point Win32MouseInput::GetCursorPos() {
    POINT pt{};
    ::GetCursorPos(&pt);
    return Point{pt.x, pt.y};
}

void Win32MouseInput::SetCursor(HCursor cursor) { ::SetCursor(reinterpret_cast<HCURSOR>(cursor)); }

void Win32MouseInput::InjectButtonUp(bool left) {
    ::mouse_event(left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
}

}  // namespace lv::win32
