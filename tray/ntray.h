// The program's notification-area icon: adds it with a tooltip, changes its
// icon (or cycles a list of icons on a timer), hides, shows and removes it,
// hands the shell's mouse notifications to an overridable handler, and puts
// it back by itself when the taskbar is re-created.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shell.h"
#include "platform/types.h"

namespace lv {

class CTrayRessurectionWnd;
class CTrayTimerWnd;

class CTrayNotifyIcon {
public:
    CTrayNotifyIcon();
    // Ends the animation, then the resurrection window, then removes the icon.
    virtual ~CTrayNotifyIcon();
    CTrayNotifyIcon(const CTrayNotifyIcon&) = delete;
    CTrayNotifyIcon& operator=(const CTrayNotifyIcon&) = delete;

    // Adds the icon. The tooltip holds at most 63 characters (a longer one
    // is cut there); the callback message is at least WM_USER.
    bool Create(HWindow notifyWnd, std::uint32_t id, const char* tooltip, HIcon icon,
                std::uint32_t callbackMessage);
    // Adds the icon showing frames[0] and then each next frame every
    // `periodMs`, round and round.
    bool CreateAnimated(HWindow notifyWnd, std::uint32_t id, const char* tooltip, const HIcon* frames,
                        int count, std::uint32_t periodMs, std::uint32_t callbackMessage);

    bool SetTooltip(const char* text);
    bool SetTooltip(std::uint32_t stringId);
    std::string GetTooltip() const;

    // Each of these ends an animation first.
    bool SetIcon(HIcon icon);
    bool SetIconResource(std::uint16_t id);
    bool SetIconResource(const char* name);
    bool SetSystemIcon(std::uint32_t id);
    bool SetSystemIcon(const char* name);
    // At least two frames.
    bool SetAnimatedIcons(const HIcon* frames, int count, std::uint32_t periodMs);
    // The icon shown now (the frame sent last while animated).
    HIcon GetIcon() const;

    bool SetNotifyWindow(HWindow wnd);
    HWindow GetNotifyWindow() const { return m_hwndNotify; }

    // Hide and show need an added icon; a second hide or show does nothing.
    void HideIcon();
    void ShowIcon();
    void RemoveIcon();
    void ReAddIcon();
    bool IsIconShown() const { return !m_bHidden; }
    bool IsCreated() const { return m_bCreated; }
    bool IsAnimated() const { return m_bAnimated; }

    // The activation state the icon's menu reads, one copy for the program.
    static void SetActivationState(std::int32_t state) { s_nStoredState = state; }

    // The shell's notification for the icon: wParam the icon id, lParam the
    // mouse message. Answers 0 for another icon's id; the program's own
    // icon overrides it to offer its menu.
    virtual std::intptr_t OnIconNotify(std::uintptr_t id, std::intptr_t event);

    // The shell's "TaskbarCreated" broadcast number, registered once for
    // the program before the first icon's windows exist.
    static std::uint32_t TaskbarCreatedMessage;

    const NotifyIconData& Record() const { return m_NotifyIconData; }

protected:
    static std::int32_t StoredState() { return s_nStoredState; }

private:
    friend class CTrayRessurectionWnd;
    friend class CTrayTimerWnd;

    bool StartAnimation(const HIcon* frames, int count, std::uint32_t periodMs);
    void StopAnimation();
    bool CreateResurrectionWindow();
    void CloseResurrectionWindow();
    bool Notify(std::uint32_t command);
    void CopyTooltip(const char* text);

    // Called by the hidden windows.
    void ShowAnimationFrame(HIcon icon);
    void OnTaskbarCreated();
    void ForgetWindow(const void* wnd);

    NotifyIconData m_NotifyIconData;
    bool m_bCreated = false;
    bool m_bHidden = false;
    HWindow m_hwndNotify = HWindow::None;
    CTrayTimerWnd* m_pTimerWnd = nullptr;
    CTrayRessurectionWnd* m_pResurrectionWnd = nullptr;
    bool m_bAnimated = false;

    static std::int32_t s_nStoredState;
};

}  // namespace lv
