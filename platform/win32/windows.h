#pragma once

#include <windows.h>

#include "platform/windows.h"

namespace lv::win32 {

class Win32Windows : public IWindows {
public:
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
    HWindow GetForegroundWindow() override;
    bool SetForegroundWindow(HWindow wnd) override;
};

}  // namespace lv::win32
