// DirectInput 8's system mouse, read as an immediate snapshot, and
// GetAsyncKeyState for machines where DirectInput cannot be set up.
#include "platform/win32/mouse_input.h"

#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>

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

// GetAsyncKeyState reports the physical buttons whatever the user's swap
// setting, as DirectInput does; the high bit is set while one is held.
bool Win32MouseInput::IsPhysicalLeftDown() { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

bool Win32MouseInput::IsPhysicalRightDown() { return (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0; }

}  // namespace lv::win32
