// The emulator's small window: what the monitor enhances now, the last
// message with its frames' times, and the sampling rate. Escape, its Close
// box or its right-click menu's Exit end the emulator.
#pragma once

#include <windows.h>

#include <string>

namespace lv::monitor::win32 {

class Legend {
public:
    bool Create(HINSTANCE instance);
    void SetLines(const std::string& state, const std::string& last, const std::string& rate);
    bool Closed() const { return closed_; }
    void Destroy();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();
    void ShowMenu(POINT at);

    HWND hwnd_ = nullptr;
    std::string lines_[3];
    bool closed_ = false;
};

}  // namespace lv::monitor::win32
