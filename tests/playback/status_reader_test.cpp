#include <gtest/gtest.h>

#include "tests/playback/playback_fixture.h"

using namespace playbacktest;

namespace {

// A key override as it is defined: command, slot and function (the other
// bytes keep what the report buffer held).
Bytes keyOverride(const Bytes& command) { return Bytes(command.begin(), command.begin() + 3); }

Bytes lighting(const device::LightingEffect& e)
{
    auto b = device::lightingBytes(e);
    return {0x13, b[0], b[1], b[2], b[3], b[4], b[5]};
}

device::PlaybackButton macroButton(int function, bool leftMacro = false, int colour = 0)
{
    device::PlaybackButton b;
    b.function = function;
    b.leftMacro = leftMacro;
    b.macroColour = colour;
    b.deviceCode = leftMacro ? 0x1E : 0x0D;
    return b;
}

} // namespace

// --- key events and the flags handed to the player ---

TEST(StatusReader, PressHandsItsEventToThePlayerAndReleaseWaitsForTheDpiFollowUp)
{
    PlaybackRig rig;
    rig.press(3, 2);
    EXPECT_TRUE(rig.state.trigger);
    EXPECT_EQ(rig.state.lastKeyEvent, 0xF3);
    EXPECT_TRUE(rig.state.held);
    EXPECT_EQ(rig.state.dpiRelease, 0u);

    rig.release(3, 2);
    EXPECT_FALSE(rig.state.held);
    EXPECT_EQ(rig.state.dpiRelease, device::PlaybackState::kReleasePending | 0xF300u | 0x82u);
    EXPECT_TRUE(rig.state.trigger) << "only the player clears the trigger";
}

TEST(StatusReader, APressWhileThePlayerIsBusyDoesNotReplaceTheEventItServes)
{
    PlaybackRig rig;
    rig.press(2);
    rig.press(5);
    EXPECT_EQ(rig.state.lastKeyEvent, 0xF2);
    // Another press after a release keeps a DPI release pending: the level the
    // mouse reported is not lost.
    rig.release(4, 3);
    rig.press(5);
    EXPECT_EQ(rig.state.dpiRelease, device::PlaybackState::kReleasePending | 0xF400u | 0x83u);
}

TEST(StatusReader, ReportsOtherThanKeyEventsAndStatusCodesChangeNothing)
{
    PlaybackRig rig;
    rig.context.setFunction(0, 2, 300);
    const std::vector<Bytes> ignored = {
        {},                 // nothing read
        {6},                // no byte 1
        {6, 0xF3},          // key event without byte 2
        {5, 0xF3, 0},       // another report ID
        {7, 0xF3, 0},
        {6, 0xF0, 0},       // 0xF0 is no slot
        {6, 0x00, 0},
        {6, 0x04, 0},
        {6, 0x7F, 0},
        {6, 0xEF, 0},
        {6, 0xF7, 0},       // slot 7: no button has it
        {6, 0xFF, 0x80},    // slot 15: beyond the mouse's 14
    };
    for (const Bytes& r : ignored)
        rig.report(r);
    EXPECT_FALSE(rig.state.trigger);
    EXPECT_FALSE(rig.state.held);
    EXPECT_EQ(rig.state.dpiRelease, 0u);
    EXPECT_TRUE(rig.hid.sent().empty());
    EXPECT_EQ(rig.context.macroLookups, 0);
}

TEST(StatusReader, ToggleFlagFlipsOnMacroKeysAndIsClearedByOrdinaryKeys)
{
    PlaybackRig rig;
    rig.context.setFunction(0, 2, 300);  // a macro
    rig.context.setFunction(0, 3, 5);    // an ordinary function
    rig.context.setMacro(300, makeMacro(1, 1, {}));

    rig.press(3);
    EXPECT_TRUE(rig.state.toggle);
    rig.press(3);
    EXPECT_FALSE(rig.state.toggle);
    rig.press(3);
    EXPECT_TRUE(rig.state.toggle);
    rig.press(4);
    EXPECT_FALSE(rig.state.toggle) << "a key below function 41 stops a toggle macro";

    // The primary click keeps the toggle going while a left-button macro is armed.
    rig.state.leftMacroOn = true;
    rig.press(1);
    EXPECT_TRUE(rig.state.toggle);
    rig.press(1);
    EXPECT_FALSE(rig.state.toggle);

    // A button that arms a left-button macro never starts a toggle itself.
    rig.context.setButton(0, 2, macroButton(300, true));
    rig.state.leftMacroOn = false;
    rig.press(3);
    EXPECT_FALSE(rig.state.toggle);
}

TEST(StatusReader, APressOfAMacroKeyLoadsItsMacroAsTheCurrentOne)
{
    PlaybackRig rig;
    rig.context.setFunction(0, 2, 0x0203);
    rig.context.setFunction(0, 3, 33); // key combinations are not loaded
    auto m = makeMacro(0, 1, {{kKeyA, 1, 5}});
    rig.context.setMacro(0x0203, m);

    rig.press(4);
    rig.release(4);
    EXPECT_EQ(rig.context.macroLookups, 0);
    rig.press(3);
    EXPECT_TRUE(rig.current.holds(0x0203));
    EXPECT_EQ(rig.current.copyFor(0x0203), m);
    rig.release(3);
    EXPECT_EQ(rig.context.macroLookups, 1) << "loaded on the press only";

    // A special function is no macro.
    rig.context.setFunction(0, 4, 30002);
    rig.press(5);
    EXPECT_TRUE(rig.current.holds(0x0203));

    // A reference to a macro that no longer exists is remembered as invalid.
    rig.context.setFunction(0, 2, 0x0305);
    rig.press(3);
    EXPECT_TRUE(rig.current.holds(0x0305));
    EXPECT_FALSE(rig.current.copyFor(0x0305));
}

TEST(StatusReader, TheFirstMacroIsMacroZeroOfGroupZero)
{
    PlaybackRig rig;
    auto m = makeMacro(0, 1, {{kKeyB, 1, 1}});
    rig.context.setMacro(256, m);
    rig.reader.loadFirstMacro();
    EXPECT_EQ(rig.current.copyFor(256), m);
}

// --- status codes ---

TEST(StatusReader, StatusCodesAreIgnoredInHardwareMacroMode)
{
    PlaybackRig rig;
    rig.context.setSoftware(false);
    rig.current.load(256, makeMacro(0, 1, {}));
    rig.mouse->setCurrentConfig(2);
    rig.report({6, 3, 0});
    rig.report({6, 1, 0});
    EXPECT_EQ(rig.context.config, 0);
    EXPECT_TRUE(rig.context.configChanges.empty());
    EXPECT_EQ(rig.current.verticalAdjustValue(), 0);
    EXPECT_TRUE(rig.hid.sent().empty());

    // Key events still keep the flags.
    rig.press(2);
    EXPECT_TRUE(rig.state.held);
    EXPECT_TRUE(rig.state.trigger);
}

TEST(StatusReader, WheelStepsAdjustTheCurrentMacroWrappingUpAndStoppingAtZero)
{
    PlaybackRig rig;
    auto m = makeMacro(0, 1, {});
    m.vAdjustValue = 254;
    rig.current.load(300, m);
    for (int i = 0; i < 3; ++i)
        rig.report({6, 1, 0});
    EXPECT_EQ(rig.current.verticalAdjustValue(), 1) << "an 8-bit value: 254, 255, 0, 1";
    for (int i = 0; i < 3; ++i)
        rig.report({6, 2, 0});
    EXPECT_EQ(rig.current.verticalAdjustValue(), 0);
}

TEST(StatusReader, StatusThreeFollowsTheMouseWithoutKeyOverrides)
{
    PlaybackRig rig;
    rig.context.setFunction(2, 3, 300);
    rig.state.leftMacroOn = true;
    rig.mouse->setCurrentConfig(2);
    rig.report({6, 3, 0});
    EXPECT_EQ(rig.context.config, 2);
    EXPECT_EQ(rig.context.configChanges, std::vector<int>{2});
    EXPECT_TRUE(rig.sentOf(0x10).empty());
    EXPECT_TRUE(rig.state.leftMacroOn);
}

// --- configuration switches ---

TEST(StatusReader, ASwitchKeyFollowsTheMouseAndReportsTheNewConfigurationsMacroKeys)
{
    PlaybackRig rig;
    device::PlaybackButton sw;
    sw.function = 20;
    sw.deviceCode = 0x18;
    rig.context.setButton(0, 1, sw);
    rig.context.setFunction(1, 2, 0x0101); // macro: reported
    rig.context.setFunction(1, 3, 18);     // vertical adjust: reported
    rig.context.setFunction(1, 4, 30000);  // a special function stays with the mouse
    rig.context.setFunction(1, 5, 26);     // a consumer key stays with the mouse
    rig.state.trigger = true;               // a press the player has not taken yet
    rig.mouse->setCurrentConfig(1);

    rig.press(2);
    EXPECT_EQ(rig.context.config, 1);
    EXPECT_EQ(rig.context.configChanges, std::vector<int>{1});
    auto sent = rig.commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(keyOverride(sent[0]), (Bytes{0x10, 3, 0}));
    EXPECT_EQ(keyOverride(sent[1]), (Bytes{0x10, 4, 0}));
    EXPECT_FALSE(rig.state.trigger) << "the switch key is not handed to the player";
    EXPECT_TRUE(rig.state.held);
}

TEST(StatusReader, ASwitchKeySendsNoOverridesInHardwareMode)
{
    PlaybackRig rig;
    rig.context.setSoftware(false);
    device::PlaybackButton sw;
    sw.function = 22;
    sw.deviceCode = 0x1A;
    rig.context.setButton(0, 4, sw);
    rig.context.setFunction(3, 2, 0x0101);
    rig.mouse->setCurrentConfig(3);
    rig.press(5);
    EXPECT_EQ(rig.context.config, 3);
    EXPECT_TRUE(rig.hid.sent().empty());
}

TEST(StatusReader, ASwitchKeyWhileTheLeftButtonMacroIsArmedGivesTheLeftButtonBack)
{
    PlaybackRig rig;
    device::PlaybackButton sw;
    sw.function = 19;
    sw.deviceCode = 0x17;
    rig.context.setButton(1, 1, sw);
    device::PlaybackButton left;
    left.function = 1;
    left.deviceCode = 1;
    rig.context.setButton(0, 0, left);
    rig.context.config = 1;
    rig.state.leftMacroOn = true;
    rig.mouse->setCurrentConfig(0);

    rig.press(2);
    EXPECT_FALSE(rig.state.leftMacroOn);
    auto keyOverrides = rig.sentOf(0x10);
    ASSERT_EQ(keyOverrides.size(), 1u);
    EXPECT_EQ(keyOverrides[0].report[2], 1);
    EXPECT_EQ(keyOverrides[0].report[3], 1);
    EXPECT_EQ(rig.sentOf(0x13).size(), 1u) << "the lighting comes back too";
}

TEST(StatusReader, AFailedStatusFetchIsNotTakenForAConfiguration)
{
    PlaybackRig rig;
    device::PlaybackButton sw;
    sw.function = 21;
    sw.deviceCode = 0x19;
    rig.context.setButton(0, 1, sw);
    rig.context.config = 2;
    // Leave a report in the buffer whose byte 6 would read as configuration 1.
    rig.channel.send(0x13, {0, 0, 0, 0, 0x04, 0});
    rig.bus.unplug(rig.mouse);

    rig.press(2);
    rig.report({6, 3, 0});
    EXPECT_EQ(rig.context.config, 2);
    EXPECT_TRUE(rig.context.configChanges.empty());
}

// --- left-button macro ---

TEST(StatusReader, LeftButtonMacroIsArmedMovedAndDisarmedWithItsLighting)
{
    PlaybackRig rig;
    rig.context.storedLighting = {true, 0x55, 3, 2, false, true, 2, 5};
    rig.context.setButton(0, 2, macroButton(60, true, 4));
    rig.context.setButton(0, 3, macroButton(61, true, 9)); // a colour beyond 6 shows colour 6
    device::PlaybackButton left;
    left.function = 1;
    left.deviceCode = 1;
    rig.context.setButton(0, 0, left);

    device::LightingEffect colour;
    colour.switchBit = false;
    colour.effect = 1;
    colour.cycleTime = 4;
    colour.symmetry = true;
    colour.direction = 2;
    colour.brightness = 5;
    colour.colourMask = 1 << 4;
    device::LightingEffect restored;
    restored.colourMask = 0x55;
    restored.effect = 3;
    restored.cycleTime = 2;
    restored.symmetry = true;
    restored.direction = 2;
    restored.brightness = 5;

    rig.press(3);
    EXPECT_TRUE(rig.state.leftMacroOn);
    EXPECT_EQ(rig.state.leftMacroButton, 2);
    auto sent = rig.commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(keyOverride(sent[0]), (Bytes{0x10, 1, 0}));
    EXPECT_EQ(sent[1], lighting(colour));

    rig.hid.clear();
    rig.press(4);
    EXPECT_TRUE(rig.state.leftMacroOn);
    EXPECT_EQ(rig.state.leftMacroButton, 3);
    colour.colourMask = 1 << 6;
    EXPECT_EQ(rig.commands(), std::vector<Bytes>{lighting(colour)}) << "moving it needs no key override";

    rig.hid.clear();
    rig.press(4);
    EXPECT_FALSE(rig.state.leftMacroOn);
    sent = rig.commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(keyOverride(sent[0]), (Bytes{0x10, 1, 1}));
    EXPECT_EQ(sent[1], lighting(restored));
}

TEST(StatusReader, LeftButtonMacroNeedsSoftwareMacroMode)
{
    PlaybackRig rig;
    rig.context.setSoftware(false);
    rig.context.setButton(0, 2, macroButton(60, true, 1));
    rig.press(3);
    EXPECT_FALSE(rig.state.leftMacroOn);
    EXPECT_TRUE(rig.hid.sent().empty());
}

TEST(StatusReader, DisarmingKeepsTheLeftButtonWithTheProgramWhenItPlaysItsFunction)
{
    PlaybackRig rig;
    rig.context.setButton(0, 2, macroButton(60, true, 1));
    rig.context.setButton(0, 0, macroButton(0x0102)); // the left button itself plays a macro
    rig.press(3);
    rig.hid.clear();
    rig.press(3);
    EXPECT_EQ(rig.sentOf(0x10).at(0).report[3], 0);
}

// --- vertical adjust ---

TEST(StatusReader, VerticalAdjustKeySwitchesOnWhileHeldAndSavesTheAdjustedMacro)
{
    PlaybackRig rig;
    rig.context.setFunction(0, 4, 18);
    rig.current.load(0x0102, makeMacro(2, 1, {{0xF6, 6, 10, 0, 7}}));

    rig.press(5);
    EXPECT_TRUE(rig.state.verticalAdjustOn);
    EXPECT_EQ(rig.commands(), (std::vector<Bytes>{{0x11, 2, 0, 0, 0, 0, 0}}));
    rig.report({6, 1, 0});
    rig.report({6, 1, 0});
    rig.release(5);
    EXPECT_FALSE(rig.state.verticalAdjustOn);
    EXPECT_EQ(rig.commands().back(), (Bytes{0x11, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(rig.context.saved.size(), 1u);
    EXPECT_EQ(rig.context.saved[0].first, 0x0102);
    EXPECT_EQ(rig.context.saved[0].second.vAdjustSwitch, 1);
    EXPECT_EQ(rig.context.saved[0].second.vAdjustValue, 2);
}

TEST(StatusReader, VerticalAdjustIsLeftToTheMouseInHardwareMode)
{
    PlaybackRig rig;
    rig.context.setSoftware(false);
    rig.context.setFunction(0, 4, 18);
    rig.current.load(0x0102, makeMacro(2, 1, {}));
    rig.press(5);
    rig.release(5);
    EXPECT_FALSE(rig.state.verticalAdjustOn);
    EXPECT_TRUE(rig.hid.sent().empty());
    EXPECT_TRUE(rig.context.saved.empty());
}

TEST(StatusReader, VerticalAdjustEndsWithItsOwnKeyEvenAfterTheFunctionChanged)
{
    PlaybackRig rig;
    rig.context.setFunction(0, 4, 18);
    rig.current.load(0x0102, makeMacro(2, 1, {}));
    rig.press(5);
    rig.release(3); // another key's release leaves it on
    EXPECT_TRUE(rig.state.verticalAdjustOn);
    rig.context.setFunction(0, 4, 2);
    rig.release(5);
    EXPECT_FALSE(rig.state.verticalAdjustOn);
    EXPECT_EQ(rig.sentOf(0x11).size(), 2u);
}
