// The About box: the product name and version, the monitor brand's logo,
// usage hints, a legal notice, OK, and a link to the vendor's web site.
#pragma once

#include "dialogs/hyper_link.h"
#include "platform/dialogs.h"

namespace lv {

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDC_VENDOR_LINK = 1000;

class CAboutDlg : public IDialogHandler {
public:
    // Runs the box modally over `owner`; answers the dialog's result.
    std::intptr_t DoModal(HWindow owner = HWindow::None);
    // The box while it runs; none before and after.
    HWindow Window() const { return hwnd_; }

    std::intptr_t OnInitDialog(HWindow dlg) override;
    bool OnMessage(const Message& m, std::intptr_t& result) override;
    bool PreTranslateMessage(const Message& m) override;

    CHyperLink& Link() { return m_link; }

private:
    CHyperLink m_link;
    HWindow hwnd_ = HWindow::None;
};

}  // namespace lv
