#include <gtest/gtest.h>

#include "device/device_change.h"
#include "tests/device/sim_fixture.h"

namespace {

struct RecordingHost : device::DeviceChangeHost {
    std::vector<std::string> calls;
    bool visible = true;
    void postArrived() override { calls.push_back("post-arrived"); }
    void centreWindow() override { calls.push_back("centre"); }
    void showWindow() override { calls.push_back("show"); visible = true; }
    bool isWindowVisible() override { return visible; }
    void showStatusWarning(const Text& m) override { calls.push_back("warn:" + text::toUtf8(m)); }
    void hideStatusWarning() override { calls.push_back("hide-warning"); }
    void confirmModalWarning() override { calls.push_back("confirm-modal"); }
    bool suspendDeviceThreads() override
    {
        calls.push_back(parks ? "suspend" : "suspend(late)");
        return parks;
    }
    bool parks = true;
    void resumeDeviceThreads() override { calls.push_back("resume"); }
    Text notConnectedMessage() override { return u"Mouse not connected - KVX"; }
};

using Calls = std::vector<std::string>;

} // namespace

TEST(DeviceChange, UnplugAndReplugParkAndResumeTheThreadsOnceEach)
{
    SimMouseRig rig;
    RecordingHost host;
    device::DeviceChangeHandler handler(rig.connection, host);
    ASSERT_TRUE(rig.connect());
    Text path = rig.connection.devicePath();

    rig.bus.unplug(rig.mouse);
    handler.onRemoval(device::kDeviceTypeInterface, path);
    EXPECT_EQ(host.calls, (Calls{"centre", "suspend", "show", "warn:Mouse not connected - KVX"}));
    EXPECT_FALSE(rig.connection.connected);
    EXPECT_EQ(rig.bus.openHandleCount(), 0);

    // A second removal notice for another interface of the same mouse parks nothing twice.
    host.calls.clear();
    handler.onRemoval(device::kDeviceTypeInterface, path);
    EXPECT_EQ(host.calls, (Calls{"centre", "show", "warn:Mouse not connected - KVX"}));

    host.calls.clear();
    rig.bus.plug(rig.mouse);
    handler.onArrival();
    EXPECT_TRUE(rig.connection.connected);
    handler.onArrivedMessage();
    EXPECT_EQ(host.calls, (Calls{"post-arrived", "hide-warning", "confirm-modal", "resume"}));
}

TEST(DeviceChange, ThreadsLateToParkAreWaitedForAgainOnceTheHandlesAreClosed)
{
    SimMouseRig rig;
    RecordingHost host;
    device::DeviceChangeHandler handler(rig.connection, host);
    ASSERT_TRUE(rig.connect());
    host.parks = false;

    rig.bus.unplug(rig.mouse);
    handler.onRemoval(device::kDeviceTypeInterface, rig.connection.devicePath());
    EXPECT_EQ(host.calls, (Calls{"centre", "suspend(late)", "suspend(late)", "show", "warn:Mouse not connected - KVX"}));
    EXPECT_EQ(rig.bus.openHandleCount(), 0) << "closing is what lets a stuck read go";

    // Stale handles found at an arrival: the same before new ones are opened.
    host.parks = true;
    rig.bus.plug(rig.mouse);
    handler.onArrival();
    handler.onArrivedMessage();
    host.calls.clear();
    host.parks = false;
    rig.bus.unplug(rig.mouse);
    rig.bus.plug(rig.mouse); // no removal notice came
    handler.onArrival();
    EXPECT_EQ(host.calls, (Calls{"suspend(late)", "suspend(late)", "post-arrived"}));
    EXPECT_TRUE(rig.connection.connected);
}

TEST(DeviceChange, OtherDevicesComingAndGoingLeaveTheMouseAlone)
{
    SimMouseRig rig;
    RecordingHost host;
    device::DeviceChangeHandler handler(rig.connection, host);
    ASSERT_TRUE(rig.connect());
    auto readBefore = rig.connection.readHandle();

    auto keyboard = std::make_shared<OtherDevice>(0x046D, 0xC31C, 0x0001,
        u"\\\\?\\hid#vid_046d&pid_c31c&mi_00#7&aaaaaaaa&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    rig.bus.plug(keyboard);
    handler.onArrival();
    EXPECT_TRUE(rig.connection.connected);
    EXPECT_EQ(rig.connection.readHandle(), readBefore) << "the reader keeps its handle";
    EXPECT_EQ(rig.bus.openHandleCount(), 3);

    rig.bus.unplug(keyboard);
    handler.onRemoval(device::kDeviceTypeInterface, keyboard->info.path);
    handler.onArrivedMessage();
    EXPECT_TRUE(rig.connection.connected);
    EXPECT_EQ(host.calls, (Calls{"post-arrived", "hide-warning", "confirm-modal"}));
}

TEST(DeviceChange, ArrivalWithoutTheMouseStaysDisconnectedAndParked)
{
    SimMouseRig rig;
    RecordingHost host;
    device::DeviceChangeHandler handler(rig.connection, host);
    ASSERT_TRUE(rig.connect());
    Text path = rig.connection.devicePath();
    rig.bus.unplug(rig.mouse);
    handler.onRemoval(device::kDeviceTypeInterface, path);
    host.calls.clear();

    handler.onArrival(); // some other device
    handler.onArrivedMessage();
    EXPECT_FALSE(rig.connection.connected);
    EXPECT_EQ(host.calls, (Calls{"post-arrived"}));
}

TEST(DeviceChange, HiddenWindowIsShownAndCentredWhenTheMouseReturns)
{
    SimMouseRig rig;
    RecordingHost host;
    device::DeviceChangeHandler handler(rig.connection, host);
    handler.onArrival(); // first connection through an arrival
    host.visible = false;
    host.calls.clear();
    handler.onArrivedMessage();
    EXPECT_EQ(host.calls, (Calls{"hide-warning", "confirm-modal", "show", "centre"}));
}
