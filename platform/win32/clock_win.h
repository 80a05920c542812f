#pragma once
#include "platform/clock.h"

#include <cstdint>

namespace platform::win32 {

// Waits that are never shorter than asked, even below the default 15.6 ms
// timer tick: a high-resolution waitable timer where Windows has one
// (Windows 10 1803 and later), otherwise Sleep with timeBeginPeriod(1); the
// elapsed time is checked with QueryPerformanceCounter and topped up.
class Win32Clock : public Clock {
public:
    enum class Timer { HighResolution, TimerPeriod1 };

    Win32Clock();

    void sleepMs(unsigned ms) override;
    std::uint32_t tickMs() override;
    std::int64_t monotonicUs() override;
    SystemTime systemTime() override;

    Timer timer() const { return timer_; }
    // Whether Windows agreed to keep our timer resolution while the window is
    // minimised or hidden (false before Windows 11 and under Wine).
    bool throttlingOptOut() const { return throttlingOptOut_; }

private:
    void waitUs(std::int64_t us);

    Timer timer_ = Timer::TimerPeriod1;
    bool throttlingOptOut_ = false;
    std::int64_t frequency_ = 1;
};

} // namespace platform::win32
