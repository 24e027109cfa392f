// The emulator's small window: what each monitor enhances now, the last
// message with its frames' times, and the sampling rate. Escape, its Close
// box or its right-click menu's Exit end the emulator. As the emulator's
// main window it also hears of display changes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lv::monitor::win32 {

class Legend {
public:
    bool Create(HINSTANCE instance);
    // The window grows by a line's height for each line past three, upward
    // from its bottom right corner.
    void SetLines(const std::vector<std::string>& lines);
    bool Closed() const { return closed_; }
    // Whether a WM_DISPLAYCHANGE came since the last call.
    bool TakeDisplayChange();
    HWND Window() const { return hwnd_; }
    void Destroy();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();
    void ShowMenu(POINT at);
    void Place();

    HWND hwnd_ = nullptr;
    std::vector<std::string> lines_;
    bool closed_ = false;
    bool displayChanged_ = false;
};

}  // namespace lv::monitor::win32
