// Missing and refused files: the settings and macro code only report them,
// the window tells the user, on its own thread and at the moment it did before.
#include "tests/maindlg/dialog_rig.h"

#include "settings/config_files.h"
#include "ui/messages.h"
#include "ui/pages/macro_page.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace maindlgtest;

namespace {

struct FileTipsRig : DialogRig {
    FileTipsRig()
    {
        ws().setModalDriver([this](platform::Window&) {
            shownOn.push_back(std::this_thread::get_id());
            // What the window had set up when the tip came.
            libraryReadWhenShown.push_back(dlg && dlg->library().groupCount > 0);
        });
    }
    std::filesystem::path skins() { return hostPath(dir.path()) / "skins"; }

    std::vector<std::thread::id> shownOn;
    std::vector<bool> libraryReadWhenShown;
};

} // namespace

TEST(FileTips, StartingWithoutConfigIniShowsTipFiveForEachConfigurationBeforeTheLibraryIsRead)
{
    FileTipsRig rig;
    std::filesystem::remove(rig.skins() / "config" / "config.ini");
    rig.open();
    EXPECT_EQ(ui::shownTips(), (std::vector<int>{5, 5, 5, 5}));
    EXPECT_EQ(rig.shownOn, std::vector<std::thread::id>(4, std::this_thread::get_id()));
    EXPECT_EQ(rig.libraryReadWhenShown, std::vector<bool>(4, false)) << "the four loads come first at start-up";
}

TEST(FileTips, StartingWithoutTheGroupListOrTheBuiltInMacrosShowsTipFiveForEach)
{
    FileTipsRig rig;
    std::filesystem::remove(rig.skins() / "1_INI_EN" / "macro" / "macroGrp.ini");
    std::filesystem::remove(rig.skins() / "config" / "constMacro.dat");
    rig.open();
    EXPECT_EQ(ui::shownTips(), (std::vector<int>{5, 5}));
    EXPECT_EQ(rig.shownOn.size(), 2u);
}

TEST(FileTips, AConfigurationSwitchOnTheMouseWithoutItsFileShowsTipFive)
{
    FileTipsRig rig;
    auto& dlg = rig.open();
    // The whole folder: writing CurConfig would otherwise make a new config.ini.
    std::filesystem::remove_all(rig.skins() / "config");
    dlg.post(ui::msg::ConfigFromMouse, 2);
    rig.ws().pump();
    EXPECT_EQ(ui::shownTips(), std::vector<int>{5});
    EXPECT_EQ(settings::currentConfiguration(dlg.store()), 2);
}

TEST(FileTips, ALibraryResetThatDropsAFactoryGroupIsToldByTheMacroPage)
{
    FileTipsRig rig;
    auto& dlg = rig.open();
    const std::filesystem::path factory = rig.skins() / "1_INI_EN" / "macroReset";
    std::filesystem::path lost;
    for (const auto& entry : std::filesystem::directory_iterator(factory))
        if (entry.path().extension() == ".dat")
            lost = entry.path();
    ASSERT_FALSE(lost.empty());
    std::filesystem::remove(lost);

    dlg.switchPage(ui::kMacroPage);
    static_cast<ui::MacroPage&>(dlg.page(ui::kMacroPage)).menuChoice(11, 4); // reset the library
    EXPECT_EQ(ui::shownTips(), std::vector<int>{5});
    EXPECT_EQ(rig.shownOn.size(), 1u);
}
