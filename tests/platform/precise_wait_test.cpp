#include <gtest/gtest.h>

#include "platform/precise_wait.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// A clock the test moves: each wait advances it by what the scripted OS
// wait really took, whatever was asked.
struct ScriptedWaits {
    std::int64_t now = 1'000'000;
    std::vector<std::int64_t> asked;
    std::function<std::int64_t(std::int64_t)> took;

    void run(std::int64_t us)
    {
        platform::waitAtLeastUs(us, [this] { return now; },
                                [this](std::int64_t remaining) {
                                    asked.push_back(remaining);
                                    now += took(remaining);
                                });
    }
};

} // namespace

TEST(PreciseWait, AWaitThatComesBackEarlyIsToppedUpWithWhatIsLeft)
{
    ScriptedWaits w;
    // Sleep below the timer tick ending early (time still passes).
    w.took = [](std::int64_t asked) { return std::max<std::int64_t>(1, asked / 2); };
    w.run(10'000);
    EXPECT_GE(w.now - 1'000'000, 10'000);
    ASSERT_GE(w.asked.size(), 2u);
    EXPECT_EQ(w.asked[0], 10'000);
    EXPECT_EQ(w.asked[1], 5'000);
    for (size_t i = 1; i < w.asked.size(); ++i)
        EXPECT_LT(w.asked[i], w.asked[i - 1]) << "each top-up asks only for the rest";
}

TEST(PreciseWait, AnExactOrLateWaitIsNotRepeated)
{
    for (std::int64_t extra : {0, 1, 15'600}) {
        ScriptedWaits w;
        w.took = [extra](std::int64_t asked) { return asked + extra; };
        w.run(2'000);
        EXPECT_EQ(w.asked, std::vector<std::int64_t>{2'000}) << extra;
    }
}

TEST(PreciseWait, WaitsThatReturnAtOnceAreRetriedUntilTimeHasPassed)
{
    ScriptedWaits w;
    int calls = 0;
    w.took = [&calls](std::int64_t) { return ++calls < 4 ? 0 : 1'000'000; };
    w.run(4'000);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(w.asked, (std::vector<std::int64_t>{4'000, 4'000, 4'000, 4'000}));
}

TEST(PreciseWait, NothingToWaitForMakesNoCall)
{
    for (std::int64_t us : {0, -5}) {
        ScriptedWaits w;
        w.took = [](std::int64_t asked) { return asked; };
        w.run(us);
        EXPECT_TRUE(w.asked.empty()) << us;
    }
}
