#include "app/device_work.h"

#include "app/playback_link.h"
#include "device/commands.h"
#include "device/device_threads.h"
#include "device/status_reader.h"
#include "device/report_channel.h"
#include "platform/platform.h"

namespace app {

namespace {

class ProcessDeviceWork : public DeviceWork {
public:
    void clearPlaybackFlags() override
    {
        threads().state().trigger = false;
        threads().state().abort = false;
    }
    void startThreads() override { threads().start(); }
    void suspendThreads() override { threads().suspend(); }
    void resumeThreads() override { threads().resume(); }
    void download() override {}           // hook: configuration download
    bool downloadRunning() override { return false; }
    void sendSoftwareMacroOverrides(int config) override
    {
        device::sendSoftwareMacroOverrides(device::reports(), playbackContext(), config);
    }
    std::optional<std::vector<std::uint8_t>> readBlock(std::uint16_t, std::size_t) override { return std::nullopt; }
    void finish() override
    {
        device::ReportChannel& ch = device::reports();
        auto guard = ch.lock();
        device::sendMemoryRequest(ch, device::memflag::Finish, 0, 0, 0, 0);
        platform::os().clock->sleepMs(5);
        device::sendMemoryRequest(ch, device::memflag::Idle, 0, 0, 0, 0);
    }

private:
    static device::DeviceThreads& threads()
    {
        // Never destroyed: the threads serve the mouse until the process ends,
        // and a reader blocked in its read could not be joined at exit anyway.
        static auto* threads = new device::DeviceThreads(device::reports(), playbackContext(), *platform::os().clock);
        return *threads;
    }
};

} // namespace

DeviceWork& deviceWork()
{
    static ProcessDeviceWork work;
    return work;
}

} // namespace app
