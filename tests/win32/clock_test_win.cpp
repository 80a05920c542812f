// The Win32 clock. Under Wine the sleeps are accurate anyway, so these check
// the waiting logic's guarantees, not Windows' timer resolution (the
// benchmark prints that).
#include <gtest/gtest.h>

#include "platform/win32/clock_win.h"

#include <atomic>
#include <thread>
#include <vector>

using platform::win32::Win32Clock;

TEST(Win32Clock, MonotonicTimeNeverGoesBackOnAnyThread)
{
    Win32Clock clock;
    std::atomic<int> backwards{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            std::int64_t last = clock.monotonicUs();
            for (int i = 0; i < 20000; ++i) {
                std::int64_t now = clock.monotonicUs();
                if (now < last)
                    ++backwards;
                last = now;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(backwards, 0);
}

TEST(Win32Clock, WaitsOnSeveralThreadsAtOnceAreNeverShort)
{
    // The status reader, the macro player and a download wait at the same time.
    Win32Clock clock;
    std::atomic<int> early{0};
    std::vector<std::thread> threads;
    for (unsigned ms : {2u, 4u, 5u, 10u})
        threads.emplace_back([&, ms] {
            for (int i = 0; i < 10; ++i) {
                std::int64_t t0 = clock.monotonicUs();
                clock.sleepMs(ms);
                if (clock.monotonicUs() - t0 < static_cast<std::int64_t>(ms) * 1000)
                    ++early;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(early, 0);
}

TEST(Win32Clock, TickCountFollowsTheWaits)
{
    Win32Clock clock;
    clock.sleepMs(0); // yields, returns
    std::uint32_t t0 = clock.tickMs();
    clock.sleepMs(100);
    // GetTickCount moves in steps of up to a timer tick (15.6 ms).
    EXPECT_GE(clock.tickMs() - t0, 100u - 16u);
}

TEST(Win32Clock, SystemTimeIsUtcFromTheSystem)
{
    Win32Clock clock;
    auto a = clock.systemTime();
    EXPECT_GE(a.dayOfWeek, 0);
    EXPECT_LE(a.dayOfWeek, 6);
    EXPECT_LT(a.hour, 24);
    EXPECT_LT(a.minute, 60);
    EXPECT_LT(a.milliseconds, 1000);
}
