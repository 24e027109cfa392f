#include "bar/lv_dlg.h"

#include "platform/platform.h"

namespace lv {

std::intptr_t CLvDlg::DoModal() { return Ui().RunModalDialog(IDD_BAR, this); }

std::intptr_t CLvDlg::OnInitDialog(HWindow dlg) {
    hwnd_ = dlg;
    IUi& ui = Ui();
    const std::int32_t left = ui.GetSystemMetrics(kSmCxScreen) / 2 - 50;
    ui.MoveWindow(dlg, Rect{left, 0, left + kBarWidth, kBarHeight}, true);
    ui.ShowWindow(dlg, true);
    return 1;
}

}  // namespace lv
