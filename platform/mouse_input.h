// The physical mouse buttons, whichever window has the focus: DirectInput
// 8's system mouse read as an immediate snapshot, and the window system's
// own asynchronous button state for when DirectInput is not there.
#pragma once

#include <cstdint>

namespace lv {

// DirectInput objects; zero is "none".
enum class HDirectInput : std::uintptr_t { None = 0 };
enum class HInputDevice : std::uintptr_t { None = 0 };

// The immediate state of the standard mouse format with eight buttons
// (DIMOUSESTATE2): three axes, then one byte a button; the high bit is set
// while the button is held.
constexpr std::uint32_t kMouseStateSize = 20;
constexpr std::uint32_t kMouseLeftByte = 12;
constexpr std::uint32_t kMouseRightByte = 13;
constexpr std::uint8_t kButtonHeld = 0x80;

class IMouseInput {
public:
    virtual ~IMouseInput() = default;

    // DirectInput8Create for the program's module, version 0x0800, the
    // IDirectInput8A interface, no aggregation. None on failure.
    virtual HDirectInput CreateDirectInput() = 0;
    // CreateDevice for GUID_SysMouse, no aggregation. None on failure.
    virtual HInputDevice CreateSystemMouse(HDirectInput input) = 0;
    // SetDataFormat with c_dfDIMouse2.
    virtual bool SetMouseDataFormat(HInputDevice device) = 0;
    virtual bool Acquire(HInputDevice device) = 0;
    virtual void Unacquire(HInputDevice device) = 0;
    // GetDeviceState into `size` bytes; false (buffer untouched) when the
    // device is not acquired or the read fails.
    virtual bool GetDeviceState(HInputDevice device, std::uint32_t size, void* state) = 0;
    virtual void ReleaseDevice(HInputDevice device) = 0;
    virtual void ReleaseDirectInput(HDirectInput input) = 0;

    // GetAsyncKeyState of VK_LBUTTON / VK_RBUTTON: the physical left and
    // right buttons, not the logical ones a swapped mouse maps them to.
    virtual bool IsPhysicalLeftDown() = 0;
    virtual bool IsPhysicalRightDown() = 0;
};

}  // namespace lv
