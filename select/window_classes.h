// Window classes the selection, detection and following steps recognise,
// compared exactly, case included.
#pragma once

#include <cstring>

#include "platform/platform.h"

namespace lv {

constexpr char kMdiClientClass[] = "MDIClient";
constexpr char kTaskbarClass[] = "Shell_TrayWnd";

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

// Video windows following never suspends for losing the foreground; the
// last two hand following over to their parent.
constexpr const char* kPlayerVideoClasses[] = {
    "KingDVD Video Window Class", kVideoRendererClass,     kWmpVideoClass,       kVideoControlWindowClass,
    kVideoWindowControlClass,     kKingPlayerVideoClass, kKpRealVideoClass,
};
constexpr const char* kParentTakesOverClasses[] = {kKingPlayerVideoClass, kKpRealVideoClass};

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

// The outermost window of the chain of parents; the window itself when it
// has no parent.
inline HWindow OutermostAncestor(HWindow wnd) {
    for (HWindow p = Windows().GetParent(wnd); !IsNone(p); p = Windows().GetParent(p)) wnd = p;
    return wnd;
}

}  // namespace lv
