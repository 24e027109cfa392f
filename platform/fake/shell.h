// The taskbar's notification area as the shell keeps it: icons known by
// their window and id, each with the icon, tooltip and callback message it
// was given. Every call the program makes is recorded with the record it
// passed; the shell can be told to refuse, to restart (losing every icon and
// broadcasting "TaskbarCreated"), and the user can click an icon.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/fake/messages.h"
#include "platform/fake/windows.h"
#include "platform/shell.h"

namespace lv::fake {

struct TrayIcon {
    HWindow hWnd = HWindow::None;
    std::uint32_t uID = 0;
    std::uint32_t uCallbackMessage = 0;
    HIcon hIcon = HIcon::None;
    std::string tip;
};

struct TrayCall {
    std::uint64_t timeMs = 0;
    std::uint32_t command = 0;
    NotifyIconData data;
    bool answer = false;
};

class FakeShell : public IShell {
public:
    FakeShell(FakeClock& clock, EventLog& log, FakeMessages& windowing, FakeWindows& windows);

    bool NotifyIcon(std::uint32_t command, const NotifyIconData& data) override;
    HIcon LoadOwnIcon(std::uint16_t id) override;
    HIcon LoadOwnIconByName(const char* name) override;
    HIcon LoadOwnIconSized(std::uint16_t id, int size) override;
    // The size a handle was loaded at by LoadOwnIconSized; 0 for another.
    int SizeOf(HIcon icon) const;
    HIcon LoadSystemIcon(std::uint16_t id) override;
    HIcon LoadSystemIconByName(const char* name) override;
    int LoadOwnString(std::uint32_t id, char* buffer, int size) override;
    void DrawAnimatedRects(HWindow wnd, int animation, const Rect& from, const Rect& to) override;
    int GetModuleFileName(char* path, int size) override;
    HWindow HtmlHelp(HWindow caller, const char* path, std::uint32_t command, std::uintptr_t data) override;
    int MessageBox(HWindow owner, const char* text, const char* caption, std::uint32_t flags) override;

    // The icon the notification area shows for this id, or null.
    const TrayIcon* Icon(std::uint32_t id) const;
    // The user releases a mouse button over the icon: the shell sends its
    // callback message to its window. Answers the window's answer.
    std::intptr_t Click(std::uint32_t id, std::uint32_t mouseMessage);
    // Explorer starts again: the area is empty and "TaskbarCreated" goes to
    // every top-level window.
    void RestartTaskbar();

    // A handle standing for an icon a test made; NameOf gives it back, and
    // the program's and the system's icons are named "own 128",
    // "system 32513" and so on.
    HIcon MakeIcon(const std::string& name);
    std::string NameOf(HIcon icon) const;
    // Shell calls with this command, in order.
    int CallsOf(std::uint32_t command) const;

    std::vector<TrayIcon> icons;
    std::vector<TrayCall> calls;
    std::map<std::uint32_t, std::string> strings;  // the program's string table
    std::map<int, std::string> ownIcons;           // resource id -> name
    std::set<std::string> namedIcons;              // icon resources with a name
    bool refuseAll = false;
    bool refuseAdd = false;
    // Records the shell could not read: wrong size or tooltip unterminated.
    int malformed = 0;

    std::string modulePath = "C:\\Program Files\\Lumivane\\lumivane.exe";
    // GetModuleFileNameA as Windows XP answers a path that does not fit:
    // its first `size` characters and no terminator. The Win32 side
    // terminates it; the program must not rest on that alone.
    bool cutPathUnterminated = false;
    std::set<std::string> helpFiles;  // files the viewer can open
    struct Animation {
        int animation;
        Rect from, to;
    };
    std::vector<Animation> animations;
    struct HelpCall {
        std::string path;
        std::uint32_t command;
        HWindow caller;  // the viewer's owner
    };
    std::vector<HelpCall> helpCalls;
    struct Box {
        std::string text, caption;
        std::uint32_t flags;
        HWindow owner;  // the window the box is modal to; none for a box of its own
    };
    std::vector<Box> messageBoxes;


private:
    TrayIcon* Find(HWindow wnd, std::uint32_t id);
    HIcon Handle(const std::string& name);

    FakeClock& clock_;
    EventLog& log_;
    FakeMessages& windowing_;
    FakeWindows& windows_;
    std::map<std::uintptr_t, std::string> iconNames_;
    std::map<std::uintptr_t, int> iconSizes_;
    std::map<std::string, std::uintptr_t> iconHandles_;
};

}  // namespace lv::fake
