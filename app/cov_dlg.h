// The splash window: the title picture on a bitmap button, the picture's
// size, centred on the screen.
#pragma once

#include "platform/dialogs.h"

namespace lv {

constexpr int IDD_SPLASH = 130;
constexpr int IDC_SPLASH_PICTURE = 5000;

class CCovDlg : public IDialogHandler {
public:
    // Creates the window modelessly; the template is visible, so it shows.
    bool Create();
    void DestroyWindow();
    HWindow Window() const { return hwnd_; }

    std::intptr_t OnInitDialog(HWindow dlg) override;

private:
    void BindPictureButton(HWindow dlg);

    HWindow hwnd_ = HWindow::None;
    HWindow button_ = HWindow::None;
};

}  // namespace lv
