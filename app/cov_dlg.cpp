#include "app/cov_dlg.h"

#include <cstdio>

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
    HBitmap pictures[4] = {};
    for (int i = 0; i < 4; ++i) {
        char name[sizeof text + 1];
        std::snprintf(name, sizeof name, "%s%c", text, kSuffixes[i]);
        pictures[i] = ui.LoadBitmapByName(name);
    }
    ui.SetButtonBitmaps(button_, pictures);
    if (IsNone(pictures[0])) return;
    const Point size = ui.GetBitmapSize(pictures[0]);
    Windows().SetWindowSize(button_, size.x, size.y);
}

}  // namespace lv
