// A virtual clock: Sleep moves it on at once, and the tick counter can be set
// anywhere, near its 2^32 wrap included.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/clock.h"

namespace lv::fake {

class FakeClock : public IClock {
public:
    void Sleep(std::uint32_t ms) override;
    std::uint32_t GetTickCount() override;

    // Virtual milliseconds since the desktop was made.
    std::uint64_t Now() const { return nowMs_; }
    void Advance(std::uint64_t ms) { nowMs_ += ms; }
    // The tick counter reads `ticks` now.
    void SetTickCount(std::uint32_t ticks) { tickBase_ = ticks - std::uint32_t(nowMs_); }

    // Runs after every Sleep, with the new time: lets a test change the
    // world while the program waits.
    std::function<void(std::uint64_t)> onSleep;

    std::uint64_t sleptMs = 0;
    int tickReads = 0;

private:
    std::uint64_t nowMs_ = 0;
    std::uint32_t tickBase_ = 0x00100000;
};

}  // namespace lv::fake
