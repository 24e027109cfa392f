// The simulated physical mouse and the DirectInput that reads it. The test
// holds and lets go of buttons, can take DirectInput or its mouse away, and
// can have another program take the mouse exclusively (the device then
// loses its acquisition).
#pragma once

#include <map>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/mouse_input.h"

namespace lv::fake {

class FakeMouseInput : public IMouseInput {
public:
    FakeMouseInput(FakeClock& clock, EventLog& log) : clock_(clock), log_(log) {}

    HDirectInput CreateDirectInput() override;
    HInputDevice CreateSystemMouse(HDirectInput input) override;
    bool SetMouseDataFormat(HInputDevice device) override;
    bool Acquire(HInputDevice device) override;
    void Unacquire(HInputDevice device) override;
    bool GetDeviceState(HInputDevice device, std::uint32_t size, void* state) override;
    void ReleaseDevice(HInputDevice device) override;
    void ReleaseDirectInput(HDirectInput input) override;
    bool IsPhysicalLeftDown() override;
    bool IsPhysicalRightDown() override;

    // Another program takes the mouse exclusively: every device of ours
    // loses its acquisition, and none can acquire it while that lasts.
    void TakeMouseExclusively();
    void GiveMouseBack() { exclusiveElsewhere = false; }

    // The physical buttons. A left-handed user's swap changes which logical
    // button each one is, not which one is held.
    bool leftHeld = false;
    bool rightHeld = false;
    bool swapped = false;

    // What the machine lacks.
    bool noDirectInput = false;
    bool noMouseDevice = false;
    bool refuseFormat = false;
    bool exclusiveElsewhere = false;

    int liveInterfaces = 0;
    int liveDevices = 0;
    int deviceReads = 0;
    int asyncReads = 0;

private:
    struct Device {
        bool formatSet = false;
        bool acquired = false;
    };
    FakeClock& clock_;
    EventLog& log_;
    std::map<std::uintptr_t, bool> interfaces_;
    std::map<std::uintptr_t, Device> devices_;
    std::uintptr_t nextHandle_ = 0x200;
};

}  // namespace lv::fake
