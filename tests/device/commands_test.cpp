#include <gtest/gtest.h>

#include "tests/device/sim_fixture.h"

using Bytes = std::vector<std::uint8_t>;

namespace {
// Bytes 1..7 of a report: the command and its parameters.
Bytes params(const Bytes& r) { return Bytes(r.begin() + 1, r.begin() + 8); }
}

TEST(Commands, MovementSignsFollowTheSubByteInTwosComplement)
{
    SimMouseRig rig;
    ASSERT_TRUE(rig.connect());
    device::sendMove(rig.channel, 3, 5, 7, false, 0);
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x0B, 0xFF, 0xFB, 0xFF, 0xF9, 0, 0}));
    device::sendMove(rig.channel, 4, 5, 7, false, 0);
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x0B, 0xFF, 0xFB, 0x00, 0x07, 0, 0}));
    device::sendMove(rig.channel, 5, 300, 7, false, 0);
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x0B, 0x01, 0x2C, 0xFF, 0xF9, 0, 0}));
    device::sendMove(rig.channel, 6, 5, 7, true, 3); // vertical adjust adds to y before the sign
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x0B, 0x00, 0x05, 0x00, 0x0A, 0, 0}));
    device::sendMove(rig.channel, 5, 5, 7, true, 3);
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x0B, 0x00, 0x05, 0xFF, 0xF6, 0, 0}));
    device::sendMove(rig.channel, 7, 5, 7, false, 0);
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x0B, 0, 0, 0, 0, 0, 0}));
    auto moves = rig.mouse->applied().moves;
    EXPECT_EQ(moves.front().first, -5);
    EXPECT_EQ(moves.front().second, -7);
}

TEST(Commands, KeySlotsShiftOnReleaseAndDropTheSeventhKey)
{
    SimMouseRig rig;
    ASSERT_TRUE(rig.connect());
    device::HeldInputs held(rig.channel);
    held.keyDown(0x04);
    held.keyDown(0x05);
    held.keyUp(0x04);
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x15, 0x05, 0, 0, 0, 0, 0}));

    held.releaseAll();
    for (std::uint8_t k = 0x10; k < 0x17; ++k)
        held.keyDown(k); // the seventh, 0x16, finds no slot
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x15, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15}));
    held.keyUp(0x16); // never held: only the last slot is cleared
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x15, 0x10, 0x11, 0x12, 0x13, 0x14, 0}));
    held.keyUp(0x11);
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x15, 0x10, 0x12, 0x13, 0x14, 0, 0}));
}

TEST(Commands, MouseButtonsAreActiveLowAndOnlyByteThreeIsSet)
{
    SimMouseRig rig;
    ASSERT_TRUE(rig.connect());
    device::sendDpiColour(rig.channel, 2, 15, 0, 15); // leaves 0x40 in byte 2
    device::HeldInputs held(rig.channel);
    held.buttonDown(0xF2);
    Bytes r = rig.lastReport();
    EXPECT_EQ(r[1], 0x16);
    EXPECT_EQ(r[3], 0xFB);
    EXPECT_EQ(r[2], 0x40) << "byte 2 keeps what the buffer held";
    held.buttonDown(0xF1);
    EXPECT_EQ(rig.lastReport()[3], 0xFA);
    held.buttonDown(0xF7); // not a button of the three: state kept, report still sent
    EXPECT_EQ(rig.lastReport()[3], 0xFA);
    EXPECT_EQ(rig.mouse->received().size(), 4u);
    held.buttonUp(0xF2);
    held.buttonUp(0xF1);
    EXPECT_EQ(rig.lastReport()[3], 0xFF);
    held.buttonDown(0xF3);
    EXPECT_EQ(rig.lastReport()[3], 0xFD);
}

TEST(Commands, ReleaseAllSendsButtonsThenKeys)
{
    SimMouseRig rig;
    ASSERT_TRUE(rig.connect());
    device::HeldInputs held(rig.channel);
    held.keyDown(0x2C);
    held.buttonDown(0xF3);
    rig.mouse->clearReceived();
    held.releaseAll();
    auto got = rig.mouse->received();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0][1], 0x16);
    EXPECT_EQ(got[0][3], 0xFF);
    EXPECT_EQ(params(got[1]), (Bytes{0x15, 0, 0, 0, 0, 0, 0}));
}

TEST(Commands, ConsumerDpiColourOverrideSwitchAndClose)
{
    SimMouseRig rig;
    ASSERT_TRUE(rig.connect());
    device::sendConsumerKey(rig.channel, 26);
    EXPECT_EQ(rig.lastReport()[2], 0x00);
    EXPECT_EQ(rig.lastReport()[3], 0xE9);
    EXPECT_EQ(device::consumerUsage(23), 0x0223);
    EXPECT_EQ(device::consumerUsage(32), 0x0192);
    EXPECT_EQ(device::consumerUsage(22), 0);
    EXPECT_EQ(device::consumerUsage(34), 0);
    EXPECT_EQ(device::consumerUsage(-1), 0);

    device::sendDpiColour(rig.channel, 2, 15, 0, 15);
    EXPECT_EQ(rig.lastReport()[2], 0x40);
    EXPECT_EQ(rig.lastReport()[3], 0xFF);

    device::sendKeyOverride(rig.channel, 5, 0);
    device::sendVerticalAdjust(rig.channel, true);
    EXPECT_EQ(params(rig.lastReport()), (Bytes{0x11, 2, 0, 0, 0, 0, 0}));
    device::sendClose(rig.channel);
    auto applied = rig.mouse->applied();
    EXPECT_EQ(applied.keyOverride[5], 0);
    EXPECT_EQ(applied.switchState, 2);
    EXPECT_EQ(applied.closeCount, 1);
    EXPECT_EQ(applied.consumerKeys, std::vector<std::uint16_t>{0x00E9});
}

TEST(Commands, LightingBytesPackEveryField)
{
    device::LightingEffect e;
    e.colourMask = 0x7F;
    e.effect = 5;
    e.cycleTime = 3;
    e.startColour = true;
    e.direction = 6; // only the low two bits count
    e.brightness = 9;
    e.value = 0x4002 & 0x3FF;
    EXPECT_EQ(device::lightingBytes(e), (std::array<std::uint8_t, 6>{0xFF, 0xD3, 0xAA, 0x01, 0x00, 0x02}));

    device::LightingEffect macroColour; // the macro-colour indication
    macroColour.colourMask = 1 << 3;
    macroColour.switchBit = false;
    macroColour.effect = 1;
    macroColour.cycleTime = 4;
    EXPECT_EQ(device::lightingBytes(macroColour), (std::array<std::uint8_t, 6>{0x88, 0x14, 0x0A, 0x00, 0x00, 0x02}));

    device::LightingEffect sound; // effects above 7 carry bit 3 in byte 6
    sound.fullMask = true;
    sound.effect = 12;
    sound.symmetry = true;
    sound.value = 0x3FF;
    EXPECT_EQ(device::lightingBytes(sound), (std::array<std::uint8_t, 6>{0xFF, 0xC0, 0x4A, 0x00, 0x83, 0xFF}));
}

TEST(Commands, EveryReportHasTheWriteCollectionsFullLength)
{
    platform::sim::SimMouseOptions options;
    options.featureReportLength = 65;
    SimMouseRig rig(options);
    ASSERT_TRUE(rig.connect());
    device::sendClose(rig.channel);
    device::sendMemoryRequest(rig.channel, device::memflag::Load, 0, 0x1234, 0x63, 0);
    ASSERT_TRUE(rig.channel.fetchStatus());
    for (auto& r : rig.mouse->received())
        EXPECT_EQ(r.size(), 65u);
    Bytes load = rig.lastReport();
    EXPECT_EQ(params(load), (Bytes{0x18, 0x03, 0x00, 0x34, 0x12, 0x63, 0x00}));
}

TEST(Commands, StatusFetchReadsTheMemoryByteAndConfiguration)
{
    SimMouseRig rig;
    ASSERT_TRUE(rig.connect());
    rig.mouse->setMemory(0x0019, 0xA5);
    rig.mouse->setCurrentConfig(2);
    device::sendMemoryRequest(rig.channel, device::memflag::Read, 1, 0x0018, 0, 7);
    ASSERT_TRUE(rig.channel.fetchStatus());
    EXPECT_EQ(rig.channel.statusData(), 0xA5);
    EXPECT_EQ(rig.channel.statusConfiguration(), 2);
}

TEST(Commands, SendingWithoutAMouseFailsQuietly)
{
    SimMouseRig rig;
    EXPECT_FALSE(rig.channel.send(device::cmd::Close, {0, 0}));
    EXPECT_FALSE(rig.channel.fetchStatus());
    ASSERT_TRUE(rig.connect());
    rig.bus.unplug(rig.mouse);
    EXPECT_FALSE(rig.channel.send(device::cmd::Close, {0, 0}));
    EXPECT_TRUE(rig.mouse->received().empty());
}

// One mouse serves many runs of the fuzz targets: after reset() nothing of a
// run may show in the next.
TEST(Commands, ResetMouseAnswersLikeANewOne)
{
    SimMouseRig rig;
    ASSERT_TRUE(rig.connect());
    platform::sim::SimMouse fresh;
    rig.mouse->setMemory(1, 0x40); // configuration 2 in the header
    rig.mouse->setMemory(0x18, 3);
    device::sendMemoryRequest(rig.channel, device::memflag::Read, 0, 0x0001, 0, 0);
    device::sendKeyOverride(rig.channel, 3, 9);
    device::sendConsumerKey(rig.channel, 26);
    device::sendMove(rig.channel, 3, 5, 7, false, 0);
    device::sendVerticalAdjust(rig.channel, true);
    device::sendClose(rig.channel);
    rig.mouse->setCurrentConfig(3);
    rig.mouse->setDpiLevel(4);

    rig.mouse->reset();
    EXPECT_EQ(rig.mouse->memory(), fresh.memory());
    EXPECT_TRUE(rig.mouse->received().empty());
    EXPECT_EQ(rig.mouse->currentConfig(), 0);
    EXPECT_EQ(rig.mouse->dpiLevel(), 0);
    EXPECT_EQ(rig.mouse->slotFunction(3), fresh.slotFunction(3));
    const auto applied = rig.mouse->applied(), expected = fresh.applied();
    EXPECT_EQ(applied.keyOverride, expected.keyOverride);
    EXPECT_EQ(applied.moves, expected.moves);
    EXPECT_EQ(applied.consumerKeys, expected.consumerKeys);
    EXPECT_EQ(applied.switchState, expected.switchState);
    EXPECT_EQ(applied.closeCount, expected.closeCount);
    ASSERT_TRUE(rig.channel.fetchStatus());
    EXPECT_EQ(rig.channel.statusConfiguration(), 0);
    EXPECT_EQ(rig.channel.statusData(), 0) << "the last memory read is forgotten";
}
