// A fixture that runs the bar on a fresh simulated desktop with other
// programs' windows, and reads what the monitor was sent.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bar/lv_dlg.h"
#include "link/screen_link.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"

namespace lv {

constexpr Rect kTargetRect{100, 100, 500, 400};  // client 104 124 496 396 on the screen

class BarOnDesktopTest : public testing::Test {
public:
    // Runs the bar on a fresh desktop, the program's records afresh too;
    // `world` builds other programs' windows before the bar starts, `user`
    // acts while it is up.
    void Run(const std::function<void(fake::FakeDesktop&)>& world,
             const std::function<void(CLvDlg&, HWindow)>& user) {
        TheSelection() = SelectionState{};
        TheScreenLink().ForgetMonitors();
        CTrayNotifyIcon::SetActivationState(STATE_IDLE);
        seen_ = 0;
        desk.reset();  // the old desktop puts back what it replaced first
        desk = std::make_unique<fake::FakeDesktop>(1024, 768);
        if (world) world(*desk);
        CLvDlg bar;
        desk->dialogs.modalScript = [&](HWindow dlg) {
            dlg_ = dlg;
            user(bar, dlg);
        };
        bar.DoModal();
    }

    void TrayClick() { desk->dialogs.Send(dlg_, WM_TRAY_NOTIFY, 128, kWmLButtonUp); }
    // The hand, from now on: steps at times relative to now.
    void Hand(std::vector<fake::FakeMouseInput::Step> steps) {
        for (auto& s : steps) s.atMs += desk->clock.Now();
        desk->mouse.Script(steps);
    }
    // A press and release at one place, held for 100 ms.
    void ClickAt(Point p) { Hand({{0, p, false, false}, {30, p, true, false}, {130, p, false, false}}); }
    // What the monitor was sent since the last call: "off", "region L T R B".
    std::vector<std::string> Sends() {
        std::vector<std::string> out;
        const auto& entries = desk->log.Entries();
        const std::string prefix = "trace lumivane: send ";
        for (; seen_ < entries.size(); ++seen_) {
            if (entries[seen_].what.rfind(prefix, 0) == 0) out.push_back(entries[seen_].what.substr(prefix.size()));
        }
        return out;
    }
    // An ordinary top-level window of another program, in front.
    HWindow AddTarget(const Rect& r = kTargetRect, const char* cls = "Notepad") {
        const HWindow w = desk->windows.AddWindow(cls, r, HWindow::None, fake::kCaptionFrame);
        desk->windows.Activate(w);
        return w;
    }

    std::unique_ptr<fake::FakeDesktop> desk;
    HWindow dlg_ = HWindow::None;
    std::size_t seen_ = 0;
};

}  // namespace lv
