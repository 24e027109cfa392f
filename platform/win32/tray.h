#pragma once

#include <windows.h>

#include "platform/tray.h"

namespace lv::win32 {

class Win32Tray : public ITray {
public:
    bool NotifyIcon(std::uint32_t command, const NotifyIconData& data) override;
    HIcon LoadOwnIcon(std::uint16_t id) override;
    HIcon LoadOwnIconByName(const char* name) override;
    HIcon LoadSystemIcon(std::uint16_t id) override;
    HIcon LoadSystemIconByName(const char* name) override;
    int LoadOwnString(std::uint32_t id, char* buffer, int size) override;
};

}  // namespace lv::win32
