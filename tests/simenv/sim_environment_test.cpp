// With KVX_GMOUSE_SIM naming a memory file, the program's HID goes to the
// simulated mouse: discovery finds it and what is sent shows in its log.
#include <gtest/gtest.h>

#include <cstdlib>

#include "device/commands.h"
#include "device/hid_connection.h"
#include "platform/platform.h"
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
