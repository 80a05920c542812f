// The menu windows with the product's pictures, driven through the headless window system.
#include "ui/menus/skinned_menu.h"

#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "settings/config_store.h"
#include "tests/macro/macro_test_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

using namespace ui::menus;
using platform::Point;
using platform::Rect;
namespace hl = platform::headless;

namespace {

class Owner : public platform::Window {
public:
    Owner() : Window(102) {}
    std::intptr_t onMessage(unsigned id, std::uintptr_t w, std::intptr_t l) override
    {
        received.push_back({id, w, l});
        if (onReceive)
            onReceive();
        return 0;
    }
    std::vector<OwnerMessage> received;
    std::function<void()> onReceive;
};

class MenuWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = testsupport::sourceDir() + u"\\skins";
        if (!platform::os().files->isDirectory(root))
            GTEST_SKIP() << "no skins folder in this source tree";
        look.place = {root, Text(), 1};
        ASSERT_TRUE(look.applyLanguage(1, config.file("config.ini")));
        look.fonts.create(look.place, 1, 87);
        owner.create();
        s.catalogue.keyNum = 6;
        s.buttons[0][0].functionCode = 1;
        writeLibrary();
    }
    void writeLibrary()
    {
        macros.writeText(u"macroGrp.ini", "[MACRO_GROUP_NUM]\r\nmacGrpNum=2\r\n[MACRO_GROUP_NAME]\r\n0=One\r\n1=Two\r\n");
        auto line = [](const std::string& name) {
            auto t = macrotest::zeroTokensV3();
            macrotest::setName(t, name);
            return macrotest::tokenLine(t);
        };
        macros.writeText(u"One.dat", macrotest::groupFileText(3, 1, {line("a")}));
        macros.writeText(u"Two.dat", macrotest::groupFileText(3, 4, {line("b"), line("c"), line("d"), line("e")}));
        macro::readGroupList(*library, macros.path());
    }
    MenuContext context()
    {
        MenuContext c;
        c.look = &look;
        c.sources.texts = &look.texts;
        c.sources.functions = &look.skins.functions;
        c.library = library.get();
        c.owner = &owner;
        c.target.store = &s;
        c.target.editedButton = 3;
        c.target.macroFolder = macros.path();
        c.target.language = 1;
        return c;
    }
    // The middle of row r of a menu (scale 1).
    static Point row(const SkinnedMenu& m, int r)
    {
        return {m.geometry().width / 2, (r - 1) * m.geometry().rowHeight + m.geometry().rowHeight / 2};
    }
    static std::vector<Text> drawnTexts(SkinnedMenu& m)
    {
        hl::windows().paint(m);
        std::vector<Text> out;
        for (const auto& t : hl::windows().surface(m)->texts())
            out.push_back(t.text);
        return out;
    }

    Text root;
    testsupport::TempFolder config;
    testsupport::TempFolder macros;
    ui::Appearance look;
    Owner owner;
    settings::ConfigStore s;
    std::unique_ptr<macro::Library> library = std::make_unique<macro::Library>();
    PopupMenus menus;
};

} // namespace

TEST_F(MenuWindows, LibraryMacroThroughTheGroupList)
{
    SkinnedMenu* menu = menus.open(kind::Button, context(), Rect::fromXywh(200, 100, 177, 338));
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->text(), u"MainMenuDlg");
    EXPECT_EQ(hl::windows().native(*menu)->region, (Rect{0, 0, 176, 13 * 26}));
    EXPECT_EQ(drawnTexts(*menu).size(), 13u);
    hl::windows().mouseMove(*menu, row(*menu, 9));
    SkinnedMenu* groups = menu->child();
    ASSERT_TRUE(groups);
    EXPECT_EQ(groups->text(), u"SubMenuDlg");
    EXPECT_EQ(groups->windowRect().top, 100 + (9 - 2) * 26);
    EXPECT_EQ(drawnTexts(*groups), (std::vector<Text>{u"One", u"Two"}));

    hl::windows().mouseMove(*groups, row(*groups, 2));
    SkinnedMenu* choice = groups->child();
    ASSERT_TRUE(choice);
    const int h = groups->geometry().rowHeight;
    // The four macros end level with the bottom of the group's row.
    EXPECT_EQ(choice->windowRect().top + 4 * h, groups->windowRect().top + 2 * h);
    EXPECT_EQ(drawnTexts(*choice), (std::vector<Text>{u"b", u"c", u"d", u"e"}));

    // Off the group list toward the macros, the group stays hovered and the menus stay open.
    EXPECT_FALSE(hl::windows().mouseMove(*groups, {400, 5}));
    hl::windows().mouseLeave(*groups);
    hl::windows().mouseLeave(*menu);
    EXPECT_EQ(groups->hoveredRow(), 2);
    EXPECT_EQ(groups->child(), choice);
    EXPECT_EQ(menu->child(), groups);
    hl::windows().mouseMove(*choice, row(*choice, 3));
    hl::windows().click(*choice, row(*choice, 3));
    EXPECT_EQ(s.buttons[0][3].functionCode, 2 * 256 + 2);
    EXPECT_EQ(owner.received, (std::vector<OwnerMessage>{{ui::msg::MenuChosen, 2, 0}}));
    EXPECT_FALSE(menus.isOpen());
}

TEST_F(MenuWindows, ConfigurationChoiceWhoseOwnerClosesTheMenu)
{
    owner.onReceive = [&] { menus.close(); };
    SkinnedMenu* menu = menus.open(kind::Configuration, context(), Rect::fromXywh(50, 50, 166, 500));
    ASSERT_TRUE(menu);
    EXPECT_EQ(drawnTexts(*menu).size(), 4u);
    hl::windows().mouseMove(*menu, row(*menu, 3));
    hl::windows().click(*menu, row(*menu, 3));
    EXPECT_EQ(settings::currentConfiguration(s), 2);
    EXPECT_EQ(owner.received, (std::vector<OwnerMessage>{{ui::msg::MenuChosen, 0, 0}}));
    // The closed menu is gone at the next opening, and the next one works.
    ASSERT_TRUE(menus.open(kind::Configuration, context(), Rect::fromXywh(50, 50, 166, 500)));
    EXPECT_TRUE(menus.isOpen());
}

TEST_F(MenuWindows, LanguageMenuRowsAreTheLanguagesOwnPictures)
{
    MenuContext c = context();
    c.sources.languageFolders = {u"\\1_INI_EN", u"\\6_INI_IT"};
    SkinnedMenu* menu = menus.open(kind::Language, c, Rect::fromXywh(50, 50, 160, 500));
    ASSERT_TRUE(menu);
    EXPECT_EQ(PopupMenus::sizeOf(kind::Language, c), (platform::Size{160, 2 * 24}));
    hl::windows().paint(*menu);
    auto* surface = hl::windows().surface(*menu);
    auto pixel = [&](Point p) { return surface->pixels()[size_t(p.y * surface->size().width + p.x)]; };
    const platform::Pixel before = pixel(row(*menu, 2));
    hl::windows().mouseMove(*menu, row(*menu, 2));
    hl::windows().paint(*menu);
    EXPECT_NE(pixel(row(*menu, 2)), before) << "the hovered language shows its over picture";
    hl::windows().click(*menu, row(*menu, 2));
    ASSERT_FALSE(owner.received.empty());
    EXPECT_EQ(owner.received[0], (OwnerMessage{ui::msg::MenuChosen, 1, 2}));
}
