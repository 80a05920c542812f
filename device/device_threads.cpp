#include "device/device_threads.h"

#include "device/pacing.h"
#include "platform/thread_priority.h"

#include <algorithm>

namespace device {

DeviceThreads::DeviceThreads(ReportChannel& channel, PlaybackContext& context, platform::Clock& clock)
    : clock_(clock), reader_(channel, context, state_, current_),
      player_(channel, context, state_, current_, clock, &playerGate_)
{
}

DeviceThreads::~DeviceThreads()
{
    stop();
}

void DeviceThreads::start()
{
    if (started_)
        return;
    started_ = true;
    readerThread_ = std::thread([this] { readerLoop(); });
    playerThread_ = std::thread([this] { playerLoop(); });
}

template <class Done>
bool DeviceThreads::cancelReadsUntil(Done done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        reader_.cancelRead();
        if (done(kCancelRepeat))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
    }
}

bool DeviceThreads::suspend()
{
    readerGate_.requestPark();
    playerGate_.requestPark();
    state_.wake();
    if (!started_)
        return true;
    const auto deadline = std::chrono::steady_clock::now() + kParkTimeout;
    bool reader = cancelReadsUntil([&](auto wait) { return readerGate_.waitParked(wait); }, kParkTimeout);
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    bool player = playerGate_.waitParked(std::max(left, std::chrono::milliseconds(0)));
    return reader && player;
}

void DeviceThreads::resume()
{
    readerGate_.resume();
    playerGate_.resume();
}

bool DeviceThreads::stop()
{
    readerGate_.stop();
    playerGate_.stop();
    state_.wake();
    if (!readerThread_.joinable() && !playerThread_.joinable())
        return true;
    bool reader = cancelReadsUntil([&](auto wait) { return readerGate_.waitFinished(wait); }, kStopTimeout);
    bool player = playerGate_.waitFinished(kStopTimeout);
    for (auto [thread, ended] : {std::pair{&readerThread_, reader}, std::pair{&playerThread_, player}}) {
        if (!thread->joinable())
            continue;
        if (ended)
            thread->join();
        else
            thread->detach(); // stuck in the OS; the program must not wait for it at exit
    }
    return reader && player;
}

void DeviceThreads::readerLoop()
{
    platform::raiseThreadPriority();
    reader_.loadFirstMacro();
    while (readerGate_.checkpoint()) {
        // A failed read is tried again after the same pause; with no mouse
        // open at all, after a longer one.
        const bool read = reader_.readOnce();
        const bool mouseOpen = read || reader_.hasReadHandle();
        if (!pauseMs(clock_, &readerGate_, mouseOpen ? kDevicePassMs : kNoMouseRetryMs))
            break;
    }
    readerGate_.finished();
}

void DeviceThreads::playerLoop()
{
    platform::raiseThreadPriority();
    while (playerGate_.checkpoint()) {
        player_.runPass();
        if (!pauseMs(clock_, &playerGate_, kDevicePassMs))
            break;
        if (!playerGate_.parkRequested() && !playerGate_.stopRequested())
            state_.waitForWork(kIdlePlayerWake);
    }
    playerGate_.finished();
}

} // namespace device
