#pragma once

#include <windows.h>

#include "platform/launch.h"

namespace lv::win32 {

class Win32Launch : public ILaunch {
public:
    std::intptr_t ShellOpen(HWindow owner, const char* file, std::int32_t showCommand) override;
    std::uint32_t WinExec(const char* commandLine, std::int32_t showCommand) override;
    void MessageBeep(std::uint32_t type) override;
    std::int32_t OpenClassesRootKey(const char* subKey, std::uint32_t access, HKey* key) override;
    std::int32_t QueryDefaultValue(HKey key, char* data, std::int32_t* size) override;
    void CloseKey(HKey key) override;
};

}  // namespace lv::win32
