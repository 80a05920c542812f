#include "device/pacing.h"

#include <algorithm>
#include <thread>

namespace device {

bool waitUntil(platform::Clock& clock, ParkGate* gate, std::int64_t& deadlineUs)
{
    for (;;) {
        std::int64_t now = clock.monotonicUs();
        std::int64_t remaining = deadlineUs - now;
        if (remaining <= 0)
            return true;
        if (gate && (gate->parkRequested() || gate->stopRequested())) {
            if (!gate->checkpoint())
                return false;
            deadlineUs = clock.monotonicUs() + remaining;
            continue;
        }
        if (remaining >= 2000) {
            // Sleep all but the last millisecond: an OS sleep may overshoot.
            auto ms = static_cast<unsigned>(std::min<std::int64_t>((remaining - 1000) / 1000, kPacingSliceMs));
            clock.sleepMs(ms);
        } else if (remaining >= 1000) {
            clock.sleepMs(1);
        } else {
            // Under a millisecond: no OS sleep is that fine.
            std::this_thread::yield();
        }
    }
}

bool waitMs(platform::Clock& clock, ParkGate* gate, unsigned ms)
{
    std::int64_t deadline = clock.monotonicUs() + std::int64_t(ms) * 1000;
    return waitUntil(clock, gate, deadline);
}

bool pauseMs(platform::Clock& clock, ParkGate* gate, unsigned ms)
{
    for (unsigned left = ms;;) {
        if (gate && (gate->parkRequested() || gate->stopRequested()) && !gate->checkpoint())
            return false;
        if (left == 0)
            return true;
        const unsigned slice = std::min(left, kPacingSliceMs);
        clock.sleepMs(slice);
        left -= slice;
    }
}

} // namespace device
