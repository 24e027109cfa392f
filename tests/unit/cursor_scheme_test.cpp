// The user's pointers through a selection and an exit, as the desktop shows
// them: what each system id shows, which files were read, and that every
// handle the program made is installed or released exactly once.
#include "cursors/cursor_scheme.h"

#include <gtest/gtest.h>

#include "platform/constants.h"
#include "platform/fake/fake_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;

constexpr std::uint32_t kOrder[kCursorCount] = {kOcrNormal,   kOcrIBeam,    kOcrWait,   kOcrCross,
                                                kOcrSizeNwse, kOcrSizeNesw, kOcrSizeWe, kOcrSizeNs,
                                                kOcrSizeAll,  kOcrNo};
constexpr const char* kValueNames[] = {"Arrow",    "Wait",   "Crosshair", "SizeNWSE", "SizeNESW",
                                       "SizeWE",   "SizeNS", "SizeAll",   "No"};

// A desktop whose user runs the default scheme: every value present and
// empty, each id showing the standard cursor.
class CursorSchemeTest : public ::testing::Test {
protected:
    CursorSchemeTest() {
        for (const char* name : kValueNames) desk.registry.SetString(kCursorsKey, name, "");
        desk.registry.SetString(kCursorsKey, "IBeam", "");
    }

    // The user chose a cursor file for a value; the system shows it.
    void UserCursor(const char* value, std::uint32_t id, const std::string& text,
                    const std::string& image) {
        desk.registry.SetString(kCursorsKey, value, text);
        desk.cursors.shown[id] = image;
    }

    std::map<std::uint32_t, std::string> Shown() const { return desk.cursors.shown; }

    FakeDesktop desk;
    CCursorScheme scheme;
};

TEST_F(CursorSchemeTest, DefaultSchemeSavesTenCopiesAndClosesTheKey) {
    scheme.Capture();
    // Nine pointers' values (none for the text-select pointer) and the
    // user's pointer size.
    EXPECT_EQ(desk.registry.reads, 10);
    EXPECT_EQ(desk.registry.openKeys, 0);
    EXPECT_EQ(desk.cursors.fileLoads, 0);
    for (int i = 0; i < kCursorCount; ++i) {
        const CursorEntry& e = scheme.Entry(i);
        EXPECT_EQ(e.nId, kOrder[i]);
        EXPECT_EQ(e.bAnimated, 0);
        EXPECT_EQ(desk.cursors.ImageOf(e.hSaved), "standard " + std::to_string(kOrder[i]));
    }
    EXPECT_EQ(desk.cursors.LiveOwnedHandles(), 10);
    scheme.Capture();  // again: the first ten are let go
    EXPECT_EQ(desk.cursors.LiveOwnedHandles(), 10);
    EXPECT_EQ(desk.cursors.badReleases, 0);
}

TEST_F(CursorSchemeTest, AnimatedFilesAreLookedUpUnderTheWindowsDirectory) {
    struct Case {
        std::uint32_t type;
        std::string value;
        bool animated;
        std::string path;
    };
    const Case cases[] = {
        {kRegSz, "C:\\Custom\\busy.ani", true, "C:\\WINDOWS//Cursors//busy.ani"},
        {kRegSz, "busy.ani", true, "C:\\WINDOWS//Cursors//busy.ani"},
        {kRegSz, "C:\\Custom\\Sub\\hourglass.ani", true, "C:\\WINDOWS//Cursors//hourglass.ani"},
        {kRegSz, "C:\\Custom\\mani", true, "C:\\WINDOWS//Cursors//mani"},  // no dot needed
        // Expandable strings are used as they stand.
        {kRegExpandSz, "%SystemRoot%\\Cursors\\busy.ani", true, "C:\\WINDOWS//Cursors//busy.ani"},
        {kRegSz, "C:\\Custom\\busy.ANI", false, ""},
        {kRegSz, "C:\\Custom\\busy.Ani", false, ""},
        {kRegSz, "C:\\Custom\\wait.cur", false, ""},
        {kRegSz, "", false, ""},
    };
    for (const Case& c : cases) {
        FakeDesktop desk;
        desk.registry.SetString(kCursorsKey, "Wait", c.value, c.type);
        desk.cursors.shown[kOcrWait] = "user wait";
        desk.cursors.files["C:\\WINDOWS//Cursors//busy.ani"] = "busy animation";
        desk.cursors.files["C:\\WINDOWS//Cursors//hourglass.ani"] = "hourglass animation";
        desk.cursors.files["C:\\WINDOWS//Cursors//mani"] = "mani animation";
        desk.cursors.files["C:\\Custom\\busy.ani"] = "the folder the value names";
        CCursorScheme scheme;
        scheme.Capture();
        const CursorEntry& wait = scheme.Entry(2);
        EXPECT_EQ(wait.bAnimated, c.animated ? 1 : 0) << c.value;
        EXPECT_EQ(wait.strPath, c.path) << c.value;
        // A static cursor or a miss-cased name is a copy: no file is read.
        EXPECT_EQ(desk.cursors.fileLoads, c.animated ? 1 : 0) << c.value;
        if (!c.animated) {
            EXPECT_EQ(desk.cursors.ImageOf(wait.hSaved), "user wait") << c.value;
        }
    }
}

// Each of the nine registry values belongs to one system id: an animated
// file given to one name in turn is loaded for that id alone, and a restore
// installs it there and nowhere else.
TEST(CursorSchemeValues, EachValueNameFeedsItsOwnId) {
    struct Case {
        const char* name;
        std::uint32_t id;
    };
    const Case cases[] = {
        {"Arrow", kOcrNormal},      {"Wait", kOcrWait},     {"Crosshair", kOcrCross},
        {"SizeNWSE", kOcrSizeNwse}, {"SizeNESW", kOcrSizeNesw}, {"SizeWE", kOcrSizeWe},
        {"SizeNS", kOcrSizeNs},     {"SizeAll", kOcrSizeAll},   {"No", kOcrNo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desk;
        for (const Case& other : cases) desk.registry.SetString(kCursorsKey, other.name, "");
        desk.registry.SetString(kCursorsKey, c.name, "C:\\Themes\\mine.ani");
        desk.cursors.files["C:\\WINDOWS//Cursors//mine.ani"] = "my animation";
        CCursorScheme scheme;
        scheme.Capture();
        EXPECT_EQ(desk.cursors.fileLoads, 1);
        for (int i = 0; i < kCursorCount; ++i) {
            const CursorEntry& e = scheme.Entry(i);
            EXPECT_EQ(e.bAnimated, e.nId == c.id ? 1 : 0) << e.nId;
        }
        desk.cursors.installs.clear();
        scheme.Restore();
        ASSERT_EQ(desk.cursors.installs.size(), 10u);
        for (const auto& install : desk.cursors.installs) {
            EXPECT_EQ(install.second == "my animation", install.first == c.id)
                << install.first;
        }
        scheme.RestoreAtExit();
    }
}

TEST_F(CursorSchemeTest, AnimatedTextSelectPointerIsStillACopy) {
    UserCursor("IBeam", kOcrIBeam, "C:\\WINDOWS\\Cursors\\beam.ani", "user beam animation");
    desk.cursors.files["C:\\WINDOWS//Cursors//beam.ani"] = "beam from file";
    scheme.Capture();
    EXPECT_EQ(scheme.Entry(1).bAnimated, 0);
    EXPECT_EQ(desk.cursors.fileLoads, 0);
    scheme.SetSelectionCursor(CURSOR_INSIDE);
    scheme.Restore();
    EXPECT_EQ(desk.cursors.shown[kOcrIBeam], "user beam animation");
    EXPECT_EQ(desk.cursors.fileLoads, 0);
}

TEST_F(CursorSchemeTest, SelectionSwapsOnlyTheNormalAndTextSelectPointers) {
    scheme.Capture();
    const auto before = Shown();
    scheme.SetSelectionCursor(CURSOR_INSIDE);
    scheme.SetSelectionCursor(CURSOR_INSIDE);  // the mode check: no platform call
    EXPECT_EQ(desk.cursors.installs.size(), 2u);
    EXPECT_EQ(scheme.Mode(), CURSOR_INSIDE);
    EXPECT_EQ(desk.cursors.shown[kOcrNormal], "resource 148");
    EXPECT_EQ(desk.cursors.shown[kOcrIBeam], "resource 148");
    scheme.SetSelectionCursor(CURSOR_OUTSIDE);
    EXPECT_EQ(desk.cursors.installs.size(), 4u);
    EXPECT_EQ(desk.cursors.shown[kOcrNormal], "resource 147");
    EXPECT_EQ(desk.cursors.shown[kOcrIBeam], "resource 147");
    for (std::uint32_t id : kOrder) {
        if (id != kOcrNormal && id != kOcrIBeam) {
            EXPECT_EQ(desk.cursors.shown[id], before.at(id));
        }
    }
    // Each load was installed once; nothing was left over or released twice.
    EXPECT_EQ(desk.cursors.LiveOwnedHandles(), 10);
    EXPECT_EQ(desk.cursors.badReleases, 0);
}

TEST_F(CursorSchemeTest, RestoreInstallsAllTenWhateverTheMode) {
    UserCursor("Arrow", kOcrNormal, "C:\\Themes\\pointer.ani", "pointer animation");
    UserCursor("No", kOcrNo, "C:\\Themes\\no.cur", "user no");
    desk.cursors.files["C:\\WINDOWS//Cursors//pointer.ani"] = "pointer animation";
    scheme.Capture();
    const auto user = Shown();
    const int loadsAtCapture = desk.cursors.fileLoads;
    for (int round = 1; round <= 2; ++round) {
        desk.cursors.installs.clear();
        scheme.Restore();  // the mode is CURSOR_USER from the start
        ASSERT_EQ(desk.cursors.installs.size(), 10u);
        for (int i = 0; i < kCursorCount; ++i) EXPECT_EQ(desk.cursors.installs[i].first, kOrder[i]);
        EXPECT_EQ(desk.cursors.fileLoads, loadsAtCapture + round);  // the animated file, every time
    }
    EXPECT_EQ(Shown(), user);
    EXPECT_EQ(desk.cursors.LiveOwnedHandles(), 10);
    EXPECT_EQ(desk.cursors.badReleases, 0);
}

TEST_F(CursorSchemeTest, RestoreAfterSelectionPutsTheUsersPointersBack) {
    UserCursor("Arrow", kOcrNormal, "C:\\Themes\\pointer.ani", "pointer animation");
    desk.cursors.shown[kOcrIBeam] = "user beam";
    desk.cursors.files["C:\\WINDOWS//Cursors//pointer.ani"] = "pointer animation";
    scheme.Capture();
    const auto user = Shown();
    scheme.SetSelectionCursor(CURSOR_OUTSIDE);
    scheme.SetSelectionCursor(CURSOR_INSIDE);
    // The user changes a pointer meanwhile: the captured scheme wins.
    desk.cursors.shown[kOcrCross] = "changed while running";
    scheme.Restore();
    EXPECT_EQ(scheme.Mode(), CURSOR_USER);
    EXPECT_EQ(Shown(), user);
    // The next selection swaps again: the mode went back to CURSOR_USER.
    scheme.SetSelectionCursor(CURSOR_INSIDE);
    EXPECT_EQ(desk.cursors.shown[kOcrNormal], "resource 148");
}

TEST_F(CursorSchemeTest, ExitRestoreInstallsTheSavedCursorsAndKeepsNone) {
    UserCursor("Wait", kOcrWait, "C:\\Themes\\busy.ani", "busy animation");
    desk.cursors.files["C:\\WINDOWS//Cursors//busy.ani"] = "busy animation";
    scheme.Capture();
    const auto user = Shown();
    const int loads = desk.cursors.fileLoads;
    scheme.RestoreAtExit();  // an exit without any selection
    ASSERT_EQ(desk.cursors.installs.size(), 10u);
    for (int i = 0; i < kCursorCount; ++i) EXPECT_EQ(desk.cursors.installs[i].first, kOrder[i]);
    EXPECT_EQ(Shown(), user);
    EXPECT_EQ(desk.cursors.fileLoads, loads);  // the handle loaded at capture is used
    EXPECT_EQ(desk.cursors.LiveOwnedHandles(), 0);
    EXPECT_EQ(desk.cursors.badReleases, 0);
    for (int i = 0; i < kCursorCount; ++i) EXPECT_TRUE(IsNone(scheme.Entry(i).hSaved));
}

TEST_F(CursorSchemeTest, ExitAfterSelectionPutsThePointersBack) {
    scheme.Capture();
    const auto user = Shown();
    scheme.SetSelectionCursor(CURSOR_OUTSIDE);
    scheme.RestoreAtExit();
    EXPECT_EQ(Shown(), user);
}

// The user's animated pointer file has gone since the scheme was chosen.
// Putting the scheme back must still not leave a selection pointer showing.
TEST_F(CursorSchemeTest, AnimatedFileThatFailsToLoadLeavesNoSelectionPointer) {
    UserCursor("Arrow", kOcrNormal, "C:\\Themes\\gone.ani", "user arrow");
    scheme.Capture();
    EXPECT_EQ(scheme.Entry(0).bAnimated, 1);
    EXPECT_EQ(scheme.Entry(0).strPath, "C:\\WINDOWS//Cursors//gone.ani");
    scheme.SetSelectionCursor(CURSOR_OUTSIDE);
    const int loads = desk.cursors.fileLoads;
    scheme.Restore();
    EXPECT_EQ(desk.cursors.fileLoads, loads + 1);  // tried again
    EXPECT_EQ(desk.cursors.shown[kOcrNormal], "user arrow");
    scheme.SetSelectionCursor(CURSOR_INSIDE);
    scheme.RestoreAtExit();
    EXPECT_EQ(desk.cursors.shown[kOcrNormal], "user arrow");
    EXPECT_EQ(desk.cursors.LiveOwnedHandles(), 0);
    EXPECT_EQ(desk.cursors.badReleases, 0);
}

TEST_F(CursorSchemeTest, UnreadableKeyMakesEveryEntryACopy) {
    desk.registry.readOnly = true;  // full access is refused
    UserCursor("Wait", kOcrWait, "C:\\Themes\\busy.ani", "busy animation");
    desk.cursors.files["C:\\WINDOWS//Cursors//busy.ani"] = "busy animation";
    scheme.Capture();
    EXPECT_EQ(desk.registry.reads, 0);
    for (int i = 0; i < kCursorCount; ++i) EXPECT_EQ(scheme.Entry(i).bAnimated, 0);
    EXPECT_EQ(desk.cursors.ImageOf(scheme.Entry(2).hSaved), "busy animation");
}

// Registry values and the Windows directory are read into fixed buffers:
// too long, unterminated or of the wrong type, none may spill over or leave
// an unterminated text.
TEST(CursorSchemeBounds, RegistryValuesAreTerminatedAndBounded) {
    const std::string tail = "\\busy.ani";
    auto padded = [&](std::size_t length) { return "C:" + std::string(length - 2 - tail.size(), 'd') + tail; };
    struct Case {
        const char* what;
        fake::RegValue value;
        bool animated;
    };
    auto text = [](const std::string& s, bool terminated, std::uint32_t type = kRegSz) {
        fake::RegValue v;
        v.type = type;
        v.data.assign(s.begin(), s.end());
        if (terminated) v.data.push_back(0);
        return v;
    };
    const Case cases[] = {
        {"short, unterminated", text("C:\\Themes\\busy.ani", false), true},
        {"1023 characters and terminator", text(padded(1023), true), true},
        {"1024 characters, unterminated", text(padded(1024), false), true},
        {"1024 characters and terminator: too long", text(padded(1024), true), false},
        {"1500 characters: too long", text(padded(1500), true), false},
        {"multi-string: the first string", text(std::string("a\\busy.ani\0b.cur\0", 17), true, kRegMultiSz), true},
        {"first terminator ends the text", text(std::string("busy.ani\0junk", 13), true), true},
        {"a number", fake::RegValue{kRegDword, {'a', 'n', 'i', 0}}, false},
        {"binary", text("busy.ani", true, kRegBinary), false},
    };
    for (const Case& c : cases) {
        FakeDesktop desk;
        desk.registry.SetValue(kCursorsKey, "Wait", c.value);
        desk.cursors.shown[kOcrWait] = "user wait";
        desk.cursors.files["C:\\WINDOWS//Cursors//busy.ani"] = "busy animation";
        CCursorScheme scheme;
        scheme.Capture();
        EXPECT_EQ(scheme.Entry(2).bAnimated, c.animated ? 1 : 0) << c.what;
        EXPECT_EQ(scheme.Entry(2).strPath, c.animated ? "C:\\WINDOWS//Cursors//busy.ani" : "") << c.what;
        const std::string expected = c.animated ? "busy animation" : "user wait";
        EXPECT_EQ(desk.cursors.ImageOf(scheme.Entry(2).hSaved), expected) << c.what;
    }
}

TEST(CursorSchemeBounds, WindowsDirectoryMustFitWhole) {
    struct Case {
        std::string directory;
        bool fails;
        bool known;
    };
    const std::string longest = "C:\\" + std::string(96, 'w');  // 99 characters and the terminator
    const Case cases[] = {
        {"C:\\WINDOWS", false, true},
        {longest, false, true},
        {longest + "w", false, false},  // 100 characters: no room for the terminator
        {"C:\\" + std::string(300, 'w'), false, false},
        {"C:\\WINDOWS", true, false},  // the call fails
    };
    for (const Case& c : cases) {
        FakeDesktop desk;
        desk.registry.windowsDirectory = c.directory;
        desk.registry.failWindowsDirectory = c.fails;
        desk.registry.SetString(kCursorsKey, "Wait", "C:\\Themes\\busy.ani");
        desk.cursors.shown[kOcrWait] = "user wait";
        desk.cursors.files[c.directory + "//Cursors//busy.ani"] = "busy animation";
        CCursorScheme scheme;
        scheme.Capture();
        const std::string dir = scheme.WindowsDirectory();
        EXPECT_EQ(dir, c.known ? c.directory : "") << c.directory.size();
        // Without the directory the file cannot be found: the entry is the
        // pointer the id shows now, and nothing is loaded from elsewhere.
        EXPECT_EQ(scheme.Entry(2).bAnimated, c.known ? 1 : 0) << c.directory.size();
        EXPECT_EQ(desk.cursors.fileLoads, c.known ? 1 : 0) << c.directory.size();
        EXPECT_EQ(desk.cursors.ImageOf(scheme.Entry(2).hSaved), c.known ? "busy animation" : "user wait");
    }
}

// The selection pointers at the user's pointer size scaled to the DPI: 32
// at 100 %, 48 at 150 %, larger when the user chose larger pointers.
TEST_F(CursorSchemeTest, SelectionPointersComeAtThePointerSizeOfTheScale) {
    struct Case {
        const char* name;
        std::uint32_t dpi;
        bool setBase;
        std::uint32_t type;
        std::uint32_t base;
        int size;
    };
    const Case cases[] = {
        {"100 %", 96, false, 0, 0, 32},
        {"150 %", 144, false, 0, 0, 48},
        {"200 %", 192, false, 0, 0, 64},
        {"larger pointers at 100 %", 96, true, kRegDword, 48, 48},
        {"larger pointers at 150 %", 144, true, kRegDword, 64, 96},
        {"the largest at 200 %", 192, true, kRegDword, 256, 512},
        {"smaller than the standard: the standard", 96, true, kRegDword, 16, 32},
        {"beyond the largest: the standard", 144, true, kRegDword, 257, 48},
        {"not a number: the standard", 96, true, kRegSz, 64, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop d;
        for (const char* name : kValueNames) d.registry.SetString(kCursorsKey, name, "");
        if (c.setBase) {
            const std::uint32_t v = c.base;
            d.registry.SetValue(kCursorsKey, "CursorBaseSize",
                                fake::RegValue{c.type, {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                                                        std::uint8_t(v >> 24)}});
        }
        CCursorScheme s;
        s.SetDpi(c.dpi);
        s.Capture();
        EXPECT_EQ(s.PointerSize(), c.size);
        s.SetSelectionCursor(CURSOR_INSIDE);
        s.SetSelectionCursor(CURSOR_OUTSIDE);
        ASSERT_EQ(d.cursors.installSizes.size(), 4u);
        for (int size : d.cursors.installSizes) EXPECT_EQ(size, c.size);
        s.RestoreAtExit();
    }
}

}  // namespace
}  // namespace lv
