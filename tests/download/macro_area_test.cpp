#include "device/macro_area.h"
#include "tests/download/download_rig.h"
#include "tests/download/macro_builders.h"

#include <gtest/gtest.h>

using namespace dltest;
using device::MacroSlot;
using device::MacroSlots;
using platform::sim::MemoryImage;

namespace {

std::vector<std::uint8_t> head(const std::vector<std::uint8_t>& v, std::size_t n)
{
    return {v.begin(), v.begin() + static_cast<std::ptrdiff_t>(std::min(n, v.size()))};
}

// An erased memory with the blocks of a layout programmed into it.
MemoryImage imageOf(const device::MacroAreaLayout& layout, int soundLighting = 0, int config = 0)
{
    auto image = std::make_unique<MemoryImage>();
    image->fill(0xFF);
    for (const device::MemoryBlock& b : device::macroAreaBlocks(layout, soundLighting, config))
        for (std::size_t i = 0; i < b.bytes.size(); ++i)
            (*image)[static_cast<std::uint16_t>(b.address + i)] = b.bytes[i];
    return *image;
}

MacroSlot macroSlot(int function, std::uint8_t code, const macro::MacroRecord& r) { return {function, code, &r}; }

} // namespace

// --- the stream of one macro ---

TEST(MacroStream, OneKeyDownRepeatedThreeTimes)
{
    auto r = makeMacro({{0x04, macro::sub::Press, 10}}, macro::cycle::Count, 3);
    auto e = device::encodeMacro(r, true, 0x400);
    EXPECT_EQ(e.bytes, bytesOf({0x03, 0x00, 0x8A, 0x04, 0, 0, 0, 0}));
    EXPECT_EQ(e.entryCount, 1);
}

TEST(MacroStream, LongDelaysBecomeFillerPairsAfterTheEvent)
{
    auto r = makeMacro({{0x04, macro::sub::Press, 300}, {0x04, macro::sub::Release, 254}});
    auto e = device::encodeMacro(r, true, 0x400);
    EXPECT_EQ(head(e.bytes, 14), bytesOf({0x01, 0x00, 0x80 + 46, 0x04, 127, 0, 127, 0,   // 300 = 46 + 2 x 127
                                          127, 0x04, 127, 0, 0, 0}));                     // 254 = 127 + 127 + 0
    EXPECT_EQ(e.entryCount, 2 + 2 + 2);
    EXPECT_EQ(device::eventEntryCount(r, true), 6);
}

TEST(MacroStream, DelayEdges)
{
    struct Case { int delay; std::vector<std::uint8_t> bytes; int entries; };
    const Case cases[] = {
        {0, bytesOf({1, 0x04}), 1},                 // no delay still waits 1 ms
        {127, bytesOf({127, 0x04}), 1},
        {128, bytesOf({1, 0x04, 127, 0}), 2},
        {381, bytesOf({127, 0x04, 127, 0, 127, 0, 0, 0}), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        auto r = makeMacro({{0x04, macro::sub::Release, c.delay}});
        auto e = device::encodeMacro(r, false, 0x400);
        EXPECT_EQ(std::vector<std::uint8_t>(e.bytes.begin() + 2, e.bytes.begin() + 2 + c.bytes.size()), c.bytes);
        EXPECT_EQ(e.entryCount, c.entries);
    }
    // Beyond 10 s the delay is cut to 10 s: 78 fillers of 127 and 94 left.
    auto r = makeMacro({{0x04, macro::sub::Release, 30000}});
    auto e = device::encodeMacro(r, false, 0x400);
    EXPECT_EQ(e.entryCount, 1 + 78);
    EXPECT_EQ(e.bytes[2], 94);
    EXPECT_EQ(e.bytes[2 + 2 * 78], 127);
}

TEST(MacroStream, PlayCountIsOneForToggleAndWhileHeldElseTheRepeatCount)
{
    auto count = [](std::uint8_t mode, int repeat) {
        auto r = makeMacro({{0x04, 1, 10}}, mode, repeat);
        auto b = device::encodeMacro(r, true, 0x400).bytes;
        return b[0] | b[1] << 8;
    };
    EXPECT_EQ(count(macro::cycle::Count, 1000), 1000);
    EXPECT_EQ(count(macro::cycle::Toggle, 1000), 1);
    EXPECT_EQ(count(macro::cycle::WhileHeld, 7), 1);
    EXPECT_EQ(count(3, 7), 7) << "mode 3 is neither toggle nor while-held";
}

TEST(MacroStream, EventKinds)
{
    using namespace macro::kind;
    struct Case { Ev ev; std::vector<std::uint8_t> bytes; };
    const Case cases[] = {
        {{Move, 3, 10, 5, 7}, bytesOf({10, 0xF6, 0xFB, 0xFF, 0xF9, 0xFF})},
        {{Move, 4, 10, 5, 7}, bytesOf({10, 0xF6, 0xFB, 0xFF, 7, 0})},
        {{Move, 5, 10, 5, 7}, bytesOf({10, 0xF6, 5, 0, 0xF9, 0xFF})},
        {{Move, 6, 10, 100, 0}, bytesOf({10, 0xF6, 100, 0, 0, 0})},
        {{Move, 1, 10, 5, 7}, bytesOf({10, 0xF6, 0, 0, 0, 0})},     // no direction: moves by nothing
        {{Cpi, macro::sub::CpiSet, 20, 0x10D}, bytesOf({148, 0xF8, 0x0D, 0})},
        {{Cpi, macro::sub::CpiReturn, 20}, bytesOf({20, 0xF8, 0, 0})},
        {{Cpi, 4, 20, 9}, bytesOf({0, 0xF8, 9, 0})},
        {{LeftButton, 1, 60}, bytesOf({188, 0xF1})},
        {{MiddleButton, 2, 60}, bytesOf({60, 0xF2})},
        {{Pause, 0, 100}, bytesOf({100, 0})},
        {{0x1D, 2, 5}, bytesOf({5, 0x1D})},
        {{0x1D, 7, 5}, bytesOf({5, 0})},                               // neither press nor release: its pause only
        {{FA, 1, 5, 0x183}, bytesOf({133, 0xFA})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << int(c.ev.code) << " sub " << int(c.ev.sub));
        auto r = makeMacro({c.ev});
        auto e = device::encodeMacro(r, false, 0x400);
        EXPECT_EQ(std::vector<std::uint8_t>(e.bytes.begin() + 2, e.bytes.begin() + 2 + c.bytes.size()), c.bytes);
    }
}

TEST(MacroStream, SizeFollowsTheKindCountersAndRecords)
{
    // 2 + 2 x 4 entries + 4 x 1 move + 2 x 1 CPI + 2 x 1 LED = 18 -> 24; one
    // LED record of 1 step: 8 bytes.
    auto r = makeMacro({{0x04, 1, 10}, {macro::kind::Move, 6, 10, 3, 3}, {macro::kind::Cpi, 9, 10, 4},
                        {macro::kind::Led, 13, 10}});
    auto e = device::encodeMacro(r, false, 0x400);
    EXPECT_EQ(e.streamSize, 24);
    EXPECT_EQ(e.bytes.size(), 32u);

    // Two steps take 12 bytes, padded to 16; three steps take 16.
    r.ledBlock[0][0] = 2;
    EXPECT_EQ(device::encodeMacro(r, false, 0x400).bytes.size(), 24u + 16u);
    r.ledBlock[0][0] = 3;
    EXPECT_EQ(device::encodeMacro(r, false, 0x400).bytes.size(), 24u + 16u);
}

TEST(MacroStream, LedEventPointsAtItsRecordAfterTheStream)
{
    auto r = makeMacro({{macro::kind::Led, 13, 10}, {macro::kind::Led, 15, 20}});
    r.ledBlock[0][4] = 3;   // mode
    r.ledBlock[0][5] = 2;   // colour
    r.ledBlock[1][0] = 2;   // two steps
    r.ledBlock[1][6] = 10;
    r.ledBlock[1][9] = 0x77;
    auto e = device::encodeMacro(r, false, 0x0A08);
    // Stream: 2 + 2 x 2 + 2 x 2 = 10 -> 16. Record 0 at +16 (8 bytes), record 1 at +24.
    ASSERT_EQ(e.streamSize, 16);
    const int a0 = 0x0A08 + 16, a1 = 0x0A08 + 24;
    EXPECT_EQ(head(e.bytes, 10), bytesOf({1, 0, 10, 0xF9, a0 & 0xFF, (0 << 6) | (a0 >> 8), 20, 0xF9, a1 & 0xFF,
                                          (2 << 6) | (a1 >> 8)}));
    EXPECT_EQ(std::vector<std::uint8_t>(e.bytes.begin() + 16, e.bytes.begin() + 24), bytesOf({0, 0, 0, 0, 3, 2, 10, 0}));
    EXPECT_EQ(e.bytes[24], 1) << "n - 1";
    EXPECT_EQ(e.bytes[24 + 6], 10);
    EXPECT_EQ(e.bytes[24 + 9], 0x77);
    EXPECT_EQ(e.bytes.size(), 24u + 16u);
    EXPECT_EQ(e.invalidRecordEvents, 0);
}

TEST(MacroStream, LedEventsWithNothingToPointAtAreCountedAndStillWritten)
{
    auto r = makeMacro({{macro::kind::Led, 13, 10}});
    r.sub[0] = 9;   // a sub byte no LED event has
    auto e = device::encodeMacro(r, false, 0x400);
    EXPECT_EQ(e.invalidRecordEvents, 1);
    EXPECT_EQ(head(e.bytes, 6), bytesOf({1, 0, 10, 0xF9, 0, 0}));

    // A file whose LED event has no block in use.
    auto noRecords = makeMacro({{0x04, 1, 10}});
    noRecords.code[0] = macro::kind::Led;
    noRecords.sub[0] = 13;
    EXPECT_EQ(device::encodeMacro(noRecords, false, 0x400).invalidRecordEvents, 1);
}

TEST(MacroStream, RecordsNeverReadPastTheirBlock)
{
    auto r = makeMacro({{macro::kind::Led, 13, 10}});
    r.ledBlock[0][0] = 200;   // more steps than 68 bytes hold
    for (int i = 1; i < macro::kBlockBytes; ++i)
        r.ledBlock[0][i] = static_cast<std::uint8_t>(i);
    auto e = device::encodeMacro(r, false, 0x400);
    const int at = e.streamSize;
    EXPECT_EQ(e.bytes[at], device::kMaxRecordSteps - 1);
    EXPECT_EQ(e.bytes[at + 67], 67);
    EXPECT_EQ(e.bytes.size(), static_cast<std::size_t>(at + 72));
}

TEST(MacroStream, CountersThatUnderstateTheEventsNeverLetTheStreamOverrunItsRecords)
{
    auto r = makeMacro({{macro::kind::Move, 6, 10, 1, 1}, {macro::kind::Move, 6, 10, 2, 2},
                        {macro::kind::Move, 6, 10, 3, 3}, {macro::kind::Led, 13, 10}});
    r.xyCount = 0;   // as a hand-edited file may have it
    auto e = device::encodeMacro(r, false, 0x400);
    // 2 + 3 x 6 + 4 = 24 bytes of stream: the record starts after them.
    EXPECT_GE(e.streamSize, 24);
    const int recordAddress = e.bytes[22] | (e.bytes[23] & 0x3F) << 8;
    EXPECT_EQ(recordAddress, 0x400 + e.streamSize);
    EXPECT_EQ(e.bytes[e.streamSize], 0) << "record 0 holds one step";
}

// --- directory entries ---

TEST(MacroDirectory, EntryFields)
{
    auto held = makeMacro({{0x04, 1, 10}}, macro::cycle::WhileHeld | 0x08);
    held.vAdjustSwitch = 1;
    held.vAdjustValue = 12;
    auto e = device::directoryEntry(macroSlot(0x0203, 0x0E, held), 1, 0x0ABC);
    EXPECT_EQ(std::vector<std::uint8_t>(e.begin(), e.end()),
              bytesOf({0, 0x81, 255, 0, 0, 0xBC, 0x0A, 0x40, 0x80 | 12, 0}));

    auto toggle = makeMacro({{0x04, 1, 10}}, macro::cycle::Toggle | 0x04);
    e = device::directoryEntry(macroSlot(0x0203, 0x0D, toggle), 1, 0x400);
    EXPECT_EQ(e[6], 0x80 | 0x04) << "toggle; bit 2 is only passed on for plain macros";
    EXPECT_EQ(e[7], 0);

    auto plain = makeMacro({{0x04, 1, 10}}, 0x04 | 0x08);
    e = device::directoryEntry(macroSlot(0x0203, 0x0D, plain), 1, 0x400);
    EXPECT_EQ(e[1], 1);
    EXPECT_EQ(e[6], 0x40 | 0x04);
    EXPECT_EQ(e[7], 0) << "bit 3 only with toggle or while-held";
}

TEST(MacroDirectory, EntryCountSplitsIntoSevenAndSixBits)
{
    auto r = typingMacro(100, 130);   // 200 events, each with one filler
    auto e = device::directoryEntry(macroSlot(0x0101, 0x0D, r), 1, 0x400);
    EXPECT_EQ(e[1], 400 & 0x7F);
    EXPECT_EQ(e[7], 400 >> 7);
}

TEST(MacroDirectory, ConsumerKeysCarryTheirUsageAndKeyFunctionsTheirKey)
{
    auto e = device::directoryEntry({26, 0x0F, nullptr}, 1, 0x400);
    EXPECT_EQ(e[3], 0xE9);
    EXPECT_EQ(e[4], 0x00);
    EXPECT_EQ(e[2], 255);
    EXPECT_EQ(e[1], 0);
    e = device::directoryEntry({23, 0x0F, nullptr}, 1, 0x400);
    EXPECT_EQ(e[3], 0x23);
    EXPECT_EQ(e[4], 0x02);

    // Functions 70..148 name a keyboard position.
    e = device::directoryEntry({70, 0x1E, &macro::kEmptyRecord}, 1, 0x400);
    EXPECT_NE(e[2], 255);
    e = device::directoryEntry({149, 0x1E, &macro::kEmptyRecord}, 1, 0x400);
    EXPECT_EQ(e[2], 255);
}

TEST(MacroDirectory, VerticalAdjustValueNeverSetsTheSwitchBit)
{
    auto r = makeMacro({{0x04, 1, 10}});
    r.vAdjustSwitch = 0;
    r.vAdjustValue = 200;
    EXPECT_EQ(device::directoryEntry(macroSlot(256, 0x0D, r), 1, 0x400)[8], 200 & 0x7F);
}

TEST(MacroDirectory, PresetAndLibraryMacrosWithoutEventsCountThree)
{
    const auto& empty = macro::kEmptyRecord;
    EXPECT_EQ(device::eventEntryCount(empty, true), 3);
    EXPECT_EQ(device::eventEntryCount(empty, false), 0);
    EXPECT_EQ(device::directoryEntry(macroSlot(0x0100, 0x0D, empty), 1, 0x400)[1], 3);
    EXPECT_EQ(device::directoryEntry(macroSlot(60, 0x1E, empty), 1, 0x400)[1], 3);
    EXPECT_EQ(device::directoryEntry(macroSlot(40, 0x0D, empty), 1, 0x400)[1], 0);
}

// --- layout ---

TEST(MacroLayout, NoMacrosLeavesTheAreaEmptyAndTheTablesAt0x400)
{
    MacroSlots slots{};
    slots[0][0] = {1, 1, nullptr};
    auto layout = device::layOutMacroArea(slots, 1);
    EXPECT_FALSE(layout.full);
    EXPECT_EQ(layout.end, 0x400);
    EXPECT_TRUE(layout.macros.empty());
    EXPECT_TRUE(std::all_of(layout.directory.begin(), layout.directory.end(), [](auto b) { return b == 0; }));
    auto tables = device::lightingTableBlocks(layout.end);
    ASSERT_EQ(tables.size(), 5u);
    EXPECT_EQ(tables[0].address, 0x400);
    EXPECT_EQ(tables[0].bytes, bytesOf({0xFF, 0, 0, 0}));
    EXPECT_EQ(tables[4].address, 0x420);
}

TEST(MacroLayout, PointerBlocks)
{
    auto blocks = device::macroAreaPointerBlocks(0x0468, 1, 2);
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[0], (device::MemoryBlock{0x6E, bytesOf({0x68, 0x04})}));
    EXPECT_EQ(blocks[1], (device::MemoryBlock{0x70, bytesOf({0x70, 0x04, 0x78, 0x04, 0x80, 0x04, 0x80 + 0x40 + 2, 0x71})}));
    EXPECT_EQ(blocks[2], (device::MemoryBlock{0x78, bytesOf({0, 0x88, 0x04})}));
    EXPECT_EQ(blocks[3], (device::MemoryBlock{0x7F, bytesOf({0})}));
}

TEST(MacroLayout, TheSameFunctionSharesOneAddressAndIsWrittenOnce)
{
    auto m = makeMacro({{0x04, 1, 10}, {0x04, 2, 10}});
    auto other = makeMacro({{0x05, 1, 10}});
    MacroSlots slots{};
    slots[0][2] = macroSlot(0x0203, 0x0D, m);
    slots[1][0] = macroSlot(0x0204, 0x0D, other);
    slots[2][4] = macroSlot(0x0203, 0x1E, m);   // the same macro as a left-button macro
    auto layout = device::layOutMacroArea(slots, 1);
    ASSERT_FALSE(layout.full);
    EXPECT_EQ(layout.addresses[0][2], 0x400);
    EXPECT_EQ(layout.addresses[1][0], 0x408);
    EXPECT_EQ(layout.addresses[2][4], 0x400);
    EXPECT_EQ(layout.macros.size(), 2u);
    EXPECT_EQ(layout.end, 0x410);
}

TEST(MacroLayout, KeyCombinationsNeverShare)
{
    auto ctrlC = makeMacro({{0xE0, 1, 4}, {0x06, 1, 4}}, macro::cycle::WhileHeld);
    MacroSlots slots{};
    slots[0][1] = macroSlot(33, 0x0E, ctrlC);
    slots[0][2] = macroSlot(33, 0x0E, ctrlC);
    auto layout = device::layOutMacroArea(slots, 1);
    EXPECT_EQ(layout.addresses[0][1], 0x400);
    EXPECT_EQ(layout.addresses[0][2], 0x408);
    EXPECT_EQ(layout.macros.size(), 2u);
}

TEST(MacroLayout, OnlyMacroAndConsumerCodesGetEntriesAndConsumerKeysTakeNoSpace)
{
    auto m = makeMacro({{0x04, 1, 10}});
    MacroSlots slots{};
    slots[0][0] = {1, 1, nullptr};
    slots[0][1] = {26, 0x0F, nullptr};
    slots[0][2] = macroSlot(0x0100, 0x0D, m);
    slots[0][3] = {19, 0x17, nullptr};
    slots[0][4] = {27, 0x0F, nullptr};
    auto layout = device::layOutMacroArea(slots, 1);
    EXPECT_EQ(layout.addresses[0][1], 0x400);
    EXPECT_EQ(layout.addresses[0][2], 0x400);
    EXPECT_EQ(layout.addresses[0][4], 0x408);
    EXPECT_EQ(layout.end, 0x408);
    auto entry = [&](int slot) {
        return std::vector<std::uint8_t>(layout.directory.begin() + slot * 10, layout.directory.begin() + slot * 10 + 10);
    };
    EXPECT_EQ(entry(0), std::vector<std::uint8_t>(10, 0));
    EXPECT_EQ(entry(3), std::vector<std::uint8_t>(10, 0));
    EXPECT_EQ(entry(1)[3], 0xE9);
    EXPECT_EQ(entry(4)[3], 0xEA);
}

TEST(MacroLayout, TheAreaEndsAt3871)
{
    macro::MacroRecord big = typingMacro(70, 130);   // 280 entries with fillers -> 2 + 560 = 562 -> 568
    ASSERT_EQ(device::encodeMacro(big, true, 0x400).bytes.size(), 568u);
    macro::MacroRecord small = typingMacro(1, 130); // 2 + 2 x 4 -> 16 bytes
    ASSERT_EQ(device::encodeMacro(small, true, 0x400).bytes.size(), 16u);
    MacroSlots slots{};
    // Four big macros: 1024 + 4 x 568 = 3296; then 35 small ones: + 560 = 3856.
    for (int k = 0; k < 4; ++k)
        slots[0][k] = macroSlot(33, 0x0E, big);
    int placed = 0;
    for (int c = 0; c < 4 && placed < 35; ++c)
        for (int k = c == 0 ? 4 : 0; k < 14 && placed < 35; ++k, ++placed)
            slots[c][k] = macroSlot(33, 0x0E, small);
    auto fits = device::layOutMacroArea(slots, 1);
    EXPECT_FALSE(fits.full);
    EXPECT_EQ(fits.end, 3856);

    // One more 16-byte macro would end at 3872.
    slots[3][13] = macroSlot(33, 0x0E, small);
    auto full = device::layOutMacroArea(slots, 1);
    EXPECT_TRUE(full.full);
    // The gauge counts on past the limit.
    EXPECT_EQ(fits.required, 3856 - 0x400);
    EXPECT_EQ(full.required, 3872 - 0x400);
    EXPECT_EQ(device::kMacroAreaCapacity, 3871 - 0x400);
    slots[3][12] = macroSlot(33, 0x0E, big);
    EXPECT_EQ(device::layOutMacroArea(slots, 1).required, 3872 - 0x400 + 568);
}

// --- the image the mouse reads back ---

TEST(MacroImage, TheMouseReadsBackEveryMacroItsSlotsPlay)
{
    auto recoil = makeMacro({{macro::kind::LeftButton, 1, 10}, {macro::kind::Move, 4, 15, 0, 9},
                             {macro::kind::Move, 3, 300, 2, 8}, {macro::kind::LeftButton, 2, 60}},
                            macro::cycle::WhileHeld);
    recoil.vAdjustSwitch = 1;
    recoil.vAdjustValue = 4;
    auto lights = makeMacro({{macro::kind::Pause, 0, 500}, {macro::kind::Led, 13, 254}, {macro::kind::Cpi, 9, 0, 7},
                             {macro::kind::Cpi, 10, 1}, {0x04, 1, 0}, {0x04, 2, 12000}},
                            macro::cycle::Toggle);
    lights.ledBlock[0][4] = 2;
    lights.ledBlock[0][5] = 5;
    auto ctrlA = makeMacro({{0xE0, 1, 4}, {0x04, 1, 4}}, macro::cycle::WhileHeld);

    MacroSlots slots{};
    slots[0][3] = macroSlot(52, 0x1F, recoil);
    slots[1][5] = macroSlot(0x0302, 0x0D, lights);
    slots[1][6] = macroSlot(33, 0x0E, ctrlA);
    slots[3][3] = macroSlot(52, 0x1F, recoil);
    slots[2][0] = {31, 0x0F, nullptr};
    auto layout = device::layOutMacroArea(slots, 1);
    ASSERT_FALSE(layout.full);
    const MemoryImage image = imageOf(layout, 1, 2);

    struct Expect { int config, slot; const macro::MacroRecord* r; bool held, toggle; };
    for (const Expect& x : {Expect{0, 4, &recoil, true, false}, Expect{1, 6, &lights, false, true},
                            Expect{1, 7, &ctrlA, true, false}, Expect{3, 4, &recoil, true, false}}) {
        SCOPED_TRACE(testing::Message() << "configuration " << x.config << " slot " << x.slot);
        auto entry = platform::sim::decodeDirectoryEntry(image, x.config, x.slot);
        ASSERT_TRUE(entry.present);
        EXPECT_EQ(entry.whileHeld, x.held);
        EXPECT_EQ(entry.toggle, x.toggle);
        auto m = platform::sim::decodeMacro(image, entry);
        ASSERT_TRUE(m);
        EXPECT_FALSE(m->runsOffMemory);
        EXPECT_EQ(m->playCount, 1);
        EXPECT_EQ(platform::sim::timelineOf(*m), expectedTimeline(*x.r));
    }
    EXPECT_EQ(platform::sim::decodeDirectoryEntry(image, 0, 4).address,
              platform::sim::decodeDirectoryEntry(image, 3, 4).address);
    auto recoilEntry = platform::sim::decodeDirectoryEntry(image, 0, 4);
    EXPECT_EQ(recoilEntry.vAdjustSwitch, 1);
    EXPECT_EQ(recoilEntry.vAdjustValue, 4);
    EXPECT_EQ(platform::sim::decodeDirectoryEntry(image, 2, 1).consumerUsage, 0xCD);
    EXPECT_FALSE(platform::sim::decodeDirectoryEntry(image, 2, 2).present);

    auto tables = platform::sim::decodeLightingTables(image);
    EXPECT_EQ(tables.end, layout.end);
    EXPECT_TRUE(tables.pointerBlocksValid);
    EXPECT_EQ(tables.soundLighting, 1);
    EXPECT_EQ(tables.configuration, 2);
    for (int t = 0; t < 5; ++t) {
        EXPECT_EQ(tables.addresses[t], layout.end + 8 * t);
        EXPECT_TRUE(tables.tablesEmpty[t]) << t;
    }
}

// Decoding into a macro used before gives what decoding afresh gives: nothing
// of a longer macro, or of one that ran off the memory, stays behind.
TEST(MacroStream, DecodingIntoAUsedMacroGivesAFreshDecode)
{
    auto image = std::make_unique<MemoryImage>();
    image->fill(0);
    auto entry = [](int address, int count) {
        platform::sim::ImageDirectoryEntry e;
        e.present = true;
        e.address = address;
        e.entryCount = count;
        return e;
    };
    // At 0x1000: play count 2, a key press after 5 ms, a move, a lighting event
    // pointing at a one-step record at 0x2000.
    const std::uint8_t stream[] = {2, 0, 0x85, 0x04, 5, 0xF6, 0x03, 0x00, 0xFD, 0xFF, 0, 0xF9, 0x00, 0x60};
    std::copy(std::begin(stream), std::end(stream), image->begin() + 0x1000);
    (*image)[0x2000] = 0; // n - 1: one step
    for (int i = 1; i < 8; ++i)
        (*image)[0x2000 + i] = std::uint8_t(i);
    const auto big = entry(0x1000, 300), small = entry(0x1000, 2), offEnd = entry(0xFFFC, 5);

    platform::sim::ImageMacro used;
    ASSERT_TRUE(platform::sim::decodeMacro(*image, big, used));
    EXPECT_EQ(used.items.size(), 300u);
    ASSERT_TRUE(platform::sim::decodeMacro(*image, offEnd, used));
    EXPECT_TRUE(used.runsOffMemory);
    for (const auto& e : {small, big, offEnd, small}) {
        ASSERT_TRUE(platform::sim::decodeMacro(*image, e, used));
        const auto fresh = platform::sim::decodeMacro(*image, e);
        ASSERT_TRUE(fresh.has_value());
        EXPECT_EQ(used.items.size(), fresh->items.size());
        EXPECT_EQ(used.runsOffMemory, fresh->runsOffMemory);
        EXPECT_EQ(used.playCount, fresh->playCount);
        EXPECT_EQ(platform::sim::timelineOf(used), platform::sim::timelineOf(*fresh));
    }
    EXPECT_EQ(used.items.size(), 2u);
    EXPECT_EQ(used.items[1].dx, 3);
    EXPECT_EQ(used.items[1].dy, -3);
    EXPECT_FALSE(platform::sim::decodeMacro(*image, platform::sim::ImageDirectoryEntry{}, used));
    EXPECT_EQ(used.items.size(), 2u) << "no entry leaves the macro alone";
}
