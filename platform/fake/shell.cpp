#include "platform/fake/shell.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/constants.h"
#include "platform/fake/text.h"

namespace lv::fake {

FakeShell::FakeShell(FakeClock& clock, EventLog& log, FakeMessages& windowing, FakeWindows& windows)
    : clock_(clock), log_(log), windowing_(windowing), windows_(windows) {
    ownIcons[128] = "own 128";
    ownIcons[145] = "own 145";
    ownIcons[146] = "own 146";
}

TrayIcon* FakeShell::Find(HWindow wnd, std::uint32_t id) {
    for (TrayIcon& icon : icons) {
        if (icon.hWnd == wnd && icon.uID == id) return &icon;
    }
    return nullptr;
}

bool FakeShell::NotifyIcon(std::uint32_t command, const NotifyIconData& data) {
    TrayCall call{clock_.Now(), command, data, false};
    const bool wellFormed = data.cbSize == kNotifyIconDataSize &&
                            std::memchr(data.szTip, 0, kTipSize) != nullptr;
    if (!wellFormed) ++malformed;
    TrayIcon* icon = Find(data.hWnd, data.uID);
    bool answer = false;
    if (wellFormed && !refuseAll) {
        if (command == kNimAdd && icon == nullptr && !refuseAdd) {
            TrayIcon added;
            added.hWnd = data.hWnd;
            added.uID = data.uID;
            icons.push_back(added);
            icon = &icons.back();
            answer = true;
        } else if (command == kNimModify && icon != nullptr) {
            answer = true;
        } else if (command == kNimDelete && icon != nullptr) {
            icons.erase(icons.begin() + (icon - icons.data()));
            icon = nullptr;
            answer = true;
        }
    }
    if (answer && icon != nullptr) {
        if (data.uFlags & kNifMessage) icon->uCallbackMessage = data.uCallbackMessage;
        if (data.uFlags & kNifIcon) icon->hIcon = data.hIcon;
        if (data.uFlags & kNifTip) icon->tip = data.szTip;
    }
    call.answer = answer;
    calls.push_back(call);
    static const char* const kNames[] = {"add", "modify", "delete"};
    log_.Add(clock_.Now(), std::string("tray ") + (command < 3 ? kNames[command] : "?") +
                               (answer ? "" : " refused"));
    return answer;
}

const TrayIcon* FakeShell::Icon(std::uint32_t id) const {
    for (const TrayIcon& icon : icons) {
        if (icon.uID == id) return &icon;
    }
    return nullptr;
}

std::intptr_t FakeShell::Click(std::uint32_t id, std::uint32_t mouseMessage) {
    const TrayIcon* icon = Icon(id);
    if (icon == nullptr || icon->uCallbackMessage == 0) return 0;
    return windowing_.SendWindowMessage(icon->hWnd, icon->uCallbackMessage, id, std::intptr_t(mouseMessage));
}

void FakeShell::RestartTaskbar() {
    icons.clear();
    log_.Add(clock_.Now(), "taskbar restart");
    windowing_.Broadcast(windowing_.RegisterMessage("TaskbarCreated"));
}

HIcon FakeShell::Handle(const std::string& name) {
    auto it = iconHandles_.find(name);
    if (it != iconHandles_.end()) return HIcon(it->second);
    const std::uintptr_t h = 0x7000 + iconNames_.size();
    iconNames_[h] = name;
    iconHandles_[name] = h;
    return HIcon(h);
}

HIcon FakeShell::MakeIcon(const std::string& name) { return Handle(name); }

std::string FakeShell::NameOf(HIcon icon) const {
    auto it = iconNames_.find(std::uintptr_t(icon));
    return it == iconNames_.end() ? std::string() : it->second;
}

// LoadIconA answers the same shared handle for the same resource.
HIcon FakeShell::LoadOwnIcon(std::uint16_t id) {
    auto it = ownIcons.find(id);
    return it == ownIcons.end() ? HIcon::None : Handle(it->second);
}

// One handle for each icon and size, named as the icon is.
HIcon FakeShell::LoadOwnIconSized(std::uint16_t id, int size) {
    auto it = ownIcons.find(id);
    if (it == ownIcons.end() || size <= 0) return HIcon::None;
    const std::string key = it->second + " @" + std::to_string(size);
    auto known = iconHandles_.find(key);
    if (known != iconHandles_.end()) return HIcon(known->second);
    const std::uintptr_t h = 0x7000 + iconNames_.size();
    iconNames_[h] = it->second;
    iconHandles_[key] = h;
    iconSizes_[h] = size;
    return HIcon(h);
}

int FakeShell::SizeOf(HIcon icon) const {
    auto it = iconSizes_.find(std::uintptr_t(icon));
    return it == iconSizes_.end() ? 0 : it->second;
}

// "#128" names resource 128, as it does for LoadIconA.
HIcon FakeShell::LoadOwnIconByName(const char* name) {
    if (name[0] == '#') return LoadOwnIcon(std::uint16_t(std::strtoul(name + 1, nullptr, 10)));
    return namedIcons.count(name) ? Handle(std::string("own ") + name) : HIcon::None;
}

HIcon FakeShell::LoadSystemIcon(std::uint16_t id) {
    if (id < kIdiApplication || id > kIdiAsterisk) return HIcon::None;
    return Handle("system " + std::to_string(id));
}

HIcon FakeShell::LoadSystemIconByName(const char* /*name*/) {
    // The predefined icons have numbers only.
    return HIcon::None;
}

int FakeShell::LoadOwnString(std::uint32_t id, char* buffer, int size) {
    if (size <= 0) return 0;
    auto it = strings.find(id);
    const std::string text = it == strings.end() ? std::string() : it->second;
    const std::size_t written = CopyBounded(text, buffer, size);
    log_.AddWrite("LoadOwnString", std::size_t(size), written);
    return int(written - 1);
}

int FakeShell::CallsOf(std::uint32_t command) const {
    int n = 0;
    for (const TrayCall& c : calls) {
        if (c.command == command) ++n;
    }
    return n;
}

void FakeShell::DrawAnimatedRects(HWindow, int animation, const Rect& from, const Rect& to) {
    animations.push_back(Animation{animation, from, to});
    log_.Add(clock_.Now(), "animate");
}

int FakeShell::GetModuleFileName(char* path, int size) {
    const int length = int(modulePath.size());
    if (cutPathUnterminated && size > 0 && length >= size) {
        std::memcpy(path, modulePath.data(), std::size_t(size));
        log_.AddWrite("GetModuleFileName", std::size_t(size), std::size_t(size));
        return size;
    }
    log_.AddWrite("GetModuleFileName", std::size_t(size < 0 ? 0 : size), CopyBounded(modulePath, path, size));
    // Like the system: a path that does not fit answers the buffer's size.
    return length >= size ? size : length;
}

HWindow FakeShell::HtmlHelp(HWindow caller, const char* path, std::uint32_t command, std::uintptr_t) {
    helpCalls.push_back(HelpCall{path, command, caller});
    log_.Add(clock_.Now(), std::string("help ") + path);
    if (!helpFiles.count(path)) return HWindow::None;
    // The viewer runs in the program's process and comes to the front.
    const HWindow viewer = windows_.AddWindow("HH Parent", Rect{100, 100, 700, 500});
    windows_.Find(viewer)->foreign = false;
    windows_.Activate(viewer);
    return viewer;
}

int FakeShell::MessageBox(HWindow owner, const char* text, const char* caption, std::uint32_t flags) {
    messageBoxes.push_back(Box{text, caption ? caption : "", flags, owner});
    log_.Add(clock_.Now(), std::string("message box ") + text);
    return 1;
}

}  // namespace lv::fake
