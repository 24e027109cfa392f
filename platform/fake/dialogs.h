// Dialogs of the simulated desktop, kept in its one window table (windows.h). Templates say how
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
#include "platform/fake/windows.h"
#include "platform/dialogs.h"

namespace lv::fake {

struct FakeControl {
    int id = 0;
    std::string text;
    Rect rect;  // relative to the dialog's top-left corner
    std::string className;
    std::uint32_t style = 0;
};

struct FakeTemplate {
    Rect rect;  // in pixels, as the template's dialog units work out
    bool visible = false;
    std::vector<FakeControl> controls;
};

class FakeDialogs : public IDialogs {
public:
    FakeDialogs(FakeClock& clock, EventLog& log, FakeWindows& windows);

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
    int deletedBitmaps = 0;
    // The bitmap each picture control was given: its resource name and size.
    struct Picture {
        std::string name;
        Point size;
    };
    std::map<HWindow, Picture> staticBitmaps;
    std::string NameOf(HBitmap bitmap) const;
    void SetWindowIcons(HWindow wnd, HIcon icon) override;
    std::intptr_t DefaultWindowProc(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                    std::intptr_t lParam) override;
    void PaintIconic(HWindow wnd, HIcon icon, std::int32_t x, std::int32_t y) override;

    // Delivers a message to a dialog's handler as its dialog procedure would;
    // unhandled WM_CLOSE ends a modal dialog with kIdCancel.
    std::intptr_t Send(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam = 0,
                       std::intptr_t lParam = 0);

    // A message for the window's queue, delivered by Pump() in order.
    void PostMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // Delivers every queued message, including those posted meanwhile.
    void Pump();

    std::map<int, FakeTemplate> templates;
    std::map<std::string, Point> bitmaps;  // resource name -> size
    // Runs while a modal dialog is up, as the user would act on it.
    std::function<void(HWindow)> modalScript;
    bool frameworkReady = false;
    std::map<std::uintptr_t, HIcon> windowIcons;
    int iconicPaints = 0;
    Point iconicAt;  // where the last minimised paint drew the icon
    int defaultProcCalls = 0;

private:
    HWindow Create(int templateId, IDialogHandler* handler, bool modal, HWindow owner = HWindow::None);

    FakeClock& clock_;
    EventLog& log_;
    FakeWindows& windows_;
    std::deque<Message> queue_;
    std::map<std::uintptr_t, std::string> loadedBitmaps_;
    std::map<std::uintptr_t, Point> scaledSizes_;
    std::uintptr_t nextBitmap_ = 0x5000;
};

}  // namespace lv::fake
