// The About box from template 100: the link takes over control 1000 and
// points at the vendor's address, not underlined; the box opens centred.
#include "dialogs/about_dlg.h"

#include "platform/platform.h"
#include "res/resource.h"

namespace lv {

static_assert(IDD_ABOUTBOX == IDD_ABOUT && IDC_VENDOR_LINK == IDC_ABOUT_LINK, "the template's ids");

std::intptr_t CAboutDlg::DoModal() { return Dialogs().RunModalDialog(IDD_ABOUTBOX, this); }

std::intptr_t CAboutDlg::OnInitDialog(HWindow dlg) {
    m_link.Attach(Dialogs().GetDlgItem(dlg, IDC_VENDOR_LINK));
    m_link.SetUrl(LV_VENDOR_URL);
    m_link.SetUnderline(false);
    Windows().CentreWindow(dlg);
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
