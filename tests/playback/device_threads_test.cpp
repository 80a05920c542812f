#include <gtest/gtest.h>

#include "device/device_threads.h"
#include "tests/playback/playback_fixture.h"
#include "tests/support/eventually.h"

#include <future>

using testsupport::eventually;
using namespace playbacktest;

namespace {

constexpr int kMacro = 0x0102;


struct ThreadRig : PlaybackRig {
    ThreadRig() : threads(channel, context, clock) { clock.realUsPerSleep = 200; }
    ~ThreadRig()
    {
        // The reader's blocking read ends when the mouse goes.
        if (bus.isPlugged(mouse))
            bus.unplug(mouse);
        threads.suspend();
        connection.close();
        threads.stop();
    }

    void unplug()
    {
        bus.unplug(mouse);
        EXPECT_TRUE(threads.suspend());
        connection.connected = false;
        connection.close();
    }
    void replug()
    {
        bus.plug(mouse);
        ASSERT_TRUE(connection.discover());
        connection.connected = true;
        threads.resume();
    }

    // The keyboard reports the mouse has received, as key lists.
    std::vector<Bytes> keyReports()
    {
        std::vector<Bytes> out;
        for (auto& r : mouse->received())
            if (r[1] == 0x15)
                out.emplace_back(r.begin() + 2, r.begin() + 8);
        return out;
    }
    std::size_t keyReportCount() { return keyReports().size(); }

    device::DeviceThreads threads;
};

// Presses and releases of keys 0x04, 0x05, ... one after the other.
macro::MacroRecord typing(int keyCount, std::uint16_t pause, std::uint8_t mode = macro::cycle::Count)
{
    macro::MacroRecord r{};
    for (int k = 0; k < keyCount; ++k) {
        r.code[2 * k] = r.code[2 * k + 1] = static_cast<std::uint8_t>(0x04 + k);
        r.sub[2 * k] = 1;
        r.sub[2 * k + 1] = 2;
        r.delay[2 * k] = r.delay[2 * k + 1] = pause;
    }
    r.eventCount = static_cast<std::uint16_t>(2 * keyCount);
    r.repeatCount = 1;
    r.mode = mode;
    return r;
}

const Bytes kNothingHeld = {0, 0, 0, 0, 0, 0};

// The keyboard report of step `pos` of typing(): a key held, then nothing.
Bytes typingStep(int pos) { return pos % 2 ? kNothingHeld : Bytes{std::uint8_t(0x04 + pos / 2), 0, 0, 0, 0, 0}; }

// What the mouse should hear of typing(keyCount) played once, ending with release-all.
std::vector<Bytes> typed(int keyCount)
{
    std::vector<Bytes> out;
    for (int pos = 0; pos < 2 * keyCount; ++pos)
        out.push_back(typingStep(pos));
    out.push_back(kNothingHeld);
    return out;
}

// Whether reports[from..] run through typing()'s steps round and round with
// no step missing or repeated, and end with release-all. Without the start,
// the run may begin anywhere in the cycle.
bool runsThroughTheCycle(const std::vector<Bytes>& reports, std::size_t from, int keyCount, bool fromTheStart)
{
    if (reports.size() <= from || reports.back() != kNothingHeld)
        return false;
    const std::size_t last = reports.size() - 1;
    std::size_t i = from;
    int pos = 0;
    if (!fromTheStart) {
        if (reports[i] == kNothingHeld)
            ++i; // the release of a key pressed before the gap
        if (i >= last)
            return true;
        if (reports[i] == kNothingHeld)
            return false;
        pos = 2 * (reports[i][0] - 0x04);
    }
    for (; i < last; ++i, pos = (pos + 1) % (2 * keyCount))
        if (reports[i] != typingStep(pos))
            return false;
    return true;
}

} // namespace

TEST(DeviceThreads, AKeyPressOnTheMousePlaysItsMacro)
{
    ThreadRig rig;
    rig.context.setFunction(0, 2, kMacro);
    rig.context.setMacro(kMacro, typing(3, 5));
    rig.threads.start();
    rig.mouse->userClick(3);
    ASSERT_TRUE(eventually([&] { return rig.keyReportCount() == 7; }));
    EXPECT_EQ(rig.keyReports(), typed(3));
    EXPECT_TRUE(eventually([&] { return !rig.state.trigger; }));
}

TEST(DeviceThreads, TheMousesConfigurationSwitchKeyIsFollowed)
{
    ThreadRig rig;
    rig.mouse->setMemory(0x09, 0x18); // configuration 0, slot 2: switch to configuration 1
    device::PlaybackButton sw;
    sw.function = 20;
    sw.deviceCode = 0x18;
    rig.context.setButton(0, 1, sw);
    rig.context.setFunction(1, 3, kMacro);
    rig.threads.start();

    rig.mouse->userClick(2);
    // Once for the key, once for the mouse's own status report.
    ASSERT_TRUE(eventually([&] { return rig.context.configChangesSoFar().size() == 2; }));
    EXPECT_EQ(rig.context.configChangesSoFar(), (std::vector<int>{1, 1}));
    EXPECT_EQ(rig.context.config, 1);
    EXPECT_EQ(rig.mouse->currentConfig(), 1);
    EXPECT_EQ(rig.mouse->slotFunction(4), 0) << "the new configuration's macro key is reported";
}

TEST(DeviceThreads, TheMousesDpiKeyIsFollowed)
{
    ThreadRig rig;
    rig.mouse->setMemory(0x0B, 0x06); // configuration 0, slot 4: DPI cycle
    rig.mouse->setMemory(0x19, 0x0D); // levels 0, 2 and 3 enabled
    device::PlaybackButton dpi;
    dpi.function = 6;
    dpi.deviceCode = 6;
    dpi.dpiMark = true;
    rig.context.setButton(0, 3, dpi);
    rig.threads.start();

    rig.mouse->userClick(4);
    rig.mouse->userClick(4);
    rig.mouse->userClick(4);
    // Releases that come faster than the player's passes are followed to the
    // last one: the levels in between may be skipped, never reordered.
    ASSERT_TRUE(eventually([&] {
        auto levels = rig.context.dpiChangesSoFar();
        return !levels.empty() && levels.back() == 0;
    }));
    const std::vector<int> visited = {2, 3, 0};
    auto next = visited.begin();
    for (int level : rig.context.dpiChangesSoFar()) {
        next = std::find(next, visited.end(), level);
        ASSERT_NE(next, visited.end()) << "level " << level << " out of order";
        ++next;
    }
}

TEST(DeviceThreads, AMacroParkedBeforeAnUnplugGoesOnExactlyWhereItStopped)
{
    ThreadRig rig;
    rig.context.setFunction(0, 2, kMacro);
    rig.context.setMacro(kMacro, typing(8, 20, macro::cycle::Toggle));
    rig.threads.start();
    rig.mouse->userClick(3);
    ASSERT_TRUE(eventually([&] { return rig.keyReportCount() >= 6; }));

    // Park both while the mouse is still there: the reader gets to its safe
    // point with the next report it reads.
    auto parked = std::async(std::launch::async, [&] { return rig.threads.suspend(); });
    do
        rig.mouse->injectInput({6, 0xF0, 0}); // ignored by the reader
    while (parked.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready);
    ASSERT_TRUE(parked.get());
    const std::size_t before = rig.keyReportCount();

    rig.bus.unplug(rig.mouse);
    rig.connection.connected = false;
    rig.connection.close();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(rig.keyReportCount(), before);
    rig.replug();

    ASSERT_TRUE(eventually([&] { return rig.keyReportCount() >= before + 10; }));
    rig.mouse->userClick(3); // toggles it off
    ASSERT_TRUE(eventually([&] { return !rig.threads.isPlaying() && !rig.state.trigger; }));
    EXPECT_TRUE(runsThroughTheCycle(rig.keyReports(), 0, 8, true)) << "nothing lost, nothing played twice";
}

TEST(DeviceThreads, UnpluggingDuringAMacroParksItAndItGoesOnAfterTheReplug)
{
    ThreadRig rig;
    rig.context.setFunction(0, 2, kMacro);
    rig.context.setMacro(kMacro, typing(8, 20, macro::cycle::Toggle));
    rig.threads.start();
    rig.mouse->userClick(3);
    ASSERT_TRUE(eventually([&] { return rig.keyReportCount() >= 6; }));

    // As a removal comes: the mouse is gone first, then the threads park.
    rig.unplug();
    const std::size_t before = rig.keyReportCount();
    EXPECT_TRUE(rig.threads.isPlaying());
    rig.replug();
    ASSERT_TRUE(eventually([&] { return rig.keyReportCount() >= before + 10; }));
    rig.mouse->userClick(3);
    ASSERT_TRUE(eventually([&] { return !rig.threads.isPlaying() && !rig.state.trigger; }));

    // Reports sent into the gap are lost; before it and after it the macro
    // ran on in order, and it ended with release-all.
    const auto all = rig.keyReports();
    std::vector<Bytes> first(all.begin(), all.begin() + std::ptrdiff_t(before));
    first.push_back(kNothingHeld);
    EXPECT_TRUE(runsThroughTheCycle(first, 0, 8, true));
    EXPECT_TRUE(runsThroughTheCycle(all, before, 8, false));
}

TEST(DeviceThreads, ParkedThreadsEndWhenStopped)
{
    ThreadRig rig;
    rig.context.setFunction(0, 2, kMacro);
    rig.context.setMacro(kMacro, typing(50, 50));
    rig.threads.start();
    rig.mouse->userClick(3);
    ASSERT_TRUE(eventually([&] { return rig.keyReportCount() >= 2; }));
    rig.unplug();
    rig.threads.stop(); // returns: nothing stays parked
    EXPECT_FALSE(rig.threads.isPlaying());
}

TEST(DeviceThreads, ThreadsSuspendedBeforeTheyStartParkAtOnceAndGoOnWhenResumed)
{
    ThreadRig rig;
    rig.context.setFunction(0, 2, kMacro);
    rig.context.setMacro(kMacro, typing(1, 1));
    EXPECT_TRUE(rig.threads.suspend());
    rig.threads.start();
    rig.mouse->userClick(3);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(rig.keyReportCount(), 0u);
    rig.threads.resume();
    EXPECT_TRUE(eventually([&] { return rig.keyReportCount() == 3; }));
}

TEST(DeviceThreads, RepeatedUnplugAndReplugLeavesThemWorking)
{
    ThreadRig rig;
    rig.context.setFunction(0, 2, kMacro);
    rig.context.setMacro(kMacro, typing(4, 3));
    rig.threads.start();
    for (int i = 0; i < 25; ++i) {
        rig.mouse->userClick(3);
        rig.unplug();
        rig.replug();
        rig.threads.resume(); // a second resume changes nothing
    }
    ASSERT_TRUE(eventually([&] { return !rig.threads.isPlaying() && !rig.state.trigger; }));
    rig.mouse->clearReceived();
    rig.mouse->userClick(3);
    ASSERT_TRUE(eventually([&] { return rig.keyReportCount() == 9; }));
    EXPECT_EQ(rig.keyReports(), typed(4));
}

TEST(DeviceThreads, AReaderWaitingForAReportParksAndEndsWithoutAnyReportOrUnplug)
{
    ThreadRig rig;
    rig.threads.start();
    // Let the reader get into its read: no report will come.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(rig.threads.suspend()) << "its read is cancelled, the handle stays";
    EXPECT_NE(rig.connection.readHandle(), 0u);
    rig.threads.resume();

    // It reads again after the resume: a key press still arrives.
    rig.context.setFunction(0, 2, kMacro);
    rig.context.setMacro(kMacro, typing(1, 1));
    rig.mouse->userClick(3);
    EXPECT_TRUE(eventually([&] { return rig.keyReportCount() == 3; }));

    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(rig.threads.stop()) << "both end with the mouse still there";
    EXPECT_LT(std::chrono::steady_clock::now() - start, device::kStopTimeout);
}
