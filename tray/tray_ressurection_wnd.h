// A hidden top-level window that hears the shell's "TaskbarCreated"
// broadcast and puts its icon back on the new taskbar.
#pragma once

#include "platform/messages.h"

namespace lv {

class CTrayNotifyIcon;

constexpr char kResurrectionWindowTitle[] = "CTrayNotifyIcon Resurrection Notification Window";

class CTrayRessurectionWnd : public IWindowHandler {
public:
    explicit CTrayRessurectionWnd(CTrayNotifyIcon* pTrayIcon);

    // Makes the hidden window. False when it cannot be made: the caller
    // still owns the object then.
    bool Create();
    // Ends the window; the object deletes itself with it.
    void Close();
    HWindow Window() const { return m_hWnd; }

    std::intptr_t OnCreate(HWindow wnd) override;
    bool OnMessage(const Message& m, std::intptr_t& result) override;
    void OnDestroyed() override;

    std::intptr_t OnTaskbarCreated(std::uintptr_t wParam, std::intptr_t lParam);

private:
    CTrayNotifyIcon* m_pTrayIcon;
    HWindow m_hWnd = HWindow::None;
};

}  // namespace lv
