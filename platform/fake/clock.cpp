#include "platform/fake/clock.h"

namespace lv::fake {

void FakeClock::Sleep(std::uint32_t ms) {
    nowMs_ += ms;
    sleptMs += ms;
    if (onSleep) onSleep(nowMs_);
}

std::uint32_t FakeClock::GetTickCount() {
    ++tickReads;
    return tickBase_ + std::uint32_t(nowMs_);
}

}  // namespace lv::fake
