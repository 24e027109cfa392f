#include "app/cov_dlg.h"

#include <cstdio>

#include "dialogs/scaled_picture.h"
#include "link/monitors.h"
#include "platform/platform.h"

namespace lv {

bool CCovDlg::Create() {
    hwnd_ = Dialogs().CreateModelessDialog(IDD_SPLASH, this);
    return !IsNone(hwnd_);
}

void CCovDlg::DestroyWindow() {
    if (IsNone(hwnd_)) return;
    Dialogs().DestroyWindow(hwnd_);
    hwnd_ = HWindow::None;
}

std::intptr_t CCovDlg::OnInitDialog(HWindow dlg) {
    hwnd_ = dlg;
    IWindows& windows = Windows();
    BindPictureButton(dlg);
    // The dialog takes the picture's size in place of the template's.
    if (!IsNone(button_)) windows.MoveWindow(dlg, windows.GetWindowRect(button_), false);
    windows.CentreWindow(dlg);
    return 1;
}

// The button's pictures are the bitmaps named after its text with U (up),
// D (down), F (focused) and X (disabled) added; the button takes the normal
// picture's size.
void CCovDlg::BindPictureButton(HWindow dlg) {
    IDialogs& ui = Dialogs();
    button_ = ui.GetDlgItem(dlg, IDC_SPLASH_PICTURE);
    if (IsNone(button_)) return;
    char text[64];
    ui.GetWindowText(button_, text, sizeof text);
    static constexpr char kSuffixes[4] = {'U', 'D', 'F', 'X'};
    // At the scale of the monitor it shows on: each picture's 2x drawing
    // ("COVU2X") shown at that scale.
    const std::uint32_t dpi = MonitorOfRegion(Windows().GetWindowRect(dlg)).dpi;
    HBitmap pictures[4] = {};
    for (int i = 0; i < 4; ++i) {
        char name[sizeof text + 1];
        char name2x[sizeof text + 3];
        std::snprintf(name, sizeof name, "%s%c", text, kSuffixes[i]);
        std::snprintf(name2x, sizeof name2x, "%s%c2X", text, kSuffixes[i]);
        pictures[i] = LoadPictureAtDpi(name, name2x, dpi);
    }
    ui.SetButtonBitmaps(button_, pictures);
    if (IsNone(pictures[0])) return;
    const Point size = ui.GetBitmapSize(pictures[0]);
    Windows().SetWindowSize(button_, size.x, size.y);
}

}  // namespace lv
