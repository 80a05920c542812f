// The three light patterns as the streams of commands the mouse receives.
#include "tests/lighting/lighting_trace.h"

#include <gtest/gtest.h>

using namespace lighting;
using lighttest::PlayerRig;
using lighttest::Steps;

TEST(SoundPatterns, LightingCommandsCarryTheFullMaskAndTheirOwnFields)
{
    // Byte 2 all colours, byte 3 switch bit + effect + cycle, byte 4 symmetry,
    // direction and value, byte 5 brightness, bytes 6..7 the 10-bit value and effect bit 3.
    using B = std::array<std::uint8_t, 6>;
    EXPECT_EQ(device::lightingBytes(effects::bar(4)), (B{0xFF, 0xE1, 0x14, 0x00, 0x03, 0xFF}));
    EXPECT_EQ(device::lightingBytes(effects::barOff()), (B{0xFF, 0x91, 0x1B, 0x03, 0x83, 0xFF}));
    EXPECT_EQ(device::lightingBytes(effects::pulse()), (B{0xFF, 0xD2, 0x0A, 0x00, 0x83, 0xEB}));
    EXPECT_EQ(device::lightingBytes(effects::flashQuiet()), (B{0xFF, 0xA2, 0x0A, 0x04, 0x03, 0xFF}));
    EXPECT_EQ(device::lightingBytes(effects::breathe(5, 1)), (B{0xFF, 0x85, 0x0A, 0x01, 0x83, 0xFF}));
    EXPECT_EQ(device::lightingBytes(effects::idle()), (B{0xFF, 0xC0, 0x4A, 0x03, 0x03, 0xFF}));
}

TEST(SoundPatterns, SilenceInTheBarPatternPulsesThenClearsEveryPass)
{
    PlayerRig r;
    r.player.pattern = kPatternBar;
    for (int i = 0; i < 30; ++i)
        r.level.sample(0.0f);
    ASSERT_EQ(r.level.step(), 0);
    r.level.setTick();
    const Steps silent{"wait 240", "pulse", "wait 240", "bar 0"};
    EXPECT_EQ(r.pass(), silent);
    EXPECT_EQ(r.pass(), silent); // without a tick too
}

TEST(SoundPatterns, TheBarRisesOnATickAndFallsOnTheNextPass)
{
    PlayerRig r;
    r.player.pattern = kPatternBar;
    r.at(60, 4);
    // No tick: nothing to show, and the worker may idle.
    EXPECT_TRUE(r.pass().empty());
    EXPECT_FALSE(r.player.runPass());

    r.level.setTick();
    EXPECT_EQ(r.pass(), (Steps{"wait 21", "wait 21", "bar 0", "wait 21", "bar 1", "wait 21", "bar 2", "wait 21",
                               "bar 3"}));
    EXPECT_EQ(r.player.previousStep(), 4);

    // The next pass lets the bar fall from 4 to 0, 392 / 3 ms apart.
    EXPECT_EQ(r.pass(), (Steps{"bar 4", "wait 130", "bar 3", "wait 130", "bar 2", "wait 130", "bar 1", "wait 130",
                               "bar 0", "wait 130"}));
    EXPECT_EQ(r.player.previousStep(), 0);

    // A step of 1 rises one bar and never falls (it needs at least 2).
    r.at(60, 1);
    r.level.setTick();
    EXPECT_EQ(r.pass(), (Steps{"wait 87", "wait 87", "bar 0"}));
    EXPECT_TRUE(r.pass().empty());
}

TEST(SoundPatterns, StepElevenRisesWithBarTenElevenTimes)
{
    PlayerRig r;
    r.player.pattern = kPatternBar;
    r.at(100, 11);
    r.level.setTick();
    Steps expected{"wait 7"};
    for (int i = 0; i < 11; ++i) {
        expected.push_back("wait 7");
        expected.push_back("bar 10");
    }
    expected.push_back("wait 7"); // steps of 7 and more hold the top a moment
    EXPECT_EQ(r.pass(), expected);
}

TEST(SoundPatterns, SwitchingTheDisplayOffMidwayEndsTheBarWithBarOff)
{
    PlayerRig r;
    r.player.pattern = kPatternBar;
    r.at(60, 3);
    r.level.setTick();
    r.pass();
    r.player.displayOn = false;
    // The first bar of the fall, its wait, then the lights are handed back.
    EXPECT_EQ(r.pass(), (Steps{"bar 3", "wait 196", "bar off"}));
}

TEST(SoundPatterns, NothingButTheHandBackIsSentOnceTheSwitchIsOff)
{
    // In silence a pass pulses and clears the bar; switched off during the first
    // wait, neither comes any more (the main window restores the lights now).
    PlayerRig quiet;
    quiet.player.pattern = kPatternBar;
    quiet.at(0, 0);
    quiet.switchOffInWait = true;
    EXPECT_EQ(quiet.pass(), (Steps{"wait 240"}));

    // Rising: the bar in progress is handed back and the pass ends there.
    PlayerRig rising;
    rising.player.pattern = kPatternBar;
    rising.at(60, 5);
    rising.level.setTick();
    rising.switchOffInWait = true;
    EXPECT_EQ(rising.pass(), (Steps{"wait 17", "wait 17", "bar 0", "bar off"}));
}

TEST(SoundPatterns, FlashAlternatesAndStepsTheIndicatorColours)
{
    PlayerRig r;
    r.player.pattern = kPatternFlash;
    r.player.dpiLevel = 2;
    r.at(60, 5); // no tick needed
    EXPECT_EQ(r.pass(), (Steps{"flash", "wait 80", "dpi 2: 0 15 15"}));
    EXPECT_EQ(r.pass(), (Steps{"pulse", "wait 80"}));
    EXPECT_EQ(r.pass(), (Steps{"flash", "wait 80", "dpi 2: 0 15 0"}));
    r.pass();
    EXPECT_EQ(r.pass(), (Steps{"flash", "wait 80", "dpi 2: 0 0 15"}));
    r.pass();
    EXPECT_EQ(r.pass(), (Steps{"flash", "wait 80", "dpi 2: 15 15 0"}));
    r.pass();
    EXPECT_EQ(r.pass(), (Steps{"flash", "wait 80", "dpi 2: 0 15 15"}));

    // Silence: slow quiet flashes, the colour stepping after each.
    r.at(0, 0);
    EXPECT_EQ(r.pass(), (Steps{"flash quiet", "wait 480", "dpi 2: 0 15 0"}));
    EXPECT_EQ(r.pass(), (Steps{"pulse quiet", "wait 480"}));
}

TEST(SoundPatterns, BreatheFollowsTheStepOncePerTick)
{
    PlayerRig r;
    r.player.pattern = kPatternBreathe;
    r.at(0, 0);
    EXPECT_TRUE(r.pass().empty());
    r.level.setTick();
    EXPECT_EQ(r.pass(), (Steps{"idle"}));
    EXPECT_TRUE(r.pass().empty());

    const Breath table[] = {{0, 2}, {1, 2}, {1, 1}, {2, 1}, {3, 0}, {4, 0}, {5, 1}, {5, 1}, {5, 1}, {5, 1}, {5, 1}};
    for (int step = 1; step <= 11; ++step) {
        r.at(50, step);
        r.level.setTick();
        const Breath b = table[step - 1];
        EXPECT_EQ(r.pass(), (Steps{"breathe " + std::to_string(b.cycleTime) + " " + std::to_string(b.brightness)}))
            << "step " << step;
    }
}

TEST(SoundPatterns, PatternOneSendsNothingAndAStoppedPlayerFallsSilent)
{
    PlayerRig r;
    r.player.pattern = kPatternNone;
    r.level.setTick();
    EXPECT_TRUE(r.pass().empty());
    EXPECT_FALSE(r.player.runPass());

    r.player.pattern = kPatternBar;
    r.at(0, 0);
    r.stopAfterWait = true; // the program ends during the first wait
    EXPECT_EQ(r.pass(), (Steps{"wait 240"}));
    EXPECT_TRUE(r.pass().empty());
}
