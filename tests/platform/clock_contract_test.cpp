#include <gtest/gtest.h>

#include "platform/platform.h"

TEST(ClockContract, ShortWaitsAreNeverShorterThanAsked)
{
    auto& clock = *platform::os().clock;
    for (unsigned ms : {1u, 2u, 4u, 5u, 10u}) {
        for (int i = 0; i < 5; ++i) {
            auto t0 = clock.monotonicUs();
            clock.sleepMs(ms);
            auto elapsed = clock.monotonicUs() - t0;
            EXPECT_GE(elapsed, static_cast<std::int64_t>(ms) * 1000) << ms << " ms";
        }
    }
}

TEST(ClockContract, SystemTimeIsPlausible)
{
    auto st = platform::os().clock->systemTime();
    EXPECT_GE(st.year, 2020);
    EXPECT_GE(st.month, 1);
    EXPECT_LE(st.month, 12);
    EXPECT_GE(st.day, 1);
    EXPECT_LE(st.day, 31);
}
