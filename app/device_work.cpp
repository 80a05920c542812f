#include "app/device_work.h"

#include "app/playback_link.h"
#include "device/commands.h"
#include "device/device_threads.h"
#include "device/key_overrides.h"
#include "device/memory_transfer.h"
#include "settings/config_store.h"
#include "device/report_channel.h"
#include "platform/platform.h"
#include "ui/tips.h"

#include <atomic>

namespace app {

namespace {

class ProcessDeviceWork : public DeviceWork, private device::DownloadHost {
public:
    void clearPlaybackFlags() override
    {
        threads().state().trigger = false;
        threads().state().abort = false;
    }
    void startThreads() override { threads().start(); }
    bool suspendThreads() override { return threads().suspend(); }
    void resumeThreads() override { threads().resume(); }
    void stopThreads() override { threads().stop(); }
    Outcome download(const device::DownloadSources& sources) override
    {
        device::ConfigDownload& d = device::configDownload();
        Outcome outcome;
        outcome.result = d.run(sources, *this);
        outcome.invalidMacroRecord = invalidRecord_.exchange(false);
        // The threads act on what the mouse holds now.
        playbackContext().setDownloaded(d.functions());
        return outcome;
    }
    bool downloadRunning() override { return device::configDownload().isRunning(); }
    void sendSoftwareMacroOverrides(int config) override
    {
        device::sendSoftwareMacroOverrides(device::reports(), settings::store(), config);
    }
    std::optional<std::vector<std::uint8_t>> readBlock(std::uint16_t address, std::size_t n) override
    {
        return device::readBlock(device::reports(), address, n);
    }
    void finish() override { device::finishTransfers(device::reports()); }

private:
    // device::DownloadHost
    void switchLeftButtonMacroOff() override { threads().switchLeftMacroOff(); }
    void invalidMacroRecord() override { invalidRecord_ = true; }

    // Downloads folded into a running one report through the running one.
    std::atomic<bool> invalidRecord_{false};

    static device::DeviceThreads& threads()
    {
        // Never destroyed: stopThreads ends the threads, and one stuck in the
        // OS is let go rather than waited for, so it must find this alive.
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

void showDownloadTips(const DeviceWork::Outcome& outcome)
{
    constexpr int kTipInvalidMacroRecord = 6;
    constexpr int kTipMacroAreaFull = 29;
    if (outcome.invalidMacroRecord)
        ui::showTip(kTipInvalidMacroRecord);
    if (outcome.result == device::DownloadResult::AreaFull)
        ui::showTip(kTipMacroAreaFull);
}

} // namespace app
