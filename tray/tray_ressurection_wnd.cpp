#include "tray/tray_ressurection_wnd.h"

#include <cassert>

#include "platform/platform.h"
#include "tray/ntray.h"

namespace lv {

CTrayRessurectionWnd::CTrayRessurectionWnd(CTrayNotifyIcon* pTrayIcon) : m_pTrayIcon(pTrayIcon) {
    assert(pTrayIcon != nullptr);
}

bool CTrayRessurectionWnd::Create() {
    m_hWnd = Messages().CreateHiddenWindow(kResurrectionWindowTitle, this);
    // A copy started elevated still hears that the taskbar came back.
    if (!IsNone(m_hWnd)) Messages().AllowFromLowerIntegrity(m_hWnd, CTrayNotifyIcon::TaskbarCreatedMessage);
    return !IsNone(m_hWnd);
}

void CTrayRessurectionWnd::Close() { Messages().SendWindowMessage(m_hWnd, kWmClose, 0, 0); }

std::intptr_t CTrayRessurectionWnd::OnCreate(HWindow wnd) {
    m_hWnd = wnd;
    return 0;
}

bool CTrayRessurectionWnd::OnMessage(const Message& m, std::intptr_t& result) {
    // A failed registration answers 0; message 0 is not the broadcast.
    if (CTrayNotifyIcon::TaskbarCreatedMessage == 0 || m.msg != CTrayNotifyIcon::TaskbarCreatedMessage) {
        return false;
    }
    result = OnTaskbarCreated(m.wParam, m.lParam);
    return true;
}

void CTrayRessurectionWnd::OnDestroyed() {
    if (m_pTrayIcon != nullptr) m_pTrayIcon->ForgetWindow(this);
    delete this;
}

std::intptr_t CTrayRessurectionWnd::OnTaskbarCreated(std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {
    assert(m_pTrayIcon != nullptr);
    if (m_pTrayIcon != nullptr) m_pTrayIcon->OnTaskbarCreated();
    return 0;
}

}  // namespace lv
