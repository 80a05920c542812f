// The level step the light patterns show, from the sampled peaks.
#include "lighting/sound_level.h"

#include <gtest/gtest.h>

#include <limits>

using namespace lighting;

TEST(SoundLevel, WorkedExamplesOfTheStepFunction)
{
    // Quiet music: average 2, top 10, current 12 → trunc(12 / 13 × 5).
    EXPECT_EQ(levelStep(10, 0, 2, 12), 4);
    // Loud music: average 60, top 80, bottom 20, current 50 → trunc(30 / 60 × 8) + 2.
    EXPECT_EQ(levelStep(80, 20, 60, 50), 6);
    // A current level above the top in the guarded rows shows step 1.
    EXPECT_EQ(levelStep(10, 0, 5, 14), 1);
    EXPECT_EQ(levelStep(30, 10, 20, 36), 1);
    EXPECT_EQ(levelStep(40, 10, 40, 41), 1);
    // Each row at its upper edge: 10, 25, 50 and 75 belong to the row below.
    EXPECT_EQ(levelStep(10, 0, 10, 13), 5);
    EXPECT_EQ(levelStep(30, 10, 25, 35), 8);
    EXPECT_EQ(levelStep(50, 10, 50, 50), 10);
    EXPECT_EQ(levelStep(80, 20, 75, 80), 10);
}

TEST(SoundLevel, StepsStayWithinOneToElevenWhateverTheArithmeticGives)
{
    // Top equal to bottom: 0 / 0 is not a number and counts as below 1.
    EXPECT_EQ(levelStep(40, 40, 40, 40), 1);
    EXPECT_EQ(levelStep(90, 90, 90, 90), 1);
    // Loud rows have no guard: a level above the top, or above an equal bottom, tops out.
    EXPECT_EQ(levelStep(80, 20, 90, 100), 11);
    EXPECT_EQ(levelStep(80, 80, 90, 95), 11);
    EXPECT_EQ(levelStep(80, 80, 90, 10), 1); // −∞
    // A level below the bottom gives a negative quotient.
    EXPECT_EQ(levelStep(60, 30, 40, 20), 1);
    // A tiny quotient in the quietest row truncates to 0 and is lifted to 1.
    EXPECT_EQ(levelStep(50, 0, 3, 2), 1);
}

TEST(SoundLevel, PeaksBecomeLevelsTruncatedWithinZeroToHundred)
{
    EXPECT_EQ(levelFromPeak(0.0f), 0);
    EXPECT_EQ(levelFromPeak(0.129f), 12);
    EXPECT_EQ(levelFromPeak(1.0f), 100);
    EXPECT_EQ(levelFromPeak(1.7f), 100);
    EXPECT_EQ(levelFromPeak(-0.5f), 0);
    EXPECT_EQ(levelFromPeak(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(SoundLevel, SilenceGivesStepZeroAndTheHistoryKeepsFortyNineLevels)
{
    SoundLevel level;
    for (int i = 0; i < 60; ++i)
        level.sample(0.0f);
    EXPECT_EQ(level.step(), 0);

    for (int i = 0; i < 50; ++i)
        level.sample(float(i) / 100.0f + 0.001f); // levels 0..49
    EXPECT_EQ(level.current(), 49);
    EXPECT_EQ(level.history()[0], 49);
    EXPECT_EQ(level.history()[48], 1); // level 0 has been dropped
}

TEST(SoundLevel, SummaryUsesTheCurrentLevelAndTwentyNewestEntries)
{
    std::array<int, kHistoryLength> history{};
    for (int i = 0; i < kHistoryLength; ++i)
        history[size_t(i)] = i < 20 ? 20 - i : 100; // entries beyond 19 never count
    const LevelSummary s = summarise(0, history);
    // Sorted: 0, 1, 2, …, 20.
    EXPECT_EQ(s.bottom, 0);       // (0 + 1) / 2
    EXPECT_EQ(s.top, 19);         // (19 + 20) / 2
    EXPECT_EQ(s.average, 10);     // (3 + … + 17) / 15
}

TEST(SoundLevel, ASteadyToneAfterSilenceClimbsAboveTheLowestStep)
{
    SoundLevel level;
    for (int i = 0; i < 20; ++i)
        level.sample(0.0f);
    level.sample(0.6f);
    level.sample(0.6f);
    // The average of the middle values is still 0: the lights stay quiet.
    EXPECT_EQ(level.step(), 0);
    for (int i = 0; i < 8; ++i)
        level.sample(0.6f);
    // Eleven of 21 values at 60: average 32, top 60, bottom 0 → 60 / 60 × 9 + 1.
    EXPECT_EQ(level.step(), 10);
}

TEST(SoundLevel, TheMeterShowsLoudEntriesAsNinetyNineAndKeepsThem)
{
    SoundLevel level;
    level.sample(1.0f);
    EXPECT_EQ(level.history()[0], 100);
    EXPECT_EQ(level.shownEntry(0), 99);
    EXPECT_EQ(level.history()[0], 99);
    EXPECT_EQ(level.shownEntry(kHistoryLength), 0);
}

TEST(SoundLevel, TheTickIsTakenOnce)
{
    SoundLevel level;
    EXPECT_FALSE(level.takeTick());
    level.setTick();
    EXPECT_TRUE(level.takeTick());
    EXPECT_FALSE(level.takeTick());
}
