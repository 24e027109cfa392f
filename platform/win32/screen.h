#pragma once

#include <windows.h>

#include "platform/screen.h"

namespace lv::win32 {

class Win32Screen : public IScreen {
public:
    HDc OpenScreenDC() override;
    void CloseScreenDC(HDc dc) override;
    std::int32_t GetHorzRes(HDc dc) override;
    int GetMonitors(MonitorInfo* monitors, int max) override;
    HDc OpenMonitorDC(const char* device) override;
    HPen CreateSolidPen(Colour colour) override;
    HPen SelectPen(HDc dc, HPen pen) override;
    void DeletePen(HPen pen) override;
    void MoveTo(HDc dc, std::int32_t x, std::int32_t y) override;
    void LineTo(HDc dc, std::int32_t x, std::int32_t y) override;
    void RedrawScreenRect(const Rect& rect, std::uint32_t flags) override;
    HDc OpenBandDC(std::int32_t penWidth, Colour colour) override;
    void DrawBandRect(HDc dc, Point a, Point b) override;
    void CloseBandDC(HDc dc) override;

private:
    // The one band DC open at a time, and what it had selected before.
    HDC bandDc_ = nullptr;
    HPEN bandPen_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    int oldRop_ = 0;
};

}  // namespace lv::win32
