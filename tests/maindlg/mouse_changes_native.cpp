// What the device threads hand to the main window: configuration and DPI
// changes made on the mouse and macros whose vertical adjust changed, with
// the real status reader and macro player on the simulated mouse.
#include "tests/maindlg/dialog_rig.h"

#include "app/playback_link.h"
#include "device/device_threads.h"
#include "device/memory_transfer.h"
#include "platform/simmouse/memory_image.h"
#include "device/report_channel.h"
#include "macro/macro_file.h"
#include "settings/config_files.h"
#include "tests/support/eventually.h"

#include <gtest/gtest.h>

using testsupport::eventually;
using namespace maindlgtest;

namespace {

// The device work with the real device threads over the process-wide
// connection, as the product has it; the rest recorded.
class ThreadedDeviceWork : public RecordingDeviceWork {
public:
    ThreadedDeviceWork() : threads(device::reports(), app::playbackContext(), *platform::os().clock) {}
    void startThreads() override { threads.start(); }
    bool suspendThreads() override { return threads.suspend(); }
    void stopThreads() override { threads.stop(); }
    void resumeThreads() override { threads.resume(); }
    device::DeviceThreads threads;
};


} // namespace

TEST(MouseChanges, ConfigurationSwitchedOnTheMouseIsWrittenAndReloaded)
{
    DialogRig rig;
    rig.writeConfig(u"ShareData", u"SOFT_HARD_MAC", u"1");
    rig.writeConfig(u"Config2", u"K1", u"5");
    ThreadedDeviceWork work;
    rig.dlg = std::make_unique<app::CKVX_GMouseDlg>(work);
    rig.dlg->create();
    rig.settle();
    auto& s = rig.dlg->store();
    s.buttons[2][1].functionCode = 0; // the file, not memory, must win

    rig.mouse->setCurrentConfig(2);
    rig.mouse->reportStatus(3);
    ASSERT_TRUE(eventually([&] {
        rig.ws().pump();
        return rig.readConfig(u"Init", u"CurConfig") == u"2";
    }));
    EXPECT_EQ(settings::currentConfiguration(s), 2);
    EXPECT_EQ(s.buttons[2][1].functionCode, 5);

    // Unplugged, the threads are parked; replugged, they serve the mouse again.
    const Text path = device::connection().devicePath();
    rig.bus.unplug(rig.mouse);
    rig.ws().deviceChange(*rig.dlg, {platform::DeviceChange::RemoveComplete, 5, path});
    rig.bus.plug(rig.mouse);
    rig.ws().deviceChange(*rig.dlg, {platform::DeviceChange::Arrival, 5, path});
    rig.ws().pump();
    rig.mouse->setCurrentConfig(1);
    rig.mouse->reportStatus(3);
    EXPECT_TRUE(eventually([&] {
        rig.ws().pump();
        return rig.readConfig(u"Init", u"CurConfig") == u"1";
    }));
    rig.dlg.reset();
    device::connection().close(); // lets the reader's blocking read return
}

TEST(MouseChanges, DpiLevelFromTheMouseBecomesCurrentAndIsSavedLevelsOutsideAreIgnored)
{
    DialogRig rig;
    auto& dlg = rig.open();
    dlg.send(ui::msg::DpiFromMouse, 3);
    EXPECT_EQ(settings::currentDpiLevel(dlg.store()), 3);
    EXPECT_EQ(rig.readConfig(u"ShareData", u"DPI_LEVEL"), u"3");
    EXPECT_EQ(dlg.mouseDpiLevel(), 3);
    dlg.send(ui::msg::DpiFromMouse, 6);
    dlg.send(ui::msg::ConfigFromMouse, 4);
    EXPECT_EQ(settings::currentDpiLevel(dlg.store()), 3);
    EXPECT_EQ(rig.readConfig(u"ShareData", u"DPI_LEVEL"), u"3");
}

TEST(MouseChanges, AdjustedLibraryMacroGoesBackToItsGroupFileOthersAreDropped)
{
    DialogRig rig;
    auto& dlg = rig.open();
    auto& lib = dlg.library();
    ASSERT_GT(lib.groupCount, 0);
    ASSERT_GT(lib.currentGroupMacroCount, 0);
    macro::MacroRecord changed = lib.table[0];
    changed.vAdjustValue = 42;
    app::playbackContext().saveAdjustedMacro(256, changed);        // group 0, macro 0
    app::playbackContext().saveAdjustedMacro(50, changed);         // a preset: no group file
    app::playbackContext().saveAdjustedMacro(12 * 256 + 3, changed); // no such group
    rig.ws().pump();

    const Text file = *macro::groupFilePath(app::paths().macroFolder, lib.groupNames[0]);
    macro::MacroRecord reread = macro::readMacroLine(file, 0, macro::readFileVersion(file), 1);
    EXPECT_EQ(reread.vAdjustValue, 42);
    EXPECT_EQ(lib.table[0].vAdjustValue, 42);
    EXPECT_TRUE(app::playbackContext().takeAdjustedMacros().empty());
}

TEST(PlaybackContext, ButtonsAndMacrosOutsideTheTablesReadAsNothing)
{
    settings::ConfigStore s;
    app::ProgramPlaybackContext context;
    s.buttons[1][2].functionCode = 7;
    s.buttons[1][2].leftMacro = 1;
    context.publish(s);
    EXPECT_EQ(context.button(1, 2).function, 7);
    EXPECT_TRUE(context.button(1, 2).leftMacro);
    EXPECT_EQ(context.button(4, 0).function, 0);
    EXPECT_EQ(context.button(0, 12).function, 0);
    EXPECT_EQ(context.button(-1, -1).function, 0);
    EXPECT_FALSE(context.macroFor(0, 40, 256));
    EXPECT_FALSE(context.macroFor(0, 0, 256)) << "no macro folder known yet";

    std::fill(std::begin(s.cycleFlags), std::end(s.cycleFlags), 0);
    s.cycleFlags[0] = s.cycleFlags[6] = 1;
    EXPECT_NE(context.lighting().cycleColours, 0x41) << "changes reach the threads when published";
    context.publish(s);
    EXPECT_EQ(context.lighting().cycleColours, 0x41);
    // Nothing to post to: changes are dropped, not crashed on.
    context.dpiLevelChangedByMouse(2);
    context.configurationChangedByMouse(1);
}

namespace {

// The real download, finish and block reads over the process-wide channel.
class ImageDeviceWork : public RecordingDeviceWork, private device::DownloadHost {
public:
    Outcome download(const device::DownloadSources& sources) override
    {
        RecordingDeviceWork::download(sources);
        return {device::configDownload().run(sources, *this), false};
    }
    void finish() override
    {
        RecordingDeviceWork::finish();
        device::finishTransfers(device::reports());
    }
    std::optional<std::vector<std::uint8_t>> readBlock(std::uint16_t address, std::size_t n) override
    {
        return device::readBlock(device::reports(), address, n);
    }
};

} // namespace

TEST(MouseImage, InitialDownloadWritesTheConfigurationSetAndClosingEndsTheSeries)
{
    platform::sim::SimMouseOptions second;
    second.productId = platform::sim::kProductIdModel0; // the whole header is written
    DialogRig rig(second);
    rig.writeConfig(u"Config2", u"K1", u"7"); // the factory reset must replace it
    ImageDeviceWork work;
    rig.dlg = std::make_unique<app::CKVX_GMouseDlg>(work);
    rig.dlg->create();
    rig.settle();

    const auto image = platform::sim::decodeSettings(rig.mouse->memory());
    EXPECT_TRUE(image.headerValid);
    EXPECT_TRUE(image.fixedBytesValid);
    EXPECT_EQ(image.headerConfiguration, 0) << "the second model starts in configuration 0";
    EXPECT_EQ(image.effectMask, 0x3FFF);
    EXPECT_EQ(image.buttons[0][0].deviceFunction, 1) << "left click in slot 1";
    EXPECT_EQ(image.buttons[2][1].deviceFunction, 2) << "factory function, not the 7 in config.ini";

    // The DPI sync reads back the level the image holds.
    rig.dlg->store().dpiColour[image.dpiLevel] = {4, 5, 6};
    const std::size_t before = rig.mouse->received().size();
    rig.dlg->send(ui::msg::DpiLevelSync);
    auto sent = rig.mouse->received();
    bool colourSent = false;
    for (std::size_t i = before; i < sent.size(); ++i)
        if (sent[i][1] == 0x14 && sent[i][2] == ((image.dpiLevel << 5) + 5) && sent[i][3] == ((4 << 4) + 6))
            colourSent = true;
    EXPECT_TRUE(colourSent);

    rig.dlg->Close();
    sent = rig.mouse->received();
    ASSERT_GE(sent.size(), 3u);
    const auto n = sent.size();
    EXPECT_EQ(sent[n - 3][1], 0x18);
    EXPECT_EQ(sent[n - 3][2], 0x10) << "finish";
    EXPECT_EQ(sent[n - 2][2], 0x00) << "idle";
    EXPECT_EQ(sent[n - 1][1], 0x20);
    rig.dlg.reset(); // before the device work it uses
}

namespace {

// The device threads and the real download together, as the product has them.
class ThreadedImageWork : public ImageDeviceWork {
public:
    ThreadedImageWork() : threads(device::reports(), app::playbackContext(), *platform::os().clock) {}
    void startThreads() override { threads.start(); }
    bool suspendThreads() override { return threads.suspend(); }
    void resumeThreads() override { threads.resume(); }
    void stopThreads() override { threads.stop(); }
    device::DeviceThreads threads;
};

} // namespace

// Run under ThreadSanitizer: a download on a worker and one on the window's
// thread, while the device threads follow configuration switches and key
// presses from the mouse and the window reloads configurations they read.
TEST(MouseChanges, DownloadsTheWindowAndTheDeviceThreadsShareNothingUnguarded)
{
    DialogRig rig;
    rig.writeConfig(u"ShareData", u"SOFT_HARD_MAC", u"1");
    rig.writeConfig(u"Config1", u"K2", u"33"); // a key combination: its macro is copied on each press
    ThreadedImageWork work;
    rig.dlg = std::make_unique<app::CKVX_GMouseDlg>(work);
    rig.dlg->create(); // the initial download starts on a worker now
    for (int round = 0; round < 6; ++round) {
        rig.mouse->setCurrentConfig(round % 2);
        rig.mouse->reportStatus(3);
        rig.mouse->userClick(3);
        rig.ws().pump(); // the window reloads the configuration the threads read
        if (round == 3)
            rig.dlg->download(); // the apply step's, on the window's thread
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    rig.settle();
    // Which configuration wins depends on whether the apply step's download
    // ends before the last switch is read (the download sends the one the
    // window had): whichever it is, the file follows the window.
    EXPECT_TRUE(eventually([&] { return !device::configDownload().isRunning(); }));
    EXPECT_TRUE(eventually([&] {
        rig.ws().pump();
        const int current = settings::currentConfiguration(rig.dlg->store());
        return rig.readConfig(u"Init", u"CurConfig") == text::fromUtf8(std::to_string(current));
    }));
    rig.dlg.reset();
    EXPECT_FALSE(work.threads.isPlaying());
}
