#pragma once

#include <windows.h>

#include "platform/registry.h"

namespace lv::win32 {

class Win32Registry : public IRegistry {
public:
    HKey OpenCurrentUserKey(const char* subKey, std::uint32_t access) override;
    std::int32_t QueryValue(HKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) override;
    void CloseKey(HKey key) override;
    std::uint32_t GetWindowsDir(char* buffer, std::uint32_t size) override;
};

}  // namespace lv::win32
