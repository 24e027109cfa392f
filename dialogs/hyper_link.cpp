// CHyperLink: its operations, the messages it takes over from the static
// control and the ones its dialog reflects to it, and the launch with its
// ".htm" fallback and error texts.
#include "dialogs/hyper_link.h"

#include <cassert>
#include <cstdio>
#include <cstring>

#include "platform/launch.h"
#include "platform/platform.h"

namespace lv {

namespace {

constexpr std::uint32_t kRepaintNow = kRdwInvalidate | kRdwErase | kRdwUpdateNow;  // 0x105
constexpr int kHandCursorId = 106;
constexpr int kColour3dFace = 15;  // COLOR_3DFACE
constexpr char kHelpModule[] = "\\winhlp32.exe";
constexpr char kOpenCommandKey[] = "\\shell\\open\\command";
constexpr char kErrorPrefix[] = "Unable to open hyperlink:\n\n";
constexpr char kCaption[] = "Lumivane";

struct LaunchError {
    std::int32_t code;
    const char* text;
};
constexpr LaunchError kLaunchErrors[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
    {kLaunchTooLong, "The address, or the program registered\nto open it, is too long to start."},
};

// Mouse messages carry client coordinates as two signed 16-bit halves.
Point PointOf(std::intptr_t lParam) {
    return Point{std::int16_t(lParam & 0xFFFF), std::int16_t((lParam >> 16) & 0xFFFF)};
}

// Half of a size difference, rounded down: a control that grows to a text
// one pixel wider or taller than it ends the larger, not a pixel short (a
// static text cut short wraps, and its second line is lost).
std::int32_t HalfOf(std::int32_t difference) {
    return difference >= 0 ? difference / 2 : -((1 - difference) / 2);
}

bool Contains(const Rect& r, Point pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

// Appends `tail` when it fits in `size` bytes with the terminator.
bool Append(char* text, std::size_t size, const char* tail) {
    const std::size_t used = std::strlen(text);
    const std::size_t more = std::strlen(tail);
    if (used + more + 1 > size) return false;
    std::memcpy(text + used, tail, more + 1);
    return true;
}

// The text a launch code stands for, without the prefix; always terminated.
void LaunchErrorText(std::int32_t code, char* text, std::size_t size) {
    if (size == 0) return;
    for (const LaunchError& e : kLaunchErrors) {
        if (e.code == code) {
            std::snprintf(text, size, "%s", e.text);
            return;
        }
    }
    std::snprintf(text, size, "Unknown Error (%d) occurred.", int(code));
}

}  // namespace

CHyperLink::CHyperLink()
    : m_crLinkColour(MakeColour(0, 0, 238)),
      m_crVisitedColour(MakeColour(85, 26, 139)),
      m_crHoverColour(Controls().GetSysColour(kColorHighlight)) {}

CHyperLink::~CHyperLink() {
    if (!IsNone(hwnd_) && Windows().IsWindow(hwnd_)) Controls().RemoveSubclass(hwnd_);
    if (!IsNone(m_Font)) Controls().DeleteFont(m_Font);
    if (!IsNone(m_ToolTip)) Controls().DestroyTooltip(m_ToolTip);
    if (!IsNone(ownCursor_)) SystemCursors().DestroyCursor(ownCursor_);
}

// ---------------------------------------------------------------------------
// Taking over the control

void CHyperLink::Attach(HWindow control) {
    hwnd_ = control;
    if (IsNone(control)) return;
    Controls().SubclassControl(control, this);
    OnAttach();
}

void CHyperLink::OnAttach() {
    IControls& controls = Controls();
    controls.SetStyle(hwnd_, controls.GetStyle(hwnd_) | kSsNotify);

    char text[kCommandSize];
    Dialogs().GetWindowText(hwnd_, text, sizeof text);
    if (m_strUrl.empty()) m_strUrl = text;
    if (text[0] == '\0') controls.SetWindowText(hwnd_, m_strUrl.c_str());
    assert(!m_strUrl.empty() && "a link needs a text or an address");

    MakeLinkFont();
    FitToText();
    LoadHandCursor();

    m_ToolTip = controls.CreateTooltip(hwnd_);
    if (!IsNone(m_ToolTip)) {
        controls.AddTool(m_ToolTip, hwnd_, kToolId, m_strUrl.c_str(), Windows().GetClientRect(hwnd_));
    }
}

// A copy of the control's font with the underline as the flag says, selected
// into the control; the old link font goes once the new one is in.
void CHyperLink::MakeLinkFont() {
    IControls& controls = Controls();
    const HFont font = controls.CreateFontLike(controls.GetFont(hwnd_), m_bUnderline != 0);
    if (IsNone(font)) return;
    controls.SetFont(hwnd_, font, true);
    if (!IsNone(m_Font)) controls.DeleteFont(m_Font);
    m_Font = font;
}

// ---------------------------------------------------------------------------
// Operations

void CHyperLink::SetUrl(const char* url) {
    m_strUrl = url;
    if (IsNone(hwnd_) || !Windows().IsWindow(hwnd_)) return;
    FitToText();
    if (!IsNone(m_ToolTip)) Controls().UpdateToolText(m_ToolTip, hwnd_, kToolId, m_strUrl.c_str());
}

void CHyperLink::SetLinkColors(Colour link, Colour visited, Colour hover) {
    m_crLinkColour = link;
    m_crVisitedColour = visited;
    m_crHoverColour = hover == Colour(-1) ? Controls().GetSysColour(kColorHighlight) : hover;
    if (!IsNone(hwnd_) && Windows().IsWindow(hwnd_)) Controls().InvalidateWindow(hwnd_, true);
}

void CHyperLink::SetVisited(bool visited) {
    m_bVisited = visited ? 1 : 0;
    if (!IsNone(hwnd_) && Windows().IsWindow(hwnd_)) Controls().InvalidateWindow(hwnd_, true);
}

void CHyperLink::SetLinkCursor(HCursor cursor) {
    m_hLinkCursor = cursor;
    if (IsNone(cursor)) LoadHandCursor();
}

void CHyperLink::SetUnderline(bool underline) {
    m_bUnderline = underline ? 1 : 0;
    if (IsNone(hwnd_) || !Windows().IsWindow(hwnd_)) return;
    MakeLinkFont();
    Controls().InvalidateWindow(hwnd_, true);
}

void CHyperLink::SetFitToText(bool fit) {
    m_bAdjustToFit = fit ? 1 : 0;
    if (!IsNone(hwnd_) && Windows().IsWindow(hwnd_)) FitToText();
}

// Shrinks (or grows) the control to its text, keeping the edge or centre
// its alignment says.
void CHyperLink::FitToText() {
    if (IsNone(hwnd_) || !Windows().IsWindow(hwnd_) || !m_bAdjustToFit) return;
    IWindows& windows = Windows();
    Rect rc = windows.GetWindowRect(hwnd_);
    const HWindow parent = windows.GetParent(hwnd_);
    if (!IsNone(parent)) {
        const Point topLeft = windows.ScreenToClient(parent, Point{rc.left, rc.top});
        const Point bottomRight = windows.ScreenToClient(parent, Point{rc.right, rc.bottom});
        rc = Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    }
    char text[kCommandSize];
    Dialogs().GetWindowText(hwnd_, text, sizeof text);
    const Point extent = Controls().MeasureText(hwnd_, m_Font, text);
    const std::uint32_t style = Controls().GetStyle(hwnd_);

    if (style & kSsCenterImage) {
        const std::int32_t dy = HalfOf(rc.Height() - extent.y);
        rc.top += dy;
        rc.bottom -= dy;
    } else {
        rc.bottom = rc.top + extent.y;
    }
    if (style & kSsCenter) {
        const std::int32_t dx = HalfOf(rc.Width() - extent.x);
        rc.left += dx;
        rc.right -= dx;
    } else if (style & kSsRight) {
        rc.left = rc.right - extent.x;
    } else {
        rc.right = rc.left + extent.x;
    }
    Controls().SetWindowPosNoZOrder(hwnd_, rc);
}

// The hand pointer of the old help viewer, copied before its module goes;
// that viewer is gone from current Windows, whose own hand stands in.
void CHyperLink::LoadHandCursor() {
    if (!IsNone(m_hLinkCursor)) return;
    char path[kRegistryValueSize];
    const std::uint32_t length = Registry().GetWindowsDir(path, sizeof path);
    if (length > 0 && length < sizeof path && Append(path, sizeof path, kHelpModule)) {
        IControls& controls = Controls();
        const HModule module = controls.LoadModule(path);
        if (!IsNone(module)) {
            const HCursor cursor = controls.LoadModuleCursor(module, kHandCursorId);
            if (!IsNone(cursor)) {
                ownCursor_ = SystemCursors().DuplicateCursor(cursor);
                m_hLinkCursor = ownCursor_;
            }
            controls.ReleaseModule(module);
        }
    }
    if (IsNone(m_hLinkCursor)) m_hLinkCursor = SystemCursors().LoadSystemCursor(kIdcHand);
}

// ---------------------------------------------------------------------------
// Launching

std::int32_t CHyperLink::ReadRegistryDefault(const char* subKey, char* out) {
    out[0] = '\0';
    ILaunch& launch = Launch();
    HKey key = HKey::None;
    const std::int32_t status = launch.OpenClassesRootKey(subKey, kKeyQueryValue, &key);
    if (status != 0) return status;
    char value[kRegistryValueSize];
    std::int32_t size = std::int32_t(sizeof value);
    const std::int32_t read = launch.QueryDefaultValue(key, value, &size);
    launch.CloseKey(key);
    if (read == std::int32_t(kErrorMoreData) || size > std::int32_t(sizeof value)) return std::int32_t(kErrorMoreData);
    if (read != 0 || size <= 0) return 0;
    // The registry keeps whatever was written: terminate it ourselves, and
    // refuse a full buffer that has no room left for the terminator.
    if (value[size - 1] != '\0') {
        if (size >= std::int32_t(sizeof value)) return std::int32_t(kErrorMoreData);
        value[size] = '\0';
    }
    std::memcpy(out, value, std::strlen(value) + 1);
    return 0;
}

// The shell first; then the program registered for ".htm", with its
// placeholder cut off and the address after a blank. A value or address that
// does not fit is refused, as a cut command would start something else.
std::int32_t CHyperLink::OpenLink(const char* url, std::int32_t showCommand) {
    const std::int32_t shellCode = std::int32_t(Launch().ShellOpen(HWindow::None, url, showCommand));
    if (std::uint32_t(shellCode) > 32) return shellCode;

    char key[kCommandSize];
    std::int32_t status = ReadRegistryDefault(".htm", key);
    if (status == std::int32_t(kErrorMoreData)) return kLaunchTooLong;
    if (status != 0) return shellCode;
    if (!Append(key, sizeof key, kOpenCommandKey)) return kLaunchTooLong;
    char command[kCommandSize];
    status = ReadRegistryDefault(key, command);
    if (status == std::int32_t(kErrorMoreData)) return kLaunchTooLong;
    if (status != 0) return shellCode;

    char* placeholder = std::strstr(command, "\"%1\"");
    if (placeholder == nullptr) placeholder = std::strstr(command, "%1");
    if (placeholder != nullptr) *placeholder = '\0';
    if (!Append(command, sizeof command, " ") || !Append(command, sizeof command, url)) return kLaunchTooLong;
    return std::int32_t(Launch().WinExec(command, showCommand));
}

void CHyperLink::ShowOpenError(std::int32_t code) {
    char reason[256];
    LaunchErrorText(code, reason, sizeof reason);
    char text[sizeof kErrorPrefix + sizeof reason];
    std::snprintf(text, sizeof text, "%s%s", kErrorPrefix, reason);
    const HWindow owner = IsNone(hwnd_) ? HWindow::None : Windows().GetParent(hwnd_);
    Shell().MessageBox(owner, text, kCaption, kMbIconExclamation | kMbOk);
}

// ---------------------------------------------------------------------------
// Messages

bool CHyperLink::OnReflectedMessage(const Message& m, std::intptr_t& result) {
    if (IsNone(hwnd_) || HWindow(std::uintptr_t(m.lParam)) != hwnd_) return false;
    if (m.msg == kWmCommand && ((m.wParam >> 16) & 0xFFFF) == kStnClicked) {
        OnClicked();
        result = 0;
        return true;
    }
    if (m.msg == kWmCtlColorStatic) {
        result = OnCtlColor(HDc(m.wParam));
        return true;
    }
    return false;
}

void CHyperLink::PreTranslateMessage(const Message& m) {
    if (!IsNone(m_ToolTip) && m.hwnd == hwnd_) Controls().RelayEvent(m_ToolTip, m);
}

bool CHyperLink::OnControlMessage(const Message& m, std::intptr_t& result) {
    switch (m.msg) {
        case kWmSetCursor:
            result = OnSetCursor();
            return true;
        case kWmMouseMove:
            result = Controls().DefaultControlProc(m);
            OnMouseMove(m);
            return true;
        case kWmCaptureChanged:
            OnCaptureChanged(m);
            return false;
        default:
            return false;
    }
}

void CHyperLink::OnClicked() {
    const std::int32_t code = OpenLink(m_strUrl.c_str(), kSwShow);
    m_bVisited = code > 32 ? 1 : 0;
    if (!m_bVisited) {
        // Cleared without a repaint: the control keeps its colour until
        // something else repaints it.
        Launch().MessageBeep(kMbIconExclamation);
        ShowOpenError(code);
    } else {
        SetVisited(true);
    }
}

std::intptr_t CHyperLink::OnCtlColor(HDc dc) {
    const Colour colour = m_bOverControl ? m_crHoverColour : m_bVisited ? m_crVisitedColour : m_crLinkColour;
    Controls().SetTextColour(dc, colour);
    Controls().SetTransparentBackground(dc);
    // The dialog's background under the text at every paint: on a hollow
    // brush each hover repaint would draw the text over the last one, and
    // with ClearType its fringes would add up.
    return Controls().SysColourBrush(kColour3dFace);
}

std::intptr_t CHyperLink::OnSetCursor() {
    if (IsNone(m_hLinkCursor)) return 0;
    MouseInput().SetCursor(m_hLinkCursor);
    return 1;
}

// Entering takes the capture, so that the move that leaves still comes here.
void CHyperLink::OnMouseMove(const Message& m) {
    IControls& controls = Controls();
    if (!m_bOverControl) {
        m_bOverControl = 1;
        controls.RedrawWindow(hwnd_, kRepaintNow);
        controls.SetCapture(hwnd_);
    } else if (!Contains(Windows().GetClientRect(hwnd_), PointOf(m.lParam))) {
        m_bOverControl = 0;
        controls.ReleaseCapture();
        controls.RedrawWindow(hwnd_, kRepaintNow);
    }
}

// The capture can be lost from outside, when a message box disables the
// dialog or another window takes it: the pointer is then no longer seen to
// leave, so the hover colour goes now rather than staying for good.
void CHyperLink::OnCaptureChanged(const Message& m) {
    if (!m_bOverControl || HWindow(std::uintptr_t(m.lParam)) == hwnd_) return;
    m_bOverControl = 0;
    Controls().RedrawWindow(hwnd_, kRepaintNow);
}

}  // namespace lv
