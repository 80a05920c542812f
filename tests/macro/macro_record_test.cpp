#include "macro/macro_record.h"


#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

using namespace macro;

namespace {

// Records are ~3 KB; tests keep them on the heap.
std::unique_ptr<MacroRecord> emptyRecord() { return std::make_unique<MacroRecord>(); }

void fillBlock(std::uint8_t (&block)[kBlockBytes], std::uint8_t seed)
{
    for (int i = 0; i < kBlockBytes; ++i)
        block[i] = std::uint8_t(seed + i);
}

bool blockIsZero(const std::uint8_t (&block)[kBlockBytes])
{
    for (auto b : block)
        if (b != 0)
            return false;
    return true;
}

// Invariants every operation keeps: counters match the events, block events
// carry 0, 1, 2... in order, unused blocks and event slots are zero.
::testing::AssertionResult invariantsHold(const MacroRecord& r)
{
    int counts[256] = {};
    int nextLed = 0, nextFb = 0;
    for (int k = 0; k < r.eventCount; ++k) {
        ++counts[r.code[k]];
        if (r.code[k] == kind::Led && r.param[k].x != nextLed++)
            return ::testing::AssertionFailure() << "LED event " << k << " has block " << r.param[k].x;
        if (r.code[k] == kind::FB && r.param[k].x != nextFb++)
            return ::testing::AssertionFailure() << "FB event " << k << " has block " << r.param[k].x;
    }
    if (counts[kind::Move] != r.xyCount || counts[kind::F7] != r.f7Count ||
        counts[kind::Cpi] != r.cpiCount || counts[kind::FA] != r.faCount ||
        counts[kind::Led] != r.ledCount || counts[kind::FB] != r.fbCount)
        return ::testing::AssertionFailure() << "a kind counter does not match the events";
    for (int b = r.ledCount; b < kBlockCount; ++b)
        if (!blockIsZero(r.ledBlock[b]))
            return ::testing::AssertionFailure() << "unused LED block " << b << " is not zero";
    for (int b = r.fbCount; b < kBlockCount; ++b)
        if (!blockIsZero(r.fbBlock[b]))
            return ::testing::AssertionFailure() << "unused FB block " << b << " is not zero";
    for (int k = r.eventCount; k < kMaxEvents; ++k)
        if (r.code[k] || r.sub[k] || r.param[k].x || r.param[k].y || r.delay[k])
            return ::testing::AssertionFailure() << "slot " << k << " after the last event is not zero";
    return ::testing::AssertionSuccess();
}

class MacroRecordTest : public ::testing::Test {};

} // namespace

TEST_F(MacroRecordTest, NameIsCutTo29UnitsAndStaysTerminated)
{
    auto r = emptyRecord();
    setRecordName(*r, u"0123456789012345678901234567890123456789");
    EXPECT_EQ(recordName(*r), u"01234567890123456789012345678");
    EXPECT_EQ(r->name[29], 0);

    setRecordName(*r, u"AB");
    EXPECT_EQ(recordName(*r), u"AB");
    for (int i = 2; i < kNameUnits; ++i)
        EXPECT_EQ(r->name[i], 0) << "unit " << i << " after a shorter name";

    // A surrogate pair across the cut is dropped whole.
    Text longName(28, u'a');
    longName += u"\U0001F600";
    setRecordName(*r, longName);
    EXPECT_EQ(recordName(*r), Text(28, u'a'));
}

TEST_F(MacroRecordTest, NewEventsGetTheValuesOfTheirKind)
{
    struct Row {
        std::uint8_t code, sub;
        std::uint16_t x, y;
    } rows[] = {
        {kind::Pause, 0, 0, 0},        {kind::LeftButton, 1, 0, 0}, {kind::Button5, 2, 0, 0},
        {kind::Move, 6, 0, 10},        {kind::F7, 0, 1, 0},         {kind::Cpi, 9, 4, 0},
        {kind::Led, 13, 0, 0},         {kind::FA, 0, 0x183, 0},     {kind::FB, 0, 0, 0},
        {4, sub::Press, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.code));
        auto r = emptyRecord();
        ASSERT_TRUE(insertEvent(*r, 0, row.code, row.sub));
        EXPECT_EQ(r->eventCount, 1);
        EXPECT_EQ(r->code[0], row.code);
        EXPECT_EQ(r->sub[0], row.sub);
        EXPECT_EQ(r->param[0].x, row.x);
        EXPECT_EQ(r->param[0].y, row.y);
        EXPECT_EQ(r->delay[0], 100);
        EXPECT_TRUE(invariantsHold(*r));
    }
    auto led = emptyRecord();
    insertEvent(*led, 0, kind::Led, sub::LedStep);
    EXPECT_EQ(led->ledBlock[0][0], 1);
    EXPECT_EQ(led->ledBlock[0][6], 10);
    auto fb = emptyRecord();
    insertEvent(*fb, 0, kind::FB, 0);
    EXPECT_EQ(fb->fbBlock[0][0], 1);
    EXPECT_EQ(fb->fbBlock[0][6], 0);
}

TEST_F(MacroRecordTest, InsertingAtTheFrontShiftsEveryEventUp)
{
    auto r = emptyRecord();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(insertEvent(*r, r->eventCount, std::uint8_t(4 + i), sub::Press));
        r->delay[i] = std::uint16_t(10 + i);
    }
    ASSERT_TRUE(insertEvent(*r, 0, kind::RightButton, sub::Release));
    EXPECT_EQ(r->eventCount, 4);
    EXPECT_EQ(r->code[0], kind::RightButton);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r->code[i + 1], 4 + i);
        EXPECT_EQ(r->delay[i + 1], 10 + i);
        EXPECT_EQ(r->sub[i + 1], sub::Press);
    }
}

TEST_F(MacroRecordTest, NewMoveKeepsTheDisplacedXOnlyWhenItIsAnAmount)
{
    auto r = emptyRecord();
    insertEvent(*r, 0, kind::Move, 3);
    r->param[0].x = 40;
    insertEvent(*r, 0, kind::Move, 4);
    EXPECT_EQ(r->param[0].x, 40);
    EXPECT_EQ(r->param[0].y, 10);

    insertEvent(*r, 0, kind::FA, 0); // X = 0x183
    insertEvent(*r, 0, kind::Move, 5);
    EXPECT_EQ(r->param[0].x, 0);
    EXPECT_TRUE(invariantsHold(*r));
}

TEST_F(MacroRecordTest, FullRecordRefusesAnotherEvent)
{
    auto r = emptyRecord();
    for (int i = 0; i < kMaxEvents; ++i)
        ASSERT_TRUE(insertEvent(*r, i, 4, sub::Press));
    const MacroRecord before = *r;
    const Outcome refused = insertEvent(*r, 0, 5, sub::Press);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.tip, 21);
    EXPECT_EQ(*r, before);
    EXPECT_EQ(r->eventCount, 275);
}

TEST_F(MacroRecordTest, KindLimitsRefuseWithoutChange)
{
    struct Row {
        std::uint8_t code;
        int limit;
    } rows[] = {{kind::Move, 50}, {kind::F7, 5}, {kind::Cpi, 5}, {kind::Led, 5}, {kind::FA, 5}, {kind::FB, 5}};
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.code));
        auto r = emptyRecord();
        for (int i = 0; i < row.limit; ++i)
            ASSERT_TRUE(insertEvent(*r, i, row.code, 0));
        const MacroRecord before = *r;
        const Outcome refused = insertEvent(*r, 0, row.code, 0);
        EXPECT_FALSE(refused);
        EXPECT_EQ(refused.tip, 6);
        EXPECT_EQ(*r, before);
        EXPECT_EQ(kindCounter(*r, row.code), row.limit);
        // Other kinds still fit.
        EXPECT_TRUE(insertEvent(*r, 0, 4, sub::Press));
    }
}

TEST_F(MacroRecordTest, LedInsertedBetweenTwoTakesTheSecondBlockAndShiftsTheRest)
{
    auto r = emptyRecord();
    insertEvent(*r, 0, kind::Led, sub::LedStep);
    insertEvent(*r, 1, 4, sub::Press);
    insertEvent(*r, 2, kind::Led, sub::LedStep);
    fillBlock(r->ledBlock[0], 10);
    fillBlock(r->ledBlock[1], 100);
    const MacroRecord before = *r;

    ASSERT_TRUE(insertEvent(*r, 2, kind::Led, 14));
    EXPECT_EQ(r->ledCount, 3);
    EXPECT_EQ(r->param[0].x, 0);
    EXPECT_EQ(r->param[2].x, 1);
    EXPECT_EQ(r->param[3].x, 2);
    EXPECT_EQ(0, std::memcmp(r->ledBlock[0], before.ledBlock[0], kBlockBytes));
    EXPECT_EQ(0, std::memcmp(r->ledBlock[2], before.ledBlock[1], kBlockBytes));
    std::uint8_t fresh[kBlockBytes] = {};
    fresh[0] = 1;
    fresh[6] = 10;
    EXPECT_EQ(0, std::memcmp(r->ledBlock[1], fresh, kBlockBytes));
    EXPECT_TRUE(invariantsHold(*r));
}

TEST_F(MacroRecordTest, FbBlocksShiftLikeLedBlocksAndIndependently)
{
    auto r = emptyRecord();
    insertEvent(*r, 0, kind::FB, 0);
    insertEvent(*r, 1, kind::Led, sub::LedStep);
    fillBlock(r->fbBlock[0], 50);
    fillBlock(r->ledBlock[0], 70);
    const MacroRecord before = *r;
    insertEvent(*r, 0, kind::FB, 0);
    EXPECT_EQ(r->param[0].x, 0);
    EXPECT_EQ(r->param[1].x, 1);
    EXPECT_EQ(0, std::memcmp(r->fbBlock[1], before.fbBlock[0], kBlockBytes));
    EXPECT_EQ(0, std::memcmp(r->ledBlock[0], before.ledBlock[0], kBlockBytes));
    EXPECT_TRUE(invariantsHold(*r));
}

TEST_F(MacroRecordTest, InconsistentBlockIndexesFromAFileRefuseTheInsertion)
{
    // A later LED event claims block 3 while only one block is counted.
    auto r = emptyRecord();
    insertEvent(*r, 0, kind::Led, sub::LedStep);
    r->param[0].x = 3;
    const MacroRecord before = *r;
    EXPECT_EQ(insertEvent(*r, 0, kind::Led, sub::LedStep).tip, 6);
    EXPECT_EQ(*r, before);

    // An earlier LED event with an index far past the table.
    r->param[0].x = 60000;
    EXPECT_EQ(insertEvent(*r, 1, kind::Led, sub::LedStep).tip, 6);

    // A counter above the limit (a file saying ledCount 200).
    r->param[0].x = 0;
    r->ledCount = 200;
    EXPECT_EQ(insertEvent(*r, 1, kind::Led, sub::LedStep).tip, 6);
    EXPECT_EQ(r->eventCount, 1);
}

TEST_F(MacroRecordTest, PositionOutsideTheEventsIsRefused)
{
    auto r = emptyRecord();
    insertEvent(*r, 0, 4, sub::Press);
    EXPECT_FALSE(insertEvent(*r, 2, 4, sub::Press));
    EXPECT_FALSE(insertEvent(*r, -1, 4, sub::Press));
    EXPECT_EQ(r->eventCount, 1);
}

TEST_F(MacroRecordTest, DeletingTheFirstOfThreeLedEventsShiftsTheBlocksDown)
{
    auto r = emptyRecord();
    for (int i = 0; i < 3; ++i)
        insertEvent(*r, i, kind::Led, sub::LedStep);
    fillBlock(r->ledBlock[0], 1);
    fillBlock(r->ledBlock[1], 80);
    fillBlock(r->ledBlock[2], 160);
    const MacroRecord before = *r;

    ASSERT_TRUE(deleteEvent(*r, 0));
    EXPECT_EQ(r->ledCount, 2);
    EXPECT_EQ(r->eventCount, 2);
    EXPECT_EQ(r->param[0].x, 0);
    EXPECT_EQ(r->param[1].x, 1);
    EXPECT_EQ(0, std::memcmp(r->ledBlock[0], before.ledBlock[1], kBlockBytes));
    EXPECT_EQ(0, std::memcmp(r->ledBlock[1], before.ledBlock[2], kBlockBytes));
    EXPECT_TRUE(blockIsZero(r->ledBlock[2]));
    EXPECT_TRUE(invariantsHold(*r));
}

TEST_F(MacroRecordTest, DeletingTheLastEventClearsItsSlot)
{
    auto r = emptyRecord();
    insertEvent(*r, 0, 4, sub::Press);
    insertEvent(*r, 1, kind::Move, 6);
    r->param[1].x = 33;
    ASSERT_TRUE(deleteEvent(*r, 1));
    EXPECT_EQ(r->eventCount, 1);
    EXPECT_EQ(r->xyCount, 0);
    EXPECT_EQ(r->code[1], 0);
    EXPECT_EQ(r->sub[1], 0);
    EXPECT_EQ(r->param[1].x, 0);
    EXPECT_EQ(r->param[1].y, 0);
    EXPECT_EQ(r->delay[1], 0);
    EXPECT_EQ(r->code[0], 4);
}

TEST_F(MacroRecordTest, DeletingFromAnEmptyRecordOrPastTheEndChangesNothing)
{
    auto r = emptyRecord();
    EXPECT_FALSE(deleteEvent(*r, 0));
    EXPECT_EQ(*r, kEmptyRecord);
    insertEvent(*r, 0, 4, sub::Press);
    const MacroRecord before = *r;
    EXPECT_FALSE(deleteEvent(*r, 1));
    EXPECT_FALSE(deleteEvent(*r, -1));
    EXPECT_EQ(*r, before);
}

TEST_F(MacroRecordTest, DeletingAnEventWhoseCounterIsZeroKeepsZeroAndWarns)
{
    auto r = emptyRecord();
    insertEvent(*r, 0, kind::Cpi, sub::CpiSet);
    r->cpiCount = 0; // as a damaged file might have it
    const Outcome deleted = deleteEvent(*r, 0);
    ASSERT_TRUE(deleted);
    EXPECT_EQ(deleted.tip, 6);
    EXPECT_EQ(r->cpiCount, 0);
    EXPECT_EQ(r->eventCount, 0);
}

TEST_F(MacroRecordTest, DeleteNeverIndexesPastTheArraysOfADamagedRecord)
{
    auto r = emptyRecord();
    insertEvent(*r, 0, kind::Led, sub::LedStep);
    insertEvent(*r, 1, kind::Led, sub::LedStep);
    r->param[1].x = 9; // no such block
    r->eventCount = 60000;
    ASSERT_TRUE(deleteEvent(*r, 0));
    EXPECT_EQ(r->eventCount, kMaxEvents - 1);
    EXPECT_EQ(r->param[0].x, 9); // left as it was
}

TEST_F(MacroRecordTest, InsertThenDeleteRestoresTheRecord)
{
    const std::uint8_t kinds[] = {kind::Pause, kind::LeftButton, kind::Move, kind::F7, kind::Cpi,
                                  kind::Led,   kind::FA,         kind::FB,   30};
    auto base = emptyRecord();
    insertEvent(*base, 0, kind::Led, sub::LedStep);
    insertEvent(*base, 1, kind::FB, 0);
    insertEvent(*base, 2, 4, sub::Press);
    insertEvent(*base, 3, kind::Led, sub::LedStep);
    insertEvent(*base, 4, kind::FB, 0);
    fillBlock(base->ledBlock[0], 3);
    fillBlock(base->ledBlock[1], 90);
    fillBlock(base->fbBlock[0], 17);
    fillBlock(base->fbBlock[1], 200);
    for (std::uint8_t k : kinds)
        for (int pos = 0; pos <= base->eventCount; ++pos) {
            SCOPED_TRACE(testing::Message() << "kind " << int(k) << " at " << pos);
            auto r = std::make_unique<MacroRecord>(*base);
            ASSERT_TRUE(insertEvent(*r, pos, k, 1));
            EXPECT_TRUE(invariantsHold(*r));
            ASSERT_TRUE(deleteEvent(*r, pos));
            EXPECT_EQ(*r, *base);
        }
}

TEST_F(MacroRecordTest, RandomEditsKeepEveryInvariant)
{
    std::mt19937 rng(1234);
    const std::uint8_t kinds[] = {kind::Pause, kind::MiddleButton, kind::Move, kind::F7, kind::Cpi,
                                  kind::Led,   kind::FA,           kind::FB,   4,         231};
    auto r = emptyRecord();
    for (int step = 0; step < 3000; ++step) {
        if (rng() % 3 != 0) {
            const int pos = int(rng() % (r->eventCount + 1u));
            insertEvent(*r, pos, kinds[rng() % std::size(kinds)], 1);
        } else if (r->eventCount > 0) {
            deleteEvent(*r, int(rng() % r->eventCount));
        }
        // Give the blocks in use some content, as the editor would.
        for (int b = 0; b < r->ledCount; ++b)
            r->ledBlock[b][5] = std::uint8_t(1 + b);
        for (int b = 0; b < r->fbCount; ++b)
            r->fbBlock[b][9] = std::uint8_t(1 + b);
        ASSERT_TRUE(invariantsHold(*r)) << "after step " << step;
    }
}

TEST_F(MacroRecordTest, GroupTableOperationsNeverWriteTheTemplateSlot)
{
    auto table = std::make_unique<GroupTable>();
    EXPECT_TRUE(insertEvent(*table, 11, 0, 4, sub::Press));
    EXPECT_FALSE(insertEvent(*table, kTemplateSlot, 0, 4, sub::Press));
    EXPECT_FALSE(insertEvent(*table, -1, 0, 4, sub::Press));
    EXPECT_FALSE(deleteEvent(*table, kTemplateSlot, 0));
    EXPECT_EQ((*table)[kTemplateSlot], kEmptyRecord);
    EXPECT_TRUE(deleteEvent(*table, 11, 0));
}

TEST(MacroReferences, ValidOnlyWhenTheTargetExists)
{
    const int counts[12] = {3, 0, 1};
    EXPECT_TRUE(isMacroReferenceValid(50, 1, 3, counts));
    EXPECT_FALSE(isMacroReferenceValid(50, 0, 3, counts));
    EXPECT_TRUE(isMacroReferenceValid(61, 12, 3, counts));
    EXPECT_FALSE(isMacroReferenceValid(62, 12, 3, counts));
    EXPECT_TRUE(isMacroReferenceValid(256 + 2, 0, 3, counts));
    EXPECT_FALSE(isMacroReferenceValid(256 + 3, 0, 3, counts));  // macro past the count
    EXPECT_FALSE(isMacroReferenceValid(512, 0, 3, counts));      // group without macros
    EXPECT_TRUE(isMacroReferenceValid(768, 0, 3, counts));
    EXPECT_FALSE(isMacroReferenceValid(1024, 0, 3, counts));     // group 3 of 3
    EXPECT_FALSE(isMacroReferenceValid(29999, 0, 12, counts));   // group 115
    EXPECT_TRUE(isMacroReferenceValid(1, 0, 0, {}));            // not a reference
    EXPECT_TRUE(isMacroReferenceValid(30000, 0, 0, {}));
}
