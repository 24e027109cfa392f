// The outline of the region the monitor would enhance: a topmost, layered,
// click-through window drawn as a frame around the region, which never
// covers screen row 0 (the monitor's own line, and the one lvmon reads).
#pragma once

#include <windows.h>

namespace lv::monitor::win32 {

class Outline {
public:
    bool Create(HINSTANCE instance);
    // Frames the screen rectangle [left, right) x [top, bottom); hides the
    // outline when nothing of it lies below row 0.
    void Show(const RECT& region);
    void Hide();
    void Destroy();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    RECT shown_{};
    bool visible_ = false;
};

}  // namespace lv::monitor::win32
