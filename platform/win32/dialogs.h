#pragma once

#include <windows.h>

#include <map>

#include "platform/dialogs.h"

namespace lv::win32 {

class Win32Dialogs : public IDialogs {
public:
    void InitDialogFramework() override;
    HWindow CreateModelessDialog(int templateId, IDialogHandler* handler) override;
    std::intptr_t RunModalDialog(int templateId, IDialogHandler* handler, HWindow owner = HWindow::None) override;
    void EndDialog(HWindow dlg, std::intptr_t result) override;
    void DestroyWindow(HWindow wnd) override;
    HWindow GetDlgItem(HWindow dlg, int id) override;
    void GetWindowText(HWindow wnd, char* text, int size) override;
    void PaintNow(HWindow wnd) override;
    HBitmap LoadBitmapByName(const char* name) override;
    Point GetBitmapSize(HBitmap bitmap) override;
    void SetButtonBitmaps(HWindow button, const HBitmap pictures[4]) override;
    void SetStaticBitmap(HWindow control, HBitmap picture) override;
    HBitmap LoadBitmapScaled(const char* name, Point size) override;
    void DeleteBitmap(HBitmap bitmap) override;
    void SetWindowIcons(HWindow wnd, HIcon icon) override;
    std::intptr_t DefaultWindowProc(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                    std::intptr_t lParam) override;
    void PaintIconic(HWindow wnd, HIcon icon, std::int32_t x, std::int32_t y) override;
};

inline HWND ToHwnd(HWindow wnd) { return reinterpret_cast<HWND>(wnd); }
inline HWindow FromHwnd(HWND hwnd) { return HWindow(reinterpret_cast<std::uintptr_t>(hwnd)); }

}  // namespace lv::win32
