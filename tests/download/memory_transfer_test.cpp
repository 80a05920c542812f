#include "device/commands.h"
#include "device/memory_transfer.h"
#include "tests/download/download_rig.h"

#include <thread>

using namespace dltest;
using device::memflag::Idle;
using device::memflag::Load;
using device::memflag::Program;
using device::memflag::Read;

TEST(MemoryTransfer, OneByteWriteIsLoadWaitProgramWaitIdle)
{
    DownloadRig rig;
    ASSERT_TRUE(rig.connect());
    const std::uint8_t value = 0x63;
    ASSERT_TRUE(device::writeBlock(rig.channel, 1, std::span(&value, 1)));

    std::vector<Step> expected = {mem(Load, 0, 1, 0x63, 0), wait(4), mem(Program, 0, 1, 0, 0), wait(2),
                                  mem(Idle, 0, 1, 0, 0)};
    EXPECT_EQ(rig.steps(), expected) << describe(rig.steps());
    EXPECT_EQ(rig.memory()[1], 0x63);
    EXPECT_EQ(rig.memory()[2], 0xFF) << "nothing beyond the block";
}

TEST(MemoryTransfer, EightByteWriteLoadsEveryIndexBeforeOneProgram)
{
    DownloadRig rig;
    ASSERT_TRUE(rig.connect());
    auto data = bytesOf({0x5A, 0x43, 0xA5, 0x40, 0x15, 0xFA, 0x30, 0x10});
    device::writeBlock(rig.channel, 0x0400, data);

    std::vector<Step> expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(mem(Load, static_cast<std::uint8_t>(i), 0x400, data[i], 7));
    expected.insert(expected.end(), {wait(4), mem(Program, 0, 0x400, 0, 7), wait(2), mem(Idle, 0, 0x400, 0, 0)});
    EXPECT_EQ(rig.steps(), expected) << describe(rig.steps());
    auto m = rig.memory();
    EXPECT_TRUE(std::equal(data.begin(), data.end(), m.begin() + 0x400));
}

TEST(MemoryTransfer, ReadOfEightBytesAtTheDpiBlock)
{
    DownloadRig rig;
    ASSERT_TRUE(rig.connect());
    auto stored = bytesOf({0x1B, 0x3F, 0x32, 0x00, 0xF3, 0xFF, 0x00, 0x00});
    for (int i = 0; i < 8; ++i)
        rig.mouse->setMemory(static_cast<std::uint16_t>(0x18 + i), stored[i]);

    auto got = device::readBlock(rig.channel, 0x18, 8);
    EXPECT_EQ(got, stored);

    std::vector<Step> expected;
    for (int i = 0; i < 8; ++i)
        expected.insert(expected.end(), {mem(Load, static_cast<std::uint8_t>(i), 0x18, 0, 7), wait(2)});
    expected.insert(expected.end(), {wait(2), mem(Idle, 0, 0x18, 0, 0)});
    for (int i = 0; i < 8; ++i)
        expected.insert(expected.end(), {mem(Read, static_cast<std::uint8_t>(i), 0x18, 0, 7), wait(2), get()});
    expected.insert(expected.end(), {wait(2), mem(Idle, 0, 0, 0, 0)});
    EXPECT_EQ(rig.steps(), expected) << describe(rig.steps());
    EXPECT_EQ(rig.mouse->memory()[0x18], 0x1B) << "a read never programs";
}

TEST(MemoryTransfer, FinishIsFinishWaitIdle)
{
    DownloadRig rig;
    ASSERT_TRUE(rig.connect());
    device::finishTransfers(rig.channel);
    std::vector<Step> expected = {mem(0x10, 0, 0, 0, 0), wait(5), mem(Idle, 0, 0, 0, 0)};
    EXPECT_EQ(rig.steps(), expected) << describe(rig.steps());
    EXPECT_EQ(rig.mouse->applied().finishCount, 1);
}

TEST(MemoryTransfer, ReportAndWaitCountsFollowTheBlockLength)
{
    for (std::size_t n : {1u, 2u, 3u, 8u, 255u, 256u}) {
        SCOPED_TRACE(n);
        DownloadRig rig;
        ASSERT_TRUE(rig.connect());
        std::vector<std::uint8_t> data(n);
        for (std::size_t i = 0; i < n; ++i)
            data[i] = static_cast<std::uint8_t>(i * 7 + 1);
        ASSERT_TRUE(device::writeBlock(rig.channel, 0x2000, data));
        auto countOf = [](const std::vector<Step>& steps, Step::Kind k) {
            return std::count_if(steps.begin(), steps.end(), [&](const Step& s) { return s.kind == k; });
        };
        auto steps = rig.steps();
        EXPECT_EQ(countOf(steps, Step::Set), static_cast<long>(n + 2));
        EXPECT_EQ(rig.clock.totalMs.load(), 6u);
        // The last index travels in one byte: 255 for a 256-byte block.
        EXPECT_EQ(steps.front().bytes[6], static_cast<std::uint8_t>(n - 1));
        auto m = rig.memory();
        EXPECT_TRUE(std::equal(data.begin(), data.end(), m.begin() + 0x2000));

        rig.log.clear();
        rig.clock.totalMs = 0;
        EXPECT_EQ(device::readBlock(rig.channel, 0x2000, n), data);
        steps = rig.steps();
        EXPECT_EQ(countOf(steps, Step::Set), static_cast<long>(2 * n + 2));
        EXPECT_EQ(countOf(steps, Step::Get), static_cast<long>(n));
        EXPECT_EQ(rig.clock.totalMs.load(), 4 * n + 4);
    }
}

TEST(MemoryTransfer, BlocksThatCannotBeExpressedSendNothing)
{
    DownloadRig rig;
    ASSERT_TRUE(rig.connect());
    std::vector<std::uint8_t> tooLong(257, 0x11);
    EXPECT_FALSE(device::writeBlock(rig.channel, 0x100, tooLong));
    EXPECT_FALSE(device::writeBlock(rig.channel, 0x100, std::span<const std::uint8_t>()));
    EXPECT_FALSE(device::readBlock(rig.channel, 0x100, 0));
    EXPECT_FALSE(device::readBlock(rig.channel, 0x100, 257));
    EXPECT_TRUE(rig.steps().empty()) << describe(rig.steps());
    EXPECT_EQ(rig.memory()[0x100], 0xFF);
}

TEST(MemoryTransfer, EveryReportHasTheWriteCollectionsFullLength)
{
    platform::sim::SimMouseOptions options;
    options.featureReportLength = 65;
    DownloadRig rig(options);
    ASSERT_TRUE(rig.connect());
    auto data = bytesOf({1, 2, 3});
    device::writeBlock(rig.channel, 0x30, data);
    device::readBlock(rig.channel, 0x30, 3);
    device::finishTransfers(rig.channel);
    auto lengths = rig.hid.lengths();
    ASSERT_FALSE(lengths.empty());
    for (std::size_t l : lengths)
        EXPECT_EQ(l, 65u);
}

// Without a mouse the report buffer's byte 1 holds the command of the last
// request, not a memory byte: the read says it has nothing.
TEST(MemoryTransfer, WithoutAMouseWritesFailSilentlyAndAReadGivesNothing)
{
    DownloadRig rig;
    ASSERT_TRUE(rig.connect());
    rig.mouse->setMemory(0x40, 0x5C);
    ASSERT_EQ(device::readBlock(rig.channel, 0x40, 1), bytesOf({0x5C}));
    rig.clock.totalMs = 0;
    rig.bus.unplug(rig.mouse);

    auto data = bytesOf({9, 9});
    EXPECT_TRUE(device::writeBlock(rig.channel, 0x40, data));
    EXPECT_FALSE(device::readBlock(rig.channel, 0x41, 2));
    device::finishTransfers(rig.channel);
    EXPECT_EQ(rig.mouse->memory()[0x40], 0x5C);
    // The sequences still run, waits and all: a removal is only noticed by the window.
    EXPECT_EQ(rig.clock.totalMs.load(), 6u + 12u + 5u);
}

// Another thread's reports (the macro player's keys, say) never land between
// the loads of a block and its program and idle requests.
TEST(MemoryTransfer, NoOtherReportInterleavesWithABlock)
{
    DownloadRig rig;
    ASSERT_TRUE(rig.connect());
    rig.clock.realSleep = true;
    std::atomic<bool> stop{false};
    std::thread other([&] {
        while (!stop) {
            rig.channel.send(device::cmd::Keys, {4, 0, 0, 0, 0, 0});
            std::this_thread::yield();
        }
    });
    std::vector<std::uint8_t> data(8, 0x42);
    for (int b = 0; b < 10; ++b)
        device::writeBlock(rig.channel, static_cast<std::uint16_t>(0x500 + 8 * b), data);
    device::readBlock(rig.channel, 0x500, 3);
    stop = true;
    other.join();

    // A write block ends with the idle after its program request, a read
    // block with the idle after its reads (the idle between its loads and
    // reads is inside it).
    bool inBlock = false, programmed = false, read = false;
    int keysReports = 0;
    for (const Step& s : rig.steps()) {
        if (s.kind != Step::Set)
            continue;
        if (s.bytes[0] == 0x15) {
            ++keysReports;
            EXPECT_FALSE(inBlock) << "a key report inside a block";
            continue;
        }
        ASSERT_EQ(s.bytes[0], 0x18);
        if (!inBlock) {
            inBlock = true;
            programmed = read = false;
        }
        programmed = programmed || s.bytes[1] == Program;
        read = read || s.bytes[1] == Read;
        if (s.bytes[1] == Idle && (programmed || read))
            inBlock = false;
    }
    EXPECT_GT(keysReports, 0) << "the other thread did get its turns";
}
