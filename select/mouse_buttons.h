// The physical left and right mouse buttons, read whichever window has the
// focus and without capturing the mouse: DirectInput 8's system mouse as an
// immediate snapshot. DirectInput may count the program's own injected
// release as the user's, so from that release until the user lets go, the
// button is read from a watch of the physical buttons that ignores injected
// input. When DirectInput or its mouse cannot be set up, that watch stands
// in for it altogether, so that selection still works.
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
    // no allocation: it runs on every 10 ms selection tick. A device that
    // lost its acquisition (another program took the mouse) is acquired
    // again and read once more.
    MouseButtonState ReadButtons();
    // Injects a release of the held button (left, or else right), so that
    // the window under the pointer sees a click; the button then reads as
    // the physical watch sees it until it really comes up.
    void InjectRelease(bool left);

    // Ready with DirectInput, ready with the stand-in, or empty.
    bool UsesDirectInput() const { return !IsNone(m_pMouse); }
    bool UsesFallback() const { return m_bFallback; }

private:
    HDirectInput m_pInput = HDirectInput::None;
    HInputDevice m_pMouse = HInputDevice::None;
    bool m_bFallback = false;
    bool m_bWatching = false;  // the physical buttons are watched
    // A release of ours was injected and the button has not come up since.
    bool m_bLeftInjected = false;
    bool m_bRightInjected = false;
};

}  // namespace lv
