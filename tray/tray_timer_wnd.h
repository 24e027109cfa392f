// A hidden top-level window whose timer steps its icon through a list of
// frames, one each period.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/messages.h"

namespace lv {

class CTrayNotifyIcon;

constexpr char kAnimationWindowTitle[] = "CTrayNotifyIcon Animation Notification Window";
constexpr std::uintptr_t kAnimationTimerId = 1;

class CTrayTimerWnd : public IWindowHandler {
public:
    // Copies the handles (not the icons). Needs an icon, at least one frame
    // and a period above 0: see IsUsable.
    CTrayTimerWnd(CTrayNotifyIcon* pTrayIcon, const HIcon* phIcons, int nNumIcons,
                  std::uint32_t dwDelay);

    bool IsUsable() const;
    // Makes the hidden window, which starts the timer. False when it cannot
    // be made: the caller still owns the object then.
    bool Create();
    // Ends the window and its timer; the object deletes itself with it.
    void Close();
    HIcon GetCurrentIcon() const;
    HWindow Window() const { return m_hWnd; }

    std::intptr_t OnCreate(HWindow wnd) override;
    bool OnMessage(const Message& m, std::intptr_t& result) override;
    void OnDestroyed() override;

private:
    void OnTimer();

    CTrayNotifyIcon* m_pTrayIcon;
    std::vector<HIcon> m_phIcons;
    int m_nNumIcons;
    std::uint32_t m_dwDelay;
    std::uintptr_t m_nTimerID = 0;
    int m_nCurrentIconIndex = 0;
    HWindow m_hWnd = HWindow::None;
};

}  // namespace lv
