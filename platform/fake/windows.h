// The simulated desktop's one window table: the program's dialogs and
// hidden windows and other programs' windows alike, with classes, parents,
// window rectangles (screen coordinates) and client areas inside them offset
// by a frame, show states, z-order and the foreground. A test builds a
// situation with AddWindow and changes it between ticks as a user or
// another program would (Move, Resize, Maximise, Minimise, Restore,
// Activate, Close).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/dialogs.h"
#include "platform/messages.h"
#include "platform/windows.h"

namespace lv::fake {

// How far a window's client area lies inside its window rectangle.
struct Frame {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A frame with a caption, as an ordinary top-level window has.
constexpr Frame kCaptionFrame{4, 24, 4, 4};

struct FakeWindow {
    HWindow handle = HWindow::None;
    HWindow parent = HWindow::None;
    HWindow owner = HWindow::None;  // a top-level window's owner
    bool foreign = false;           // another program's window
    bool disabled = false;          // takes no input (EnableWindow FALSE)
    std::string className;
    int templateId = 0;
    int controlId = 0;
    std::string text;  // the title of a top-level window
    std::uint32_t style = 0;  // a control's, from its template
    Rect rect;         // screen coordinates
    Frame frame;
    bool visible = false;
    bool topmost = false;
    bool minimised = false;
    bool maximised = false;
    bool destroyed = false;
    std::uint64_t z = 0;  // higher is nearer the top among its siblings
    Rect restoreRect;     // the place Restore puts it back to
    // When set, what GetWindowPlacement answers whatever the state: a
    // placement that lags behind the window, as Wine's can while it
    // minimises one.
    std::uint32_t placementShowCmd = 0;
    // A dialog's.
    bool modal = false;
    bool ended = false;
    std::intptr_t result = 0;
    IDialogHandler* handler = nullptr;
    int paints = 0;
    HBitmap pictures[4] = {};
    // A hidden window's.
    IWindowHandler* windowHandler = nullptr;
};

class FakeWindows : public IWindows {
public:
    FakeWindows(FakeClock& clock, EventLog& log, std::int32_t width, std::int32_t height);

    bool IsWindow(HWindow wnd) override;
    HWindow GetParent(HWindow wnd) override;
    HWindow GetAncestorParent(HWindow wnd) override;
    bool IsOwnWindow(HWindow wnd) override;
    int GetControlId(HWindow wnd) override;
    void GetClassName(HWindow wnd, char* name, int size) override;
    HWindow FindWindow(const char* className) override;
    HWindow FindWindowEx(HWindow parent, const char* className) override;
    void EnumChildWindows(HWindow parent, const std::function<bool(HWindow)>& visit) override;
    HWindow WindowFromPoint(Point pt) override;
    Rect GetWindowRect(HWindow wnd) override;
    Rect GetClientRect(HWindow wnd) override;
    Point ScreenToClient(HWindow wnd, Point pt) override;
    Point ClientToScreen(HWindow wnd, Point pt) override;
    void MoveWindow(HWindow wnd, const Rect& rect, bool repaint) override;
    void SetWindowSize(HWindow wnd, std::int32_t width, std::int32_t height) override;
    void CentreWindow(HWindow wnd) override;
    void SetWindowPosTopmost(HWindow wnd, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height) override;
    void MoveTopmostWithoutActivating(HWindow wnd, std::int32_t x, std::int32_t y, std::int32_t width,
                                      std::int32_t height) override;
    int GetSystemMetrics(int index) override;
    void ShowWindow(HWindow wnd, bool show) override;
    bool IsWindowVisible(HWindow wnd) override;
    bool IsIconic(HWindow wnd) override;
    bool IsZoomed(HWindow wnd) override;
    std::uint32_t GetShowCmd(HWindow wnd) override;
    HWindow GetTopWindow(HWindow parent) override;
    HWindow GetForegroundWindow() override { return foreground; }
    bool SetForegroundWindow(HWindow wnd) override;

    // A new entry in the table, at the top of its siblings; a window of
    // another program is visible.
    FakeWindow& Add(FakeWindow w);
    // A window of another program (the taskbar, a media player, ...).
    HWindow AddWindow(const std::string& className, const Rect& rect, HWindow parent = HWindow::None,
                      Frame frame = Frame{});
    // A top-level window of another program owned by `owner` (a dialog box,
    // a player's full-screen pop-up): GetParent answers its owner, as
    // Windows does, though it is nobody's child.
    HWindow AddOwnedWindow(const std::string& className, const Rect& rect, HWindow owner,
                           Frame frame = Frame{});

    // What a user or another program does between ticks. Children move with
    // their parent.
    void Move(HWindow wnd, std::int32_t left, std::int32_t top);
    void Resize(HWindow wnd, std::int32_t width, std::int32_t height);
    // Fills the parent's client area (the screen for a top-level window).
    void Maximise(HWindow wnd);
    // A minimised top-level window lies at (-32000, -32000) as a small
    // caption with no client area, as Windows parks it.
    void Minimise(HWindow wnd);
    void Restore(HWindow wnd);
    // To the top of its siblings, with its ancestors; a top-level window's
    // chain becomes the foreground.
    void Activate(HWindow wnd);
    // The window and its descendants are gone.
    void Close(HWindow wnd);

    FakeWindow* Find(HWindow wnd);
    // Children of a window in creation order, and their children after each.
    std::vector<HWindow> Descendants(HWindow parent) const;
    // Windows made from a template, live or destroyed, in creation order.
    std::vector<const FakeWindow*> WindowsFrom(int templateId) const;
    // Live windows without a parent, in creation order.
    std::vector<HWindow> TopLevelWindows() const;
    // The outermost ancestor.
    HWindow TopLevelOf(HWindow wnd);

    std::int32_t screenWidth;
    std::int32_t screenHeight;
    HWindow foreground = HWindow::None;
    // Look-ups of the tree and the geometry (each a round trip to the
    // window system on Windows): FindWindow, FindWindowEx, WindowFromPoint,
    // GetClassName, GetParent, GetAncestorParent, GetWindowRect,
    // GetClientRect.
    int lookups = 0;

private:
    void PlaceTopmost(HWindow wnd, const Rect& rect, bool activate);
    void Shift(HWindow wnd, std::int32_t dx, std::int32_t dy);
    Rect ClientOnScreen(const FakeWindow& w) const;
    bool Contains(const FakeWindow& w, Point pt) const;

    FakeClock& clock_;
    EventLog& log_;
    std::deque<FakeWindow> windows_;  // a deque: handles and pointers stay valid
    std::uint64_t nextZ_ = 0;
};

}  // namespace lv::fake
