// A small Windows program for the tray scenarios under Wine: it owns the
// program's tray icon and mouse button reader, the real classes on the real
// platform, and says what happens on the debug output ("lumivane-probe: ...",
// seen with WINEDEBUG=+debugstr).
//
//   tray_probe.exe           add the icon, watch clicks and buttons until closed
//   tray_probe.exe nodinput  the same on a machine without DirectInput
//   tray_probe.exe remove    delete the icon behind the first copy's back,
//                            as a taskbar that lost its icons would
//   tray_probe.exe broadcast send "TaskbarCreated" to every top-level window
//   tray_probe.exe tooltip   check the tooltip the taskbar shows
//   tray_probe.exe quit      close the first copy
#include <windows.h>
#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cursors/cursor_scheme.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"
#include "select/mouse_buttons.h"
#include "tray/ntray.h"

namespace {

constexpr char kProbeTitle[] = "Lumivane tray probe";
constexpr char kHiddenClass[] = "LumivaneHiddenWindow";
constexpr UINT kIconId = 128;
constexpr UINT kCallback = WM_USER + 100;
constexpr UINT_PTR kPollTimer = 7;
constexpr UINT_PTR kLifeTimer = 8;
constexpr UINT kPollMs = 20;
constexpr UINT kLifeMs = 120000;  // never outlives a stuck scenario for long

void Trace(const char* format, ...) {
    char text[300] = "lumivane-probe: ";
    const std::size_t used = std::strlen(text);
    va_list args;
    va_start(args, format);
    std::vsnprintf(text + used, sizeof text - used, format, args);
    va_end(args);
    ::OutputDebugStringA(text);
}

const char* CommandName(std::uint32_t command) {
    switch (command) {
        case NIM_ADD: return "add";
        case NIM_MODIFY: return "modify";
        case NIM_DELETE: return "delete";
        default: return "?";
    }
}

// The real notification area, with every call and answer traced.
class TracingTray : public lv::IShell {
public:
    explicit TracingTray(lv::IShell* real) : real_(real) {}
    bool NotifyIcon(std::uint32_t command, const lv::NotifyIconData& data) override {
        const bool answer = real_->NotifyIcon(command, data);
        Trace("shell %s flags=%u tip=\"%s\" -> %d", CommandName(command), data.uFlags, data.szTip, answer);
        return answer;
    }
    lv::HIcon LoadOwnIcon(std::uint16_t id) override { return real_->LoadOwnIcon(id); }
    lv::HIcon LoadOwnIconByName(const char* name) override { return real_->LoadOwnIconByName(name); }
    lv::HIcon LoadOwnIconSized(std::uint16_t id, int size) override { return real_->LoadOwnIconSized(id, size); }
    lv::HIcon LoadSystemIcon(std::uint16_t id) override { return real_->LoadSystemIcon(id); }
    lv::HIcon LoadSystemIconByName(const char* name) override { return real_->LoadSystemIconByName(name); }
    int LoadOwnString(std::uint32_t id, char* buffer, int size) override {
        return real_->LoadOwnString(id, buffer, size);
    }
    void DrawAnimatedRects(lv::HWindow wnd, int animation, const lv::Rect& from, const lv::Rect& to) override {
        real_->DrawAnimatedRects(wnd, animation, from, to);
    }
    int GetModuleFileName(char* path, int size) override { return real_->GetModuleFileName(path, size); }
    lv::HWindow HtmlHelp(lv::HWindow caller, const char* path, std::uint32_t command, std::uintptr_t data) override {
        return real_->HtmlHelp(caller, path, command, data);
    }
    int MessageBox(lv::HWindow owner, const char* text, const char* caption, std::uint32_t flags) override {
        return real_->MessageBox(owner, text, caption, flags);
    }

private:
    lv::IShell* real_;
};

// A machine without DirectInput: the mouse button reader must fall back.
class NoDirectInput : public lv::IMouseInput {
public:
    explicit NoDirectInput(lv::IMouseInput* real) : real_(real) {}
    lv::HDirectInput CreateDirectInput() override { return lv::HDirectInput::None; }
    lv::HInputDevice CreateSystemMouse(lv::HDirectInput input) override { return real_->CreateSystemMouse(input); }
    bool SetMouseDataFormat(lv::HInputDevice device) override { return real_->SetMouseDataFormat(device); }
    bool Acquire(lv::HInputDevice device) override { return real_->Acquire(device); }
    void Unacquire(lv::HInputDevice device) override { real_->Unacquire(device); }
    bool GetDeviceState(lv::HInputDevice device, std::uint32_t size, void* state) override {
        return real_->GetDeviceState(device, size, state);
    }
    void ReleaseDevice(lv::HInputDevice device) override { real_->ReleaseDevice(device); }
    void ReleaseDirectInput(lv::HDirectInput input) override { real_->ReleaseDirectInput(input); }
    bool WatchPhysicalButtons() override { return real_->WatchPhysicalButtons(); }
    bool IsPhysicalLeftDown() override { return real_->IsPhysicalLeftDown(); }
    bool IsPhysicalRightDown() override { return real_->IsPhysicalRightDown(); }
    lv::Point GetCursorPos() override { return real_->GetCursorPos(); }
    void SetCursor(lv::HCursor cursor) override { real_->SetCursor(cursor); }
    void InjectButtonUp(bool left) override { real_->InjectButtonUp(left); }

private:
    lv::IMouseInput* real_;
};

// The notify window: the icon's callbacks, the button poll, and the close.
class ProbeWindow : public lv::IWindowHandler {
public:
    bool OnMessage(const lv::Message& m, std::intptr_t& result) override {
        if (m.msg == kCallback) {
            Trace("callback id=%u event=0x%x", unsigned(m.wParam), unsigned(m.lParam));
            result = icon != nullptr ? icon->OnIconNotify(m.wParam, m.lParam) : 0;
            return true;
        }
        if (m.msg == WM_TIMER && m.wParam == kPollTimer) {
            PollButtons();
            return true;
        }
        if (m.msg == WM_CLOSE || (m.msg == WM_TIMER && m.wParam == kLifeTimer)) {
            Trace("closing");
            ::PostQuitMessage(0);
            return true;
        }
        return false;
    }

    lv::CTrayNotifyIcon* icon = nullptr;
    lv::CMouseButtons* buttons = nullptr;

private:
    void PollButtons() {
        const lv::MouseButtonState now = buttons->ReadButtons();
        if (now.bLeft == last_.bLeft && now.bRight == last_.bRight) return;
        last_ = now;
        Trace("buttons left=%d right=%d", int(now.bLeft), int(now.bRight));
    }
    lv::MouseButtonState last_;
};

HWND FindProbe() { return ::FindWindowA(kHiddenClass, kProbeTitle); }

int RemoveBehindItsBack() {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = FindProbe();
    record.uID = kIconId;
    const BOOL answer = record.hWnd != nullptr && ::Shell_NotifyIconA(NIM_DELETE, &record);
    Trace("removed from outside -> %d", int(answer));
    return answer ? 0 : 1;
}

int BroadcastTaskbarCreated() {
    const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
    DWORD_PTR ignored = 0;
    const LRESULT sent = ::SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    Trace("broadcast TaskbarCreated (0x%x) -> %d", message, int(sent != 0));
    return sent != 0 ? 0 : 1;
}

int CloseProbe() {
    const HWND probe = FindProbe();
    const BOOL posted = probe != nullptr && ::PostMessageA(probe, WM_CLOSE, 0, 0);
    Trace("quit -> %d", int(posted));
    return posted ? 0 : 1;
}

// A picture of one screen rectangle, or of a text, as dark / light pixels.
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<char> dark;
    bool At(int x, int y) const { return dark[std::size_t(y) * std::size_t(width) + std::size_t(x)] != 0; }
};

// A 32-bit top-down DIB section selected into its own memory DC.
struct Canvas {
    Canvas(int width, int height) : width(width), height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = ::CreateCompatibleDC(nullptr);
        bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = ::SelectObject(dc, bitmap);
    }
    ~Canvas() {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    Ink Read() const {
        ::GdiFlush();
        Ink ink;
        ink.width = width;
        ink.height = height;
        ink.dark.resize(std::size_t(width) * std::size_t(height));
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        for (std::size_t i = 0; i < ink.dark.size(); ++i) {
            const int luminance = (pixels[4 * i] + pixels[4 * i + 1] * 2 + pixels[4 * i + 2]) / 4;
            ink.dark[i] = luminance < 128;
        }
        return ink;
    }
    int width;
    int height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
};

Ink InkOfScreen(const RECT& rc) {
    Canvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(canvas.dc, 0, 0, canvas.width, canvas.height, screen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    return canvas.Read();
}

// The text as the notification area's tooltips draw it: the status font,
// dark on light.
Ink InkOfText(const char* text) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = ::CreateFontIndirectA(&metrics.lfStatusFont);
    const int length = int(std::strlen(text));
    SIZE size{};
    {
        Canvas measure(1, 1);
        HGDIOBJ oldFont = ::SelectObject(measure.dc, font);
        ::GetTextExtentPoint32A(measure.dc, text, length, &size);
        ::SelectObject(measure.dc, oldFont);
    }
    Canvas canvas(size.cx, size.cy);
    HGDIOBJ oldFont = ::SelectObject(canvas.dc, font);
    RECT all{0, 0, size.cx, size.cy};
    ::FillRect(canvas.dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(canvas.dc, TRANSPARENT);
    ::SetTextColor(canvas.dc, RGB(0, 0, 0));
    ::TextOutA(canvas.dc, 0, 0, text, length);
    Ink ink = canvas.Read();
    ::SelectObject(canvas.dc, oldFont);
    ::DeleteObject(font);
    return ink;
}

// True when the text's pixels appear, exactly, somewhere in the picture.
bool Contains(const Ink& picture, const Ink& text) {
    for (int oy = 0; oy + text.height <= picture.height; ++oy) {
        for (int ox = 0; ox + text.width <= picture.width; ++ox) {
            bool same = true;
            for (int y = 0; y < text.height && same; ++y) {
                for (int x = 0; x < text.width && same; ++x) same = picture.At(ox + x, oy + y) == text.At(x, y);
            }
            if (same) return true;
        }
    }
    return false;
}

HWND g_tooltip = nullptr;

BOOL CALLBACK FindTooltip(HWND hwnd, LPARAM) {
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (std::strcmp(name, "tooltips_class32") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    g_tooltip = hwnd;
    return FALSE;
}

// Which text the shown tooltip carries: its window has none, so its pixels
// are compared with the text drawn in the tooltip's font. `text` must be
// found; `other`, drawn the same way, must not (the check can tell texts
// apart).
int CheckTooltip(const char* text, const char* other) {
    ::EnumWindows(FindTooltip, 0);
    if (g_tooltip == nullptr) {
        Trace("tooltip none shown");
        return 1;
    }
    RECT rc{};
    ::GetWindowRect(g_tooltip, &rc);
    const Ink shown = InkOfScreen(rc);
    const bool hasText = Contains(shown, InkOfText(text));
    const bool hasOther = Contains(shown, InkOfText(other));
    Trace("tooltip at %ld,%ld-%ld,%ld shows \"%s\"=%d \"%s\"=%d", rc.left, rc.top, rc.right, rc.bottom, text,
          int(hasText), other, int(hasOther));
    return hasText && !hasOther ? 0 : 1;
}

int RunIcon(bool withoutDirectInput) {
    TracingTray tracing(lv::Platform().shell);
    NoDirectInput noDirectInput(lv::Platform().mouseInput);
    lv::PlatformServices services = lv::Platform();
    services.shell = &tracing;
    if (withoutDirectInput) services.mouseInput = &noDirectInput;
    lv::InstallPlatform(services);

    // Pointers are a no-op under Wine 8; this shows only that the calls run.
    lv::CCursorScheme scheme;
    scheme.Capture();
    scheme.SetSelectionCursor(lv::CURSOR_INSIDE);
    scheme.Restore();
    Trace("cursors captured, swapped and restored (windows directory \"%s\")", scheme.WindowsDirectory());

    ProbeWindow handler;
    const lv::HWindow wnd = lv::Messages().CreateHiddenWindow(kProbeTitle, &handler);
    if (lv::IsNone(wnd)) {
        Trace("no notify window");
        return 1;
    }
    int exitCode = 0;
    {
        lv::CTrayNotifyIcon icon;
        lv::CMouseButtons buttons;
        handler.icon = &icon;
        handler.buttons = &buttons;
        const lv::HIcon frame = lv::Shell().LoadOwnIcon(kIconId);
        const bool added = icon.CreateAnimated(wnd, kIconId, "Lumivane 2.05 ", &frame, 1, 1000, kCallback);
        Trace("icon added=%d", int(added));
        buttons.Create();
        Trace("mouse reader: %s", buttons.UsesDirectInput() ? "DirectInput" : buttons.UsesFallback() ? "fallback" : "none");
        lv::Messages().SetTimer(wnd, kPollTimer, kPollMs);
        lv::Messages().SetTimer(wnd, kLifeTimer, kLifeMs);
        Trace("ready");

        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        buttons.Release();
        handler.icon = nullptr;
        exitCode = added ? 0 : 1;
    }  // the icon goes here: animation, resurrection window, then the icon
    Trace("icon removed");
    lv::Dialogs().DestroyWindow(wnd);
    scheme.RestoreAtExit();
    Trace("done");
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    lv::win32::InstallWin32Platform(instance);
    const char* command = commandLine != nullptr ? commandLine : "";
    if (std::strcmp(command, "remove") == 0) return RemoveBehindItsBack();
    if (std::strcmp(command, "broadcast") == 0) return BroadcastTaskbarCreated();
    if (std::strcmp(command, "quit") == 0) return CloseProbe();
    if (std::strcmp(command, "tooltip") == 0) return CheckTooltip("Lumivane 2.05", "Lumivane 2.06");
    return RunIcon(std::strcmp(command, "nodinput") == 0);
}
