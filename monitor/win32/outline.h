// The outline of the region a monitor would enhance: four thin topmost,
// click-through strips along its edges, with no taskbar buttons. The
// rectangles it is given keep off the monitors' top rows (each monitor's own
// line, and the one lvmon reads).
//
// Strips rather than one window over the region: a region-sized window
// (layered, with a transparent inside) makes the desktop under it repaint as
// a whole whenever it appears, moves or is invalidated, and that repaint
// delays the desktop's erase of row 0 that lvmon is timing. Strips expose and
// repaint only their own few pixels.
#pragma once

#include <windows.h>

namespace lv::monitor::win32 {

class Outline {
public:
    Outline() = default;
    ~Outline() { Destroy(); }
    Outline(const Outline&) = delete;
    Outline& operator=(const Outline&) = delete;

    // The strips' thickness in pixels.
    static constexpr int kThickness = 3;

    // The strips are owned by `owner` (the legend): an owned window gets no
    // taskbar button, and Wine's taskbar gives a tool window one as well.
    bool Create(HINSTANCE instance, HWND owner);
    // Frames the desktop rectangle [left, right) x [top, bottom); hides the
    // outline when it is empty.
    void Show(const RECT& region);
    void Hide();
    void Destroy();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND strips_[4] = {};  // top, bottom, left, right
    RECT shown_{};
    bool visible_ = false;
};

}  // namespace lv::monitor::win32
