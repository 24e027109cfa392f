// Dialogs and top-level windows of the simulated desktop. Templates say how
// big a dialog comes out and which controls it has; a modal dialog runs a
// script the test gives it, standing in for the user, and ends when the
// script or the default close handling ends it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/ui.h"

namespace lv::fake {

struct FakeControl {
    int id = 0;
    std::string text;
    Rect rect;  // relative to the dialog's top-left corner
};

struct FakeTemplate {
    Rect rect;  // in pixels, as the template's dialog units work out
    bool visible = false;
    std::vector<FakeControl> controls;
};

struct FakeWindow {
    HWindow handle = HWindow::None;
    HWindow parent = HWindow::None;
    std::string className;
    int templateId = 0;
    int controlId = 0;
    std::string text;
    Rect rect;  // screen coordinates
    bool visible = false;
    bool topmost = false;
    bool minimised = false;
    bool destroyed = false;
    bool modal = false;
    bool ended = false;
    std::intptr_t result = 0;
    IDialogHandler* handler = nullptr;
    int paints = 0;
    HBitmap pictures[4] = {};
};

class FakeUi : public IUi {
public:
    FakeUi(FakeClock& clock, EventLog& log, std::int32_t width, std::int32_t height);

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

    // Delivers a message to a dialog's handler as its dialog procedure would;
    // unhandled WM_CLOSE ends a modal dialog with kIdCancel.
    std::intptr_t Send(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam = 0,
                       std::intptr_t lParam = 0);

    // A message for the window's queue, delivered by Pump() in order.
    void PostMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // Delivers every queued message, including those posted meanwhile.
    void Pump();
    // A window of another program (the taskbar, a media player, ...).
    HWindow AddWindow(const std::string& className, const Rect& rect, HWindow parent = HWindow::None);

    FakeWindow* Find(HWindow wnd);
    // Children of a window in creation order, and their children after each.
    std::vector<HWindow> Descendants(HWindow parent) const;
    // Windows made from a template, live or destroyed, in creation order.
    std::vector<const FakeWindow*> WindowsFrom(int templateId) const;
    // Live dialogs without a parent, in creation order.
    std::vector<HWindow> TopLevelWindows() const;

    std::map<int, FakeTemplate> templates;
    std::map<std::string, Point> bitmaps;  // resource name -> size
    std::int32_t screenWidth;
    std::int32_t screenHeight;
    // Runs while a modal dialog is up, as the user would act on it.
    std::function<void(HWindow)> modalScript;
    bool frameworkReady = false;

private:
    HWindow Create(int templateId, IDialogHandler* handler, bool modal);

    FakeClock& clock_;
    EventLog& log_;
    std::deque<FakeWindow> windows_;  // a deque: handles and pointers stay valid
    std::deque<Message> queue_;
    std::map<std::uintptr_t, std::string> loadedBitmaps_;
};

}  // namespace lv::fake
