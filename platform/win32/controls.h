#pragma once

#include <windows.h>

#include "platform/controls.h"

namespace lv::win32 {

class Win32Controls : public IControls {
public:
    bool SubclassControl(HWindow control, IControlHandler* handler) override;
    void RemoveSubclass(HWindow control) override;
    std::intptr_t DefaultControlProc(const Message& m) override;
    std::uint32_t GetStyle(HWindow wnd) override;
    void SetStyle(HWindow wnd, std::uint32_t style) override;
    void SetWindowText(HWindow wnd, const char* text) override;
    void SetWindowPosNoZOrder(HWindow wnd, const Rect& rect) override;
    void RedrawWindow(HWindow wnd, std::uint32_t flags) override;
    void InvalidateWindow(HWindow wnd, bool erase) override;
    void SetCapture(HWindow wnd) override;
    void ReleaseCapture() override;
    HFont GetFont(HWindow wnd) override;
    HFont CreateFontLike(HFont base, bool underline) override;
    void SetFont(HWindow wnd, HFont font, bool redraw) override;
    void DeleteFont(HFont font) override;
    Point MeasureText(HWindow wnd, HFont font, const char* text) override;
    void SetTextColour(HDc dc, Colour colour) override;
    void SetTransparentBackground(HDc dc) override;
    std::intptr_t HollowBrush() override;
    std::intptr_t SysColourBrush(int index) override;
    Colour GetSysColour(int index) override;
    HWindow CreateTooltip(HWindow parent) override;
    bool AddTool(HWindow tip, HWindow owner, std::uintptr_t id, const char* text, const Rect& area) override;
    void UpdateToolText(HWindow tip, HWindow owner, std::uintptr_t id, const char* text) override;
    void RelayEvent(HWindow tip, const Message& m) override;
    void DestroyTooltip(HWindow tip) override;
    void SetSlider(HWindow slider, std::int32_t minimum, std::int32_t maximum, std::int32_t position) override;
    HModule LoadModule(const char* path) override;
    HCursor LoadModuleCursor(HModule module, int resourceId) override;
    void ReleaseModule(HModule module) override;
};

}  // namespace lv::win32
