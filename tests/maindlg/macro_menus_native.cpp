// The macro page's menus at the cursor (library, macro row, event and value
// menus opened by right clicks in its lists), the main window's library
// message 0x83F0, and the library across a language change.
#include "platform/headless/controls_headless.h"
#include "platform/headless/file_dialog_headless.h"
#include "tests/maindlg/dialog_rig.h"
#include "ui/menus/skinned_menu.h"
#include "ui/pages/macro_page.h"

#include <gtest/gtest.h>

using namespace maindlgtest;
using platform::Rect;
using ui::MacroPage;
using ui::menus::SkinnedMenu;

namespace {

constexpr int kRow = 20; // headless list rows: the 16-pixel icons and their margin

platform::Point onRow(int row) { return {30, row * kRow + 5}; }

struct PageRig : DialogRig {
    MacroPage& page;
    PageRig() : page(open())
    {
        dlg->show(platform::Show::Normal);
        dlg->switchPage(ui::kMacroPage);
        ws().pump();
    }
    PageRig(const PageRig&) = delete;

    MacroPage& open()
    {
        DialogRig::open();
        return static_cast<MacroPage&>(dlg->page(ui::kMacroPage));
    }
    macro::Library& lib() { return dlg->library(); }
    static hl::HeadlessList& list(int id) { return *hl::headlessControls().list(id); }
    SkinnedMenu* menu() { return dlg->popups().isOpen() ? dlg->popups().menu() : nullptr; }
    void rightClick(int listId, platform::Point inList, platform::Point cursor)
    {
        ws().cursor = cursor;
        list(listId).rightClick(inList);
    }
    void choose(int row)
    {
        SkinnedMenu& m = *menu();
        const platform::Point p{10, (row - 1) * m.geometry().rowHeight + m.geometry().rowHeight / 2};
        ws().mouseMove(m, p);
        ws().click(m, p);
        ws().pump(); // the library and event menus post their choice
    }
    // A new group holding one new macro, shown in the event list.
    int newGroupWithMacro()
    {
        page.menuChoice(11, 1);
        page.menuChoice(11, 2);
        return lib().currentGroup;
    }
    Text folder() const { return dlg->macroPlace().macroFolder; }
    static platform::headless::ScriptedFileDialog& dialogs()
    {
        return static_cast<platform::headless::ScriptedFileDialog&>(*platform::os().fileDialog);
    }
};

} // namespace

TEST(MacroPageMenus, RightClickOnAMacroRowSelectsItAndItsMenuDeletesIt)
{
    PageRig rig;
    rig.list(MacroPage::kLibraryListId).click(1); // "Games" opens under "Office"
    ASSERT_GE(rig.lib().macroCounts[1], 3);
    const int macros = rig.lib().macroCounts[1];
    const Text third = rig.lib().macroNames[1][2];

    rig.rightClick(MacroPage::kLibraryListId, onRow(4), {700, 400});
    ASSERT_TRUE(rig.menu());
    EXPECT_EQ(rig.menu()->spec().id, ui::menus::kind::MacroRow);
    // At the cursor, as wide as the library menu's picture less 80.
    EXPECT_EQ(rig.menu()->windowRect(), Rect::fromXywh(700, 400, 200 - 80, 360));
    EXPECT_EQ(rig.page.libraryList().selection(), 4);
    EXPECT_EQ(rig.lib().currentGroup, 1);
    EXPECT_EQ(rig.lib().currentMacro, 2);
    EXPECT_GT(rig.page.eventList().count(), 0) << "the clicked macro is shown";

    rig.choose(2); // delete macro
    EXPECT_FALSE(rig.dlg->popups().isOpen());
    ASSERT_EQ(rig.lib().currentGroupMacroCount, macros - 1);
    for (int m = 0; m < macros - 1; ++m)
        EXPECT_NE(rig.lib().macroNames[1][size_t(m)], third);
    EXPECT_EQ(rig.page.libraryList().selection(), 3) << "the row above";
}

TEST(MacroPageMenus, LibraryMenuOnAGroupRowOrBelowTheRowsActsOnTheClickedGroup)
{
    PageRig rig;
    const int groups = rig.lib().groupCount;
    ASSERT_EQ(groups, 2);
    // Row 1 ("Games") is clicked while row 0 is selected: the new macro goes into "Games".
    const int gamesMacros = rig.lib().macroCounts[1];
    rig.rightClick(MacroPage::kLibraryListId, onRow(1), {300, 200});
    ASSERT_TRUE(rig.menu());
    EXPECT_EQ(rig.menu()->spec().id, ui::menus::kind::Library);
    EXPECT_EQ(rig.menu()->windowRect(), Rect::fromXywh(300, 200, 200, 360));
    EXPECT_EQ(rig.page.libraryList().selection(), 1);
    rig.choose(2); // new macro
    EXPECT_EQ(rig.lib().macroCounts[1], gamesMacros + 1);
    EXPECT_EQ(rig.lib().currentGroup, 1);

    // Far below the last row: the library menu, and the selection stays.
    const int selected = rig.page.libraryList().selection();
    rig.rightClick(MacroPage::kLibraryListId, onRow(40), {310, 600});
    ASSERT_TRUE(rig.menu());
    EXPECT_EQ(rig.menu()->spec().id, ui::menus::kind::Library);
    EXPECT_EQ(rig.page.libraryList().selection(), selected);
    rig.choose(1); // new macro group
    EXPECT_EQ(rig.lib().groupCount, groups + 1);
}

TEST(MacroPageMenus, EventMenuOpensOnPausesAndKeyRowsButNotOnPauseItemsOrLights)
{
    PageRig rig;
    rig.newGroupWithMacro();
    rig.page.menuChoice(14, macro::insertitem::AfterLeftPress);
    rig.page.menuChoice(14, macro::insertitem::AfterPause);
    rig.page.menuChoice(14, macro::insertitem::AfterLed);
    const macro::MacroRecord& m = rig.page.editor().current();
    ASSERT_EQ(m.eventCount, 3);

    rig.rightClick(MacroPage::kEventListId, onRow(2), {500, 500}); // the pause item
    EXPECT_FALSE(rig.menu());
    EXPECT_EQ(rig.page.eventList().selection(), 2);
    rig.rightClick(MacroPage::kEventListId, onRow(4), {500, 500}); // the LED event
    EXPECT_FALSE(rig.menu());
    EXPECT_EQ(rig.page.valueList().count(), 3) << "its values are shown";
    rig.rightClick(MacroPage::kEventListId, onRow(20), {500, 500}); // below the rows
    EXPECT_FALSE(rig.menu());

    rig.rightClick(MacroPage::kEventListId, onRow(0), {500, 500});
    ASSERT_TRUE(rig.menu());
    EXPECT_EQ(rig.menu()->spec().id, ui::menus::kind::Event);
    EXPECT_EQ(rig.page.valueList().count(), 0);
    rig.rightClick(MacroPage::kEventListId, onRow(3), {520, 510}); // the pause of the pause item
    ASSERT_TRUE(rig.menu());
    EXPECT_EQ(rig.menu()->windowRect(), Rect::fromXywh(520, 510, 120, 360));
    rig.choose(2); // delete: the pause item goes
    ASSERT_EQ(m.eventCount, 2);
    EXPECT_EQ(m.code[1], macro::kind::Led);
}

TEST(MacroPageMenus, ValueMenusSetTheLightingModeAndColourAndTheMacroIsSaved)
{
    PageRig rig;
    const int g = rig.newGroupWithMacro();
    rig.page.menuChoice(14, macro::insertitem::AfterLed);
    auto& events = rig.list(MacroPage::kEventListId);
    events.click(1); // the pause row shows its event's values too
    ASSERT_EQ(rig.page.valueList().count(), 3);
    const int s = rig.dlg->look().place.scale;

    rig.rightClick(MacroPage::kValueListId, {15, 5}, {640, 450});
    ASSERT_TRUE(rig.menu());
    EXPECT_EQ(rig.menu()->spec().id, ui::menus::kind::LightingMode);
    const Rect at = rig.menu()->windowRect();
    EXPECT_EQ(at.left, 640 - 15) << "the left edge of the value list";
    EXPECT_EQ(at.top, 450 + 10 * s);
    rig.choose(4); // mode code 6, which has no colour
    EXPECT_FALSE(rig.menu());
    EXPECT_EQ(macro::readGroupMacro(rig.folder(), g, 0, 1).ledBlock[0][4], 6);
    EXPECT_EQ(rig.page.valueList().count(), 3);
    rig.rightClick(MacroPage::kValueListId, {15, kRow + 5}, {640, 470});
    EXPECT_FALSE(rig.menu()) << "no colours for mode 6";

    rig.rightClick(MacroPage::kValueListId, {15, 5}, {640, 450});
    rig.choose(1); // mode code 1
    rig.rightClick(MacroPage::kValueListId, {15, kRow + 5}, {640, 470});
    ASSERT_TRUE(rig.menu());
    EXPECT_EQ(rig.menu()->spec().id, ui::menus::kind::Colour);
    EXPECT_EQ(rig.menu()->windowRect().left, 640 - 15 + 2 - 2 * s);
    rig.choose(3);
    const macro::MacroRecord saved = macro::readGroupMacro(rig.folder(), g, 0, 1);
    EXPECT_EQ(saved.ledBlock[0][4], 1);
    EXPECT_EQ(saved.ledBlock[0][5], 3);

    // A left click in the value list ends an open value menu.
    rig.rightClick(MacroPage::kValueListId, {15, 5}, {640, 450});
    ASSERT_TRUE(rig.menu());
    rig.list(MacroPage::kValueListId).click(2);
    EXPECT_FALSE(rig.menu());
}

TEST(MacroPageMenus, ALeftClickInTheListsClosesTheLibraryMenuButNotOneInTheMenu)
{
    PageRig rig;
    rig.rightClick(MacroPage::kLibraryListId, onRow(0), {300, 200});
    ASSERT_TRUE(rig.menu());
    const platform::Message inMenu{rig.menu()->handle(), platform::msg::LButtonUp, 0, 0};
    rig.dlg->preTranslateMessage(inMenu);
    EXPECT_TRUE(rig.menu());
    const platform::Message inList{rig.list(MacroPage::kEventListId).handle(), platform::msg::LButtonUp, 0, 0};
    rig.dlg->preTranslateMessage(inList);
    EXPECT_FALSE(rig.menu());
}

TEST(MacroPageMenus, RightClicksOpenNothingWhileRecording)
{
    PageRig rig;
    rig.newGroupWithMacro();
    rig.page.press(MacroPage::Record, {});
    ASSERT_TRUE(rig.dlg->interaction().recording);
    rig.rightClick(MacroPage::kLibraryListId, onRow(0), {300, 200});
    EXPECT_FALSE(rig.menu());
    rig.page.press(MacroPage::Record, {});
}

TEST(MacroLibraryMessage, ImportExportAndResetWithoutThePage)
{
    DialogRig rig;
    auto& dlg = rig.open();
    macro::Library& lib = dlg.library();
    auto& dialogs = PageRig::dialogs();
    dialogs.reset();
    ASSERT_EQ(lib.groupCount, 2);
    const int officeMacros = lib.currentGroupMacroCount;

    const Text exported = rig.dir.path() + u"\\Shared.dat";
    dialogs.answer(exported);
    dlg.send(ui::msg::MacroFileAction, 2, 0);
    ASSERT_TRUE(platform::os().files->exists(exported));
    EXPECT_TRUE(dialogs.requests().back().save);
    EXPECT_EQ(dialogs.requests().back().options.filter, u"All Files(*.dat)|*.dat||");

    dialogs.answer(exported);
    dlg.send(ui::msg::MacroFileAction, 1, 0);
    ASSERT_EQ(lib.groupCount, 3);
    EXPECT_EQ(lib.groupNames[2], u"Shared");
    EXPECT_EQ(lib.currentGroup, 2);
    EXPECT_EQ(lib.currentGroupMacroCount, officeMacros);

    // The reset brings the factory groups back and reads the presets again.
    const int presets = dlg.presets().count;
    ASSERT_GT(presets, 0);
    dlg.presets().count = 0;
    dlg.send(ui::msg::MacroFileAction, 3, 0);
    EXPECT_EQ(lib.groupCount, 2);
    EXPECT_EQ(lib.groupNames[0], u"Office");
    EXPECT_FALSE(platform::os().files->exists(dlg.macroPlace().macroFolder + u"Shared.dat"));
    EXPECT_EQ(dlg.presets().count, presets);

    // Without groups an export is refused before any dialog.
    auto& page = static_cast<MacroPage&>(dlg.page(ui::kMacroPage));
    dlg.switchPage(ui::kMacroPage);
    page.menuChoice(11, 3);
    page.menuChoice(11, 3);
    ASSERT_EQ(lib.groupCount, 0);
    const size_t asked = dialogs.requests().size();
    ui::clearShownTips();
    dlg.send(ui::msg::MacroFileAction, 2, 0);
    EXPECT_EQ(dialogs.requests().size(), asked);
    EXPECT_EQ(ui::shownTips(), std::vector<int>{macro::tip::Failed});
}

TEST(MacroLibraryLanguage, TheShownMacroIsSavedAndThePageShowsTheNewLanguagesLibrary)
{
    PageRig rig;
    auto& library = rig.list(MacroPage::kLibraryListId);
    library.click(1);
    library.click(2); // "Games", its first macro
    ASSERT_EQ(rig.lib().currentGroup, 1);
    const Text english = rig.folder();
    const int events = rig.page.editor().current().eventCount;
    rig.page.menuChoice(14, macro::insertitem::AfterPause); // in memory only

    rig.dlg->send(ui::msg::MenuChosen, 1, 2); // Italian
    EXPECT_EQ(macro::readGroupMacro(english, 1, 0, 1).eventCount, events + 1) << "saved before the switch";
    EXPECT_NE(rig.folder(), english);
    EXPECT_EQ(rig.page.editor().macroFolder(), rig.folder());
    ASSERT_EQ(rig.page.libraryList().count(), rig.lib().groupCount);
    EXPECT_EQ(rig.page.libraryList().rowText(0), rig.lib().groupNames[0]);
    EXPECT_NE(rig.lib().groupNames[0], u"Office");
    EXPECT_EQ(rig.page.libraryList().selection(), 0);
    EXPECT_EQ(rig.page.eventList().count(), 0);
    // The English library is left as it was: no reset.
    EXPECT_TRUE(platform::os().files->exists(english + u"Office.dat"));

    rig.dlg->send(ui::msg::MenuChosen, 1, 1);
    EXPECT_EQ(rig.page.libraryList().rowText(0), u"Office");
}
