// The outline of the region the monitor would enhance: four thin topmost,
// click-through strips along its edges, which never cover screen row 0 (the
// monitor's own line, and the one lvmon reads).
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
    // The strips' thickness in pixels.
    static constexpr int kThickness = 3;

    bool Create(HINSTANCE instance);
    // Frames the screen rectangle [left, right) x [top, bottom); hides the
    // outline when nothing of it lies below row 0.
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
