// Recording keystrokes into a macro from the macro page, with the keyboard
// hook's headless twin typing on the "desktop".
#include "macro/macro_file.h"
#include "platform/headless/controls_headless.h"
#include "platform/headless/keyboard_hook_headless.h"
#include "tests/maindlg/dialog_rig.h"
#include "ui/pages/macro_page.h"

#include <gtest/gtest.h>

using namespace maindlgtest;

namespace {

struct RecordingRig : DialogRig {
    ui::MacroPage* page = nullptr;
    int group = 0;

    // A new group with one macro holding a left press, selected.
    void macroSelected()
    {
        auto& d = open();
        d.show(platform::Show::Normal);
        d.switchPage(ui::kMacroPage);
        page = &static_cast<ui::MacroPage&>(d.page(ui::kMacroPage));
        page->menuChoice(11, 1);
        group = d.library().groupCount - 1;
        page->menuChoice(11, 2);
        page->menuChoice(14, macro::insertitem::AfterLeftPress);
        page->editor().saveCurrent();
    }
    void typeKeys(std::initializer_list<unsigned> keys)
    {
        for (unsigned vk : keys)
            hl::keyboardHook().type(vk);
        ws().pump();
    }
    macro::MacroRecord saved() { return macro::readGroupMacro(dlg->macroPlace().macroFolder, group, 0, 1); }
};

} // namespace

TEST(MacroRecordingPage, RecordTypeAbcAndStopSavesSixKeyEvents)
{
    RecordingRig rig;
    rig.macroSelected();
    auto& hook = hl::keyboardHook();
    rig.page->press(ui::MacroPage::Record, {});
    ASSERT_TRUE(hook.installed());
    EXPECT_TRUE(rig.dlg->interaction().recording);
    EXPECT_EQ(rig.page->eventList().count(), 0);

    rig.typeKeys({'A', 'B', 'C'});
    EXPECT_EQ(rig.page->eventList().count(), 12);
    // F10 is kept from the window while recording; other keys are not.
    EXPECT_TRUE(rig.dlg->preTranslateMessage({rig.dlg->handle(), 0x100, 121, 0}));

    rig.page->press(ui::MacroPage::Record, {});
    EXPECT_FALSE(hook.installed());
    EXPECT_FALSE(rig.dlg->interaction().recording);
    EXPECT_FALSE(hook.inject(0x100, 'D')) << "no keystroke goes anywhere after the hook is gone";
    const macro::MacroRecord m = rig.saved();
    ASSERT_EQ(m.eventCount, 7) << "six letters and the F10 press";
    EXPECT_EQ(m.code[0], 4);
    EXPECT_EQ(m.sub[0], macro::sub::Press);
    EXPECT_EQ(m.code[5], 6);
    EXPECT_EQ(m.sub[5], macro::sub::Release);
    EXPECT_EQ(m.delay[6], macro::kLastRecordedPause);
}

TEST(MacroRecordingPage, ChoosingAnotherRowCancelsAndKeepsWhatTheMacroHeld)
{
    RecordingRig rig;
    rig.macroSelected();
    const macro::MacroRecord before = rig.saved();
    rig.page->press(ui::MacroPage::Record, {});
    rig.typeKeys({'X', 'Y'});
    hl::headlessControls().list(ui::MacroPage::kLibraryListId)->click(0);
    EXPECT_FALSE(hl::keyboardHook().installed());
    EXPECT_FALSE(rig.dlg->interaction().recording);
    EXPECT_TRUE(rig.saved() == before);
}
