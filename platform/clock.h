// Time: blocking waits and the millisecond tick counter.
#pragma once

#include <cstdint>

namespace lv {

class IClock {
public:
    virtual ~IClock() = default;
    virtual void Sleep(std::uint32_t ms) = 0;
    // Milliseconds since the system started; wraps at 2^32.
    virtual std::uint32_t GetTickCount() = 0;
};

}  // namespace lv
