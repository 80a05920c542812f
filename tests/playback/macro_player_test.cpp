#include <gtest/gtest.h>

#include "tests/playback/playback_fixture.h"

#include <algorithm>

using namespace playbacktest;

namespace {

constexpr int kMacro = 0x0203; // group 1, macro 3
constexpr std::uint8_t kCtrl = 0xE0;

// A rig whose button 2 (device slot 3) plays `m`.
struct MacroRig : PlaybackRig {
    explicit MacroRig(const macro::MacroRecord& m)
    {
        context.setFunction(0, 2, kMacro);
        context.setMacro(kMacro, m);
    }
    // Virtual milliseconds of each report of `command` after the first report of the pass.
    std::vector<std::int64_t> timesOf(std::uint8_t command)
    {
        auto all = hid.sent();
        std::vector<std::int64_t> out;
        for (auto& s : all)
            if (s.report[1] == command)
                out.push_back((s.atUs - all.front().atUs) / 1000);
        return out;
    }
    int count(std::uint8_t command) { return static_cast<int>(sentOf(command).size()); }
};

Bytes keys(std::initializer_list<std::uint8_t> held)
{
    Bytes b{0x15, 0, 0, 0, 0, 0, 0};
    std::copy(held.begin(), held.end(), b.begin() + 1);
    return b;
}

} // namespace

// --- what a macro sends, and when ---

TEST(MacroPlayer, PlaysEachEventThenWaitsItsPauseAndReleasesEverythingAtTheEnd)
{
    MacroRig rig(makeMacro(0, 1,
                           {{kKeyA, 1, 5},
                            {kKeyB, 1, 7},
                            {kKeyA, 2, 3},
                            {0xF6, 6, 4, 5, 7},
                            {0, 0, 10}, // a pause item sends nothing
                            {kKeyB, 2, 2}}));
    rig.press(3);
    rig.player.runPass();

    EXPECT_EQ(rig.commands(), (std::vector<Bytes>{keys({kKeyA}),
                                                  keys({kKeyA, kKeyB}),
                                                  keys({kKeyB}),
                                                  {0x0B, 0, 5, 0, 7, 0, 0},
                                                  keys({}),
                                                  {0x16, 0, 0xFF, 0, 0, 0, 0},
                                                  keys({})}));
    std::vector<std::int64_t> at;
    for (auto& s : rig.hid.sent())
        at.push_back((s.atUs - rig.hid.sent().front().atUs) / 1000);
    // 5, 7, 3, 4 and 10 + 2 ms of pauses, then release-all's 10 ms steps.
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 5, 12, 15, 29, 41, 51}));
    EXPECT_FALSE(rig.state.trigger);
    EXPECT_FALSE(rig.player.isPlaying());
}

TEST(MacroPlayer, MouseButtonPausesAreAtLeastSixtyMsWithARandomPartBelowOneTwenty)
{
    PlaybackRig rig;
    auto range = [&](std::uint8_t code, std::uint8_t sub, std::uint16_t stored) {
        unsigned lo = ~0u, hi = 0;
        for (int i = 0; i < 400; ++i) {
            unsigned p = rig.player.eventPause(code, sub, stored);
            lo = std::min(lo, p);
            hi = std::max(hi, p);
        }
        return std::make_pair(lo, hi);
    };
    EXPECT_EQ(range(0xF1, 1, 10), std::make_pair(60u, 89u));
    EXPECT_EQ(range(0xF3, 2, 0), std::make_pair(60u, 89u));
    EXPECT_EQ(range(0xF2, 1, 100), std::make_pair(100u, 149u));
    auto r119 = range(0xF5, 2, 119);
    EXPECT_GE(r119.first, 119u);
    EXPECT_LE(r119.second, 119u + 58u);
    EXPECT_EQ(range(0xF1, 1, 120), std::make_pair(120u, 120u));
    EXPECT_EQ(range(0xF1, 1, 65535), std::make_pair(65535u, 65535u));
    // Only presses and releases of codes from 0xF0 are mouse-button events.
    EXPECT_EQ(range(0xF0, 1, 10).first, 60u);
    EXPECT_EQ(range(0xF6, 6, 10), std::make_pair(10u, 10u));
    EXPECT_EQ(range(0xF8, 9, 10), std::make_pair(10u, 10u));
    EXPECT_EQ(range(kKeyA, 1, 10), std::make_pair(10u, 10u));
}

TEST(MacroPlayer, AClickStoredWithTenMsIsPlayedSixtyToEightyNineMsApart)
{
    MacroRig rig(makeMacro(0, 20, {{0xF1, 1, 10}, {0xF1, 2, 10}}));
    rig.press(3);
    rig.player.runPass();
    auto at = rig.timesOf(0x16);
    ASSERT_EQ(at.size(), 41u); // 40 events and the release-all
    for (std::size_t i = 1; i + 1 < at.size(); ++i) {
        EXPECT_GE(at[i] - at[i - 1], 60);
        EXPECT_LE(at[i] - at[i - 1], 89);
    }
}

TEST(MacroPlayer, CountedMacroPlaysItsRepeatCount)
{
    MacroRig rig(makeMacro(0, 3, {{kKeyA, 1, 1}, {kKeyA, 2, 1}}));
    rig.press(3);
    rig.player.runPass();
    EXPECT_EQ(rig.count(0x15), 3 * 2 + 1);

    MacroRig none(makeMacro(0, 0, {{kKeyA, 1, 1}}));
    none.press(3);
    none.player.runPass();
    EXPECT_EQ(none.commands(), (std::vector<Bytes>{{0x16, 0, 0xFF, 0, 0, 0, 0}, keys({})}));
}

TEST(MacroPlayer, EventsBeyondTheRecordAreNeverPlayed)
{
    auto m = makeMacro(0, 1, {});
    m.code[274] = kKeyC;
    m.sub[274] = 1;
    m.eventCount = 60000; // a damaged count
    MacroRig rig(m);
    rig.press(3);
    rig.player.runPass();
    EXPECT_EQ(rig.commands().front(), keys({kKeyC}));
    EXPECT_EQ(rig.count(0x15), 2);
}

TEST(MacroPlayer, VerticalAdjustIsAddedToEveryMoveIncludingWheelStepsSinceThePress)
{
    auto m = makeMacro(0, 1, {{0xF6, 6, 1, 5, 7}, {0xF6, 3, 1, 5, 7}});
    m.vAdjustSwitch = 1;
    m.vAdjustValue = 3;
    MacroRig rig(m);
    rig.press(3);
    rig.report({6, 1, 0});
    rig.report({6, 1, 0});
    rig.player.runPass();
    auto moves = rig.mouse->applied().moves;
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0], std::make_pair(std::int16_t(5), std::int16_t(12)));
    EXPECT_EQ(moves[1], std::make_pair(std::int16_t(-5), std::int16_t(-12)));
}

// --- stop conditions ---

TEST(MacroPlayer, ToggleMacroRunsUntilTheSameKeyIsPressedAgain)
{
    MacroRig rig(makeMacro(1, 1, {{kKeyA, 1, 10}, {kKeyA, 2, 10}}));
    rig.press(3);
    const std::int64_t start = rig.clock.monotonicUs();
    bool pressed = false;
    rig.clock.setHook([&](std::int64_t now) {
        if (!pressed && now >= start + 95'000) {
            pressed = true;
            rig.press(3);
        }
    });
    rig.player.runPass();
    EXPECT_TRUE(pressed);
    // Plays started at 0, 20, 40, 60 and 80 ms; the press at 95 ms stops it
    // before the next event, without starting it again.
    EXPECT_EQ(rig.count(0x15), 5 * 2 + 1);
    EXPECT_FALSE(rig.state.toggle);
    EXPECT_FALSE(rig.state.trigger);
    rig.hid.clear();
    rig.player.runPass();
    EXPECT_TRUE(rig.hid.sent().empty());
}

TEST(MacroPlayer, RepeatWhileHeldMacroStopsWhenTheKeyIsReleased)
{
    MacroRig rig(makeMacro(2, 1, {{kKeyA, 1, 10}, {kKeyA, 2, 10}}));
    rig.press(3);
    const std::int64_t start = rig.clock.monotonicUs();
    rig.clock.setHook([&](std::int64_t now) {
        if (now >= start + 95'000 && rig.state.held)
            rig.release(3);
    });
    rig.player.runPass();
    EXPECT_EQ(rig.count(0x15), 5 * 2 + 1);
    // The last thing the mouse heard is that nothing is held.
    EXPECT_EQ(rig.commands().back(), keys({}));
    EXPECT_EQ(rig.mouse->applied().buttons, 0xFF);
}

TEST(MacroPlayer, RepeatWhileHeldMacroReleasedBeforeItStartsPlaysNothing)
{
    MacroRig rig(makeMacro(2, 1, {{kKeyA, 1, 10}}));
    rig.press(3);
    rig.release(3);
    rig.player.runPass();
    EXPECT_EQ(rig.count(0x15), 1) << "only the release-all";
}

TEST(MacroPlayer, AbortStopsAMacroBeforeItsNextEventAndIsClearedAfterThePass)
{
    MacroRig rig(makeMacro(0, 100, {{kKeyA, 1, 10}, {kKeyA, 2, 10}}));
    rig.press(3);
    const std::int64_t start = rig.clock.monotonicUs();
    rig.clock.setHook([&](std::int64_t now) {
        if (now >= start + 35'000)
            rig.state.abort = true;
    });
    rig.player.runPass();
    EXPECT_EQ(rig.count(0x15), 4 + 1);
    EXPECT_FALSE(rig.state.abort);

    // An abort while nothing plays does not stop the next macro.
    rig.clock.setHook(nullptr);
    rig.state.abort = true;
    rig.player.runPass();
    rig.hid.clear();
    rig.context.setMacro(kMacro, makeMacro(0, 1, {{kKeyB, 1, 1}}));
    rig.press(3);
    rig.player.runPass();
    EXPECT_EQ(rig.commands().front(), keys({kKeyB}));
}

TEST(MacroPlayer, ToggleMacroWithoutEventsEndsAtOnce)
{
    MacroRig rig(makeMacro(1, 1, {}));
    rig.press(3);
    rig.player.runPass();
    EXPECT_EQ(rig.count(0x15), 1);
}

// --- what a press plays ---

TEST(MacroPlayer, ConsumerKeysAreSentInBothModesMacrosOnlyInSoftwareMode)
{
    for (bool software : {false, true}) {
        MacroRig rig(makeMacro(0, 1, {{kKeyA, 1, 1}}));
        rig.context.setSoftware(software);
        rig.context.setFunction(0, 3, 26);
        rig.press(4);
        rig.player.runPass();
        EXPECT_EQ(rig.commands(), (std::vector<Bytes>{{0x17, 0x00, 0xE9, 0, 0, 0, 0}}));

        rig.hid.clear();
        rig.press(3);
        rig.player.runPass();
        EXPECT_EQ(rig.count(0x15), software ? 2 : 0);
    }
}

TEST(MacroPlayer, AMacroThatNoLongerExistsPlaysNothing)
{
    PlaybackRig rig;
    rig.context.setFunction(0, 2, 0x0C05); // group 11: not in the library
    rig.press(3);
    rig.player.runPass();
    EXPECT_TRUE(rig.hid.sent().empty());
    EXPECT_FALSE(rig.state.trigger);
}

TEST(MacroPlayer, KeyCombinationPressesItsKeysOnceAndLetsGoOfThem)
{
    PlaybackRig rig;
    rig.context.setFunction(0, 2, 33);
    // As the combination builder makes it: presses only, "while held".
    rig.context.shortcuts[{0, 2}] = makeMacro(2, 1, {{kCtrl, 1, 4}, {kKeyC, 1, 4}});
    rig.press(3);
    rig.release(3); // a quick click still gives the whole combination
    rig.player.runPass();
    EXPECT_EQ(rig.commands(), (std::vector<Bytes>{keys({kCtrl}),
                                                  keys({kCtrl, kKeyC}),
                                                  {0x16, kCtrl, 0xFF, 0, 0, 0, 0},
                                                  keys({})}));
}

TEST(MacroPlayer, ArmedLeftButtonMacroPlaysOnTheLeftButton)
{
    MacroRig rig(makeMacro(0, 1, {{kKeyB, 1, 5}, {kKeyB, 2, 5}}));
    device::PlaybackButton arm;
    arm.function = kMacro;
    arm.leftMacro = true;
    arm.deviceCode = 0x1E;
    rig.context.setButton(0, 3, arm);

    rig.press(4); // arms it; the button itself plays nothing
    rig.player.runPass();
    EXPECT_EQ(rig.count(0x15), 0);
    EXPECT_TRUE(rig.state.leftMacroOn);

    rig.release(4);
    rig.press(1);
    rig.player.runPass();
    EXPECT_EQ(rig.count(0x15), 3);
    EXPECT_EQ(rig.sentOf(0x15).front().report[2], kKeyB);
}

TEST(MacroPlayer, TheLeftButtonPlaysNothingWhileNoMacroIsArmed)
{
    MacroRig rig(makeMacro(0, 1, {{kKeyB, 1, 5}}));
    rig.press(1);
    rig.player.runPass();
    EXPECT_TRUE(rig.hid.sent().empty());
}

// --- DPI follow-up ---

TEST(MacroPlayer, ReleaseOfADpiKeyMakesTheMousesLevelCurrent)
{
    PlaybackRig rig;
    device::PlaybackButton dpi;
    dpi.function = 6;
    dpi.deviceCode = 6;
    dpi.dpiMark = true;
    rig.context.setButton(0, 2, dpi);

    rig.press(3, 4);
    rig.release(3, 4);
    rig.player.runPass();
    EXPECT_EQ(rig.context.dpiChanges, std::vector<int>{4});
    EXPECT_EQ(rig.state.dpiRelease, 0u);

    rig.release(4, 2); // not a DPI key
    rig.player.runPass();
    rig.release(3, 6); // the mouse has no seventh level
    rig.player.runPass();
    rig.release(3, 7);
    rig.player.runPass();
    EXPECT_EQ(rig.context.dpiChanges, std::vector<int>{4});
}
