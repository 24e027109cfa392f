// The window framework the program's dialogs stand on: dialogs built from
// resource templates (modeless or run modally), their messages handed to a
// handler in the logic, their controls and pictures. Where windows are and
// how they show is platform/windows.h.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

// One window message as the logic sees it.
struct Message {
    HWindow hwnd = HWindow::None;
    std::uint32_t msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// The logic side of a dialog. The platform's dialog procedure calls these and
// does nothing else of its own beyond the framework's default handling.
class IDialogHandler {
public:
    virtual ~IDialogHandler() = default;
    // WM_INITDIALOG. The answer is the dialog procedure's answer (TRUE lets
    // the system set the focus); a modal dialog whose initialisation answers
    // -1 still runs, as a framework dialog does.
    virtual std::intptr_t OnInitDialog(HWindow dlg) = 0;
    // Any other message. Answer true and set `result` when handled; false
    // leaves the message to the default handling.
    virtual bool OnMessage(const Message& /*m*/, std::intptr_t& /*result*/) { return false; }
    // Called for every message of a modal loop before dispatch, including
    // those for child windows. Answer true to swallow it.
    virtual bool PreTranslateMessage(const Message& /*m*/) { return false; }
};

class IDialogs {
public:
    virtual ~IDialogs() = default;

    // Common controls and the look of dialog controls; called once at start.
    virtual void InitDialogFramework() = 0;

    // A modeless dialog from a template, no parent. The handler must outlive
    // the window. None when the template cannot be used.
    virtual HWindow CreateModelessDialog(int templateId, IDialogHandler* handler) = 0;
    // Runs a dialog modally with its own message loop until EndDialog; the
    // default close handling (WM_CLOSE) ends it with kIdCancel. Owned by
    // `owner` (it stays above it and has no taskbar button), which is
    // disabled while it runs, as the dialog manager's own modal dialogs
    // do. Answers the result, or -1 when the dialog could not be created.
    virtual std::intptr_t RunModalDialog(int templateId, IDialogHandler* handler, HWindow owner = HWindow::None) = 0;
    virtual void EndDialog(HWindow dlg, std::intptr_t result) = 0;
    virtual void DestroyWindow(HWindow wnd) = 0;

    virtual HWindow GetDlgItem(HWindow dlg, int id) = 0;
    // Up to `size` - 1 characters of the window text, always terminated.
    virtual void GetWindowText(HWindow wnd, char* text, int size) = 0;
    // Paints the window and its children now, without the message loop.
    virtual void PaintNow(HWindow wnd) = 0;

    // A bitmap resource by name ("#177" for a number); None when there is
    // none. The caller owns it, or hands it over.
    virtual HBitmap LoadBitmapByName(const char* name) = 0;
    // The same drawn into `size` with halftone filtering: a picture drawn
    // at twice the size shown at the scale of its monitor.
    virtual HBitmap LoadBitmapScaled(const char* name, Point size) = 0;
    virtual Point GetBitmapSize(HBitmap bitmap) = 0;
    virtual void DeleteBitmap(HBitmap bitmap) = 0;
    // Makes an owner-drawn button paint these pictures: normal, pressed,
    // focused, disabled (any may be None; the normal one stands in for it).
    // The button takes ownership of the bitmaps.
    virtual void SetButtonBitmaps(HWindow button, const HBitmap pictures[4]) = 0;

    // A picture control (SS_BITMAP) shows the bitmap at its own size and
    // takes it over; the one it showed before, if it was set here, is
    // deleted.
    virtual void SetStaticBitmap(HWindow control, HBitmap picture) = 0;

    // The window's large and small icons (WM_SETICON).
    virtual void SetWindowIcons(HWindow wnd, HIcon icon) = 0;
    // Answers a message the way the system's default window procedure would.
    virtual std::intptr_t DefaultWindowProc(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                            std::intptr_t lParam) = 0;
    // WM_PAINT for a minimised window: the background erased through
    // WM_ICONERASEBKGND, then the icon drawn at (x, y) of the client area.
    virtual void PaintIconic(HWindow wnd, HIcon icon, std::int32_t x, std::int32_t y) = 0;
};

}  // namespace lv
