// The floating bar: the program's one window for the rest of its life.
// For now a small strip at the top centre of the screen that the user closes
// with Escape or Alt+F4; closing it ends the program.
#pragma once

#include "platform/ui.h"

namespace lv {

constexpr int IDD_BAR = 102;
constexpr int kBarWidth = 95;
constexpr int kBarHeight = 24;

class CLvDlg : public IDialogHandler {
public:
    // Runs the bar modally; answers the dialog's result.
    std::intptr_t DoModal();

    std::intptr_t OnInitDialog(HWindow dlg) override;

    HWindow Window() const { return hwnd_; }

private:
    HWindow hwnd_ = HWindow::None;
};

}  // namespace lv
