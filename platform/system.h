// Process-wide services: named kernel objects, the last error, and trace
// output for a debugger (or Wine's +debugstr channel).
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

class ISystem {
public:
    virtual ~ISystem() = default;
    // CreateMutexA with no security attributes. The answer may be None; the
    // last error tells whether the name was already taken.
    virtual HMutex CreateNamedMutex(const char* name, bool initialOwner) = 0;
    virtual std::uint32_t GetLastError() = 0;
    // One line for whoever watches the program's debug output.
    virtual void Trace(const char* line) = 0;
    // Called once, on the crashing thread, when an exception nothing handles
    // ends the process (SetUnhandledExceptionFilter); the crash then goes on
    // to the system as it would have. nullptr removes it.
    using CrashHandler = void (*)();
    virtual void SetCrashHandler(CrashHandler handler) = 0;
};

}  // namespace lv
