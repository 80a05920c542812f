#pragma once
#include <cstdint>

namespace platform {

struct SystemTime {
    int year = 0, month = 0, dayOfWeek = 0, day = 0;
    int hour = 0, minute = 0, second = 0, milliseconds = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Waits at least ms milliseconds; never returns early (the device waits of
    // 2, 4, 5 and 10 ms are the protocol's pacing).
    virtual void sleepMs(unsigned ms) = 0;
    virtual std::uint32_t tickMs() = 0;        // GetTickCount
    virtual std::int64_t monotonicUs() = 0;    // for measuring, never goes back
    virtual SystemTime systemTime() = 0;       // GetSystemTime (UTC)
};

} // namespace platform
