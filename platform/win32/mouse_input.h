#pragma once

#include <windows.h>

#include "platform/mouse_input.h"

namespace lv::win32 {

class Win32MouseInput : public IMouseInput {
public:
    HDirectInput CreateDirectInput() override;
    HInputDevice CreateSystemMouse(HDirectInput input) override;
    bool SetMouseDataFormat(HInputDevice device) override;
    bool Acquire(HInputDevice device) override;
    void Unacquire(HInputDevice device) override;
    bool GetDeviceState(HInputDevice device, std::uint32_t size, void* state) override;
    void ReleaseDevice(HInputDevice device) override;
    void ReleaseDirectInput(HDirectInput input) override;
    bool WatchPhysicalButtons() override;
    bool IsPhysicalLeftDown() override;
    bool IsPhysicalRightDown() override;
    Point GetCursorPos() override;
    void SetCursor(HCursor cursor) override;
    void InjectButtonUp(bool left) override;
};

}  // namespace lv::win32
