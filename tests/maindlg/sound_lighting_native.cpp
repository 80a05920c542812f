// The sound lighting dialog as the main window opens and closes it.
#include "platform/headless/audio_headless.h"
#include "tests/maindlg/dialog_rig.h"
#include "tests/support/eventually.h"

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
