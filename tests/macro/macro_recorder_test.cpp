#include "macro/macro_recorder.h"

#include "keys/key_tables.h"

#include <gtest/gtest.h>

#include <memory>

using namespace macro;

namespace {

constexpr unsigned Down = 0x100, Up = 0x101, SysDown = 0x104;
constexpr int English = 1;

int deviceOf(int vk) { return keys::deviceFromVk(English, vk, 2); }

struct Recording : ::testing::Test {
    std::unique_ptr<MacroRecord> r = std::make_unique<MacroRecord>();
    MacroRecorder rec;
    int now = 1000;
    MacroRecorder::Step key(unsigned m, unsigned vk, int after = 10)
    {
        now += after;
        return rec.key(m, vk, English, now);
    }
};

TEST_F(Recording, TypingAbcGivesSixKeyEventsWithTheirPauses)
{
    r->mode = cycle::Toggle;
    r->repeatCount = 7;
    rec.start(*r, u"typed");
    for (unsigned vk : {'A', 'B', 'C'}) {
        EXPECT_EQ(key(Down, vk, 100), MacroRecorder::Step::Recorded);
        EXPECT_EQ(key(Up, vk, 40), MacroRecorder::Step::Recorded);
    }
    rec.finish();
    ASSERT_EQ(r->eventCount, 6);
    EXPECT_EQ(recordName(*r), u"typed");
    EXPECT_EQ(r->mode, cycle::Toggle);
    EXPECT_EQ(r->repeatCount, 1);
    EXPECT_EQ(r->vAdjustValue, 10);
    const int codes[] = {'A', 'A', 'B', 'B', 'C', 'C'};
    const int pauses[] = {40, 100, 40, 100, 40, kLastRecordedPause};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(r->code[k], deviceOf(codes[k])) << k;
        EXPECT_EQ(r->sub[k], k % 2 ? sub::Release : sub::Press) << k;
        EXPECT_EQ(r->delay[k], pauses[k]) << k;
    }
}

TEST_F(Recording, RepeatsOfAHeldKeyAndReleasesOfEarlierPressesAreNotRecorded)
{
    rec.start(*r, u"m");
    EXPECT_EQ(key(Up, 'Q'), MacroRecorder::Step::Skipped); // pressed before the start
    key(Down, 'A');
    EXPECT_EQ(key(Down, 'A'), MacroRecorder::Step::Skipped);
    EXPECT_EQ(key(Down, 'A'), MacroRecorder::Step::Skipped);
    key(SysDown, 0x12);
    key(Up, 'A');
    EXPECT_EQ(key(Up, 'A'), MacroRecorder::Step::Skipped);
    EXPECT_EQ(rec.recordedCount(), 3);
    EXPECT_EQ(r->sub[1], sub::Press);
}

TEST_F(Recording, PressLimitsAndTheEventLimit)
{
    rec.start(*r, u"m");
    // Nine keys may be held; a tenth and its release are left out.
    for (unsigned vk = 'A'; vk < 'A' + 10; ++vk)
        key(Down, vk);
    EXPECT_EQ(rec.recordedCount(), kMaxHeldKeys);
    EXPECT_EQ(key(Up, 'A' + 9), MacroRecorder::Step::Skipped);
    for (unsigned vk = 'A'; vk < 'A' + 9; ++vk)
        key(Up, vk);
    // Up to 55 presses in all; releases go on being recorded.
    while (rec.recordedCount() < 100)
        key(Down, 'K'), key(Up, 'K');
    for (unsigned vk = 'L'; vk < 'L' + 5; ++vk)
        key(Down, vk);
    EXPECT_EQ(rec.recordedCount(), 105);
    EXPECT_EQ(key(Down, 'Z'), MacroRecorder::Step::Skipped);
    EXPECT_EQ(key(Up, 'L'), MacroRecorder::Step::Recorded);
    rec.cancel();
    rec.start(*r, u"m");
    for (unsigned i = 0; i < 55; ++i)
        key(Down, 'A' + i % 2), key(Up, 'A' + i % 2);
    EXPECT_EQ(rec.recordedCount(), kMaxRecordedEvents);
    EXPECT_EQ(key(Down, 'X'), MacroRecorder::Step::Full);
    rec.finish();
    EXPECT_EQ(r->eventCount, kMaxRecordedEvents);
}

TEST_F(Recording, CancelGivesTheMacroBackAsItWas)
{
    setRecordName(*r, u"kept");
    r->eventCount = 2;
    r->code[0] = 4;
    r->delay[0] = 333;
    const MacroRecord before = *r;
    rec.start(*r, u"kept");
    key(Down, 'B');
    key(Up, 'B');
    rec.cancel();
    EXPECT_FALSE(rec.running());
    EXPECT_TRUE(*r == before);
}

TEST(RecordingPauses, MidnightWrapAndTheLongestPause)
{
    const int before = timeOfDayMs(23, 59, 59, 900);
    EXPECT_EQ(pauseBetween(before, timeOfDayMs(0, 0, 0, 100)), 200);
    EXPECT_EQ(pauseBetween(0, 70'000), 65535);
    EXPECT_EQ(pauseBetween(5, 5), 0);
}

} // namespace
