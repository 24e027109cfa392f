// The desktop's windows as the program sees them, its own and other
// programs': the tree (parents, classes, lookups), geometry (window and
// client rectangles, coordinate conversion, placing), show state, z-order
// and the foreground, and the screen's size.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/types.h"

namespace lv {

// Class names are read into a buffer of this size (GetClassNameA).
constexpr int kClassNameSize = 256;

// Show states as GetWindowPlacement reports them (showCmd).
constexpr std::uint32_t kSwShowNormal = 1;
constexpr std::uint32_t kSwShowMinimized = 2;
constexpr std::uint32_t kSwShowMaximized = 3;

class IWindows {
public:
    virtual ~IWindows() = default;

    // The tree.
    virtual bool IsWindow(HWindow wnd) = 0;
    // GetParent: the parent of a child window (or the owner of an owned
    // top-level one); None for a top-level window or a window that is gone.
    virtual HWindow GetParent(HWindow wnd) = 0;
    // GetAncestor with GA_PARENT: the parent of a child window only. None
    // for a top-level window, owned or not: an owned window (a dialog box,
    // a player's full-screen pop-up) is a top-level window of its own.
    virtual HWindow GetAncestorParent(HWindow wnd) = 0;
    // GetDlgCtrlID: a child window's control id; 0 for a top-level window or
    // one that is gone.
    virtual int GetControlId(HWindow wnd) = 0;
    // The window belongs to this program's process: the bar, its tool
    // bars, its menus, its dialog boxes, the help viewer it opened.
    virtual bool IsOwnWindow(HWindow wnd) = 0;
    // Up to `size` - 1 characters of the class name, always terminated;
    // empty for no window or one that is gone.
    virtual void GetClassName(HWindow wnd, char* name, int size) = 0;
    // FindWindowA by class, no title: a top-level window of that class.
    virtual HWindow FindWindow(const char* className) = 0;
    // FindWindowExA by class, no title, from the first child: a child of
    // `parent` of that class; with no parent, a top-level window.
    virtual HWindow FindWindowEx(HWindow parent, const char* className) = 0;
    // Every descendant of `parent`, in the system's order, until `visit`
    // answers false.
    virtual void EnumChildWindows(HWindow parent, const std::function<bool(HWindow)>& visit) = 0;
    // WindowFromPoint: the deepest visible window under a screen point.
    virtual HWindow WindowFromPoint(Point pt) = 0;

    // Geometry. A rectangle of a window that is gone reads (0, 0, 0, 0).
    virtual Rect GetWindowRect(HWindow wnd) = 0;
    // In client coordinates: (0, 0, width, height).
    virtual Rect GetClientRect(HWindow wnd) = 0;
    virtual Point ScreenToClient(HWindow wnd, Point pt) = 0;
    virtual Point ClientToScreen(HWindow wnd, Point pt) = 0;
    virtual void MoveWindow(HWindow wnd, const Rect& rect, bool repaint) = 0;
    // Resizes a window to a width and height, keeping its place.
    virtual void SetWindowSize(HWindow wnd, std::int32_t width, std::int32_t height) = 0;
    // Centres the window on the screen.
    virtual void CentreWindow(HWindow wnd) = 0;
    // SetWindowPos with HWND_TOPMOST and no flags: the window is also
    // activated, and takes the foreground.
    virtual void SetWindowPosTopmost(HWindow wnd, std::int32_t x, std::int32_t y, std::int32_t width,
                                     std::int32_t height) = 0;
    // The same with SWP_NOACTIVATE: the foreground stays where it is.
    virtual void MoveTopmostWithoutActivating(HWindow wnd, std::int32_t x, std::int32_t y, std::int32_t width,
                                              std::int32_t height) = 0;
    virtual int GetSystemMetrics(int index) = 0;

    // Show state.
    virtual void ShowWindow(HWindow wnd, bool show) = 0;
    // The window's own visible style, whatever its parent's.
    virtual bool IsWindowVisible(HWindow wnd) = 0;
    virtual bool IsIconic(HWindow wnd) = 0;
    virtual bool IsZoomed(HWindow wnd) = 0;
    // GetWindowPlacement's showCmd (the structure's length set first); 0
    // when the placement cannot be read.
    virtual std::uint32_t GetShowCmd(HWindow wnd) = 0;

    // Z-order and the foreground.
    // GetTopWindow: the child of `parent` at the top of its siblings.
    virtual HWindow GetTopWindow(HWindow parent) = 0;
    virtual HWindow GetForegroundWindow() = 0;
    virtual bool SetForegroundWindow(HWindow wnd) = 0;
};

}  // namespace lv
