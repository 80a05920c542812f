// The command file through which an outside test unplugs, replugs and
// presses keys of the simulated mouse, delivered to the main window.
#include "tests/maindlg/dialog_rig.h"

#include "platform/simmouse/sim_commands.h"

#include <gtest/gtest.h>

using namespace maindlgtest;

TEST(SimCommands, LinesAreRunOnceAndUnknownOnesIgnored)
{
    platform::sim::SimWorld world;
    world.mouse = std::make_shared<platform::sim::SimMouse>();
    world.mouse->attach(&world.bus);
    world.bus.plug(world.mouse);
    testsupport::TempFolder dir;
    dir.writeText(u"cmd.txt", "unplug\r\nwiggle 3\r\npress 99\r\nclick 2\r\n");
    platform::sim::SimCommandWatcher watcher(world, dir.file("cmd.txt"));
    // The thread may have run it already; either way exactly once.
    for (int i = 0; i < 500 && (!dir.readText(u"cmd.txt").empty() || world.bus.isPlugged(world.mouse)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(dir.readText(u"cmd.txt"), "");
    EXPECT_FALSE(world.bus.isPlugged(world.mouse));
    EXPECT_EQ(watcher.pollOnce(), 0);

    EXPECT_TRUE(platform::sim::runSimCommand(world, u"plug"));
    EXPECT_TRUE(world.bus.isPlugged(world.mouse));
    EXPECT_FALSE(platform::sim::runSimCommand(world, u"press 0"));
    EXPECT_FALSE(platform::sim::runSimCommand(world, u"release x"));
    EXPECT_FALSE(platform::sim::runSimCommand(world, u""));
}

TEST(SimCommands, UnplugAndPlugReachTheMainWindowAsDeviceChanges)
{
    DialogRig rig;
    auto& dlg = rig.open();
    platform::sim::SimWorld world; // the rig's mouse on the rig's bus, seen as a world
    world.mouse = rig.mouse;
    rig.mouse->attach(&world.bus);
    rig.bus.unplug(rig.mouse);
    world.bus.plug(rig.mouse);
    platform::os().hid = &world.bus;
    ASSERT_TRUE(device::connection().discover());
    device::connection().connected = true;
    rig.work.clear();

    platform::sim::runSimCommand(world, u"unplug");
    rig.ws().pump();
    EXPECT_TRUE(dlg.warnings().status()->isVisible());
    platform::sim::runSimCommand(world, u"plug");
    rig.ws().pump();
    EXPECT_FALSE(dlg.warnings().status()->isVisible());
    EXPECT_TRUE(device::connection().connected);
    EXPECT_EQ(rig.work.calls(), (std::vector<std::string>{"suspend", "resume"}));
    rig.dlg.reset();
    device::connection().close();
    platform::os().hid = &rig.bus;
}
