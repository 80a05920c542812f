#pragma once
// The main window on the headless platform: a copy of the shipped data root
// beside a pretend executable, a simulated mouse on its own bus, the
// headless tray and registry, and a recording double of the device work.
#include "app/device_work.h"
#include "app/main_dialog.h"
#include "app/paths.h"
#include "app/startup.h"
#include "device/hid_connection.h"
#include "platform/headless/process_headless.h"
#include "platform/headless/shell_headless.h"
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "platform/simmouse/sim_mouse.h"
#include "settings/config_store.h"
#include "tests/support/temp_folder.h"
#include "ui/tips.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

namespace maindlgtest {

namespace hl = platform::headless;

// Records what the window asks of the device link, in order.
class RecordingDeviceWork : public app::DeviceWork {
public:
    void clearPlaybackFlags() override { note("clearFlags"); }
    void startThreads() override { note("start"); }
    bool suspendThreads() override
    {
        note("suspend");
        return true;
    }
    void resumeThreads() override { note("resume"); }
    void stopThreads() override { note("stop"); }
    Outcome download(const device::DownloadSources& sources) override
    {
        lastSources = sources;
        note(std::this_thread::get_id() == mainThread ? "download(main)" : "download(worker)");
        return outcome;
    }
    bool downloadRunning() override { return false; }
    void sendSoftwareMacroOverrides(int config) override { note("overrides " + std::to_string(config)); }
    std::optional<std::vector<std::uint8_t>> readBlock(std::uint16_t address, std::size_t n) override
    {
        note("read " + std::to_string(address) + " " + std::to_string(n));
        return block;
    }
    void finish() override
    {
        note("finish");
        finishedBeforeClose = true;
    }

    std::vector<std::string> calls()
    {
        std::lock_guard lock(mutex);
        return calls_;
    }
    int count(const std::string& call)
    {
        std::lock_guard lock(mutex);
        return int(std::count(calls_.begin(), calls_.end(), call));
    }
    void clear()
    {
        std::lock_guard lock(mutex);
        calls_.clear();
    }

    std::optional<std::vector<std::uint8_t>> block;
    device::DownloadSources lastSources;
    Outcome outcome; // what every download reports
    std::thread::id mainThread = std::this_thread::get_id();
    bool finishedBeforeClose = false;

private:
    void note(std::string s)
    {
        std::lock_guard lock(mutex);
        calls_.push_back(std::move(s));
    }
    std::mutex mutex;
    std::vector<std::string> calls_;
};

inline std::filesystem::path hostPath(const Text& p) { return std::filesystem::path(text::toUtf8(p)); }

class DialogRig {
public:
    explicit DialogRig(platform::sim::SimMouseOptions mouseOptions = {}, bool plugged = true)
        : mouse(std::make_shared<platform::sim::SimMouse>(mouseOptions))
    {
        namespace fs = std::filesystem;
        fs::copy(hostPath(testsupport::sourceDir()) / "skins", hostPath(dir.path()) / "skins",
                 fs::copy_options::recursive);
        process.exePath = dir.path() + u"\\KVX_GMouse.exe";
        savedProcess = platform::os().process;
        savedHid = platform::os().hid;
        platform::os().process = &process;
        platform::os().hid = &bus;
        mouse->attach(&bus);
        if (plugged)
            bus.plug(mouse);
        device::connection().close();
        device::connection().connected = false;
        app::paths() = app::Paths{};
        app::startup() = app::StartupValues{};
        hl::tray().reset();
        hl::registry().reset();
        ws().modalRuns.clear();
        ws().messageBoxes.clear();
        ws().screen = {1920, 1080};
        ui::clearShownTips();
    }
    ~DialogRig()
    {
        ws().setModalDriver(nullptr);
        dlg.reset();
        device::connection().close();
        device::connection().connected = false;
        platform::os().process = savedProcess;
        platform::os().hid = savedHid;
    }

    // Makes the window (its initialisation runs) and lets posted messages and the initial download run.
    app::CKVX_GMouseDlg& open()
    {
        dlg = std::make_unique<app::CKVX_GMouseDlg>(work);
        dlg->create();
        settle();
        return *dlg;
    }
    void settle()
    {
        dlg->workers().joinOnce();
        ws().pump();
    }
    hl::HeadlessWindow& native() { return *ws().native(*dlg); }
    static hl::HeadlessWindows& ws() { return hl::windows(); }

    Text configFile() const { return dir.path() + u"\\skins\\config\\config.ini"; }
    Text readConfig(const Text& section, const Text& key)
    {
        return platform::os().profile->getString(configFile(), section, key, Text(), 260);
    }
    void writeConfig(const Text& section, const Text& key, const Text& value)
    {
        platform::os().profile->writeString(configFile(), section, key, value);
    }
    // Commands the mouse received (byte 1 of each report), from index `from` on.
    std::vector<int> commands(std::size_t from = 0)
    {
        std::vector<int> out;
        auto all = mouse->received();
        for (std::size_t i = from; i < all.size(); ++i)
            out.push_back(all[i].at(1));
        return out;
    }

    testsupport::TempFolder dir;
    hl::HeadlessProcess process;
    platform::sim::SimHidBus bus;
    std::shared_ptr<platform::sim::SimMouse> mouse;
    RecordingDeviceWork work;
    std::unique_ptr<app::CKVX_GMouseDlg> dlg;
    platform::Process* savedProcess;
    platform::Hid* savedHid;
};

} // namespace maindlgtest
