#include "select/mouse_buttons.h"

#include <cstring>

#include "platform/platform.h"

namespace lv {

void CMouseButtons::Create() {
    Release();
    IMouseInput& input = MouseInput();
    // Watched from now on, so that a press is seen going down before the
    // release that the selection injects for it.
    m_bWatching = input.WatchPhysicalButtons();
    m_pInput = input.CreateDirectInput();
    if (!IsNone(m_pInput)) m_pMouse = input.CreateSystemMouse(m_pInput);
    // A device that will not take the mouse format can never be read.
    if (!IsNone(m_pMouse) && !input.SetMouseDataFormat(m_pMouse)) {
        input.ReleaseDevice(m_pMouse);
        m_pMouse = HInputDevice::None;
    }
    if (IsNone(m_pMouse)) {
        if (!IsNone(m_pInput)) input.ReleaseDirectInput(m_pInput);
        m_pInput = HDirectInput::None;
        m_bFallback = true;
        System().Trace("lumivane: no DirectInput mouse, reading the button state");
        return;
    }
    // No cooperative level: the default, non-exclusive in the background,
    // reports the buttons while other programs' windows have the focus.
    // A refused acquisition reads as no button held until a read acquires.
    input.Acquire(m_pMouse);
}

void CMouseButtons::Release() {
    IMouseInput* input = Platform().mouseInput;
    if (!IsNone(m_pMouse)) {
        input->Unacquire(m_pMouse);
        input->ReleaseDevice(m_pMouse);
        m_pMouse = HInputDevice::None;
    }
    if (!IsNone(m_pInput)) {
        input->ReleaseDirectInput(m_pInput);
        m_pInput = HDirectInput::None;
    }
    m_bFallback = false;
    m_bWatching = false;
    m_bLeftInjected = m_bRightInjected = false;
}

void CMouseButtons::InjectRelease(bool left) {
    MouseInput().InjectButtonUp(left);
    // Without a watch there is nothing better to read than DirectInput.
    if (m_bWatching) (left ? m_bLeftInjected : m_bRightInjected) = true;
}

MouseButtonState CMouseButtons::ReadButtons() {
    MouseButtonState state;
    IMouseInput& input = MouseInput();
    if (m_bFallback) {
        state.bLeft = input.IsPhysicalLeftDown();
        state.bRight = input.IsPhysicalRightDown();
        return state;
    }
    if (IsNone(m_pMouse)) return state;
    std::uint8_t buffer[kMouseStateSize];
    std::memset(buffer, 0, sizeof buffer);
    // Lost acquisition: acquired again when the mouse is free once more.
    // Until then the zeros stay: no button held.
    if (!input.GetDeviceState(m_pMouse, kMouseStateSize, buffer) && input.Acquire(m_pMouse)) {
        input.GetDeviceState(m_pMouse, kMouseStateSize, buffer);
    }
    state.bLeft = (buffer[kMouseLeftByte] & kButtonHeld) != 0;
    state.bRight = (buffer[kMouseRightByte] & kButtonHeld) != 0;
    // After our injected release, the user's hand decides.
    if (m_bLeftInjected) {
        state.bLeft = input.IsPhysicalLeftDown();
        m_bLeftInjected = state.bLeft;
    }
    if (m_bRightInjected) {
        state.bRight = input.IsPhysicalRightDown();
        m_bRightInjected = state.bRight;
    }
    return state;
}

}  // namespace lv
