#include "platform/fake/mouse_input.h"

#include <cstring>

namespace lv::fake {

HDirectInput FakeMouseInput::CreateDirectInput() {
    log_.Add(clock_.Now(), "dinput create");
    if (noDirectInput) return HDirectInput::None;
    const std::uintptr_t h = nextHandle_++;
    interfaces_[h] = true;
    ++liveInterfaces;
    return HDirectInput(h);
}

HInputDevice FakeMouseInput::CreateSystemMouse(HDirectInput input) {
    if (noMouseDevice || !interfaces_.count(std::uintptr_t(input))) return HInputDevice::None;
    const std::uintptr_t h = nextHandle_++;
    devices_[h] = Device{};
    ++liveDevices;
    log_.Add(clock_.Now(), "dinput mouse");
    return HInputDevice(h);
}

bool FakeMouseInput::SetMouseDataFormat(HInputDevice device) {
    auto it = devices_.find(std::uintptr_t(device));
    if (it == devices_.end() || refuseFormat) return false;
    it->second.formatSet = true;
    return true;
}

bool FakeMouseInput::Acquire(HInputDevice device) {
    ++acquires;
    auto it = devices_.find(std::uintptr_t(device));
    if (it == devices_.end() || !it->second.formatSet || exclusiveElsewhere) return false;
    it->second.acquired = true;
    log_.Add(clock_.Now(), "dinput acquire");
    return true;
}

void FakeMouseInput::Unacquire(HInputDevice device) {
    auto it = devices_.find(std::uintptr_t(device));
    if (it != devices_.end()) it->second.acquired = false;
}

bool FakeMouseInput::GetDeviceState(HInputDevice device, std::uint32_t size, void* state) {
    ++deviceReads;
    auto it = devices_.find(std::uintptr_t(device));
    if (it == devices_.end() || !it->second.acquired || size != kMouseStateSize) return false;
    Follow();
    std::uint8_t bytes[kMouseStateSize] = {};
    // Relative axes: the pointer has not moved since the last read.
    const bool left = leftHeld && !(directInputSeesInjected && injectedLeftUp_);
    const bool right = rightHeld && !(directInputSeesInjected && injectedRightUp_);
    bytes[kMouseLeftByte] = left ? kButtonHeld : 0;
    bytes[kMouseRightByte] = right ? kButtonHeld : 0;
    std::memcpy(state, bytes, sizeof bytes);
    return true;
}

void FakeMouseInput::ReleaseDevice(HInputDevice device) {
    if (devices_.erase(std::uintptr_t(device))) {
        --liveDevices;
        log_.Add(clock_.Now(), "dinput release");
    }
}

void FakeMouseInput::ReleaseDirectInput(HDirectInput input) {
    if (interfaces_.erase(std::uintptr_t(input))) --liveInterfaces;
}

bool FakeMouseInput::WatchPhysicalButtons() {
    watching = !noPhysicalWatch;
    return watching;
}

bool FakeMouseInput::IsPhysicalLeftDown() {
    ++asyncReads;
    Follow();
    return leftHeld;
}

bool FakeMouseInput::IsPhysicalRightDown() {
    ++asyncReads;
    Follow();
    return rightHeld;
}

Point FakeMouseInput::GetCursorPos() {
    ++cursorReads;
    Follow();
    return cursorPos;
}

void FakeMouseInput::SetCursor(HCursor cursor) {
    currentCursor = cursor;
    ++cursorSets;
}

void FakeMouseInput::InjectButtonUp(bool left) {
    injected.push_back(Injected{clock_.Now(), left});
    (left ? injectedLeftUp_ : injectedRightUp_) = true;
    log_.Add(clock_.Now(), left ? "inject left up" : "inject right up");
}

void FakeMouseInput::Script(const std::vector<Step>& steps) {
    script_ = steps;
    nextStep_ = 0;
    Follow();
}

void FakeMouseInput::Follow() {
    while (nextStep_ < script_.size() && script_[nextStep_].atMs <= clock_.Now()) {
        const Step& s = script_[nextStep_++];
        cursorPos = s.pos;
        leftHeld = s.left;
        rightHeld = s.right;
    }
    // A button really let go forgets the injected release.
    if (!leftHeld) injectedLeftUp_ = false;
    if (!rightHeld) injectedRightUp_ = false;
}

void FakeMouseInput::TakeMouseExclusively() {
    exclusiveElsewhere = true;
    for (auto& [h, device] : devices_) device.acquired = false;
}

}  // namespace lv::fake
