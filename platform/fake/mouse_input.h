// The simulated physical mouse, the pointer, and the DirectInput that reads
// the buttons. The test holds and lets go of buttons and moves the pointer,
// at once or by a script on the virtual clock, can take DirectInput or its
// mouse away, and can have another program take the mouse exclusively (the
// device then loses its acquisition).
#pragma once

#include <map>
#include <vector>

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
    bool WatchPhysicalButtons() override;
    bool IsPhysicalLeftDown() override;
    bool IsPhysicalRightDown() override;
    Point GetCursorPos() override;
    void SetCursor(HCursor cursor) override;
    void InjectButtonUp(bool left) override;

    // The user's hand: from `atMs` of the virtual clock on, the pointer is at
    // `pos` and the buttons are as given. Steps are taken in order as the
    // clock reaches them, whenever the program looks.
    struct Step {
        std::uint64_t atMs;
        Point pos;
        bool left;
        bool right;
    };
    void Script(const std::vector<Step>& steps);

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
    bool noPhysicalWatch = false;  // no low-level hook can be set
    // Whether DirectInput's mouse counts injected input as the user's: an
    // injected release then reads "not held" until the button is really let
    // go and pressed again. So it does under Wine, and most likely on
    // Windows, where both read one input stream.
    bool directInputSeesInjected = true;

    Point cursorPos;
    HCursor currentCursor = HCursor::None;
    int cursorSets = 0;
    int cursorReads = 0;
    struct Injected {
        std::uint64_t timeMs;
        bool left;
    };
    std::vector<Injected> injected;

    int liveInterfaces = 0;
    int liveDevices = 0;
    int deviceReads = 0;
    int asyncReads = 0;
    int acquires = 0;
    bool watching = false;

private:
    struct Device {
        bool formatSet = false;
        bool acquired = false;
    };
    void Follow();

    FakeClock& clock_;
    EventLog& log_;
    std::vector<Step> script_;
    std::size_t nextStep_ = 0;
    bool injectedLeftUp_ = false;
    bool injectedRightUp_ = false;
    std::map<std::uintptr_t, bool> interfaces_;
    std::map<std::uintptr_t, Device> devices_;
    std::uintptr_t nextHandle_ = 0x200;
};

}  // namespace lv::fake
