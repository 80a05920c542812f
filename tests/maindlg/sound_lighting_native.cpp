// The sound lighting dialog as the main window opens and closes it.
#include "platform/headless/audio_headless.h"
#include "tests/maindlg/dialog_rig.h"
#include "tests/support/eventually.h"
#include "device/config_download.h"
#include "device/memory_transfer.h"
#include "platform/headless/controls_headless.h"
#include "platform/simmouse/memory_image.h"
#include "settings/config_store.h"
#include "ui/dialog_gun.h"

#include <gtest/gtest.h>

using namespace maindlgtest;

TEST(MainDialogSound, RefusedWhileTheLedPageFollowsTheSound)
{
    DialogRig rig;
    auto& dlg = rig.open();
    ui::clearShownTips();
    dlg.store().soundLighting = 1;
    dlg.openSoundLighting();
    EXPECT_EQ(ui::shownTips(), std::vector<int>{31});
    EXPECT_EQ(dlg.soundWave(), nullptr);
}

TEST(MainDialogSound, OpensWithTheMousesDpiLevelAndFallsSilentBeforeTheCloseCommand)
{
    hl::audio().reset();
    DialogRig rig;
    auto& dlg = rig.open();
    rig.work.block = std::vector<std::uint8_t>{0x18 + 3, 0, 0, 0, 0, 0, 0, 0};
    rig.work.clear();
    dlg.openSoundLighting();
    EXPECT_EQ(rig.work.calls(), (std::vector<std::string>{"read 24 8"}));
    lighting::SoundWave* wave = dlg.soundWave();
    ASSERT_NE(wave, nullptr);
    EXPECT_TRUE(wave->isVisible());
    EXPECT_EQ(wave->player()->dpiLevel.load(), 3);

    // Flash pattern with the display on: the worker streams commands.
    wave->player()->pattern = lighting::kPatternFlash;
    wave->player()->displayOn = true;
    const std::size_t before = rig.mouse->received().size();
    ASSERT_TRUE(testsupport::eventually([&] { return rig.mouse->received().size() > before + 2; }));

    dlg.Close();
    const auto sent = rig.mouse->received();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back()[1], 0x20) << "nothing follows the close command";
}

namespace {

// The real download over the process-wide channel.
class DownloadingWork : public RecordingDeviceWork, private device::DownloadHost {
public:
    Outcome download(const device::DownloadSources& sources) override
    {
        RecordingDeviceWork::download(sources);
        return {device::configDownload().run(sources, *this), false};
    }
    void finish() override { device::finishTransfers(device::reports()); }
};

} // namespace

TEST(MainDialogPresets, APresetChangedInTheDialogReachesTheMouseOnAButton)
{
    DialogRig rig;
    DownloadingWork work;
    rig.dlg = std::make_unique<app::CKVX_GMouseDlg>(work);
    rig.dlg->create();
    rig.settle();
    app::CKVX_GMouseDlg& dlg = *rig.dlg;
    ASSERT_GT(dlg.presets().count, 0);

    rig.ws().setModalDriver([&](platform::Window& w) {
        auto& gun = static_cast<ui::CDialogGun&>(w);
        hl::headlessControls().edit(ui::CDialogGun::kStrengthBox)->value = u"9";
        const ui::SkinRegion& ok = gun.regions()[2];
        rig.ws().click(w, {ok.x + ok.width / 2, ok.y + ok.height / 2});
    });
    EXPECT_EQ(dlg.openPresetDialog(), 1);
    rig.ws().setModalDriver(nullptr);

    settings::ConfigStore& s = dlg.store();
    const int config = settings::currentConfiguration(s);
    const int button = 3;
    s.buttons[config][button].functionCode = 50; // preset 0
    dlg.download();

    const int slot = s.catalogue.deviceSlot[button];
    ASSERT_GT(slot, 0);
    const auto entry = platform::sim::decodeDirectoryEntry(rig.mouse->memory(), config, slot);
    EXPECT_EQ(entry.vAdjustValue, 9);
    const auto stream = platform::sim::decodeMacro(rig.mouse->memory(), entry);
    ASSERT_TRUE(stream);
    int moves = 0;
    for (const auto& item : stream->items)
        if (item.dx != 0 || item.dy != 0) {
            ++moves;
            EXPECT_EQ(std::abs(item.dy), 9);
        }
    EXPECT_GT(moves, 0);
    rig.dlg.reset(); // before the device work it uses
}
