// The shell with the Win32 API: the notification area through
// Shell_NotifyIconA, with the record in its first form, icons and strings
// from the program's resources, the zoom animation, the program's path, the
// HTML Help viewer and message boxes.
#include "platform/win32/shell.h"

#include <map>
#include <utility>

#include <shellapi.h>

#include <cstring>

#include "platform/win32/dialogs.h"
#include "platform/win32/utf8.h"
#include "platform/win32/win32_platform.h"

namespace lv::win32 {

namespace {
RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// HtmlHelpW lives in hhctrl.ocx; it is looked up when first needed, so the
// program starts on a system without the viewer.
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
HtmlHelpFn LoadHtmlHelp() {
    static HtmlHelpFn fn = [] {
        HMODULE module = ::LoadLibraryA("hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpW")))
                      : nullptr;
    }();
    return fn;
}

}  // namespace

// The first form of the record is 88 bytes on 32-bit Windows; a 64-bit
// build passes the same fields in its own layout of that form.
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == kNotifyIconDataSize, "first form of NOTIFYICONDATAA");
#endif
static_assert(sizeof(NOTIFYICONDATAA{}.szTip) >= kTipSize, "tooltip field");

namespace {
HIcon FromHicon(HICON icon) { return HIcon(reinterpret_cast<std::uintptr_t>(icon)); }
}  // namespace

bool Win32Shell::NotifyIcon(std::uint32_t command, const NotifyIconData& data) {
    NOTIFYICONDATAA record{};
    record.cbSize = data.cbSize == kNotifyIconDataSize ? DWORD(NOTIFYICONDATAA_V1_SIZE) : DWORD(data.cbSize);
    record.hWnd = ToHwnd(data.hWnd);
    record.uID = data.uID;
    record.uFlags = data.uFlags;
    record.uCallbackMessage = data.uCallbackMessage;
    record.hIcon = reinterpret_cast<HICON>(data.hIcon);
    std::memcpy(record.szTip, data.szTip, kTipSize);
    record.szTip[kTipSize - 1] = '\0';
    return ::Shell_NotifyIconA(command, &record) != FALSE;
}

HIcon Win32Shell::LoadOwnIcon(std::uint16_t id) {
    return FromHicon(::LoadIconA(Instance(), MAKEINTRESOURCEA(id)));
}

HIcon Win32Shell::LoadOwnIconByName(const char* name) { return FromHicon(::LoadIconA(Instance(), name)); }

// Loaded once for each icon and size and kept: the tray shows a handle for
// as long as it likes, and a state change brings the same icons back.
HIcon Win32Shell::LoadOwnIconSized(std::uint16_t id, int size) {
    static std::map<std::pair<std::uint16_t, int>, HICON> loaded;
    auto it = loaded.find({id, size});
    if (it != loaded.end()) return FromHicon(it->second);
    auto* icon = static_cast<HICON>(::LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    if (icon != nullptr) loaded[{id, size}] = icon;
    return FromHicon(icon);
}

HIcon Win32Shell::LoadSystemIcon(std::uint16_t id) {
    return FromHicon(::LoadIconA(nullptr, MAKEINTRESOURCEA(id)));
}

HIcon Win32Shell::LoadSystemIconByName(const char* name) { return FromHicon(::LoadIconA(nullptr, name)); }

int Win32Shell::LoadOwnString(std::uint32_t id, char* buffer, int size) {
    if (size <= 0) return 0;
    buffer[0] = '\0';
    const int length = ::LoadStringA(Instance(), id, buffer, size);
    buffer[size - 1] = '\0';
    return length;
}

void Win32Shell::DrawAnimatedRects(HWindow wnd, int animation, const Rect& from, const Rect& to) {
    const RECT a = ToRECT(from);
    const RECT b = ToRECT(to);
    ::DrawAnimatedRects(ToHwnd(wnd), animation, &a, &b);
}

// The wide path, in UTF-8. A path the wide buffer cut, or one that does not
// fit the caller's, answers a length of `size` or more and leaves nothing.
int Win32Shell::GetModuleFileName(char* path, int size) {
    if (size <= 0) return 0;
    path[0] = '\0';
    wchar_t wide[1024];
    const DWORD n = ::GetModuleFileNameW(nullptr, wide, DWORD(sizeof wide / sizeof wide[0]));
    if (n == 0) return 0;
    if (n >= sizeof wide / sizeof wide[0]) return size;  // cut (Windows XP leaves it unterminated)
    return Narrow(wide, int(n), path, size);
}

HWindow Win32Shell::HtmlHelp(HWindow caller, const char* path, std::uint32_t command, std::uintptr_t data) {
    HtmlHelpFn fn = LoadHtmlHelp();
    return fn ? FromHwnd(fn(ToHwnd(caller), Widen(path).c_str(), command, data)) : HWindow::None;
}

int Win32Shell::MessageBox(HWindow owner, const char* text, const char* caption, std::uint32_t flags) {
    return ::MessageBoxA(ToHwnd(owner), text, caption, flags);
}

}  // namespace lv::win32
