// The Display adjust dialog: three sliders (brightness, contrast,
// sharpness) with OK and Cancel. Nothing is read from them or stored: the
// dialog changes nothing, whichever way it is closed.
#pragma once

#include "platform/dialogs.h"

namespace lv {

constexpr int IDD_DISPLAY_ADJUST = 149;
constexpr int IDC_BRIGHTNESS = 1007;
constexpr int IDC_CONTRAST = 1008;
constexpr int IDC_SHARPNESS = 1009;
// Each slider's range and where it starts, every time the dialog opens.
constexpr int kSliderMinimum = 0;
constexpr int kSliderMaximum = 100;
constexpr int kSliderStart = 50;

class CDisplayAdjustDlg : public IDialogHandler {
public:
    // Runs the dialog modally over `owner`; answers the dialog's result.
    std::intptr_t DoModal(HWindow owner = HWindow::None);

    std::intptr_t OnInitDialog(HWindow dlg) override;
    // The dialog while it runs; none before and after.
    HWindow Window() const { return hwnd_; }

private:
    HWindow hwnd_ = HWindow::None;
};

}  // namespace lv
