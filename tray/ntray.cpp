#include "tray/ntray.h"

#include <cassert>
#include <cstring>

#include "platform/platform.h"
#include "tray/tray_ressurection_wnd.h"
#include "tray/tray_timer_wnd.h"

namespace lv {

namespace {
constexpr std::uint32_t kAllFlags = kNifMessage | kNifIcon | kNifTip;
constexpr int kStringBufferSize = 256;
}  // namespace

std::uint32_t CTrayNotifyIcon::TaskbarCreatedMessage = 0;
std::int32_t CTrayNotifyIcon::s_nStoredState = 0;

CTrayNotifyIcon::CTrayNotifyIcon() {
    // Registered before the first hidden window exists. The platform is in
    // place only once the program runs, so the first icon does it.
    if (TaskbarCreatedMessage == 0) {
        TaskbarCreatedMessage = Messages().RegisterMessage("TaskbarCreated");
    }
}

CTrayNotifyIcon::~CTrayNotifyIcon() {
    StopAnimation();
    CloseResurrectionWindow();
    RemoveIcon();
}

// ---------------------------------------------------------------------------
// Adding the icon

bool CTrayNotifyIcon::Create(HWindow notifyWnd, std::uint32_t id, const char* tooltip, HIcon icon,
                             std::uint32_t callbackMessage) {
    if (!CreateResurrectionWindow()) return false;
    assert(Windows().IsWindow(notifyWnd));
    assert(callbackMessage >= kWmUser);
    assert(tooltip == nullptr || std::strlen(tooltip) < kTipSize);

    m_hwndNotify = notifyWnd;
    m_NotifyIconData.cbSize = kNotifyIconDataSize;
    m_NotifyIconData.hWnd = notifyWnd;
    m_NotifyIconData.uID = id;
    m_NotifyIconData.uFlags = kAllFlags;
    m_NotifyIconData.uCallbackMessage = callbackMessage;
    m_NotifyIconData.hIcon = icon;
    CopyTooltip(tooltip);
    m_bCreated = Notify(kNimAdd);
    return m_bCreated;
}

bool CTrayNotifyIcon::CreateAnimated(HWindow notifyWnd, std::uint32_t id, const char* tooltip,
                                     const HIcon* frames, int count, std::uint32_t periodMs,
                                     std::uint32_t callbackMessage) {
    assert(count >= 1 && frames != nullptr);
    if (count < 1 || frames == nullptr) return false;
    if (!StartAnimation(frames, count, periodMs)) return false;
    const bool result = Create(notifyWnd, id, tooltip, frames[0], callbackMessage);
    m_bAnimated = true;
    return result;
}

// ---------------------------------------------------------------------------
// Tooltip and icon

bool CTrayNotifyIcon::SetTooltip(const char* text) {
    if (!m_bCreated) return false;
    assert(text == nullptr || std::strlen(text) < kTipSize);
    m_NotifyIconData.uFlags = kNifTip;
    CopyTooltip(text);
    return Notify(kNimModify);
}

bool CTrayNotifyIcon::SetTooltip(std::uint32_t stringId) {
    char text[kStringBufferSize];
    const int length = Shell().LoadOwnString(stringId, text, sizeof text);
    assert(length > 0);  // a missing string is the caller's mistake
    if (length <= 0) return false;
    return SetTooltip(text);
}

std::string CTrayNotifyIcon::GetTooltip() const {
    return m_bCreated ? std::string(m_NotifyIconData.szTip) : std::string();
}

bool CTrayNotifyIcon::SetIcon(HIcon icon) {
    if (!m_bCreated) return false;
    StopAnimation();
    m_bAnimated = false;
    m_NotifyIconData.uFlags = kNifIcon;
    m_NotifyIconData.hIcon = icon;
    return Notify(kNimModify);
}

bool CTrayNotifyIcon::SetIconResource(std::uint16_t id) { return SetIcon(Shell().LoadOwnIcon(id)); }

bool CTrayNotifyIcon::SetIconResource(const char* name) {
    return SetIcon(Shell().LoadOwnIconByName(name));
}

bool CTrayNotifyIcon::SetSystemIcon(std::uint32_t id) {
    return SetIcon(Shell().LoadSystemIcon(std::uint16_t(id & 0xFFFF)));
}

bool CTrayNotifyIcon::SetSystemIcon(const char* name) {
    return SetIcon(Shell().LoadSystemIconByName(name));
}

bool CTrayNotifyIcon::SetAnimatedIcons(const HIcon* frames, int count, std::uint32_t periodMs) {
    assert(count >= 2 && frames != nullptr);
    if (count < 1 || frames == nullptr) return false;
    if (!SetIcon(frames[0])) return false;
    StopAnimation();
    if (!StartAnimation(frames, count, periodMs)) return false;
    m_bAnimated = true;
    return true;
}

HIcon CTrayNotifyIcon::GetIcon() const {
    if (!m_bCreated) return HIcon::None;
    if (m_bAnimated && m_pTimerWnd != nullptr) return m_pTimerWnd->GetCurrentIcon();
    return m_NotifyIconData.hIcon;
}

bool CTrayNotifyIcon::SetNotifyWindow(HWindow wnd) {
    if (!m_bCreated) return false;
    assert(Windows().IsWindow(wnd));
    const HWindow previous = m_NotifyIconData.hWnd;
    m_hwndNotify = wnd;
    m_NotifyIconData.hWnd = wnd;
    m_NotifyIconData.uFlags = 0;
    if (Notify(kNimModify)) return true;
    // The shell knows the icon by its window and id: when it refuses, the
    // icon is still under the old window, and only that one can remove it.
    m_hwndNotify = previous;
    m_NotifyIconData.hWnd = previous;
    return false;
}

// ---------------------------------------------------------------------------
// On and off the taskbar

void CTrayNotifyIcon::HideIcon() {
    assert(m_bCreated);
    if (!m_bCreated || m_bHidden) return;
    m_NotifyIconData.uFlags = kNifIcon;
    Notify(kNimDelete);
    m_bHidden = true;
}

void CTrayNotifyIcon::ShowIcon() {
    assert(m_bCreated);
    if (!m_bCreated || !m_bHidden) return;
    m_NotifyIconData.uFlags = kAllFlags;
    Notify(kNimAdd);
    m_bHidden = false;
}

void CTrayNotifyIcon::RemoveIcon() {
    if (!m_bCreated) return;
    m_NotifyIconData.uFlags = 0;
    Notify(kNimDelete);
    m_bCreated = false;
}

void CTrayNotifyIcon::ReAddIcon() {
    HideIcon();
    ShowIcon();
}

std::intptr_t CTrayNotifyIcon::OnIconNotify(std::uintptr_t id, std::intptr_t /*event*/) {
    if (id != m_NotifyIconData.uID) return 0;
    return 1;
}

// ---------------------------------------------------------------------------
// The hidden windows

bool CTrayNotifyIcon::StartAnimation(const HIcon* frames, int count, std::uint32_t periodMs) {
    assert(m_pTimerWnd == nullptr);
    StopAnimation();
    auto* wnd = new CTrayTimerWnd(this, frames, count, periodMs);
    if (!wnd->IsUsable() || !wnd->Create()) {
        delete wnd;
        return false;
    }
    m_pTimerWnd = wnd;
    return true;
}

void CTrayNotifyIcon::StopAnimation() {
    if (m_pTimerWnd == nullptr) return;
    CTrayTimerWnd* wnd = m_pTimerWnd;
    m_pTimerWnd = nullptr;
    wnd->Close();
}

bool CTrayNotifyIcon::CreateResurrectionWindow() {
    assert(m_pResurrectionWnd == nullptr);
    // A second Create keeps the window it already has.
    if (m_pResurrectionWnd != nullptr) return true;
    auto* wnd = new CTrayRessurectionWnd(this);
    if (!wnd->Create()) {
        delete wnd;
        return false;
    }
    m_pResurrectionWnd = wnd;
    return true;
}

void CTrayNotifyIcon::CloseResurrectionWindow() {
    if (m_pResurrectionWnd == nullptr) return;
    CTrayRessurectionWnd* wnd = m_pResurrectionWnd;
    m_pResurrectionWnd = nullptr;
    wnd->Close();
}

// A window that ends some other way (a WM_CLOSE from outside) must not leave
// a reference to a deleted object behind.
void CTrayNotifyIcon::ForgetWindow(const void* wnd) {
    if (wnd == m_pTimerWnd) m_pTimerWnd = nullptr;
    if (wnd == m_pResurrectionWnd) m_pResurrectionWnd = nullptr;
}

void CTrayNotifyIcon::ShowAnimationFrame(HIcon icon) {
    m_NotifyIconData.uFlags = kNifIcon;
    m_NotifyIconData.hIcon = icon;
    Notify(kNimModify);
}

// An icon that is not added (its add failed, or it was removed) stays off
// the new taskbar: adding it here would leave an icon that nothing removes.
void CTrayNotifyIcon::OnTaskbarCreated() {
    if (!m_bCreated || !IsIconShown()) return;
    HideIcon();
    ShowIcon();
}

// ---------------------------------------------------------------------------
// The record

bool CTrayNotifyIcon::Notify(std::uint32_t command) { return Shell().NotifyIcon(command, m_NotifyIconData); }

// At most 63 characters and the terminator, whatever the text's length.
void CTrayNotifyIcon::CopyTooltip(const char* text) {
    char* tip = m_NotifyIconData.szTip;
    std::memset(tip, 0, kTipSize);
    if (text == nullptr) return;
    const std::size_t length = std::strlen(text);
    std::memcpy(tip, text, length < kTipSize ? length : kTipSize - 1);
}

}  // namespace lv
