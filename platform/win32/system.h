#pragma once

#include <windows.h>

#include "platform/clock.h"
#include "platform/system.h"

namespace lv::win32 {

class Win32Clock : public IClock {
public:
    void Sleep(std::uint32_t ms) override { ::Sleep(ms); }
    std::uint32_t GetTickCount() override { return ::GetTickCount(); }
};

class Win32System : public ISystem {
public:
    HMutex CreateNamedMutex(const char* name, bool initialOwner) override {
        return HMutex(reinterpret_cast<std::uintptr_t>(::CreateMutexA(nullptr, initialOwner, name)));
    }
    std::uint32_t GetLastError() override { return ::GetLastError(); }
    // One call a line, so a debugger (or Wine's +debugstr) sees it whole.
    void Trace(const char* line) override {
        char text[512];
        ::wsprintfA(text, "%.500s\n", line);
        ::OutputDebugStringA(text);
    }
    void SetCrashHandler(CrashHandler handler) override;
};

}  // namespace lv::win32
