// The About box from template 100: the link takes over control 1000 and
// points at the vendor's address, not underlined; the box opens centred.
#include "dialogs/about_dlg.h"

#include "dialogs/scaled_picture.h"
#include "link/monitors.h"
#include "platform/platform.h"
#include "res/resource.h"

namespace lv {

static_assert(IDD_ABOUTBOX == IDD_ABOUT && IDC_VENDOR_LINK == IDC_ABOUT_LINK, "the template's ids");

std::intptr_t CAboutDlg::DoModal(HWindow owner) {
    const std::intptr_t result = Dialogs().RunModalDialog(IDD_ABOUTBOX, this, owner);
    hwnd_ = HWindow::None;
    return result;
}

std::intptr_t CAboutDlg::OnInitDialog(HWindow dlg) {
    hwnd_ = dlg;
    m_link.Attach(Dialogs().GetDlgItem(dlg, IDC_VENDOR_LINK));
    m_link.SetUrl(LV_VENDOR_URL);
    m_link.SetUnderline(false);
    Windows().CentreWindow(dlg);
    // Above 96 DPI the logo's 2x drawing at the scale of the box's monitor;
    // at 96 DPI the template's own.
    const std::uint32_t dpi = MonitorOfRegion(Windows().GetWindowRect(dlg)).dpi;
    const HWindow logo = Dialogs().GetDlgItem(dlg, IDC_ABOUT_LOGO);
    if (dpi > 96 && !IsNone(logo)) Dialogs().SetStaticBitmap(logo, LoadPictureAtDpi("#178", "#4178", dpi));
    return 1;
}

// The static control tells its parent of clicks and asks it for colours;
// the box hands both back to the link. OK and closing are the default's.
bool CAboutDlg::OnMessage(const Message& m, std::intptr_t& result) {
    return m_link.OnReflectedMessage(m, result);
}

bool CAboutDlg::PreTranslateMessage(const Message& m) {
    m_link.PreTranslateMessage(m);
    return false;
}

}  // namespace lv
