#include <gtest/gtest.h>

#include "device/pacing.h"
#include "device/thread_park.h"
#include "tests/playback/playback_fixture.h"

#include <thread>

using namespace playbacktest;

namespace {

// Sleeps that come back 0.4 ms early, as Sleep below the timer resolution
// may; reading the clock takes a little time, so a spin gets somewhere.
class EarlyClock : public platform::Clock {
public:
    void sleepMs(unsigned ms) override
    {
        ++sleeps;
        if (ms)
            nowUs += std::int64_t(ms) * 1000 - 400;
    }
    std::uint32_t tickMs() override { return static_cast<std::uint32_t>(nowUs / 1000); }
    std::int64_t monotonicUs() override { return nowUs += 50; }
    platform::SystemTime systemTime() override { return {}; }

    std::int64_t nowUs = 0;
    int sleeps = 0;
};

} // namespace

// --- paced waits ---

TEST(Pacing, WaitsAreSleptInShortSlicesAndEndExactlyOnTime)
{
    VirtualClock clock;
    std::vector<std::int64_t> steps;
    std::int64_t start = clock.monotonicUs();
    clock.setHook([&](std::int64_t now) { steps.push_back((now - start) / 1000); });
    EXPECT_TRUE(device::waitMs(clock, nullptr, 17));
    EXPECT_EQ(steps, (std::vector<std::int64_t>{5, 10, 15, 16, 17}));
    steps.clear();
    start = clock.monotonicUs();
    EXPECT_TRUE(device::waitMs(clock, nullptr, 0));
    EXPECT_TRUE(steps.empty());
}

TEST(Pacing, ThePauseBetweenPassesOnlySleepsAndNeverReadsTheClockToSpin)
{
    // The early clock counts every read: a spin would read it again and again.
    EarlyClock clock;
    const std::int64_t readsBefore = clock.nowUs;
    EXPECT_TRUE(device::pauseMs(clock, nullptr, 2));
    EXPECT_EQ(clock.sleeps, 1) << "one sleep of the whole pause";
    EXPECT_EQ(clock.nowUs - readsBefore, 2000 - 400) << "no clock reads, no top-up";

    clock.sleeps = 0;
    EXPECT_TRUE(device::pauseMs(clock, nullptr, 12));
    EXPECT_EQ(clock.sleeps, 3) << "in slices short enough to notice a park";

    device::ParkGate gate;
    gate.stop();
    clock.sleeps = 0;
    EXPECT_FALSE(device::pauseMs(clock, &gate, 2));
    EXPECT_EQ(clock.sleeps, 0);
}

TEST(Pacing, ASleepThatComesBackEarlyIsToppedUp)
{
    EarlyClock clock;
    for (unsigned ms : {1u, 2u, 3u, 10u, 59u}) {
        std::int64_t start = clock.monotonicUs();
        EXPECT_TRUE(device::waitMs(clock, nullptr, ms));
        std::int64_t waited = clock.nowUs - start;
        EXPECT_GE(waited, std::int64_t(ms) * 1000) << ms;
        EXPECT_LT(waited, std::int64_t(ms) * 1000 + 1000) << ms;
    }
}

TEST(Pacing, AParkInTheMiddleOfAWaitLeavesTheRestOfItForAfterTheResume)
{
    VirtualClock clock;
    device::ParkGate gate;
    const std::int64_t start = clock.monotonicUs();
    // The removal comes 20 ms into the wait.
    clock.setHook([&](std::int64_t now) {
        if (now - start >= 20'000 && !gate.parkRequested())
            gate.requestPark();
    });
    std::int64_t end = 0;
    bool finished = false;
    std::thread waiter([&] {
        finished = device::waitMs(clock, &gate, 50);
        end = clock.monotonicUs();
    });
    while (!gate.parkRequested())
        std::this_thread::yield();
    bool parked = gate.waitParked(std::chrono::seconds(30));
    const std::int64_t parkedAt = clock.monotonicUs();
    clock.setHook(nullptr);
    clock.nowUs_ += 1'000'000; // a second goes by while the mouse is away
    gate.resume();
    waiter.join();
    ASSERT_TRUE(parked);
    EXPECT_EQ(parkedAt - start, 20'000);
    EXPECT_TRUE(finished);
    EXPECT_EQ(end - start, 50'000 + 1'000'000);
}

// --- the park gate ---

TEST(ParkGate, AParkedThreadGoesOnWhenResumedAndEndsWhenStopped)
{
    device::ParkGate gate;
    std::atomic<int> passes{0};
    std::thread worker([&] {
        while (gate.checkpoint())
            ++passes;
        gate.finished();
    });
    gate.requestPark();
    ASSERT_TRUE(gate.waitParked(std::chrono::seconds(30)));
    int parkedAt = passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(passes, parkedAt);
    gate.resume();
    while (passes < parkedAt + 10)
        std::this_thread::yield();

    gate.requestPark();
    ASSERT_TRUE(gate.waitParked(std::chrono::seconds(30)));
    gate.stop(); // lets it out of the park to end
    worker.join();
    EXPECT_TRUE(gate.waitParked(std::chrono::milliseconds(0))) << "an ended thread counts as parked";
}

TEST(ParkGate, ARequestThatIsWithdrawnOrNeverReachedParksNothing)
{
    device::ParkGate gate;
    gate.requestPark();
    EXPECT_FALSE(gate.waitParked(std::chrono::milliseconds(10))) << "no thread got to a safe point";
    gate.resume();
    EXPECT_TRUE(gate.checkpoint()) << "returns at once";
    EXPECT_FALSE(gate.isParked());
}

TEST(ParkGate, AStoppedGateEndsWaitsAndCheckpoints)
{
    VirtualClock clock;
    device::ParkGate gate;
    gate.stop();
    EXPECT_FALSE(gate.checkpoint());
    EXPECT_FALSE(device::waitMs(clock, &gate, 100));
}
