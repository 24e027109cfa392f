#include "tray/tray_timer_wnd.h"

#include <cassert>

#include "platform/platform.h"
#include "tray/ntray.h"

namespace lv {

CTrayTimerWnd::CTrayTimerWnd(CTrayNotifyIcon* pTrayIcon, const HIcon* phIcons, int nNumIcons,
                             std::uint32_t dwDelay)
    : m_pTrayIcon(pTrayIcon), m_nNumIcons(nNumIcons), m_dwDelay(dwDelay) {
    assert(pTrayIcon != nullptr && phIcons != nullptr && nNumIcons > 0 && dwDelay != 0);
    if (phIcons != nullptr && nNumIcons > 0) m_phIcons.assign(phIcons, phIcons + nNumIcons);
}

bool CTrayTimerWnd::IsUsable() const {
    return m_pTrayIcon != nullptr && m_nNumIcons > 0 && !m_phIcons.empty() && m_dwDelay != 0;
}

bool CTrayTimerWnd::Create() {
    m_hWnd = Messages().CreateHiddenWindow(kAnimationWindowTitle, this);
    return !IsNone(m_hWnd);
}

void CTrayTimerWnd::Close() { Messages().SendWindowMessage(m_hWnd, kWmClose, 0, 0); }

HIcon CTrayTimerWnd::GetCurrentIcon() const {
    return m_phIcons.empty() ? HIcon::None : m_phIcons[std::size_t(m_nCurrentIconIndex)];
}

std::intptr_t CTrayTimerWnd::OnCreate(HWindow wnd) {
    m_hWnd = wnd;
    m_nTimerID = Messages().SetTimer(wnd, kAnimationTimerId, m_dwDelay);
    return 0;
}

bool CTrayTimerWnd::OnMessage(const Message& m, std::intptr_t& result) {
    if (m.msg == kWmTimer) {
        OnTimer();
        result = 0;
        return true;
    }
    if (m.msg == kWmDestroy) Messages().KillTimer(m_hWnd, m_nTimerID);
    return false;
}

void CTrayTimerWnd::OnDestroyed() {
    if (m_pTrayIcon != nullptr) m_pTrayIcon->ForgetWindow(this);
    delete this;
}

// Whatever the timer id: the window has one timer.
void CTrayTimerWnd::OnTimer() {
    if (m_phIcons.empty()) return;
    m_nCurrentIconIndex = (m_nCurrentIconIndex + 1) % int(m_phIcons.size());
    m_pTrayIcon->ShowAnimationFrame(m_phIcons[std::size_t(m_nCurrentIconIndex)]);
}

}  // namespace lv
