#include "ui/menus/menu_model.h"

#include "platform/platform.h"
#include "settings/config_store.h"
#include "tests/macro/macro_test_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

using namespace ui::menus;
using platform::Point;
using platform::Size;

namespace {

struct Sources {
    ui::LanguageTexts texts;
    ui::FunctionNames functions;
    std::unique_ptr<macro::Library> library = std::make_unique<macro::Library>();
    macro::PresetTable presets;
    std::vector<std::uint32_t> colours{1, 2, 3, 4, 5, 6, 7};
    std::vector<int> effects;

    Sources()
    {
        for (int i = 0; i < ui::FunctionNames::kCount; ++i)
            functions.names[size_t(i)] = u"F" + text::fromInt(i);
        functions.moreFunctions = {{u"12", u"Twelve", 1}, {u"30002", u"Special", 2}};
    }
    MenuSources get()
    {
        MenuSources s;
        s.texts = &texts;
        s.functions = &functions;
        s.library = library.get();
        s.presets = &presets;
        s.userColours = colours;
        s.effects = effects;
        return s;
    }
    void groups(std::initializer_list<int> macroCounts)
    {
        library->groupCount = int(macroCounts.size());
        int g = 0;
        for (int n : macroCounts) {
            library->groupNames[size_t(g)] = u"G" + text::fromInt(g);
            library->macroCounts[size_t(g)] = n;
            for (int m = 0; m < n; ++m)
                library->macroNames[size_t(g)][size_t(m)] = u"M" + text::fromInt(m);
            ++g;
        }
    }
};

std::vector<Text> texts(const MenuSpec& spec)
{
    std::vector<Text> out;
    for (const MenuRow& r : spec.rows)
        out.push_back(r.text);
    return out;
}

} // namespace

TEST(MenuKinds, EachKindNamesItsPicturesAndRows)
{
    Sources src;
    src.texts.set(ui::TextSection::Led, 2, u"React");
    struct Case {
        int kind;
        const char16_t* normal;
        const char16_t* mask;
        size_t rows;
    } cases[] = {
        {kind::Configuration, u"Profile_normal.jpg", u"Profile_mask.jpg", 4},
        {kind::Button, u"menu1_normal.jpg", u"menu1_mask.jpg", 13},
        {kind::ReactionType, u"menu_normal.jpg", u"menu_mask.jpg", 4},
        {kind::LightingMode, u"menu_normal.jpg", u"menu_mask.jpg", 5},
        {kind::Colour, u"menu_normal.jpg", u"menu_mask.jpg", 7},
        {kind::Library, u"MacMenu\\MacG_normal.jpg", u"MacMenu\\MacG_mask.jpg", 8},
        {kind::MacroRow, u"MacMenu\\MacR_normal.jpg", u"MacMenu\\MacR_mask.jpg", 4},
        {kind::Event, u"MacMenu\\MacR_normal2.jpg", u"MacMenu\\MacR_mask2.jpg", 2},
        {kind::Insert, u"MacMenu\\Insert_normal.jpg", u"MacMenu\\Insert_mask.jpg", 7},
    };
    for (const Case& c : cases) {
        MenuSpec spec = describeMenu(c.kind, src.get());
        EXPECT_EQ(spec.picture(u"normal"), c.normal) << c.kind;
        EXPECT_EQ(spec.mask(), c.mask) << c.kind;
        EXPECT_EQ(spec.rows.size(), c.rows) << c.kind;
    }
    EXPECT_EQ(describeMenu(kind::Event, src.get()).picture(u"over"), u"MacMenu\\MacR_over2.jpg");
    EXPECT_EQ(describeMenu(kind::Configuration, src.get()).rows[0].text, u"F19");
    EXPECT_EQ(describeMenu(kind::ReactionType, src.get()).rows[0].text, u"React");
    EXPECT_EQ(describeMenu(kind::ReactionType, src.get()).align, TextAlign::Left2);
    EXPECT_EQ(describeMenu(kind::Colour, src.get()).rows[6].swatch, 7u);
    EXPECT_TRUE(describeMenu(kind::Empty, src.get()).pictureBase.empty());
}

TEST(MenuGeometryTest, RowsComeFromTheMaskAndTheKind)
{
    Sources src;
    // Configuration: a quarter of the mask per row.
    MenuGeometry g = menuGeometry(describeMenu(kind::Configuration, src.get()), {166, 124});
    EXPECT_EQ(g.rowHeight, 31);
    EXPECT_EQ(g.height, 124);
    EXPECT_EQ(g.rows, 4);
    // Button menu: a fifteenth per row, thirteen rows tall.
    g = menuGeometry(describeMenu(kind::Button, src.get()), {176, 390});
    EXPECT_EQ(g.rowHeight, 26);
    EXPECT_EQ(g.height, 13 * 26);
    // Macro page menus: as tall as the mask, rows of 20.
    g = menuGeometry(describeMenu(kind::Insert, src.get()), {150, 140});
    EXPECT_EQ(g.height, 140);
    EXPECT_EQ(g.rows, 7);
    // A missing mask leaves nothing to hover.
    g = menuGeometry(describeMenu(kind::Button, src.get()), {0, 0});
    EXPECT_EQ(g.rows, 0);
    EXPECT_TRUE(rowRegions(g, 1).empty());
}

TEST(MenuChoices, ButtonMenuRows)
{
    Sources src;
    MenuSpec menu = describeMenu(kind::Button, src.get());
    for (int r = 1; r <= 6; ++r) {
        MenuChoice c = choose(menu, r);
        EXPECT_EQ(c.action, Action::AssignFunction);
        EXPECT_EQ(c.code, r);
        EXPECT_EQ(c.leftMacro, 0);
        EXPECT_TRUE(c.close);
    }
    for (int r : {7, 8, 9, 11, 12, 13, 14}) {
        EXPECT_EQ(choose(menu, r).action, Action::Nothing) << r;
        EXPECT_FALSE(choose(menu, r).close) << r;
    }
    MenuChoice shortcut = choose(menu, 10);
    ASSERT_TRUE(shortcut.message);
    EXPECT_EQ(*shortcut.message, (OwnerMessage{ui::msg::OpenShortcutCapture, 0, 0, true}));
    EXPECT_TRUE(shortcut.close);

    MenuGeometry g = menuGeometry(menu, {176, 390});
    EXPECT_FALSE(subMenuFor(menu, 10, g, 3));
    EXPECT_EQ(subMenuFor(menu, 8, g, 3)->source, source::Multimedia);
    EXPECT_EQ(subMenuFor(menu, 7, g, 3)->offset, (Point{176, 4 * 26}));
    EXPECT_EQ(subMenuFor(menu, 11, g, 3)->offset, (Point{176, 9 * 26}));
}

TEST(MenuChoices, SubMenuCodes)
{
    Sources src;
    src.presets.count = 3;
    auto code = [&](int source, int row) {
        MenuChoice c = choose(describeSubMenu(source, src.get()), row);
        return std::pair{c.action == Action::AssignFunction ? c.code : -1, c.leftMacro};
    };
    EXPECT_EQ(code(source::Multimedia, 1), std::pair(23, 0));
    EXPECT_EQ(code(source::Multimedia, 10), std::pair(32, 0));
    EXPECT_EQ(code(source::Multimedia, 11).first, -1);
    EXPECT_EQ(code(source::ConfigSwitch, 3), std::pair(21, 0));
    EXPECT_EQ(code(source::MoreFunctions, 1), std::pair(12, 0));
    EXPECT_EQ(code(source::MoreFunctions, 2), std::pair(30002, 0));
    EXPECT_EQ(code(source::Presets, 2), std::pair(51, 1)); // gun presets are left-button macros
    EXPECT_EQ(code(source::Presets, 4).first, -1);
    EXPECT_EQ(code(source::Groups, 1).first, -1);

    // The skin naming function 0 leaves the last row without an entry: it chooses nothing.
    src.functions.moreFunctions = {{u"0", u"None", 0}, {u"12", u"Twelve", 1}};
    MenuSpec more = describeSubMenu(source::MoreFunctions, src.get());
    ASSERT_EQ(more.rows.size(), 2u);
    EXPECT_TRUE(more.rows[1].text.empty());
    EXPECT_FALSE(choose(more, 2).close);
}

TEST(MenuChoices, GroupListAndMacroChoicePlacement)
{
    Sources src;
    src.groups({1, 4, 0});
    MenuSpec button = describeMenu(kind::Button, src.get());
    MenuGeometry bg = menuGeometry(button, {176, 390});
    // With 3 groups the list opens 6 rows below the menu's top.
    EXPECT_EQ(subMenuFor(button, 9, bg, 3)->offset.y, 6 * 26);

    MenuSpec groups = describeSubMenu(source::Groups, src.get());
    EXPECT_EQ(texts(groups), (std::vector<Text>{u"G0", u"G1", u"G2"}));
    MenuGeometry gg = menuGeometry(groups, {160, 360});
    auto place = macroChoiceFor(groups, 2, gg, *src.library);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->source, 1);
    // Bottom of the 4-row macro menu at the bottom of group row 2.
    EXPECT_EQ(place->offset.y + 4 * gg.rowHeight, 2 * gg.rowHeight);
    EXPECT_FALSE(macroChoiceFor(groups, 4, gg, *src.library));

    MenuSpec macros = describeMacroChoice(1, 0, src.get());
    MenuGeometry mg = menuGeometry(macros, {160, 360});
    EXPECT_EQ(mg.height, 4 * 24 + 1);
    EXPECT_FALSE(macros.pressedLook);
    MenuChoice c = choose(macros, 3);
    EXPECT_EQ(c.action, Action::AssignMacro);
    EXPECT_EQ(c.code, 1);
    EXPECT_EQ(c.value, 2);
    EXPECT_EQ(*c.message, (OwnerMessage{ui::msg::MenuChosen, 2, 0}));

    // A group without macros: nothing shown, nothing to choose.
    MenuSpec none = describeMacroChoice(2, 0, src.get());
    EXPECT_EQ(menuGeometry(none, {160, 360}).height, 0);
    EXPECT_EQ(choose(none, 1).action, Action::Nothing);
    // Left-button macros come through their own group list.
    EXPECT_EQ(describeSubMenu(source::LeftGroups, src.get()).leftMacro, 1);
}

TEST(MenuChoices, MacroPageAndLightingMenus)
{
    Sources src;
    src.effects = {0, 3, 12};
    MenuSpec insert = describeMenu(kind::Insert, src.get());
    EXPECT_FALSE(choose(insert, 3).close);
    EXPECT_EQ(*choose(insert, 6).message, (OwnerMessage{ui::msg::MacroPageMenu, 14, 146, false}));
    MenuGeometry ig = menuGeometry(insert, {150, 140});
    EXPECT_EQ(subMenuFor(insert, 3, ig, 0)->source, source::Move);
    EXPECT_EQ(subMenuFor(insert, 3, ig, 0)->size, (Size{300, 721}));
    EXPECT_EQ(*choose(describeSubMenu(source::Move, src.get()), 2).message,
              (OwnerMessage{ui::msg::MacroPageMenu, 14, 254, false}));
    EXPECT_EQ(choose(describeSubMenu(source::InsertAfter, src.get()), 6).message->lParam, 252);
    EXPECT_EQ(choose(describeSubMenu(source::Cpi, src.get()), 2).message->lParam, 258);
    MenuSpec before = describeSubMenu(source::InsertBefore, src.get());
    EXPECT_EQ(before.rows[0].arrow, Arrow::Down);
    EXPECT_EQ(before.rows[1].arrow, Arrow::Up);
    EXPECT_EQ(*choose(describeMenu(kind::Event, src.get()), 2).message,
              (OwnerMessage{ui::msg::MacroPageMenu, 13, 2, true}));

    MenuChoice mode = choose(describeMenu(kind::LightingMode, src.get()), 4);
    EXPECT_EQ(mode.value, 6);
    EXPECT_EQ(*mode.message, (OwnerMessage{ui::msg::LedEventValues1, 3, 0}));
    MenuChoice effect = choose(describeMenu(kind::LightingEffect, src.get()), 3);
    EXPECT_EQ(effect.value, 12);
    EXPECT_TRUE(effect.repaintOwner);
    EXPECT_EQ(choose(describeMenu(kind::LightingEffect, src.get()), 4).action, Action::Nothing);
    EXPECT_EQ(choose(describeMenu(kind::ReactionType, src.get()), 5).action, Action::Nothing);
}

TEST(MenuChoices, LanguageMenus)
{
    Sources src;
    MenuSources withList = src.get();
    withList.languageFolders = {u"\\1_INI_EN", u"\\6_INI_IT"};
    MenuSpec menu = describeMenu(kind::Language, withList);
    ASSERT_EQ(menu.rows.size(), 2u);
    EXPECT_TRUE(menu.rowPictures);
    EXPECT_EQ(menu.rows[1].picturePrefix, u"6_INI_IT\\ver");
    EXPECT_EQ(*choose(menu, 2).message, (OwnerMessage{ui::msg::MenuChosen, 1, 2}));

    MenuSpec plain = describeMenu(kind::Language, src.get());
    EXPECT_EQ(plain.rows.size(), 2u);
    EXPECT_FALSE(plain.rowPictures);
    EXPECT_EQ(*choose(plain, 1).message, (OwnerMessage{ui::msg::MenuChosen, 1, 1}));
}

TEST(MenuChoices, MissingTextsStillGiveRows)
{
    MenuSources nothing;
    for (int k : {kind::Configuration, kind::Button, kind::ReactionType, kind::Library, kind::Insert}) {
        MenuSpec spec = describeMenu(k, nothing);
        EXPECT_FALSE(spec.rows.empty()) << k;
        for (const MenuRow& r : spec.rows)
            EXPECT_TRUE(r.text.empty());
    }
    EXPECT_TRUE(describeSubMenu(source::Groups, nothing).rows.empty());
    EXPECT_TRUE(describeMacroChoice(0, 0, nothing).rows.empty());
    EXPECT_TRUE(describeSubMenu(source::MoreFunctions, nothing).rows.empty());
}

class CarryOutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.catalogue.keyNum = 6;
        s.buttons[0][0].functionCode = 1;
        target.store = &s;
        target.editedButton = 3;
        target.macroFolder = dir.path();
    }
    void group(const std::string& name, int announced, int written)
    {
        dir.writeText(u"macroGrp.ini", "[MACRO_GROUP_NUM]\r\nmacGrpNum=2\r\n[MACRO_GROUP_NAME]\r\n0=A\r\n1=" + name + "\r\n");
        std::vector<std::string> lines;
        for (int i = 0; i < written; ++i) {
            auto t = macrotest::zeroTokensV3();
            macrotest::setName(t, "m" + std::to_string(i));
            lines.push_back(macrotest::tokenLine(t));
        }
        dir.writeText(u"A.dat", macrotest::groupFileText(3, 0, {}));
        dir.writeText(text::fromUtf8(name + ".dat"), macrotest::groupFileText(3, announced, lines));
    }

    settings::ConfigStore s;
    testsupport::TempFolder dir;
    ChoiceTarget target;
};

TEST_F(CarryOutTest, AssignmentsReachTheEditedButtonOfTheCurrentConfiguration)
{
    Sources src;
    settings::setCurrentConfiguration(s, 2);
    s.buttons[2][3].leftMacro = 1;
    EXPECT_FALSE(carryOut(choose(describeSubMenu(source::Multimedia, src.get()), 3), target));
    EXPECT_EQ(s.buttons[2][3].functionCode, 25);
    EXPECT_EQ(s.buttons[2][3].leftMacro, 0);
    EXPECT_EQ(s.buttons[0][3].functionCode, 0);

    src.presets.count = 2;
    carryOut(choose(describeSubMenu(source::Presets, src.get()), 1), target);
    EXPECT_EQ(s.buttons[2][3].functionCode, 50);
    EXPECT_EQ(s.buttons[2][3].leftMacro, 1);

    auto m = carryOut(choose(describeMenu(kind::Configuration, src.get()), 4), target);
    EXPECT_EQ(settings::currentConfiguration(s), 3);
    EXPECT_EQ(*m, (OwnerMessage{ui::msg::MenuChosen, 0, 0}));
}

TEST_F(CarryOutTest, PrimaryClickStaysInConfigurationZero)
{
    Sources src;
    target.editedButton = 0; // the menu opened while another button had code 1, which has since gone
    carryOut(choose(describeMenu(kind::Button, src.get()), 2), target);
    EXPECT_EQ(s.buttons[0][0].functionCode, 2);
    EXPECT_EQ(s.buttons[0][1].functionCode, 1);
}

TEST_F(CarryOutTest, LibraryMacroIsCheckedAgainstItsFile)
{
    group("B", 4, 4);
    Sources src;
    src.groups({0, 4});
    MenuChoice third = choose(describeMacroChoice(1, 0, src.get()), 3);
    EXPECT_EQ(*carryOut(third, target), (OwnerMessage{ui::msg::MenuChosen, 2, 0}));
    EXPECT_EQ(s.buttons[0][3].functionCode, 2 * 256 + 2);

    // The macro was deleted after the menu opened.
    group("B", 2, 2);
    carryOut(third, target);
    EXPECT_EQ(s.buttons[0][3].functionCode, 0);
    // Lines beyond the announced count are no macros.
    group("B", 1, 3);
    carryOut(choose(describeMacroChoice(1, 1, src.get()), 2), target);
    EXPECT_EQ(s.buttons[0][3].functionCode, 0);
    EXPECT_EQ(s.buttons[0][3].leftMacro, 1);
}

TEST_F(CarryOutTest, LedAndPresetTargets)
{
    Sources src;
    src.presets.count = 3;
    int preset = 1;
    std::uint8_t mode = 0, colour = 0;
    target.currentPreset = &preset;
    target.ledMode = &mode;
    target.ledColour = &colour;
    target.reactionButton = 2;

    MenuSpec weapons = describeMenu(kind::Weapon, src.get());
    EXPECT_FALSE(carryOut(choose(weapons, 2), target)); // already current
    EXPECT_EQ(*carryOut(choose(weapons, 3), target), (OwnerMessage{ui::msg::PresetDialog, 1, 0}));
    EXPECT_EQ(preset, 2);

    carryOut(choose(describeMenu(kind::LightingMode, src.get()), 5), target);
    carryOut(choose(describeMenu(kind::Colour, src.get()), 7), target);
    EXPECT_EQ(mode, 7);
    EXPECT_EQ(colour, 7);
    carryOut(choose(describeMenu(kind::ReactionType, src.get()), 3), target);
    EXPECT_EQ(s.buttons[0][2].ledReactType, 2);

    s.effectDirection = 2;
    src.effects = {0, 5};
    carryOut(choose(describeMenu(kind::LightingEffect, src.get()), 2), target);
    EXPECT_EQ(s.ledType, 5);
    EXPECT_EQ(s.effectDirection, 0);
}

TEST(MenuPlacement, MacroPageAndPresetMenus)
{
    using platform::Rect;
    const Point cursor{500, 300};
    EXPECT_EQ(contextMenuRect(kind::Library, cursor, 0, 200, 200, 2), Rect::fromXywh(500, 300, 400, 720));
    EXPECT_EQ(contextMenuRect(kind::MacroRow, cursor, 0, 200, 120, 1), Rect::fromXywh(500, 300, 120, 360));
    EXPECT_EQ(contextMenuRect(kind::Event, cursor, 0, 200, 120, 2).width(), 240);
    EXPECT_EQ(contextMenuRect(kind::LightingMode, cursor, 40, 200, 130, 2), Rect::fromXywh(40, 320, 260, 720));
    EXPECT_EQ(contextMenuRect(kind::Colour, cursor, 40, 200, 130, 2).left, 38);
    EXPECT_EQ(contextMenuRect(kind::Colour, cursor, 40, 200, 130, 1).left, 40);
    EXPECT_EQ(weaponListRect(Rect::fromXywh(100, 50, 520, 380), Rect::fromXywh(20, 30, 200, 40), 1),
              Rect::fromXywh(120, 120, 160, 360));
}
