#pragma once

#include <windows.h>

#include "platform/messages.h"

namespace lv::win32 {

class Win32Messages : public IMessages {
public:
    HWindow CreateHiddenWindow(const char* title, IWindowHandler* handler) override;
    std::intptr_t SendWindowMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    std::uintptr_t SetTimer(HWindow wnd, std::uintptr_t id, std::uint32_t periodMs) override;
    bool KillTimer(HWindow wnd, std::uintptr_t id) override;
    std::uint32_t RegisterMessage(const char* name) override;
    void AllowFromLowerIntegrity(HWindow wnd, std::uint32_t msg) override;
    bool RegisterHotKey(HWindow wnd, int id, std::uint32_t modifiers, std::uint32_t key) override;
    bool UnregisterHotKey(HWindow wnd, int id) override;
};

}  // namespace lv::win32
