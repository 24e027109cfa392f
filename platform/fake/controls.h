// The simulated desktop's controls as a user meets them: a pointer that
// moves over them (the window under it, or the one holding the capture,
// gets the moves, after the running modal dialog's loop has looked at
// them), clicks that a static control reports only with SS_NOTIFY, paints
// that ask the parent for the colours, fonts with a simple proportional
// face, tooltips, sliders, and other modules' cursor resources.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/fake/clock.h"
#include "platform/fake/cursors.h"
#include "platform/fake/dialogs.h"
#include "platform/fake/log.h"
#include "platform/fake/mouse_input.h"
#include "platform/fake/windows.h"

namespace lv::fake {

struct FakeFont {
    std::string face;
    int points = 0;
    bool underline = false;
    bool alive = true;
};

// What a control is and what its last paint showed.
struct FakeControlState {
    IControlHandler* handler = nullptr;
    HFont font = HFont::None;
    bool invalid = false;
    int paints = 0;
    Colour shownColour = 0;
    bool shownTransparent = false;
    std::intptr_t shownBrush = 0;
    HFont shownFont = HFont::None;
    // Texts drawn over one another since the background was last painted:
    // a transparent text on a hollow brush leaves the old text under the
    // new, and its antialiased fringes add up.
    int textLayers = 0;
    // A slider's.
    std::int32_t minimum = 0;
    std::int32_t maximum = 100;
    std::int32_t position = 0;
};

struct FakeTool {
    HWindow owner = HWindow::None;
    std::uintptr_t id = 0;
    std::string text;
    Rect area;
};

struct FakeTooltip {
    HWindow parent = HWindow::None;
    std::vector<FakeTool> tools;
    std::vector<Message> relayed;
    bool destroyed = false;
};

class FakeControls : public IControls {
public:
    FakeControls(FakeClock& clock, EventLog& log, FakeDialogs& dialogs, FakeWindows& windows,
                 FakeMouseInput& mouse, FakeCursors& cursors);

    bool SubclassControl(HWindow control, IControlHandler* handler) override;
    void RemoveSubclass(HWindow control) override;
    std::intptr_t DefaultControlProc(const Message& m) override;
    std::uint32_t GetStyle(HWindow wnd) override;
    void SetStyle(HWindow wnd, std::uint32_t style) override;
    void SetWindowText(HWindow wnd, const char* text) override;
    void SetWindowPosNoZOrder(HWindow wnd, const Rect& rect) override;
    void RedrawWindow(HWindow wnd, std::uint32_t flags) override;
    void InvalidateWindow(HWindow wnd, bool erase) override;
    void SetCapture(HWindow wnd) override;
    void ReleaseCapture() override;
    HFont GetFont(HWindow wnd) override;
    HFont CreateFontLike(HFont base, bool underline) override;
    void SetFont(HWindow wnd, HFont font, bool redraw) override;
    void DeleteFont(HFont font) override;
    Point MeasureText(HWindow wnd, HFont font, const char* text) override;
    void SetTextColour(HDc dc, Colour colour) override;
    void SetTransparentBackground(HDc dc) override;
    std::intptr_t HollowBrush() override { return kHollowBrush; }
    std::intptr_t SysColourBrush(int index) override { return kSysColourBrushes + index; }
    static constexpr std::intptr_t kSysColourBrushes = 0x5B00;
    Colour GetSysColour(int index) override;
    HWindow CreateTooltip(HWindow parent) override;
    bool AddTool(HWindow tip, HWindow owner, std::uintptr_t id, const char* text, const Rect& area) override;
    void UpdateToolText(HWindow tip, HWindow owner, std::uintptr_t id, const char* text) override;
    void RelayEvent(HWindow tip, const Message& m) override;
    void DestroyTooltip(HWindow tip) override;
    void SetSlider(HWindow slider, std::int32_t minimum, std::int32_t maximum, std::int32_t position) override;
    HModule LoadModule(const char* path) override;
    HCursor LoadModuleCursor(HModule module, int resourceId) override;
    void ReleaseModule(HModule module) override;

    // The user's hand: the pointer goes to a screen point; a press and
    // release of the left button where the pointer is.
    void MoveMouse(Point screen);
    void Click(Point screen);
    // The user drags a slider's thumb.
    void MoveSlider(HWindow slider, std::int32_t position);
    // The message loop idles: invalidated windows paint.
    void PaintInvalid();

    FakeControlState& State(HWindow wnd) { return states_[std::uintptr_t(wnd)]; }
    const FakeTooltip* Tooltip(HWindow tip) const;
    const FakeFont* Font(HFont font) const;
    int LiveFonts() const;
    // The text width of the simulated face: 2 pixels for narrow glyphs,
    // 8 for wide ones, 5 for the rest; height from the size in points.
    static Point Extent(const FakeFont& font, const std::string& text);

    static constexpr std::intptr_t kHollowBrush = 0x4E55;
    HWindow capture = HWindow::None;
    std::map<int, Colour> sysColours;
    // Modules on disk: path -> cursor resource id -> image.
    std::map<std::string, std::map<int, std::string>> modules;
    int liveModules = 0;
    // Faces of the dialogs' fonts by template.
    std::map<int, FakeFont> templateFonts;

private:
    // The dialog that a window belongs to (itself for a dialog).
    HWindow DialogOf(HWindow wnd);
    // Sends a message to a control (its handler, else its own procedure)
    // or to a dialog.
    std::intptr_t Deliver(const Message& m);
    // A queued message: the modal loop's filter, then the window.
    void Post(const Message& m);
    void Paint(HWindow wnd);
    HWindow Target(Point screen);
    HFont NewFont(const FakeFont& font);

    FakeClock& clock_;
    EventLog& log_;
    FakeDialogs& dialogs_;
    FakeWindows& windows_;
    FakeMouseInput& mouse_;
    FakeCursors& cursors_;
    std::map<std::uintptr_t, FakeControlState> states_;
    std::map<std::uintptr_t, FakeFont> fonts_;
    std::map<int, HFont> dialogFonts_;
    std::map<std::uintptr_t, FakeTooltip> tooltips_;
    std::map<std::uintptr_t, std::string> loadedModules_;
    std::map<std::uintptr_t, std::vector<HCursor>> moduleCursors_;
    std::map<std::uintptr_t, Colour> dcColours_;
    std::map<std::uintptr_t, bool> dcTransparent_;
    std::uintptr_t nextFont_ = 0x6000;
    std::uintptr_t nextModule_ = 0x9000;
    std::uintptr_t nextDc_ = 0xD000;
};

}  // namespace lv::fake
