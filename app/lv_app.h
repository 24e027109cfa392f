// The application object: the single-instance guard, the splash, and the
// floating bar run modally for the rest of the program's life.
#pragma once

#include <cstdint>

namespace lv {

constexpr char kAppMutexName[] = "LumivaneAppMutex";
constexpr std::uint32_t kSplashMs = 2000;

class CLvApp {
public:
    // Runs the whole program. Answers false: there is no message loop of the
    // application's own to run after it.
    bool InitInstance();
};

// Waits `ms` of tick count, processing no messages; right across the tick
// counter's wrap at 2^32.
void WaitTicks(std::uint32_t ms);

CLvApp& TheApp();

}  // namespace lv
