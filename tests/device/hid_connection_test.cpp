#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/device/sim_fixture.h"

using platform::sim::SimMouseOptions;

TEST(Discovery, FindsThePairInEitherCollectionOrderAndStopsThere)
{
    for (bool writeFirst : {false, true}) {
        SimMouseOptions options;
        options.writeCollectionFirst = writeFirst;
        SimMouseRig rig(options);
        ASSERT_TRUE(rig.connect()) << "write first: " << writeFirst;
        EXPECT_NE(rig.connection.readHandle(), 0u);
        EXPECT_NE(rig.connection.writeHandle(), 0u);
        EXPECT_NE(rig.connection.queryHandle(), 0u) << "the query handle stays open while connected";
        EXPECT_EQ(rig.connection.readCaps().usagePage, 0xFF00);
        EXPECT_EQ(rig.connection.writeCaps().usagePage, 0xFF01);
        EXPECT_EQ(rig.connection.model(), device::Model1);
        // The device path is the interface that completed the pair.
        auto interfaces = rig.mouse->interfaces();
        EXPECT_EQ(rig.connection.devicePath(), interfaces[3].path);
        EXPECT_EQ(rig.bus.openHandleCount(), 3);
    }
}

TEST(Discovery, ModelFlagFollowsTheProductId)
{
    SimMouseOptions options;
    options.productId = 0x1E01;
    SimMouseRig rig(options);
    EXPECT_EQ(rig.connection.model(), device::ModelNone) << "before any discovery";
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(rig.connection.model(), device::Model0);
}

TEST(Discovery, ForeignProductIdsAndVendorsAreNotFound)
{
    SimMouseOptions options;
    options.productId = 0x1541;
    SimMouseRig rig(options);
    rig.bus.plug(std::make_shared<OtherDevice>(0x046D, 0x1540, 0xFF01, u"\\\\?\\hid#other"));
    EXPECT_FALSE(rig.connect());
    EXPECT_EQ(rig.bus.openHandleCount(), 0) << "nothing is left open after a failed discovery";
}

TEST(Discovery, OnlyTheFirstHundredInterfacesAreExamined)
{
    platform::sim::SimHidBus bus;
    auto filler = std::make_shared<OtherDevice>(0x1234, 0x0001, 0x0001, u"\\\\?\\hid#filler");
    filler->count = 99;
    bus.plug(filler);
    auto mouse = std::make_shared<platform::sim::SimMouse>();
    bus.plug(mouse); // its vendor collections sit at index 101 and 102
    device::HidConnection c(&bus);
    EXPECT_FALSE(c.discover());

    filler->count = 96; // now at 98 and 99
    EXPECT_TRUE(c.discover());
}

TEST(Discovery, AnInterfaceWithoutCapabilitiesOrThatWillNotOpenIsSkipped)
{
    auto broken = std::make_shared<OtherDevice>(0x30FA, 0x1540, 0xFF01, u"\\\\?\\hid#broken");
    broken->info.hasPreparsedData = false;
    platform::sim::SimHidBus bus;
    bus.plug(broken);
    device::HidConnection c(&bus);
    EXPECT_FALSE(c.discover());
    EXPECT_EQ(bus.openHandleCount(), 0);

    auto held = std::make_shared<OtherDevice>(0x30FA, 0x1540, 0xFF00, u"\\\\?\\hid#held");
    held->info.heldByOs = true; // opens for queries only
    bus.plug(held);
    EXPECT_FALSE(c.discover());
    EXPECT_EQ(bus.openHandleCount(), 0);
}

TEST(Discovery, RediscoveryClosesTheHandlesItReplaces)
{
    SimMouseRig rig;
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(rig.bus.openHandleCount(), 3);
    rig.connection.close();
    EXPECT_EQ(rig.bus.openHandleCount(), 0);
    EXPECT_EQ(rig.connection.readHandle(), 0u);
    EXPECT_EQ(rig.connection.writeHandle(), 0u);
    EXPECT_EQ(rig.connection.queryHandle(), 0u);
}

TEST(Discovery, TracesEachMatchAndTheCompletedPair)
{
    SimMouseRig rig;
    // The trace goes to the debugger; the headless process keeps it.
    std::vector<Text> seen;
    struct Capture : platform::Process {
        std::vector<Text>* out;
        platform::Process* real;
        Text executablePath() override { return real->executablePath(); }
        Text commandLine() override { return real->commandLine(); }
        platform::MutexResult createInstanceMutex(const Text& n) override { return real->createInstanceMutex(n); }
        platform::WindowHandle findWindow(const Text& t) override { return real->findWindow(t); }
        void restoreToFront(platform::WindowHandle w) override { real->restoreToFront(w); }
        void debugTrace(const Text& line) override { out->push_back(line); }
        Text environment(const Text& n) override { return real->environment(n); }
        bool openWithShell(const Text& t) override { return real->openWithShell(t); }
        std::int64_t cpuTimeUs() override { return real->cpuTimeUs(); }
    } capture;
    capture.out = &seen;
    capture.real = platform::os().process;
    platform::os().process = &capture;
    rig.connect();
    platform::os().process = capture.real;
    // Two standard collections and two vendor ones match the IDs; the fourth completes the pair.
    std::vector<Text> expected = {u"aaaaaaaaaaaa0:5440\n", u"aaaaaaaaaaaa0:5440\n", u"aaaaaaaaaaaa0:5440\n",
                                  u"aaaaaaaaaaaa0:5440\n", u"aaaaaaaaaaaa1:5440\n"};
    EXPECT_EQ(seen, expected);
}

TEST(Discovery, RemovalNoticeMustNameOurInterface)
{
    SimMouseRig rig;
    device::HidConnection never(&rig.bus);
    EXPECT_FALSE(never.isThisMouse(device::kDeviceTypeInterface, u"")) << "nothing stored, nothing matches";
    ASSERT_TRUE(rig.connect());
    Text path = rig.connection.devicePath();
    Text upper = path;
    for (auto& c : upper)
        c = text::toUpper(c);
    EXPECT_TRUE(rig.connection.isThisMouse(device::kDeviceTypeInterface, upper)) << "case is ignored";
    EXPECT_FALSE(rig.connection.isThisMouse(3, path)) << "a volume or port notice is never ours";
    // Another HID device with a path of the same shape: same class GUID from character 56 on.
    Text keyboard = u"\\\\?\\hid#vid_046d&pid_c31c&mi_01&col02#7&11111111&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    ASSERT_EQ(keyboard.size(), path.size());
    ASSERT_EQ(keyboard.substr(56), path.substr(56));
    EXPECT_FALSE(rig.connection.isThisMouse(device::kDeviceTypeInterface, keyboard));
}
