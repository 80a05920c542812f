// How long the protocol's short waits really take: for each wait the mouse needs,
// the shortest, mean and longest measured time and how often it came back
// early (must be never).
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#ifdef _WIN32
#include "platform/win32/clock_win.h"
#endif

int main()
{
    platform::installDefault();
    platform::Clock& clock = *platform::os().clock;
#ifdef _WIN32
    if (auto* win = dynamic_cast<platform::win32::Win32Clock*>(&clock))
        std::printf("timer: %s, power-throttling opt-out: %s\n",
                    win->timer() == platform::win32::Win32Clock::Timer::HighResolution
                        ? "high-resolution waitable timer"
                        : "Sleep with timeBeginPeriod(1)",
                    win->throttlingOptOut() ? "accepted" : "not available");
#endif
    std::printf("%8s %8s %10s %10s %10s %6s\n", "wait ms", "samples", "min us", "mean us", "max us", "early");
    for (unsigned ms : {1u, 2u, 4u, 5u, 10u, 16u}) {
        const int samples = 100;
        std::vector<std::int64_t> took;
        int early = 0;
        for (int i = 0; i < samples; ++i) {
            std::int64_t t0 = clock.monotonicUs();
            clock.sleepMs(ms);
            std::int64_t us = clock.monotonicUs() - t0;
            took.push_back(us);
            early += us < static_cast<std::int64_t>(ms) * 1000;
        }
        std::int64_t sum = 0;
        for (auto v : took)
            sum += v;
        std::printf("%8u %8d %10lld %10lld %10lld %6d\n", ms, samples,
                    static_cast<long long>(*std::min_element(took.begin(), took.end())),
                    static_cast<long long>(sum / samples),
                    static_cast<long long>(*std::max_element(took.begin(), took.end())), early);
    }
    return 0;
}
