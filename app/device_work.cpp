#include "app/device_work.h"

#include "device/commands.h"
#include "device/report_channel.h"
#include "platform/platform.h"

namespace app {

namespace {

// The device work as far as the device link provides it today. The status
// reader, macro player and configuration download are not part of it yet:
// their entry points below are the named places they plug into.
class ProcessDeviceWork : public DeviceWork {
public:
    void clearPlaybackFlags() override {}
    void startThreads() override {}       // hook: status reader and macro player
    void suspendThreads() override {}
    void resumeThreads() override {}
    void download() override {}           // hook: configuration download
    bool downloadRunning() override { return false; }
    void sendSoftwareMacroOverrides(int) override {}
    std::optional<std::vector<std::uint8_t>> readBlock(std::uint16_t, std::size_t) override { return std::nullopt; }
    void finish() override
    {
        device::ReportChannel& ch = device::reports();
        auto guard = ch.lock();
        device::sendMemoryRequest(ch, device::memflag::Finish, 0, 0, 0, 0);
        platform::os().clock->sleepMs(5);
        device::sendMemoryRequest(ch, device::memflag::Idle, 0, 0, 0, 0);
    }
};

} // namespace

DeviceWork& deviceWork()
{
    static ProcessDeviceWork work;
    return work;
}

} // namespace app
