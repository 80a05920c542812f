// Downloads on their own thread, as the initial download runs, with the main
// thread doing what it does meanwhile: checking the running flag, asking for
// another download, handling a removal. The clock really sleeps here so the
// download takes as long as on the mouse.
#include "device/commands.h"
#include "device/device_change.h"
#include "tests/download/download_fixture.h"
#include "ui/tips.h"

#include <future>
#include <thread>

using namespace dltest;
using namespace std::chrono_literals;

namespace {

std::size_t setCount(DownloadRig& rig)
{
    std::size_t n = 0;
    for (const Step& s : rig.steps())
        n += s.kind == Step::Set;
    return n;
}

void waitForReports(DownloadRig& rig, std::size_t n)
{
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (setCount(rig) < n && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
}

class QuietHost : public device::DeviceChangeHost {
public:
    void postArrived() override {}
    void centreWindow() override {}
    void showWindow() override {}
    bool isWindowVisible() override { return true; }
    void showStatusWarning(const Text&) override {}
    void hideStatusWarning() override {}
    void confirmModalWarning() override {}
    bool suspendDeviceThreads() override { return true; }
    void resumeDeviceThreads() override {}
    Text notConnectedMessage() override { return u"not connected"; }
};

} // namespace

TEST(DownloadThreads, ASecondRequestWhileOneRunsIsFoldedIntoIt)
{
    DownloadWorld world;
    ASSERT_TRUE(world.rig.connect());
    world.rig.clock.realSleep = true;

    auto initial = std::async(std::launch::async, [&] { return world.download(); });
    waitForReports(world.rig, 50);
    EXPECT_TRUE(world.engine.isRunning()) << "the apply action sees a download running";

    // A power broadcast on the main thread returns at once.
    RecordingHost mainHost;
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(world.engine.run(world.sources(), mainHost), device::DownloadResult::Queued);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 100ms);

    ASSERT_EQ(initial.wait_for(60s), std::future_status::ready);
    EXPECT_EQ(initial.get(), device::DownloadResult::Written);
    EXPECT_FALSE(world.engine.isRunning());
    EXPECT_EQ(world.rig.mouse->applied().finishCount, 2) << "the whole image twice, one after the other";
    EXPECT_EQ(mainHost.leftMacroOffs.load(), 1) << "the second pass ran for the second caller";

    // Never two downloads' blocks in one another: every finish follows a
    // complete series that starts with the status fetch.
    const auto steps = world.rig.steps();
    const auto blocks = writtenBlocks(steps);
    std::size_t headers = 0;
    for (const auto& b : blocks)
        headers += b.address == 0x01;
    EXPECT_EQ(headers, 2u);
    expectImageMatches(world.rig.memory(), world);
}

TEST(DownloadThreads, MacroPlayerReportsDuringADownloadDoNotDisturbTheImage)
{
    DownloadWorld world;
    ASSERT_TRUE(world.rig.connect());
    world.rig.clock.realSleep = true;
    std::atomic<bool> stop{false};
    std::thread player([&] {
        device::HeldInputs held(world.rig.channel);
        while (!stop) {
            held.keyDown(0x04);
            held.keyUp(0x04);
            std::this_thread::sleep_for(1ms);
        }
    });
    EXPECT_EQ(world.download(), device::DownloadResult::Written);
    stop = true;
    player.join();
    expectImageMatches(world.rig.memory(), world);
}

TEST(DownloadThreads, UnplugDuringADownloadThenADownloadAfterReplugWritesEverything)
{
    DownloadWorld world;
    ASSERT_TRUE(world.rig.connect());
    world.rig.clock.realSleep = true;
    QuietHost windowHost;
    device::DeviceChangeHandler changes(world.rig.connection, windowHost);

    auto running = std::async(std::launch::async, [&] { return world.download(); });
    waitForReports(world.rig, 400);
    const Text path = world.rig.connection.devicePath();
    world.rig.bus.unplug(world.rig.mouse);
    changes.onRemoval(device::kDeviceTypeInterface, path);
    EXPECT_FALSE(world.rig.connection.connected);

    ASSERT_EQ(running.wait_for(60s), std::future_status::ready) << "no deadlock";
    EXPECT_EQ(running.get(), device::DownloadResult::Written) << "failed writes are silent";
    EXPECT_FALSE(world.engine.isRunning());
    EXPECT_EQ(world.rig.mouse->applied().finishCount, 0) << "the mouse went before the end";

    // The mouse comes back with its memory as the interrupted download left it.
    world.rig.bus.plug(world.rig.mouse);
    changes.onArrival();
    ASSERT_TRUE(world.rig.connection.connected);
    world.rig.clock.realSleep = false;
    EXPECT_EQ(world.download(), device::DownloadResult::Written);
    expectImageMatches(world.rig.memory(), world);
    EXPECT_EQ(world.rig.mouse->applied().finishCount, 1);
}

TEST(DownloadThreads, FunctionTableIsReadableWhileADownloadRuns)
{
    DownloadWorld world;
    ASSERT_TRUE(world.rig.connect());
    world.rig.clock.realSleep = true;
    auto running = std::async(std::launch::async, [&] { return world.download(); });
    int reads = 0;
    while (running.wait_for(2ms) != std::future_status::ready) {
        auto t = world.engine.functions();   // as the status reader does on each key event
        reads += t.code[0][0] <= 0x1F;
    }
    EXPECT_GT(reads, 0);
    EXPECT_EQ(world.engine.functions().code[0][3], 0x15);
}
