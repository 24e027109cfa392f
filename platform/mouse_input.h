// The pointer and the physical mouse buttons, whichever window has the
// focus: DirectInput 8's system mouse read as an immediate snapshot, the
// window system's own view of the physical buttons for when DirectInput is
// not there, the pointer's place and shape, and injected button releases.
#pragma once

#include <cstdint>

#include "platform/types.h"

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

    // The physical left and right buttons as the window system saw them,
    // not the logical ones a swapped mouse maps them to, and not changed by
    // injected input (the selection's own injected release among it).
    // WatchPhysicalButtons starts watching them (a low-level mouse hook on
    // Windows) so that a button pressed later is seen going down; false when
    // they cannot be watched.
    virtual bool WatchPhysicalButtons() = 0;
    virtual bool IsPhysicalLeftDown() = 0;
    virtual bool IsPhysicalRightDown() = 0;

    // The pointer, in screen coordinates, and its shape over our window.
    virtual Point GetCursorPos() = 0;
    virtual void SetCursor(HCursor cursor) = 0;
    // mouse_event with MOUSEEVENTF_LEFTUP or MOUSEEVENTF_RIGHTUP, no
    // movement and no data: the window under the pointer sees the button
    // come up.
    virtual void InjectButtonUp(bool left) = 0;
};

}  // namespace lv
