// Window classes the selection, detection and following steps recognise,
// compared exactly, case included.
#pragma once

#include <cstring>

#include "platform/platform.h"

namespace lv {

constexpr char kMdiClientClass[] = "MDIClient";
// Every taskbar (the primary one, one on each other monitor) and the
// notification area's overflow window (Windows 7 to 10, then 11).
constexpr const char* kTaskbarClasses[] = {"Shell_TrayWnd", "Shell_SecondaryTrayWnd", "NotifyIconOverflowWindow",
                                           "TopLevelWindowForOverflowXamlIsland"};

// The media players' windows detection looks for.
constexpr char kWmpAppClass[] = "WMPlayerApp";
constexpr char kWmpSkinHostClass[] = "WMP Skin Host";
constexpr char kWmpVideoClass[] = "WMPVideoWindow";
constexpr char kVideoRendererClass[] = "VideoRenderer";
constexpr char kGeminiClass[] = "GeminiWindowClass";
constexpr char kVideoWindowControlClass[] = "VideoWindowControlClass";
constexpr char kVideoControlWindowClass[] = "VideoControlWindowClass";

constexpr char kKingPlayerVideoClass[] = "KingPlayer Video Class";
constexpr char kKpRealVideoClass[] = "KPRealvideoWnd";

// A window's class name; empty for no window or one that is gone.
struct ClassName {
    explicit ClassName(HWindow wnd) { Windows().GetClassName(wnd, text, sizeof text); }
    bool Is(const char* name) const { return std::strcmp(text, name) == 0; }
    template <std::size_t N>
    bool IsOneOf(const char* const (&names)[N]) const {
        for (const char* name : names) {
            if (Is(name)) return true;
        }
        return false;
    }
    char text[kClassNameSize];
};

// The outermost window of the chain of parents, the top-level window the
// user sees (an owned window is its own, not its owner's); the window
// itself when it has no parent.
inline HWindow OutermostAncestor(HWindow wnd) {
    for (HWindow p = Windows().GetAncestorParent(wnd); !IsNone(p); p = Windows().GetAncestorParent(p)) wnd = p;
    return wnd;
}

}  // namespace lv
