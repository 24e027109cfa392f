// Timers and messages: windows the program makes without a dialog template
// (hidden top-level frame windows), messages sent to any window, window
// timers, registered message numbers and global hot keys.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "platform/dialogs.h"

namespace lv {

// The logic side of a window made by CreateHiddenWindow. The platform's
// window procedure calls these and otherwise does the default handling
// (an unhandled WM_CLOSE destroys the window).
class IWindowHandler {
public:
    virtual ~IWindowHandler() = default;
    // WM_CREATE. Answer -1 to refuse: the window is then not made.
    virtual std::intptr_t OnCreate(HWindow /*wnd*/) { return 0; }
    // Any other message. Answer true and set `result` when handled; false
    // leaves it to the default handling.
    virtual bool OnMessage(const Message& /*m*/, std::intptr_t& /*result*/) { return false; }
    // The window is gone (WM_NCDESTROY): the last call the handler gets, so
    // it may delete itself here. Never called for a window whose creation
    // failed; its maker still owns the handler then.
    virtual void OnDestroyed() {}
};

class IMessages {
public:
    virtual ~IMessages() = default;

    // A top-level frame window that is never shown: WS_OVERLAPPEDWINDOW,
    // default position and size, no parent, no menu, the given title. The
    // handler must live until OnDestroyed. None when it cannot be made.
    virtual HWindow CreateHiddenWindow(const char* title, IWindowHandler* handler) = 0;
    // SendMessageA: delivered at once, on this thread.
    virtual std::intptr_t SendWindowMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
    // SetTimer with no callback: WM_TIMER with wParam `id` reaches the
    // window every `periodMs` while its thread runs its message loop.
    // Setting an id again restarts it with the new period. Answers the
    // timer's id, 0 on failure.
    virtual std::uintptr_t SetTimer(HWindow wnd, std::uintptr_t id, std::uint32_t periodMs) = 0;
    virtual bool KillTimer(HWindow wnd, std::uintptr_t id) = 0;
    // RegisterWindowMessageA: the same number for the same name throughout
    // the session; 0 on failure.
    virtual std::uint32_t RegisterMessage(const char* name) = 0;
    // Lets `msg` reach the window from processes of lower integrity
    // (ChangeWindowMessageFilterEx): the shell's broadcasts reach a copy
    // of the program started elevated. Nothing before Windows Vista.
    virtual void AllowFromLowerIntegrity(HWindow wnd, std::uint32_t msg) = 0;

    // A global hot key: WM_HOTKEY with the id reaches the window.
    virtual bool RegisterHotKey(HWindow wnd, int id, std::uint32_t modifiers, std::uint32_t key) = 0;
    virtual bool UnregisterHotKey(HWindow wnd, int id) = 0;
};

}  // namespace lv
