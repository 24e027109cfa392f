// The physical left and right mouse buttons, read whichever window has the
// focus and without capturing the mouse: DirectInput 8's system mouse as an
// immediate snapshot. When DirectInput or its mouse cannot be set up, the
// window system's asynchronous button state stands in, so that selection
// still works.
#pragma once

#include "platform/mouse_input.h"
#include "platform/types.h"

namespace lv {

struct MouseButtonState {
    bool bLeft = false;
    bool bRight = false;
};

class CMouseButtons {
public:
    CMouseButtons() = default;
    ~CMouseButtons() { Release(); }
    CMouseButtons(const CMouseButtons&) = delete;
    CMouseButtons& operator=(const CMouseButtons&) = delete;

    // Sets up the interface and the system mouse, releasing any earlier ones.
    void Create();
    // Lets go of the device and the interface; nothing is read afterwards.
    void Release();
    // The two buttons now. One platform call for a read of the device and
    // no allocation: it runs on every 10 ms selection tick.
    MouseButtonState ReadButtons();

    // Ready with DirectInput, ready with the stand-in, or empty.
    bool UsesDirectInput() const { return !IsNone(m_pMouse); }
    bool UsesFallback() const { return m_bFallback; }

private:
    HDirectInput m_pInput = HDirectInput::None;
    HInputDevice m_pMouse = HInputDevice::None;
    bool m_bFallback = false;
};

}  // namespace lv
