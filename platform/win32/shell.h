#pragma once

#include <windows.h>

#include "platform/shell.h"

namespace lv::win32 {

class Win32Shell : public IShell {
public:
    bool NotifyIcon(std::uint32_t command, const NotifyIconData& data) override;
    HIcon LoadOwnIcon(std::uint16_t id) override;
    HIcon LoadOwnIconByName(const char* name) override;
    HIcon LoadOwnIconSized(std::uint16_t id, int size) override;
    HIcon LoadSystemIcon(std::uint16_t id) override;
    HIcon LoadSystemIconByName(const char* name) override;
    int LoadOwnString(std::uint32_t id, char* buffer, int size) override;
    void DrawAnimatedRects(HWindow wnd, int animation, const Rect& from, const Rect& to) override;
    int GetModuleFileName(char* path, int size) override;
    HWindow HtmlHelp(HWindow caller, const char* path, std::uint32_t command, std::uintptr_t data) override;
    int MessageBox(HWindow owner, const char* text, const char* caption, std::uint32_t flags) override;
};

}  // namespace lv::win32
