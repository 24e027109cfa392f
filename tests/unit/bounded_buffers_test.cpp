// Every fixed buffer the program reads the system's texts into, in one
// table: text of exactly the buffer's size, one longer, far longer (64 KiB,
// past any 16-bit length) and unterminated where the call can hand that
// over. Each row runs the program's own path and checks what it made of the
// text: taken whole, or refused or cut where its comments say, never a
// write past the buffer. The simulated calls report the size each buffer
// was given and what they wrote there; built with AddressSanitizer, the
// table also catches the program's own writes past a buffer.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bar/lv_dlg.h"
#include "bar/tool_bars.h"
#include "cursors/cursor_scheme.h"
#include "dialogs/hyper_link.h"
#include "platform/constants.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"
#include "select/window_classes.h"
#include "tray/ntray.h"

namespace lv {
namespace {

using fake::FakeDesktop;

constexpr std::size_t k64K = 64 * 1024;
constexpr char kBrowser[] = "C:\\Browser\\browser.exe";
constexpr char kUrl[] = "https://lumivane.example/";
constexpr char kTooLong[] = "refused";

// "C:\" and `fill` up to `length` characters, then `tail`.
std::string Text(std::size_t length, char fill = 'd', const std::string& tail = "") {
    return "C:\\" + std::string(length - 3 - tail.size(), fill) + tail;
}

// The bar, up on a fresh state; `user` acts while it is up.
void RunBar(FakeDesktop& d, const std::function<void(HWindow)>& user) {
    TheSelection() = SelectionState{};
    CTrayNotifyIcon::SetActivationState(STATE_IDLE);
    CLvDlg bar;
    d.dialogs.modalScript = user;
    bar.DoModal();
}

void Command(FakeDesktop& d, HWindow dlg, int id) {
    d.dialogs.Send(dlg, kWmCommand, std::uintptr_t(id), 0);
    d.dialogs.Pump();
}

// Help from the bar: the file the viewer was asked for, or the trace that
// says why none was.
std::function<std::string(FakeDesktop&)> Help(const std::string& module, bool unterminated = false) {
    return [=](FakeDesktop& d) {
        d.shell.modulePath = module;
        d.shell.cutPathUnterminated = unterminated;
        RunBar(d, [&](HWindow dlg) { Command(d, dlg, ID_TB_HELP_ACTIVE); });
        if (!d.shell.helpCalls.empty()) return d.shell.helpCalls[0].path;
        for (const std::string& t : d.system.traces) {
            if (t.find("too long") != std::string::npos) return kTooLong + (": " + t);
        }
        return std::string("nothing");
    };
}
const std::string kProgramPathTooLong = std::string(kTooLong) + ": lumivane: program path too long for help";

// The link's ".htm" fallback after the shell failed: the command WinExec
// was given, or "refused" for the program's own too-long code.
std::function<std::string(FakeDesktop&)> Fallback(const std::string& type, const std::string& command,
                                                  bool terminated = true, const std::string& url = kUrl) {
    return [=](FakeDesktop& d) {
        d.launch.shellAnswer = 2;
        d.launch.programs.insert(kBrowser);
        d.launch.SetClassDefault(".htm", type);
        d.launch.SetClassDefault(type + "\\shell\\open\\command", command, terminated);
        CHyperLink link;
        const std::int32_t code = link.OpenLink(url.c_str(), kSwShow);
        if (code == kLaunchTooLong) return std::string(kTooLong);
        return d.launch.winExecs.empty() ? std::string("nothing started") : d.launch.winExecs[0].what;
    };
}

// The link's hand pointer: the old viewer's module it tried, if any.
std::function<std::string(FakeDesktop&)> Hand(const std::string& windowsDirectory) {
    return [=](FakeDesktop& d) {
        d.registry.windowsDirectory = windowsDirectory;
        CHyperLink link;
        link.LoadHandCursor();
        const int load = d.log.Find("module load ");
        return load < 0 ? std::string("system hand") : d.log.Entries()[std::size_t(load)].what.substr(12);
    };
}

// The cursor scheme's capture: the animated file it will load for "Wait",
// and the Windows directory it kept.
std::function<std::string(FakeDesktop&)> Scheme(const std::string& waitValue, const std::string& windowsDirectory) {
    return [=](FakeDesktop& d) {
        d.registry.windowsDirectory = windowsDirectory;
        d.registry.SetString(kCursorsKey, "Wait", waitValue);
        CCursorScheme scheme;
        scheme.Capture();
        return scheme.Entry(2).strPath + " | " + scheme.WindowsDirectory();
    };
}

// The tray icon's tooltip from the string table: what the notification
// area shows, after checking every record's tooltip was terminated.
std::function<std::string(FakeDesktop&)> TipFromTable(std::size_t length) {
    return [=](FakeDesktop& d) {
        d.shell.strings[61] = std::string(length, 't');
        const HWindow wnd = d.dialogs.CreateModelessDialog(102, nullptr);
        CTrayNotifyIcon icon;
        if (!icon.Create(wnd, 128, "", d.shell.LoadOwnIcon(128), kWmUser + 100)) return std::string("no icon");
        icon.SetTooltip(std::uint32_t{61});
        if (d.shell.malformed != 0) return std::string("a record the shell cannot read");
        return d.shell.Icon(128)->tip;
    };
}

// The program's class-name reader on a window of this class.
std::function<std::string(FakeDesktop&)> ClassOf(const std::string& name) {
    return [=](FakeDesktop& d) {
        const ClassName c(d.windows.AddWindow(name, Rect{0, 0, 10, 10}));
        return std::string(c.text);
    };
}

// Show Bar's zoom: where it starts when the taskbar's child has this class.
std::function<std::string(FakeDesktop&)> ZoomFrom(const std::string& childClass) {
    return [=](FakeDesktop& d) {
        const Rect taskbar{0, 738, 1024, 768}, area{800, 740, 1020, 766};
        std::string from = "no zoom";
        RunBar(d, [&](HWindow dlg) {
            const HWindow bar = d.windows.AddWindow("Shell_TrayWnd", taskbar);
            d.windows.AddWindow(childClass, area, bar);
            Command(d, dlg, ID_SHOW_BAR);
            if (d.shell.animations.empty()) return;
            const Rect r = d.shell.animations[0].from;
            from = r == taskbar ? "the whole taskbar" : r == area ? "the notification area" : "elsewhere";
        });
        return from;
    };
}

// Detection's scan of the player's middle row, which meets a window of
// this class before the renderer: the window it took.
std::function<std::string(FakeDesktop&)> Detects(const std::string& firstClass) {
    return [=](FakeDesktop& d) {
        const HWindow p = d.windows.AddWindow(kWmpAppClass, Rect{100, 100, 700, 500});
        const HWindow first = d.windows.AddWindow(firstClass, Rect{100, 100, 300, 500}, p);
        const HWindow renderer = d.windows.AddWindow(kVideoRendererClass, Rect{300, 150, 660, 450}, p);
        std::string taken;
        RunBar(d, [&](HWindow) {
            d.RunFor(1600);  // the first detection tick
            const HWindow t = TheSelection().hwndTarget;
            taken = t == renderer ? "the renderer" : t == first ? "the first window" : "something else";
        });
        return taken;
    };
}

// A long text as its start and its length, for the failure message.
std::string Shown(const std::string& s) {
    return s.size() <= 300 ? s : s.substr(0, 300) + "... (" + std::to_string(s.size()) + " characters)";
}

struct Row {
    const char* buffer;  // whose buffer, and its size
    const char* given;   // what the system hands over
    std::function<std::string(FakeDesktop&)> run;
    std::string expected;
    // The simulated call that fills the buffer and the size it must be
    // given; none where the program fills it itself.
    const char* call = nullptr;
    std::size_t size = 0;
    // A text too long for the tooltip is the caller's mistake: with
    // assertions on, the program stops there on purpose.
    bool assertionStops = false;
};

TEST(BoundedBuffers, EveryBufferTakesWholeRefusesOrCutsAndNeverOverruns) {
    const std::string helpFolder = Text(248);  // and "\lvhelp.chm": 259
    // The program in that folder, its path `length` characters long.
    auto program = [&](std::size_t length) { return helpFolder + "\\" + std::string(length - 253, 'x') + ".exe"; };
    const std::string command259 = std::string(kBrowser) + " -" + std::string(259 - 24, 'a');
    const std::string urlFor519 = kUrl + std::string(519 - 24 - 25, 'u');  // kBrowser, two blanks, address
    const std::string longest = "C:\\" + std::string(252, 'w');       // a class name of 255
    const Row rows[] = {
        // The help path, 260. Held by BarTest.HelpOpensTheFileBesideTheProgram:
        // the folder of 248 fits and 249 does not; a path of 300 is cut.
        {"help path 260", "program path of 259", Help(program(259)), helpFolder + "\\lvhelp.chm",
         "GetModuleFileName", 260},
        {"help path 260", "program path of 260: cut", Help(program(260)), kProgramPathTooLong,
         "GetModuleFileName", 260},
        {"help path 260", "program path of 261", Help(program(261)), kProgramPathTooLong,
         "GetModuleFileName", 260},
        {"help path 260", "program path of 64 KiB", Help(Text(k64K, 'd', "\\x.exe")), kProgramPathTooLong,
         "GetModuleFileName", 260},
        {"help path 260", "program path of 260, unterminated (XP)", Help(program(260), true),
         kProgramPathTooLong, "GetModuleFileName", 260},

        // The link's registry reads, 260. Held by DialogsTest's
        // WhatDoesNotFitTheCommandIsRefusedNotCut (260 bytes with no
        // terminator; a command or type name of 300) and
        // UnterminatedShortValueAndUnreadableDefaults (a short one).
        {"link registry value 260", "command of 259 and terminator", Fallback("htmlfile", command259),
         command259 + " " + kUrl, "QueryDefaultValue", 260},
        {"link registry value 260", "command of 260 and terminator", Fallback("htmlfile", command259 + "a"), kTooLong,
         "QueryDefaultValue", 260},
        {"link registry value 260", "command of 64 KiB", Fallback("htmlfile", command259 + std::string(k64K, 'a')),
         kTooLong, "QueryDefaultValue", 260},
        {"link registry value 260", "command of 259, unterminated", Fallback("htmlfile", command259, false),
         command259 + " " + kUrl, "QueryDefaultValue", 260},
        {"link registry value 260", "type name of 259 and terminator",
         Fallback(std::string(259, 'h'), std::string(kBrowser) + " %1"), std::string(kBrowser) + "  " + kUrl,
         "QueryDefaultValue", 260},

        // The fallback's command, 520. Held by DialogsTest's
        // WhatDoesNotFitTheCommandIsRefusedNotCut: an address of 525.
        {"fallback command 520", "command and address of 519",
         Fallback("htmlfile", std::string(kBrowser) + " %1", true, urlFor519),
         std::string(kBrowser) + "  " + urlFor519},
        {"fallback command 520", "command and address of 520",
         Fallback("htmlfile", std::string(kBrowser) + " %1", true, urlFor519 + "u"), kTooLong},
        {"fallback command 520", "address of 64 KiB",
         Fallback("htmlfile", std::string(kBrowser) + " %1", true, kUrl + std::string(k64K, 'u')), kTooLong},

        // The link's Windows directory, 260, and the old viewer's name
        // after it. GetWindowsDirectoryA always terminates what fits.
        {"link Windows directory 260", "246, and the viewer's name: 259", Hand(Text(246, 'w')),
         Text(246, 'w') + "\\winhlp32.exe", "GetWindowsDir", 260},
        {"link Windows directory 260", "247: no room for the viewer's name", Hand(Text(247, 'w')), "system hand",
         "GetWindowsDir", 260},
        {"link Windows directory 260", "259: fits, the name does not", Hand(Text(259, 'w')), "system hand",
         "GetWindowsDir", 260},
        {"link Windows directory 260", "260: does not fit", Hand(Text(260, 'w')), "system hand", "GetWindowsDir", 260},
        {"link Windows directory 260", "64 KiB", Hand(Text(k64K, 'w')), "system hand", "GetWindowsDir", 260},

        // The cursor scheme's values, 1024. Held by
        // CursorSchemeBounds.RegistryValuesAreTerminatedAndBounded: 1023 and
        // terminator, 1024 unterminated, 1024 and terminator, 1500.
        {"cursor value 1024", "64 KiB", Scheme(Text(k64K, 'd', "\\busy.ani"), "C:\\WINDOWS"), " | C:\\WINDOWS",
         "QueryValue", 1024},
        // The Windows directory, 100. Held by
        // CursorSchemeBounds.WindowsDirectoryMustFitWhole: 99, 100, 303.
        {"cursor Windows directory 100", "64 KiB", Scheme("C:\\Themes\\busy.ani", Text(k64K, 'w')), " | ",
         "GetWindowsDir", 100},

        // The tooltip, 63 and its terminator, from the 256 of the string
        // table's text. Held by TrayIconTest.TooltipsHoldAtMost63Characters
        // and TooLongTooltipAtCreateIsCut: a text given directly. The
        // string table always terminates what it copies.
        {"tooltip 64", "string of 63", TipFromTable(63), std::string(63, 't'), "LoadOwnString", 256},
        {"tooltip 64", "string of 64: cut", TipFromTable(64), std::string(63, 't'), "LoadOwnString", 256, true},
        {"tooltip 64", "string of 255, filling the string buffer", TipFromTable(255), std::string(63, 't'),
         "LoadOwnString", 256, true},
        {"tooltip 64", "string of 64 KiB", TipFromTable(k64K), std::string(63, 't'), "LoadOwnString", 256, true},

        // Class names, 256. GetClassNameA cuts and terminates; no window
        // class is longer than 255, but the program must not rest on it.
        {"class name 256", "255", ClassOf(longest), longest, "GetClassName", 256},
        {"class name 256", "256: cut", ClassOf(longest + "w"), longest, "GetClassName", 256},
        {"class name 256", "64 KiB: cut", ClassOf(longest + std::string(k64K, 'w')), longest, "GetClassName", 256},
        {"tray zoom class name 256", "TrayNotifyWnd and more, 256",
         ZoomFrom("TrayNotifyWnd" + std::string(256 - 13, ' ')), "the whole taskbar", "GetClassName", 256},
        {"tray zoom class name 256", "TrayNotifyWnd and more, 64 KiB",
         ZoomFrom("TrayNotifyWnd" + std::string(k64K, ' ')), "the whole taskbar", "GetClassName", 256},
        {"detection class name 256", "VideoRenderer and more, 256",
         Detects(kVideoRendererClass + std::string(256 - 13, ' ')), "the renderer", "GetClassName", 256},
        {"detection class name 256", "VideoRenderer and more, 64 KiB",
         Detects(kVideoRendererClass + std::string(k64K, ' ')), "the renderer", "GetClassName", 256},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.buffer) + ", " + row.given);
        FakeDesktop desk;
#ifndef NDEBUG
        if (row.assertionStops) {
            EXPECT_DEATH(row.run(desk), "kTipSize");
            continue;
        }
#endif
        const std::string outcome = row.run(desk);
        EXPECT_TRUE(outcome == row.expected) << Shown(outcome) << "\nexpected\n" << Shown(row.expected);
        if (row.call == nullptr) continue;
        int calls = 0;
        for (const fake::BufferWrite& w : desk.log.Writes()) {
            if (w.call != row.call) continue;
            ++calls;
            EXPECT_EQ(w.size, row.size);
            EXPECT_LE(w.written, w.size);
        }
        EXPECT_GT(calls, 0) << row.call << " never filled the buffer";
    }
}

}  // namespace
}  // namespace lv
