#pragma once

#include <windows.h>

#include <map>

#include "platform/ui.h"

namespace lv::win32 {

class Win32Ui : public IUi {
public:
    void InitDialogFramework() override;
    HWindow CreateModelessDialog(int templateId, IDialogHandler* handler) override;
    std::intptr_t RunModalDialog(int templateId, IDialogHandler* handler) override;
    void EndDialog(HWindow dlg, std::intptr_t result) override;
    void DestroyWindow(HWindow wnd) override;
    bool IsWindow(HWindow wnd) override;
    HWindow GetDlgItem(HWindow dlg, int id) override;
    void GetWindowText(HWindow wnd, char* text, int size) override;
    Rect GetWindowRect(HWindow wnd) override;
    void MoveWindow(HWindow wnd, const Rect& rect, bool repaint) override;
    void CentreWindow(HWindow wnd) override;
    void ShowWindow(HWindow wnd, bool show) override;
    void PaintNow(HWindow wnd) override;
    int GetSystemMetrics(int index) override;
    HBitmap LoadBitmapByName(const char* name) override;
    Point GetBitmapSize(HBitmap bitmap) override;
    void SetButtonBitmaps(HWindow button, const HBitmap pictures[4]) override;
    void SetWindowSize(HWindow wnd, std::int32_t width, std::int32_t height) override;
};

inline HWND ToHwnd(HWindow wnd) { return reinterpret_cast<HWND>(wnd); }
inline HWindow FromHwnd(HWND hwnd) { return HWindow(reinterpret_cast<std::uintptr_t>(hwnd)); }

}  // namespace lv::win32
