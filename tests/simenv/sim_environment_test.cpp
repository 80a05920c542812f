// With KVX_GMOUSE_SIM naming a memory file, the program's HID goes to the
// simulated mouse: discovery finds it and what is sent shows in its log.
#include <gtest/gtest.h>

#include <cstdlib>

#include "device/commands.h"
#include "device/hid_connection.h"
#include "platform/platform.h"
#include "platform/simmouse/sim_setup.h"
#include "tests/support/eventually.h"
#include "tests/support/temp_folder.h"

namespace {
void setEnv(const char* name, const Text& value)
{
#ifdef _WIN32
    _putenv_s(name, text::toUtf8(value).c_str());
#else
    setenv(name, text::toUtf8(value).c_str(), 1);
#endif
}
} // namespace

TEST(SimulatedMouseFromEnvironment, DiscoveryFindsItAndItsLogShowsTheCommands)
{
    testsupport::TempFolder dir;
    std::vector<std::uint8_t> memory(65536, 0xFF);
    memory[0x18] = 0x03;
    dir.write(u"sim.bin", memory);
    setEnv("KVX_GMOUSE_SIM", dir.file("sim.bin"));
    setEnv("KVX_GMOUSE_SIM_LOG", dir.file("sim.log"));
    platform::installDefault();

    device::HidConnection connection;
    ASSERT_TRUE(connection.discover());
    EXPECT_EQ(connection.model(), device::Model1);
    device::ReportChannel channel(connection);
    device::sendMemoryRequest(channel, device::memflag::Read, 0, 0x18, 0, 0);
    ASSERT_TRUE(channel.fetchStatus());
    EXPECT_EQ(channel.statusData(), 0x03) << "memory came from the file";
    device::sendClose(channel);

    std::string log = dir.readText(u"sim.log");
    EXPECT_NE(log.find(" set 07 18 05 00 18 00 00 00"), std::string::npos) << log;
    EXPECT_NE(log.find(" get 07 03"), std::string::npos) << log;
    EXPECT_NE(log.find(" set 07 20 00 00"), std::string::npos) << log;
    connection.close();
}

TEST(SimulatedMouseFromEnvironment, ProductIdIsChosenFromOutside)
{
    using platform::sim::parseSimProductId;
    EXPECT_EQ(parseSimProductId(u"1E01"), 0x1E01);
    EXPECT_EQ(parseSimProductId(u"0x1e01"), 0x1E01);
    EXPECT_EQ(parseSimProductId(u"1540"), 0x1540);
    for (const char16_t* bad : {u"", u"0x", u"1E01 ", u"12345", u"G1"})
        EXPECT_EQ(parseSimProductId(bad), std::nullopt) << text::toUtf8(bad);

    setEnv("KVX_GMOUSE_SIM_PID", u"1E01");
    auto options = platform::sim::simOptionsFromEnvironment(u"m.bin", u"");
    EXPECT_EQ(options.productId, platform::sim::kProductIdModel0);
    EXPECT_NE(text::toUtf8(options.pathPrefix).find("pid_1e01"), std::string::npos);
    setEnv("KVX_GMOUSE_SIM_PID", u"none");
    EXPECT_EQ(platform::sim::simOptionsFromEnvironment(u"m.bin", u"").productId,
              platform::sim::kProductIdModel1);
}

TEST(SimulatedMouseMemoryFile, ProgrammedMemoryReachesTheFileEvenWithoutAFinishRequest)
{
    testsupport::TempFolder dir;
    platform::sim::SimMouseOptions options;
    options.memoryFile = dir.file("mem.bin");
    auto mouse = std::make_unique<platform::sim::SimMouse>(options);
    auto program = [&](std::uint16_t address, std::uint8_t value) {
        const std::uint8_t load[8] = {7, 0x18, 0x03, 0, std::uint8_t(address), std::uint8_t(address >> 8), value, 0};
        const std::uint8_t write[8] = {7, 0x18, 0x09, 0, std::uint8_t(address), std::uint8_t(address >> 8), 0, 0};
        mouse->onSetFeature(mouse->writeInterface(), load, 8);
        mouse->onSetFeature(mouse->writeInterface(), write, 8);
    };
    auto byteInFile = [&](std::size_t address) -> int {
        auto bytes = dir.read(u"mem.bin");
        return bytes.size() == 65536 ? bytes[address] : -1;
    };

    // A download stopped by a full macro area: blocks, then nothing more.
    program(0x400, 0x42);
    EXPECT_TRUE(testsupport::eventually([&] { return byteInFile(0x400) == 0x42; }));

    // The program ends right after a block.
    program(0x408, 0x43);
    mouse.reset();
    EXPECT_EQ(byteInFile(0x408), 0x43);
}
