// One control of a dialog driven on its own: its messages taken over
// (subclassing), its style, text and place, repainting, the mouse capture,
// fonts and text extents, a static control's colours, tooltips, sliders, and
// cursors borrowed from another module. Dialogs as a whole are
// platform/dialogs.h.
#pragma once

#include <cstdint>

#include "platform/dialogs.h"
#include "platform/types.h"

namespace lv {

enum class HFont : std::uintptr_t { None = 0 };
enum class HModule : std::uintptr_t { None = 0 };

// Static control styles and notifications.
constexpr std::uint32_t kSsCenter = 0x0001;
constexpr std::uint32_t kSsRight = 0x0002;
constexpr std::uint32_t kSsNotify = 0x0100;
constexpr std::uint32_t kSsCenterImage = 0x0200;
constexpr std::uint16_t kStnClicked = 0;
constexpr std::uint32_t kWmMouseMove = 0x0200;
constexpr std::uint32_t kWmCtlColorStatic = 0x0138;
constexpr std::uint32_t kWmCaptureChanged = 0x0215;
// GetSysColor index of the selection highlight.
constexpr int kColorHighlight = 13;
// The system's hand pointer (IDC_HAND).
constexpr std::uint32_t kIdcHand = 32649;

// The logic side of a subclassed control: every message of the control
// comes here first; unhandled ones go on to the control's own procedure.
class IControlHandler {
public:
    virtual ~IControlHandler() = default;
    // Answer true and set `result` when handled.
    virtual bool OnControlMessage(const Message& m, std::intptr_t& result) = 0;
};

class IControls {
public:
    virtual ~IControls() = default;

    // Subclassing. The handler must outlive the subclass (or the window).
    virtual bool SubclassControl(HWindow control, IControlHandler* handler) = 0;
    virtual void RemoveSubclass(HWindow control) = 0;
    // The control's own procedure for a message, from inside its handler.
    virtual std::intptr_t DefaultControlProc(const Message& m) = 0;

    // Style (GWL_STYLE), text, place.
    virtual std::uint32_t GetStyle(HWindow wnd) = 0;
    virtual void SetStyle(HWindow wnd, std::uint32_t style) = 0;
    virtual void SetWindowText(HWindow wnd, const char* text) = 0;
    // SetWindowPos with SWP_NOZORDER; `rect` in the parent's client
    // coordinates (the screen's for a top-level window).
    virtual void SetWindowPosNoZOrder(HWindow wnd, const Rect& rect) = 0;
    // RedrawWindow of the whole window with kRdw* flags.
    virtual void RedrawWindow(HWindow wnd, std::uint32_t flags) = 0;
    // InvalidateRect of the whole client area: painted when the loop idles.
    virtual void InvalidateWindow(HWindow wnd, bool erase) = 0;

    // The mouse capture: mouse input reaches the window wherever the
    // pointer is, until released or taken by another window; the window
    // that loses it gets WM_CAPTURECHANGED either way.
    virtual void SetCapture(HWindow wnd) = 0;
    virtual void ReleaseCapture() = 0;

    // Fonts. GetFont is WM_GETFONT (None: the system font). CreateFontLike
    // makes a font from the description of `base` (the system font for
    // None) with the underline attribute given; the caller owns it.
    virtual HFont GetFont(HWindow wnd) = 0;
    virtual HFont CreateFontLike(HFont base, bool underline) = 0;
    // WM_SETFONT; the window does not own the font.
    virtual void SetFont(HWindow wnd, HFont font, bool redraw) = 0;
    virtual void DeleteFont(HFont font) = 0;
    // The width (x) and height (y) of a text in the font, measured on the
    // window's device context.
    virtual Point MeasureText(HWindow wnd, HFont font, const char* text) = 0;

    // Colours of a static control, answered to WM_CTLCOLORSTATIC.
    virtual void SetTextColour(HDc dc, Colour colour) = 0;
    virtual void SetTransparentBackground(HDc dc) = 0;
    // The null (hollow) stock brush, as a dialog procedure answers it.
    virtual std::intptr_t HollowBrush() = 0;
    // GetSysColorBrush: the shared brush of a system colour (COLOR_3DFACE,
    // 15, is a dialog's background).
    virtual std::intptr_t SysColourBrush(int index) = 0;
    virtual Colour GetSysColour(int index) = 0;

    // Tooltips: a tooltip control owned by `parent`, with tools that are
    // rectangles of their owner's client area.
    virtual HWindow CreateTooltip(HWindow parent) = 0;
    virtual bool AddTool(HWindow tip, HWindow owner, std::uintptr_t id, const char* text, const Rect& area) = 0;
    virtual void UpdateToolText(HWindow tip, HWindow owner, std::uintptr_t id, const char* text) = 0;
    // TTM_RELAYEVENT: a message for the owner, before it is dispatched.
    virtual void RelayEvent(HWindow tip, const Message& m) = 0;
    virtual void DestroyTooltip(HWindow tip) = 0;

    // Sliders (trackbars): the range and the thumb's place.
    virtual void SetSlider(HWindow slider, std::int32_t minimum, std::int32_t maximum, std::int32_t position) = 0;

    // A cursor resource of another module: the module's resources only
    // (LoadLibraryEx as a data file: none of its code runs), LoadCursorA
    // (the handle lives as long as the module), FreeLibrary.
    virtual HModule LoadModule(const char* path) = 0;
    virtual HCursor LoadModuleCursor(HModule module, int resourceId) = 0;
    virtual void ReleaseModule(HModule module) = 0;
};

}  // namespace lv
