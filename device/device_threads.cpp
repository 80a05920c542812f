#include "device/device_threads.h"

#include "device/pacing.h"
#include "platform/thread_priority.h"

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

bool DeviceThreads::suspend()
{
    readerGate_.requestPark();
    playerGate_.requestPark();
    if (!started_)
        return true;
    bool reader = readerGate_.waitParked(kParkTimeout);
    bool player = playerGate_.waitParked(kParkTimeout);
    return reader && player;
}

void DeviceThreads::resume()
{
    readerGate_.resume();
    playerGate_.resume();
}

void DeviceThreads::stop()
{
    readerGate_.stop();
    playerGate_.stop();
    if (playerThread_.joinable())
        playerThread_.join();
    if (readerThread_.joinable())
        readerThread_.join();
}

void DeviceThreads::readerLoop()
{
    platform::raiseThreadPriority();
    reader_.loadFirstMacro();
    while (readerGate_.checkpoint()) {
        // A failed read (no mouse open) is tried again after the same pause.
        reader_.readOnce();
        if (!waitMs(clock_, &readerGate_, kDevicePassMs))
            break;
    }
    readerGate_.finished();
}

void DeviceThreads::playerLoop()
{
    platform::raiseThreadPriority();
    while (playerGate_.checkpoint()) {
        player_.runPass();
        if (!waitMs(clock_, &playerGate_, kDevicePassMs))
            break;
    }
    playerGate_.finished();
}

} // namespace device
