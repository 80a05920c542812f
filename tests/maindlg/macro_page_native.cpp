// The macro page inside the main window: library commands, the editor and
// the lists as the user reaches them, on the headless platform.
#include "device/device_functions.h"
#include "macro/macro_file.h"
#include "platform/headless/controls_headless.h"
#include "tests/maindlg/dialog_rig.h"
#include "ui/macro_item_texts.h"
#include "ui/pages/macro_page.h"

#include <gtest/gtest.h>

using namespace maindlgtest;

namespace {

ui::MacroPage& macroPage(app::CKVX_GMouseDlg& dlg)
{
    dlg.switchPage(ui::kMacroPage);
    return static_cast<ui::MacroPage&>(dlg.page(ui::kMacroPage));
}

hl::HeadlessList& nativeList(int id) { return *hl::headlessControls().list(id); }

} // namespace

TEST(MacroPageFlow, NewGroupNewMacroEventsRepeatCountRenameAndDelete)
{
    DialogRig rig;
    auto& dlg = rig.open();
    ui::MacroPage& page = macroPage(dlg);
    macro::Library& lib = dlg.library();
    const int groupsBefore = lib.groupCount;

    page.menuChoice(11, 1); // new macro group
    ASSERT_EQ(lib.groupCount, groupsBefore + 1);
    const int g = lib.groupCount - 1;
    page.menuChoice(11, 2); // new macro in it
    ASSERT_EQ(lib.currentGroup, g);
    ASSERT_EQ(lib.currentGroupMacroCount, 1);
    const auto* row = &page.libraryList();
    EXPECT_EQ(row->rowKind(row->selection()), macro::librow::Macro);

    page.menuChoice(14, macro::insertitem::AfterLeftPress);
    page.menuChoice(14, macro::insertitem::AfterLeftRelease);
    page.menuChoice(14, macro::insertitem::AfterPause);
    EXPECT_EQ(page.eventList().count(), 6);
    EXPECT_EQ(page.eventList().rowText(5), u"100ms");

    // Pause row 3 edited in place to 250 ms.
    auto& events = nativeList(ui::MacroPage::kEventListId);
    events.click(3);
    page.eventList().startEdit();
    events.typeInEditor(u"250ms");
    events.editorKeyUp(13);
    EXPECT_EQ(lib.table[0].delay[1], 250);
    EXPECT_EQ(page.eventList().rowText(3), u"250ms");

    // The repeat box takes 3 and the macro is saved with everything edited so far.
    page.press(ui::MacroPage::FirstCycleMode + 2, {});
    auto& box = *hl::headlessControls().edit(ui::MacroPage::kRepeatBoxId);
    ASSERT_TRUE(box.enabled);
    box.value.clear();
    box.type(u"3");
    const macro::MacroRecord saved = macro::readGroupMacro(dlg.macroPlace().macroFolder, g, 0, 1);
    EXPECT_EQ(saved.repeatCount, 3);
    EXPECT_EQ(saved.eventCount, 3);
    EXPECT_EQ(saved.delay[1], 250);

    // Button 4 plays it; a rename keeps the assignment.
    settings::ConfigStore& s = dlg.store();
    const int config = settings::currentConfiguration(s);
    s.buttons[config][3].functionCode = macro::libraryFunction(g, 0);
    auto& library = nativeList(ui::MacroPage::kLibraryListId);
    page.libraryList().startEdit();
    library.typeInEditor(u"Burst");
    library.editorKeyUp(13);
    EXPECT_EQ(lib.macroNames[size_t(g)][0], u"Burst");
    EXPECT_EQ(s.buttons[config][3].functionCode, macro::libraryFunction(g, 0));
    const auto use = dlg.macroMemory();
    EXPECT_GT(use.first, 0);
    EXPECT_LE(use.first, use.second);

    // Deleting the group drops the assignment.
    page.menuChoice(11, 3);
    EXPECT_EQ(lib.groupCount, groupsBefore);
    EXPECT_EQ(s.buttons[config][3].functionCode, 0);
}

TEST(MacroPageFlow, ApplyIsRefusedBeforeAnythingWhenTheMacrosDoNotFit)
{
    DialogRig rig;
    auto& dlg = rig.open();
    macro::Library& lib = dlg.library();
    ui::MacroPage& page = macroPage(dlg);
    page.menuChoice(11, 1);
    const int g = lib.groupCount - 1;
    for (int m = 0; m < 8; ++m) {
        page.menuChoice(11, 2);
        for (int e = 0; e < macro::kMaxEvents; ++e)
            macro::insertEvent(lib.table[size_t(m)], e, 4, e % 2 ? 2 : 1);
    }
    ASSERT_TRUE(macro::writeGroup(*macro::groupFilePath(dlg.macroPlace().macroFolder, lib.groupNames[size_t(g)]),
                                  lib.table, 8, 1));
    settings::ConfigStore& s = dlg.store();
    for (int b = 0; b < 8; ++b)
        s.buttons[0][b].functionCode = macro::libraryFunction(g, b);
    rig.settle();
    rig.work.clear();
    ui::clearShownTips();

    dlg.applySettings();
    rig.settle();
    EXPECT_EQ(ui::shownTips(), std::vector<int>{ui::kTipMacrosDoNotFit});
    EXPECT_EQ(rig.work.count("download(main)") + rig.work.count("download(worker)"), 0);
    EXPECT_GT(dlg.macroMemory().first, dlg.macroMemory().second);
}
