// The shell: the taskbar's notification area with the icons and texts shown
// in it, the zoom animation towards it, the program's own path, the help
// viewer and the message box.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/types.h"

namespace lv {

// The notification-area record in its first form (NOTIFYICONDATAA as
// Windows 95 knew it): 88 bytes on a 32-bit system, a tooltip of at most 63
// characters and its terminator. Each platform passes it on in its own
// layout of that form.
constexpr std::uint32_t kNotifyIconDataSize = 88;
constexpr std::size_t kTipSize = 64;

struct NotifyIconData {
    std::uint32_t cbSize = 0;
    HWindow hWnd = HWindow::None;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    HIcon hIcon = HIcon::None;
    char szTip[kTipSize] = {};
};

class IShell {
public:
    virtual ~IShell() = default;

    // Shell_NotifyIconA with kNimAdd, kNimModify or kNimDelete; answers the
    // shell's answer.
    virtual bool NotifyIcon(std::uint32_t command, const NotifyIconData& data) = 0;

    // LoadIconA on the program's module, by number or by name. None when
    // there is no such icon.
    virtual HIcon LoadOwnIcon(std::uint16_t id) = 0;
    virtual HIcon LoadOwnIconByName(const char* name) = 0;
    // The program's icon drawn at `size` x `size` pixels (the image of that
    // size in the icon, not one resampled from another); the same handle
    // for the same icon and size for the life of the program. None when
    // there is no such icon.
    virtual HIcon LoadOwnIconSized(std::uint16_t id, int size) = 0;
    // LoadIconA with no module: a predefined icon (IDI_*), by number or name.
    virtual HIcon LoadSystemIcon(std::uint16_t id) = 0;
    virtual HIcon LoadSystemIconByName(const char* name) = 0;
    // LoadStringA from the program's resources: the length copied, at most
    // size - 1 characters and always terminated; 0 when there is no string.
    virtual int LoadOwnString(std::uint32_t id, char* buffer, int size) = 0;

    // The zoom animation between the tray and the bar (IDANI_CAPTION).
    virtual void DrawAnimatedRects(HWindow wnd, int animation, const Rect& from, const Rect& to) = 0;

    // The program's own file path, up to `size` - 1 characters, always
    // terminated; answers the length, or 0 on failure.
    virtual int GetModuleFileName(char* path, int size) = 0;
    // HtmlHelpA; answers the viewer's window, None when it did not open.
    virtual HWindow HtmlHelp(HWindow caller, const char* path, std::uint32_t command, std::uintptr_t data) = 0;
    virtual int MessageBox(HWindow owner, const char* text, const char* caption, std::uint32_t flags) = 0;
};

}  // namespace lv
