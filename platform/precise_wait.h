#pragma once
// Waiting at least a given time with an OS wait that may come back early
// (Windows' Sleep below the timer resolution does): the elapsed time is
// measured on a monotonic clock and the rest is waited again.
#include <cstdint>

namespace platform {

// nowUs() reads a monotonic clock in microseconds; waitUs(remaining) is the OS
// wait, asked for what is left. Returns once at least `us` have passed.
template <class NowUs, class WaitUs>
void waitAtLeastUs(std::int64_t us, NowUs&& nowUs, WaitUs&& waitUs)
{
    if (us <= 0)
        return;
    const std::int64_t deadline = nowUs() + us;
    for (std::int64_t now = nowUs(); now < deadline; now = nowUs())
        waitUs(deadline - now);
}

} // namespace platform
