#include "select/mouse_buttons.h"

#include <cstring>

#include "platform/platform.h"

namespace lv {

void CMouseButtons::Create() {
    Release();
    IMouseInput& input = MouseInput();
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
    // A refused acquisition reads as no button held.
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
}

MouseButtonState CMouseButtons::ReadButtons() {
    MouseButtonState state;
    if (m_bFallback) {
        state.bLeft = MouseInput().IsPhysicalLeftDown();
        state.bRight = MouseInput().IsPhysicalRightDown();
        return state;
    }
    if (IsNone(m_pMouse)) return state;
    // A failed read (lost acquisition) leaves the zeros: no button held.
    std::uint8_t buffer[kMouseStateSize];
    std::memset(buffer, 0, sizeof buffer);
    MouseInput().GetDeviceState(m_pMouse, kMouseStateSize, buffer);
    state.bLeft = (buffer[kMouseLeftByte] & kButtonHeld) != 0;
    state.bRight = (buffer[kMouseRightByte] & kButtonHeld) != 0;
    return state;
}

}  // namespace lv
