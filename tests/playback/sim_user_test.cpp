#include <gtest/gtest.h>

#include "tests/playback/playback_fixture.h"

using namespace playbacktest;

namespace {

// Writes one block through command 0x18 as a download does: load each byte,
// then program.
void programBlock(device::ReportChannel& ch, std::uint16_t address, const Bytes& bytes)
{
    auto last = static_cast<std::uint8_t>(bytes.size() - 1);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        device::sendMemoryRequest(ch, device::memflag::Load, static_cast<std::uint8_t>(i), address, bytes[i], last);
    device::sendMemoryRequest(ch, device::memflag::Program, 0, address, 0, last);
}

// The input reports waiting on the read collection.
std::vector<Bytes> inputs(PlaybackRig& rig, std::size_t count)
{
    std::vector<Bytes> out;
    for (std::size_t i = 0; i < count; ++i) {
        Bytes r(rig.connection.readCaps().inputReportByteLength);
        int n = rig.bus.readInput(rig.connection.readHandle(), r.data(), r.size());
        if (n < 3)
            break;
        out.push_back(Bytes(r.begin(), r.begin() + 3));
    }
    return out;
}

} // namespace

TEST(SimulatedUser, KeyFunctionsComeFromEachConfigurationsButtonBytes)
{
    PlaybackRig rig;
    programBlock(rig.channel, 0x08, {0x01, 0x02, 0x18, 0xE5, 0, 0, 0, 0}); // config 0 keys 1..8
    programBlock(rig.channel, 0x10, {0x06, 0, 0, 0, 0x0A, 0, 0, 0});       // config 0 key 9
    programBlock(rig.channel, 0x38, {0, 0, 0x0A, 0x0B, 0x0C, 0x0D, 0, 0}); // config 0 keys 10..12
    programBlock(rig.channel, 0x40, {0, 1, 2, 0x6E, 0x03, 0x04, 0, 0});     // config 1 keys 1..4
    programBlock(rig.channel, 0x48, {0, 0, 0, 0, 0, 0, 0, 0x1F});           // config 1 keys 5..12
    programBlock(rig.channel, 0x58, {0, 0x17, 0, 0, 1, 2, 1, 2});           // config 2 keys 9..12
    programBlock(rig.channel, 0x68, {0, 0, 0, 0x19, 1, 2, 0, 0});           // config 3 keys 9..12

    auto& m = *rig.mouse;
    EXPECT_EQ(m.slotFunction(1), 0x01);
    EXPECT_EQ(m.slotFunction(3), 0x18);
    EXPECT_EQ(m.slotFunction(4), 0x05) << "the lighting reaction bits are not the function";
    EXPECT_EQ(m.slotFunction(9), 0x06);
    EXPECT_EQ(m.slotFunction(10), 0x0B);
    EXPECT_EQ(m.slotFunction(12), 0x0D);
    EXPECT_EQ(m.slotFunction(13), 0) << "slots 13 and 14 are not stored";
    EXPECT_EQ(m.slotFunction(0), 0);
    EXPECT_EQ(m.slotFunction(15), 0);
    m.setCurrentConfig(1);
    EXPECT_EQ(m.slotFunction(1), 0x03);
    EXPECT_EQ(m.slotFunction(12), 0x1F);
    m.setCurrentConfig(2);
    EXPECT_EQ(m.slotFunction(10), 0x17);
    EXPECT_EQ(m.slotFunction(1), 0) << "erased memory holds no function";
    m.setCurrentConfig(3);
    EXPECT_EQ(m.slotFunction(12), 0x19);
}

TEST(SimulatedUser, KeyOverridesLastUntilTheNextDownload)
{
    PlaybackRig rig;
    programBlock(rig.channel, 0x08, {0x01, 0x0D, 0, 0, 0, 0, 0, 0});
    device::sendKeyOverride(rig.channel, 2, 0);
    device::sendKeyOverride(rig.channel, 1, 0);
    EXPECT_EQ(rig.mouse->slotFunction(2), 0);
    EXPECT_EQ(rig.mouse->slotFunction(1), 0);
    programBlock(rig.channel, 0x08, {0x01, 0x0D, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(rig.mouse->slotFunction(2), 0x0D);
    EXPECT_EQ(rig.mouse->slotFunction(1), 0x01);
}

TEST(SimulatedUser, TheDownloadedHeaderAndDpiBlockSetTheConfigurationAndLevel)
{
    PlaybackRig rig;
    programBlock(rig.channel, 0x01, {((2 << 5) & 0x60) + 3});
    programBlock(rig.channel, 0x18, {0x18 + 4, 0x3F, 50, 0, 0x80, 0xFF, 0, 0});
    EXPECT_EQ(rig.mouse->currentConfig(), 2);
    EXPECT_EQ(rig.mouse->dpiLevel(), 4);
}

TEST(SimulatedUser, ASwitchKeyChangesTheConfigurationAndReportsStatusThree)
{
    PlaybackRig rig;
    programBlock(rig.channel, 0x08, {0x01, 0x19, 0, 0, 0, 0, 0, 0});
    rig.mouse->userClick(2);
    EXPECT_EQ(rig.mouse->currentConfig(), 2);
    EXPECT_EQ(inputs(rig, 3), (std::vector<Bytes>{{6, 0xF2, 0}, {6, 3, 0}, {6, 0xF2, 0x80}}));
    rig.channel.fetchStatus();
    EXPECT_EQ(rig.channel.statusConfiguration(), 2);
}

TEST(SimulatedUser, DpiKeysStepThroughTheEnabledLevelsAndEveryKeyReportCarriesTheLevel)
{
    PlaybackRig rig;
    // Slot 1 cycles, slot 2 steps up, slot 3 steps down; levels 1, 3 and 4 enabled.
    programBlock(rig.channel, 0x08, {0x06, 0x0B, 0x0C, 0x01, 0, 0, 0, 0});
    programBlock(rig.channel, 0x18, {0x18 + 1, 0x1A, 50, 0, 0x80, 0xFF, 0, 0});
    auto& m = *rig.mouse;
    m.userClick(1);
    EXPECT_EQ(m.dpiLevel(), 3);
    m.userClick(2);
    EXPECT_EQ(m.dpiLevel(), 4);
    m.userClick(2);
    EXPECT_EQ(m.dpiLevel(), 4) << "no enabled level above: it stays";
    m.userClick(1);
    EXPECT_EQ(m.dpiLevel(), 1) << "the cycle wraps round";
    m.userClick(3);
    EXPECT_EQ(m.dpiLevel(), 1);
    m.userClick(4); // an ordinary key
    EXPECT_EQ(m.dpiLevel(), 1);

    auto reports = inputs(rig, 12);
    ASSERT_EQ(reports.size(), 12u);
    const int levels[] = {3, 4, 4, 1, 1, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(reports[2 * i][2], levels[i]) << "press " << i;
        EXPECT_EQ(reports[2 * i + 1][2], 0x80 | levels[i]) << "release " << i;
    }
}
