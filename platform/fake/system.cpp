#include "platform/fake/system.h"

#include "platform/constants.h"

namespace lv::fake {

HMutex FakeSystem::CreateNamedMutex(const char* name, bool /*initialOwner*/) {
    log_.Add(clock_.Now(), std::string("mutex ") + name);
    if (failMutex) {
        lastError = 5;  // access denied
        return HMutex::None;
    }
    // An existing name opens the same mutex and says so in the last error.
    lastError = mutexes.insert(name).second ? 0 : kErrorAlreadyExists;
    return HMutex(nextHandle_++);
}

void FakeSystem::Trace(const char* line) {
    traces.emplace_back(line);
    log_.Add(clock_.Now(), std::string("trace ") + line);
}

bool FakeSystem::Crash() {
    log_.Add(clock_.Now(), "crash");
    if (crashHandler == nullptr) return false;
    crashHandler();
    return true;
}

}  // namespace lv::fake
