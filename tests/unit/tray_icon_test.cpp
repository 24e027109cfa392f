// The notification-area icon as the shell sees it: the records the program
// passes, what the area shows, the hidden windows and timers behind it, and
// what comes back to the notify window when the user clicks.
#include "tray/ntray.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/constants.h"
#include "platform/fake/fake_desktop.h"
#include "tray/tray_ressurection_wnd.h"
#include "tray/tray_timer_wnd.h"

namespace lv {
namespace {

using fake::FakeDesktop;

constexpr std::uint32_t kIconId = 128;
constexpr std::uint32_t kCallback = kWmUser + 100;
constexpr char kTip[] = "Lumivane 2.05 ";

// The window the shell's callbacks reach: it hands them to the icon, as the
// bar does, and keeps what it got.
class NotifyWindow : public IDialogHandler {
public:
    std::intptr_t OnInitDialog(HWindow) override { return 1; }
    bool OnMessage(const Message& m, std::intptr_t& result) override {
        if (m.msg != kCallback) return false;
        got.push_back(m);
        result = icon != nullptr ? icon->OnIconNotify(m.wParam, m.lParam) : 0;
        return true;
    }
    CTrayNotifyIcon* icon = nullptr;
    std::vector<Message> got;
};

class TrayIconTest : public ::testing::Test {
protected:
    TrayIconTest() {
        notifyWnd = desk.dialogs.CreateModelessDialog(102, &notify);
        icon = std::make_unique<CTrayNotifyIcon>();
        notify.icon = icon.get();
        frame128 = desk.shell.LoadOwnIcon(128);
        a = desk.shell.MakeIcon("A");
        b = desk.shell.MakeIcon("B");
        c = desk.shell.MakeIcon("C");
    }
    ~TrayIconTest() override { icon.reset(); }

    // As the bar creates it: one frame, resource 128, every 1000 ms.
    bool CreateAsTheProgramDoes() {
        return icon->CreateAnimated(notifyWnd, kIconId, kTip, &frame128, 1, 1000, kCallback);
    }
    std::string Shown() const {
        const fake::TrayIcon* shown = desk.shell.Icon(kIconId);
        return shown == nullptr ? "(none)" : desk.shell.NameOf(shown->hIcon);
    }
    const fake::TrayCall& LastCall() const { return desk.shell.calls.back(); }
    std::size_t Calls() const { return desk.shell.calls.size(); }
    std::size_t Windows(const char* title) const {
        return desk.messages.HiddenWindowsTitled(title).size();
    }

    FakeDesktop desk;
    NotifyWindow notify;
    HWindow notifyWnd = HWindow::None;
    std::unique_ptr<CTrayNotifyIcon> icon;
    HIcon frame128 = HIcon::None, a = HIcon::None, b = HIcon::None, c = HIcon::None;
};

TEST_F(TrayIconTest, CreateAddsOneRecordWithEverything) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    ASSERT_EQ(Calls(), 1u);
    const fake::TrayCall& add = LastCall();
    EXPECT_EQ(add.command, kNimAdd);
    EXPECT_EQ(add.data.cbSize, 88u);
    EXPECT_EQ(add.data.uFlags, 7u);
    EXPECT_EQ(add.data.hWnd, notifyWnd);
    const fake::TrayIcon* shown = desk.shell.Icon(kIconId);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(desk.shell.NameOf(shown->hIcon), "own 128");
    EXPECT_EQ(shown->tip, kTip);
    EXPECT_EQ(shown->uCallbackMessage, kCallback);
    EXPECT_EQ(icon->GetTooltip(), kTip);
    EXPECT_EQ(icon->GetNotifyWindow(), notifyWnd);
    EXPECT_TRUE(icon->IsIconShown());
    EXPECT_EQ(Windows(kResurrectionWindowTitle), 1u);
    EXPECT_EQ(Windows(kAnimationWindowTitle), 1u);
    EXPECT_EQ(desk.shell.malformed, 0);
}

TEST_F(TrayIconTest, RefusedAddLeavesAnIconThatAnswersFalse) {
    desk.shell.refuseAdd = true;
    EXPECT_FALSE(CreateAsTheProgramDoes());
    EXPECT_FALSE(icon->IsCreated());
    const std::size_t calls = Calls();
    EXPECT_FALSE(icon->SetTooltip("x"));
    EXPECT_FALSE(icon->SetIcon(a));
    EXPECT_FALSE(icon->SetIconResource(145));
    EXPECT_FALSE(icon->SetNotifyWindow(notifyWnd));
    EXPECT_EQ(icon->GetTooltip(), "");
    EXPECT_TRUE(IsNone(icon->GetIcon()));
    icon->RemoveIcon();
    EXPECT_EQ(Calls(), calls);  // none of these reached the shell
}

TEST_F(TrayIconTest, MissingHiddenWindowsAddNothing) {
    for (const char* title : {kResurrectionWindowTitle, kAnimationWindowTitle}) {
        FakeDesktop desk;
        HWindow wnd = desk.dialogs.CreateModelessDialog(102, nullptr);
        desk.messages.refuseTitles.insert(title);
        CTrayNotifyIcon icon;
        EXPECT_FALSE(icon.CreateAnimated(wnd, kIconId, kTip, &frame128, 1, 1000, kCallback)) << title;
        EXPECT_TRUE(desk.shell.calls.empty()) << title;
        if (std::string(title) == kAnimationWindowTitle) {
            // Nothing was started: not even the resurrection window.
            EXPECT_TRUE(desk.messages.HiddenWindowsTitled(kResurrectionWindowTitle).empty());
        }
    }
}

TEST_F(TrayIconTest, TooltipsHoldAtMost63Characters) {
    struct Case {
        std::size_t length;
        std::size_t kept;
    };
    for (const Case& k : {Case{0, 0}, Case{62, 62}, Case{63, 63}, Case{64, 63}, Case{300, 63}}) {
        const std::string text(k.length, 't');
#ifndef NDEBUG
        if (k.length > 63) {
            EXPECT_DEATH(icon->SetTooltip(text.c_str()), "kTipSize");
            continue;
        }
#endif
        if (!icon->IsCreated()) {
            ASSERT_TRUE(icon->Create(notifyWnd, kIconId, "", a, kCallback));
        }
        EXPECT_TRUE(icon->SetTooltip(text.c_str())) << k.length;
        EXPECT_EQ(LastCall().data.uFlags, kNifTip);
        EXPECT_EQ(desk.shell.Icon(kIconId)->tip, text.substr(0, k.kept)) << k.length;
        EXPECT_EQ(icon->GetTooltip(), text.substr(0, k.kept)) << k.length;
    }
    EXPECT_EQ(desk.shell.malformed, 0);  // every record's tooltip was terminated
}

TEST_F(TrayIconTest, TooLongTooltipAtCreateIsCut) {
    const std::string text(100, 'x');
#ifndef NDEBUG
    EXPECT_DEATH(icon->Create(notifyWnd, kIconId, text.c_str(), a, kCallback), "kTipSize");
#else
    ASSERT_TRUE(icon->Create(notifyWnd, kIconId, text.c_str(), a, kCallback));
    EXPECT_EQ(desk.shell.Icon(kIconId)->tip, std::string(63, 'x'));
    EXPECT_EQ(desk.shell.malformed, 0);
#endif
}

TEST_F(TrayIconTest, TooltipFromTheStringTable) {
    desk.shell.strings[61] = "From the table";
    ASSERT_TRUE(CreateAsTheProgramDoes());
    EXPECT_TRUE(icon->SetTooltip(std::uint32_t{61}));
    EXPECT_EQ(desk.shell.Icon(kIconId)->tip, "From the table");
#ifdef NDEBUG
    const std::size_t calls = Calls();
    EXPECT_FALSE(icon->SetTooltip(std::uint32_t{62}));  // no such string
    EXPECT_EQ(Calls(), calls);
#endif
}

TEST_F(TrayIconTest, HideTwiceDeletesOnceAndShowTwiceAddsOnce) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    icon->ShowIcon();  // already shown
    EXPECT_EQ(Calls(), 1u);
    icon->HideIcon();
    icon->HideIcon();
    EXPECT_EQ(desk.shell.CallsOf(kNimDelete), 1);
    EXPECT_EQ(LastCall().data.uFlags, kNifIcon);
    EXPECT_FALSE(icon->IsIconShown());
    EXPECT_EQ(desk.shell.Icon(kIconId), nullptr);
    icon->ShowIcon();
    icon->ShowIcon();
    EXPECT_EQ(desk.shell.CallsOf(kNimAdd), 2);
    EXPECT_EQ(LastCall().data.uFlags, 7u);
    ASSERT_NE(desk.shell.Icon(kIconId), nullptr);
    EXPECT_EQ(desk.shell.Icon(kIconId)->tip, kTip);
    EXPECT_EQ(desk.shell.Icon(kIconId)->uCallbackMessage, kCallback);
}

TEST_F(TrayIconTest, ReAddDeletesAndAddsWithTheSameRecord) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    icon->SetIconResource(145);
    icon->ReAddIcon();
    EXPECT_EQ(desk.shell.calls[desk.shell.calls.size() - 2].command, kNimDelete);
    EXPECT_EQ(LastCall().command, kNimAdd);
    EXPECT_EQ(Shown(), "own 145");
}

TEST_F(TrayIconTest, TaskbarRestartBringsAShownIconBack) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    icon->SetIconResource(146);
    icon->SetTooltip("changed");
    const std::size_t before = Calls();
    desk.shell.RestartTaskbar();
    ASSERT_EQ(Calls(), before + 2);
    EXPECT_EQ(desk.shell.calls[before].command, kNimDelete);
    EXPECT_EQ(desk.shell.calls[before + 1].command, kNimAdd);
    const fake::TrayIcon* back = desk.shell.Icon(kIconId);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(desk.shell.NameOf(back->hIcon), "own 146");
    EXPECT_EQ(back->tip, "changed");
    EXPECT_EQ(back->uCallbackMessage, kCallback);
    EXPECT_TRUE(icon->IsIconShown());
}

TEST_F(TrayIconTest, TaskbarRestartLeavesOtherIconsAlone) {
    struct Case {
        const char* what;
        void (*prepare)(CTrayNotifyIcon&);
        bool shownAfter;
    };
    const Case cases[] = {
        {"hidden", [](CTrayNotifyIcon& i) { i.HideIcon(); }, false},
        {"removed", [](CTrayNotifyIcon& i) { i.RemoveIcon(); }, true},
    };
    for (const Case& k : cases) {
        FakeDesktop desk;
        HWindow wnd = desk.dialogs.CreateModelessDialog(102, nullptr);
        CTrayNotifyIcon icon;
        ASSERT_TRUE(icon.Create(wnd, kIconId, kTip, desk.shell.LoadOwnIcon(128), kCallback));
        k.prepare(icon);
        const std::size_t before = desk.shell.calls.size();
        desk.shell.RestartTaskbar();
        EXPECT_EQ(desk.shell.calls.size(), before) << k.what;  // no shell call at all
        EXPECT_EQ(desk.shell.Icon(kIconId), nullptr) << k.what;
        EXPECT_EQ(icon.IsIconShown(), k.shownAfter) << k.what;
    }
}

TEST_F(TrayIconTest, TaskbarRestartAfterARefusedAddAddsNothing) {
    desk.shell.refuseAdd = true;
    EXPECT_FALSE(CreateAsTheProgramDoes());
    desk.shell.refuseAdd = false;
    desk.shell.RestartTaskbar();
    EXPECT_EQ(desk.shell.Icon(kIconId), nullptr);
    EXPECT_EQ(Calls(), 1u);
}

TEST_F(TrayIconTest, HiddenIconComesBackWithTheNextShow) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    icon->HideIcon();
    desk.shell.RestartTaskbar();
    icon->ShowIcon();
    EXPECT_EQ(Shown(), "own 128");
}

TEST_F(TrayIconTest, FramesFollowOneAnotherEachPeriod) {
    const HIcon frames[] = {a, b, c};
    ASSERT_TRUE(icon->CreateAnimated(notifyWnd, kIconId, kTip, frames, 3, 200, kCallback));
    EXPECT_EQ(Shown(), "A");
    std::vector<std::string> seen;
    for (int tick = 0; tick < 4; ++tick) {
        desk.RunFor(200);
        seen.push_back(Shown());
        EXPECT_EQ(desk.shell.NameOf(icon->GetIcon()), Shown());  // the frame sent last
        EXPECT_EQ(LastCall().command, kNimModify);
        EXPECT_EQ(LastCall().data.uFlags, kNifIcon);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"B", "C", "A", "B"}));
    EXPECT_TRUE(icon->IsAnimated());
}

TEST_F(TrayIconTest, OneFrameAnimationResendsTheSameIconEverySecond) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    desk.RunFor(999);
    EXPECT_EQ(desk.shell.CallsOf(kNimModify), 0);
    desk.RunFor(1);
    desk.RunFor(2000);
    ASSERT_EQ(desk.shell.CallsOf(kNimModify), 3);
    for (const fake::TrayCall& call : desk.shell.calls) {
        EXPECT_EQ(desk.shell.NameOf(call.data.hIcon), "own 128");
        if (call.command == kNimModify) {
            EXPECT_EQ(call.timeMs % 1000, 0u);
        }
    }
    // The first state change ends it.
    icon->SetIconResource(std::uint16_t{145});
    const std::size_t calls = Calls();
    desk.RunFor(5000);
    EXPECT_EQ(Calls(), calls);
    EXPECT_EQ(Windows(kAnimationWindowTitle), 0u);
    EXPECT_TRUE(desk.messages.Timers().empty());
}

TEST_F(TrayIconTest, ChangingTheIconStopsTheAnimationFirst) {
    struct Case {
        const char* what;
        bool (*change)(CTrayNotifyIcon&, HIcon);
        const char* shown;
    };
    const Case cases[] = {
        {"SetIcon", [](CTrayNotifyIcon& i, HIcon x) { return i.SetIcon(x); }, "X"},
        {"SetIconResource", [](CTrayNotifyIcon& i, HIcon) { return i.SetIconResource(std::uint16_t{146}); }, "own 146"},
        {"SetIconResource by name", [](CTrayNotifyIcon& i, HIcon) { return i.SetIconResource("#145"); }, "own 145"},
        // Only the low 16 bits of the id are the icon's number.
        {"SetSystemIcon", [](CTrayNotifyIcon& i, HIcon) { return i.SetSystemIcon(0x10000u | kIdiHand); }, "system 32513"},
    };
    for (const Case& k : cases) {
        FakeDesktop desk;
        HWindow wnd = desk.dialogs.CreateModelessDialog(102, nullptr);
        const HIcon frames[] = {desk.shell.MakeIcon("A"), desk.shell.MakeIcon("B")};
        CTrayNotifyIcon icon;
        ASSERT_TRUE(icon.CreateAnimated(wnd, kIconId, kTip, frames, 2, 500, kCallback));
        desk.RunFor(500);
        const int closes = desk.log.Count("hidden destroy");
        EXPECT_TRUE(k.change(icon, desk.shell.MakeIcon("X"))) << k.what;
        // The animation window was gone before the new icon was sent.
        const int destroy = desk.log.Find("hidden destroy " + std::string(kAnimationWindowTitle));
        EXPECT_GE(destroy, 0) << k.what;
        EXPECT_LT(destroy, desk.log.Find("tray modify", destroy)) << k.what;
        EXPECT_EQ(desk.log.Count("hidden destroy"), closes + 1) << k.what;
        EXPECT_EQ(desk.shell.NameOf(icon.GetIcon()), k.shown) << k.what;
        EXPECT_EQ(desk.shell.NameOf(desk.shell.Icon(kIconId)->hIcon), k.shown) << k.what;
        EXPECT_FALSE(icon.IsAnimated()) << k.what;
        desk.RunFor(3000);
        EXPECT_EQ(desk.shell.NameOf(desk.shell.Icon(kIconId)->hIcon), k.shown) << k.what;
    }
}

TEST_F(TrayIconTest, SetAnimatedIconsStartsFromTheFirstFrame) {
    ASSERT_TRUE(icon->Create(notifyWnd, kIconId, kTip, frame128, kCallback));
    const HIcon frames[] = {a, b, c};
    EXPECT_TRUE(icon->SetAnimatedIcons(frames, 3, 100));
    EXPECT_EQ(Shown(), "A");
    desk.RunFor(100);
    EXPECT_EQ(Shown(), "B");
    // A second list replaces the first: one animation window, one timer.
    const HIcon others[] = {c, a};
    EXPECT_TRUE(icon->SetAnimatedIcons(others, 2, 300));
    EXPECT_EQ(Windows(kAnimationWindowTitle), 1u);
    EXPECT_EQ(desk.messages.Timers().size(), 1u);
    desk.RunFor(300);
    EXPECT_EQ(Shown(), "A");
}

TEST_F(TrayIconTest, SetAnimatedIconsWithoutItsWindowKeepsTheFirstFrame) {
    ASSERT_TRUE(icon->Create(notifyWnd, kIconId, kTip, frame128, kCallback));
    desk.messages.refuseTitles.insert(kAnimationWindowTitle);
    const HIcon frames[] = {a, b};
    EXPECT_FALSE(icon->SetAnimatedIcons(frames, 2, 100));
    EXPECT_EQ(Shown(), "A");
    EXPECT_FALSE(icon->IsAnimated());
    EXPECT_EQ(desk.shell.NameOf(icon->GetIcon()), "A");
}

TEST_F(TrayIconTest, TicksWhileHiddenFailQuietlyAndShowUsesTheLastFrame) {
    const HIcon frames[] = {a, b, c};
    ASSERT_TRUE(icon->CreateAnimated(notifyWnd, kIconId, kTip, frames, 3, 100, kCallback));
    icon->HideIcon();
    desk.RunFor(100);  // B, to an icon the shell no longer has
    EXPECT_FALSE(LastCall().answer);
    icon->ShowIcon();
    EXPECT_EQ(Shown(), "B");
}

TEST_F(TrayIconTest, RemoveIconOnlyRemovesAnAddedIcon) {
    icon->RemoveIcon();  // never added
    EXPECT_EQ(Calls(), 0u);
    ASSERT_TRUE(CreateAsTheProgramDoes());
    icon->RemoveIcon();
    EXPECT_EQ(LastCall().command, kNimDelete);
    EXPECT_EQ(LastCall().data.uFlags, 0u);
    EXPECT_EQ(desk.shell.Icon(kIconId), nullptr);
    EXPECT_FALSE(icon->SetTooltip("after"));
    icon->RemoveIcon();
    EXPECT_EQ(desk.shell.CallsOf(kNimDelete), 1);
    // The hidden windows stay until the icon goes.
    EXPECT_EQ(Windows(kResurrectionWindowTitle), 1u);
    EXPECT_EQ(Windows(kAnimationWindowTitle), 1u);
}

TEST_F(TrayIconTest, ClicksReachTheNotifyWindowAsTheCallbackMessage) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    EXPECT_EQ(desk.shell.Click(kIconId, kWmLButtonUp), 1);
    EXPECT_EQ(desk.shell.Click(kIconId, kWmRButtonUp), 1);
    ASSERT_EQ(notify.got.size(), 2u);
    EXPECT_EQ(notify.got[0].wParam, kIconId);
    EXPECT_EQ(notify.got[0].lParam, std::intptr_t(kWmLButtonUp));
    EXPECT_EQ(notify.got[1].lParam, std::intptr_t(kWmRButtonUp));
}

TEST_F(TrayIconTest, AnotherIconsNotificationAnswersZeroAndDoesNothing) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    const std::size_t calls = Calls();
    const auto log = desk.log.Entries().size();
    EXPECT_EQ(icon->OnIconNotify(129, kWmRButtonUp), 0);
    EXPECT_EQ(icon->OnIconNotify(0, kWmLButtonUp), 0);
    EXPECT_EQ(icon->OnIconNotify(kIconId, kWmRButtonUp), 1);
    EXPECT_EQ(Calls(), calls);
    EXPECT_EQ(desk.log.Entries().size(), log);
}

// What a derived icon sees of the class-wide state.
class StateReader : public CTrayNotifyIcon {
public:
    static std::int32_t Read() { return StoredState(); }
};

TEST_F(TrayIconTest, ActivationStateIsOneCopyForTheProgram) {
    CTrayNotifyIcon other;
    icon->SetActivationState(2);
    EXPECT_EQ(StateReader::Read(), 2);
    other.SetActivationState(1);
    EXPECT_EQ(StateReader::Read(), 1);
    CTrayNotifyIcon::SetActivationState(0);
}

// The system answers one number for one name however often it is asked, so
// the registrations themselves are counted: the program's first icon asks,
// later ones use the number it got.
TEST_F(TrayIconTest, TaskbarCreatedIsRegisteredOnce) {
    CTrayNotifyIcon::TaskbarCreatedMessage = 0;  // as at program start
    const int before = desk.messages.Registrations("TaskbarCreated");
    CTrayNotifyIcon first;
    CTrayNotifyIcon second;
    EXPECT_EQ(desk.messages.Registrations("TaskbarCreated") - before, 1);
    EXPECT_NE(CTrayNotifyIcon::TaskbarCreatedMessage, 0u);
    EXPECT_EQ(CTrayNotifyIcon::TaskbarCreatedMessage, desk.messages.RegisterMessage("TaskbarCreated"));
}

TEST_F(TrayIconTest, DestructionEndsAnimationThenResurrectionThenIcon) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    desk.log.Clear();
    icon.reset();
    const int animation = desk.log.Find(std::string("hidden destroy ") + kAnimationWindowTitle);
    const int resurrection = desk.log.Find(std::string("hidden destroy ") + kResurrectionWindowTitle);
    const int remove = desk.log.Find("tray delete");
    ASSERT_GE(animation, 0);
    EXPECT_LT(animation, resurrection);
    EXPECT_LT(resurrection, remove);
    EXPECT_TRUE(desk.shell.icons.empty());
    EXPECT_TRUE(desk.messages.Timers().empty());
    EXPECT_EQ(Windows(kResurrectionWindowTitle), 0u);
}

TEST_F(TrayIconTest, HiddenWindowsClosedFromOutsideAreForgotten) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    // Another program asks every top-level window to close.
    for (const char* title : {kAnimationWindowTitle, kResurrectionWindowTitle}) {
        desk.messages.SendWindowMessage(desk.messages.HiddenWindowsTitled(title)[0]->handle, kWmClose, 0, 0);
    }
    EXPECT_EQ(desk.shell.NameOf(icon->GetIcon()), "own 128");
    desk.RunFor(2000);
    icon.reset();  // closes nothing twice
    EXPECT_TRUE(desk.shell.icons.empty());
}

TEST_F(TrayIconTest, NotifyWindowTheShellCannotMoveToStaysTheOldOne) {
    ASSERT_TRUE(CreateAsTheProgramDoes());
    EXPECT_TRUE(icon->SetNotifyWindow(notifyWnd));  // the same window: a plain modify
    EXPECT_EQ(LastCall().data.uFlags, 0u);
    // The shell knows the icon by window and id, so it cannot find it under
    // another window.
    NotifyWindow second;
    const HWindow other = desk.dialogs.CreateModelessDialog(102, &second);
    EXPECT_FALSE(icon->SetNotifyWindow(other));
    EXPECT_EQ(icon->GetNotifyWindow(), notifyWnd);
    icon.reset();
    EXPECT_TRUE(desk.shell.icons.empty());  // still removed at the end
}

TEST_F(TrayIconTest, BrokenPreconditionsDoNotReachTheShell) {
#ifndef NDEBUG
    EXPECT_DEATH(icon->HideIcon(), "m_bCreated");
    EXPECT_DEATH(icon->ShowIcon(), "m_bCreated");
    EXPECT_DEATH(icon->SetAnimatedIcons(&a, 1, 100), "count >= 2");
#else
    icon->HideIcon();
    icon->ShowIcon();
    EXPECT_EQ(Calls(), 0u);
    EXPECT_FALSE(icon->CreateAnimated(notifyWnd, kIconId, kTip, nullptr, 0, 1000, kCallback));
    EXPECT_FALSE(icon->CreateAnimated(notifyWnd, kIconId, kTip, &a, 1, 0, kCallback));  // no period
    EXPECT_EQ(Calls(), 0u);
    EXPECT_EQ(Windows(kAnimationWindowTitle), 0u);
    ASSERT_TRUE(icon->Create(notifyWnd, kIconId, kTip, a, kCallback));
    EXPECT_FALSE(icon->SetAnimatedIcons(nullptr, 2, 100));
    EXPECT_EQ(Shown(), "A");
#endif
}

}  // namespace
}  // namespace lv
