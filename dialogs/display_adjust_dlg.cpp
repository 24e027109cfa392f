// The Display adjust dialog from template 149, centred, its sliders at the
// middle of their range; OK, Cancel, Escape and the close box are the
// default handling's.
#include "dialogs/display_adjust_dlg.h"

#include "platform/platform.h"
#include "res/resource.h"

namespace lv {

static_assert(IDD_DISPLAY_ADJUST == IDD_DISPLAY && IDC_BRIGHTNESS == IDC_SLIDER_BRIGHTNESS &&
                  IDC_CONTRAST == IDC_SLIDER_CONTRAST && IDC_SHARPNESS == IDC_SLIDER_SHARPNESS,
              "the template's ids");

std::intptr_t CDisplayAdjustDlg::DoModal(HWindow owner) {
    const std::intptr_t result = Dialogs().RunModalDialog(IDD_DISPLAY_ADJUST, this, owner);
    hwnd_ = HWindow::None;
    return result;
}

std::intptr_t CDisplayAdjustDlg::OnInitDialog(HWindow dlg) {
    hwnd_ = dlg;
    // A trackbar keeps no settings in the template: each opening starts
    // them afresh here.
    for (int id : {IDC_BRIGHTNESS, IDC_CONTRAST, IDC_SHARPNESS}) {
        const HWindow slider = Dialogs().GetDlgItem(dlg, id);
        if (!IsNone(slider)) Controls().SetSlider(slider, kSliderMinimum, kSliderMaximum, kSliderStart);
    }
    Windows().CentreWindow(dlg);
    return 1;
}

}  // namespace lv
