#pragma once

#include <windows.h>

#include "platform/screen.h"

namespace lv::win32 {

class Win32Screen : public IScreen {
public:
    HDc OpenScreenDC() override;
    void CloseScreenDC(HDc dc) override;
    std::int32_t GetHorzRes(HDc dc) override;
    HPen CreateSolidPen(Colour colour) override;
    HPen SelectPen(HDc dc, HPen pen) override;
    void DeletePen(HPen pen) override;
    void MoveTo(HDc dc, std::int32_t x, std::int32_t y) override;
    void LineTo(HDc dc, std::int32_t x, std::int32_t y) override;
    void RedrawScreenRect(const Rect& rect, std::uint32_t flags) override;
};

}  // namespace lv::win32
