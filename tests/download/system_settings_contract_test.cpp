// The pointer speed and wheel lines as the build's platform keeps them: the
// headless one natively, SystemParametersInfoW under Wine. What is set reads
// back; the user's values are put back afterwards.
#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {

class SystemSettingsContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        system = platform::os().systemSettings;
        if (!system)
            GTEST_SKIP() << "this build installs no system settings";
        savedSpeed = system->mouseSpeed();
        savedLines = system->wheelScrollLines();
    }
    void TearDown() override
    {
        if (!system)
            return;
        if (savedSpeed)
            system->setMouseSpeed(*savedSpeed);
        if (savedLines)
            system->setWheelScrollLines(*savedLines);
    }
    platform::SystemSettings* system = nullptr;
    std::optional<int> savedSpeed, savedLines;
};

} // namespace

TEST_F(SystemSettingsContract, PointerSpeedReadsBackWhatWasSet)
{
    // Wine 8 takes SPI_SETMOUSESPEED but reads 0 back afterwards; Windows and
    // the headless platform give back what was set.
    const bool wine = !platform::os().process->environment(u"WINEPREFIX").empty();
    ASSERT_TRUE(system->mouseSpeed());
    for (int speed : {1, 4, 20, 10}) {
        EXPECT_TRUE(system->setMouseSpeed(speed)) << speed;
        ASSERT_TRUE(system->mouseSpeed());
        if (!wine) {
            EXPECT_EQ(system->mouseSpeed(), speed);
        }
    }
}

TEST_F(SystemSettingsContract, WheelLinesReadBackWhatWasSet)
{
    ASSERT_TRUE(system->wheelScrollLines());
    for (int lines : {1, 7, 11, 3}) {
        EXPECT_TRUE(system->setWheelScrollLines(lines)) << lines;
        EXPECT_EQ(system->wheelScrollLines(), lines);
    }
}
