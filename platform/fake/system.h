// Named mutexes as the kernel keeps them for the desktop session, the last
// error, and the program's trace lines.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/system.h"

namespace lv::fake {

class FakeSystem : public ISystem {
public:
    FakeSystem(FakeClock& clock, EventLog& log) : clock_(clock), log_(log) {}

    HMutex CreateNamedMutex(const char* name, bool initialOwner) override;
    std::uint32_t GetLastError() override { return lastError; }
    void Trace(const char* line) override;
    void SetCrashHandler(CrashHandler handler) override { crashHandler = handler; }
    // An exception nothing handles: the installed handler runs, then the
    // process would end. Answers whether a handler ran.
    bool Crash();

    // Names another process holds.
    std::set<std::string> mutexes;
    bool failMutex = false;
    std::uint32_t lastError = 0;
    std::vector<std::string> traces;
    CrashHandler crashHandler = nullptr;

private:
    FakeClock& clock_;
    EventLog& log_;
    std::uintptr_t nextHandle_ = 0x10;
};

}  // namespace lv::fake
