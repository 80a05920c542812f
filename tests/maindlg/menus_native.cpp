// The main window's popup menus: opened from its regions, placed beside
// them, and what a choice changes in the store, the files and the window.
#include "tests/maindlg/dialog_rig.h"

#include "ui/menus/skinned_menu.h"

#include <gtest/gtest.h>

using namespace maindlgtest;
using ui::menus::SkinnedMenu;

namespace {

platform::Point centre(const ui::SkinRegion& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

struct MenuRig : DialogRig {
    app::CKVX_GMouseDlg& shown()
    {
        auto& d = open();
        d.show(platform::Show::Normal);
        ws().pump();
        return d;
    }
    void pressMain(int region)
    {
        const platform::Point p = centre(dlg->look().skins.main[size_t(region)]);
        ws().mouseMove(*dlg, p);
        ws().click(*dlg, p);
        ws().pump();
    }
    SkinnedMenu* menu() { return dlg->popups().isOpen() ? dlg->popups().menu() : nullptr; }
    static platform::Point row(const SkinnedMenu& m, int r)
    {
        return {10, (r - 1) * m.geometry().rowHeight + m.geometry().rowHeight / 2};
    }
    void choose(SkinnedMenu& m, int r)
    {
        ws().mouseMove(m, row(m, r));
        ws().click(m, row(m, r));
        ws().pump();
    }
};

} // namespace

TEST(MainWindowMenus, MultimediaKeyOnButton3BelowItsRegion)
{
    MenuRig rig;
    auto& dlg = rig.shown();
    rig.pressMain(23);
    SkinnedMenu* menu = rig.menu();
    ASSERT_TRUE(menu);
    EXPECT_TRUE(dlg.interaction().popupOpen);
    const ui::SkinRegion& label = dlg.look().skins.main[23];
    const platform::Point origin = dlg.clientToScreen({0, 0});
    EXPECT_EQ(menu->windowRect().top, origin.y + label.y + label.height);
    EXPECT_EQ(menu->windowRect().left, origin.x + label.x + 1);

    rig.ws().mouseMove(*menu, MenuRig::row(*menu, 8));
    ASSERT_TRUE(menu->child());
    rig.choose(*menu->child(), 3);
    EXPECT_EQ(dlg.store().buttons[0][3].functionCode, 25);
    EXPECT_FALSE(dlg.popups().isOpen());
    EXPECT_EQ(dlg.store().buttons[0][0].functionCode, 1) << "the primary click stays";
}

TEST(MainWindowMenus, ConfigurationMenuWritesCurConfigAndAPressInTheWindowClosesMenus)
{
    MenuRig rig;
    auto& dlg = rig.shown();
    rig.pressMain(10);
    SkinnedMenu* menu = rig.menu();
    ASSERT_TRUE(menu);
    EXPECT_TRUE(dlg.interaction().configurationMenuOpen);
    rig.choose(*menu, 4);
    EXPECT_EQ(settings::currentConfiguration(dlg.store()), 3);
    EXPECT_EQ(rig.readConfig(u"Init", u"CurConfig"), u"3");
    EXPECT_FALSE(dlg.interaction().configurationMenuOpen);

    rig.pressMain(23);
    ASSERT_TRUE(rig.menu());
    rig.ws().mouseMove(dlg, {2, 300});
    rig.ws().click(dlg, {2, 300});
    EXPECT_FALSE(dlg.popups().isOpen());
}

TEST(MainWindowMenus, LanguageMenuToItalianAndBack)
{
    MenuRig rig;
    auto& dlg = rig.shown();
    const Text english = dlg.look().skins.main[6].text;
    // The Italian folder's presets differ from the English ones: three weapons, the first renamed.
    const Text italianPresets = rig.dir.path() + u"\\skins\\6_INI_IT\\PUBG.dat";
    const int englishPresets = dlg.presets().count;
    ASSERT_GT(englishPresets, 3);
    platform::os().profile->writeString(italianPresets, u"Macros", u"macroNum", u"3");
    rig.pressMain(4);
    ASSERT_TRUE(rig.menu());
    EXPECT_EQ(rig.menu()->spec().rows.size(), 2u);
    rig.choose(*rig.menu(), 2);
    EXPECT_EQ(dlg.look().language, 6);
    EXPECT_EQ(rig.readConfig(u"Init", u"VER_SEL"), u"6");
    EXPECT_NE(dlg.look().skins.main[6].text, english);
    EXPECT_NE(app::paths().macroFolder.find(u"6_INI_IT"), Text::npos);
    EXPECT_EQ(dlg.presets().count, 3) << "the presets of the Italian folder";
    EXPECT_TRUE(dlg.presets().names[3].empty());

    rig.pressMain(4);
    ASSERT_TRUE(rig.menu());
    rig.choose(*rig.menu(), 1);
    EXPECT_EQ(dlg.look().language, 1);
    EXPECT_EQ(dlg.look().skins.main[6].text, english);
    EXPECT_EQ(dlg.presets().count, englishPresets);
    EXPECT_FALSE(dlg.presets().names[3].empty());
    EXPECT_TRUE(rig.ws().messageBoxes.empty());
}

TEST(MainWindowMenus, LanguageWithoutPresetFileEmptiesThePresetsAndSaysSo)
{
    MenuRig rig;
    auto& dlg = rig.shown();
    ASSERT_GT(dlg.presets().count, 0);
    std::filesystem::remove(hostPath(rig.dir.path()) / "skins" / "6_INI_IT" / "PUBG.dat");
    rig.pressMain(4);
    ASSERT_TRUE(rig.menu());
    rig.choose(*rig.menu(), 2);
    EXPECT_EQ(dlg.look().language, 6);
    EXPECT_EQ(dlg.presets().count, 0) << "no English preset may be saved into the Italian folder";
    ASSERT_EQ(rig.ws().messageBoxes.size(), 1u);
}
