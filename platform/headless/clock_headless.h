#pragma once
#include "platform/clock.h"

namespace platform::headless {

class HeadlessClock : public Clock {
public:
    void sleepMs(unsigned ms) override;
    std::uint32_t tickMs() override;
    std::int64_t monotonicUs() override;
    SystemTime systemTime() override;
};

} // namespace platform::headless
