// The key a macro key event gets from the key capture: the last key message
// decides, and the keys that would end the dialog are captured but kept from it.
#include "keys/key_capture.h"

#include <gtest/gtest.h>

using namespace keys;

namespace {

constexpr unsigned kDown = 0x100, kUp = 0x101, kSysDown = 0x104, kSysUp = 0x105;
constexpr unsigned kVkF5 = 116, kVkF10 = 121, kVkEscape = 27, kVkReturn = 13;

KeyNaming english() { return {1, u"Left", u"Middle", u"Right", u"", u""}; }

} // namespace

TEST(KeyCapture, StartsWithTheEventsKeyAndTakesTheLastKeyMessage)
{
    KeyCapture c(english(), 0xF1);
    EXPECT_EQ(c.name(), u"Left") << "a mouse-button event shows its language name";

    CaptureStep step = c.message(kDown, kVkF5);
    EXPECT_TRUE(step.changed);
    EXPECT_FALSE(step.swallow);
    EXPECT_EQ(c.deviceCode(), 0x3E);
    EXPECT_EQ(c.name(), u"F5");

    // Alt+Tab: the release of Alt comes last and is the key kept.
    c.message(kSysDown, 164);
    c.message(kSysDown, 9);
    c.message(kSysUp, 9);
    c.message(kUp, 164);
    EXPECT_EQ(c.deviceCode(), 226);
    EXPECT_EQ(c.name(), u"L-Alt");

    step = c.message(0x0200, 'A');
    EXPECT_FALSE(step.changed) << "mouse messages are no keys";
    EXPECT_EQ(c.deviceCode(), 226);
    // Only the low byte of wParam is a VK.
    c.message(kDown, 0x1000 | 'A');
    EXPECT_EQ(c.name(), u"A");
}

TEST(KeyCapture, EscapeEnterAndF10AreCapturedButNotPassedOn)
{
    KeyCapture c(english(), 4);
    CaptureStep step = c.message(kDown, kVkEscape);
    EXPECT_TRUE(step.swallow);
    EXPECT_EQ(c.name(), u"ESCAPE");
    EXPECT_FALSE(c.message(kUp, kVkEscape).swallow) << "a release ends nothing";

    step = c.message(kDown, kVkReturn);
    EXPECT_TRUE(step.swallow);
    EXPECT_EQ(c.name(), u"KeyPad Enter");

    EXPECT_TRUE(c.message(kSysDown, kVkF10).swallow);
    EXPECT_TRUE(c.message(kSysUp, kVkF10).swallow);
    EXPECT_EQ(c.name(), u"F10");

    EXPECT_FALSE(swallowedWhileCapturing(0x0111, kVkF10)) << "only key messages";
    EXPECT_FALSE(swallowedWhileCapturing(kDown, 'Q'));
}

TEST(KeyCapture, KeysWithoutANameShowNull)
{
    KeyCapture c(english(), 4);
    c.message(kDown, 0xFF);
    EXPECT_EQ(c.name(), u"NULL");
}

TEST(KeyCapture, ModifierKeysOfEitherSide)
{
    for (unsigned vk : {16u, 17u, 18u, 91u, 92u, 160u, 161u, 162u, 163u, 164u, 165u})
        EXPECT_TRUE(isModifierKey(vk)) << vk;
    for (unsigned vk : {15u, 19u, 90u, 93u, 159u, 166u, 83u})
        EXPECT_FALSE(isModifierKey(vk)) << vk;
}
