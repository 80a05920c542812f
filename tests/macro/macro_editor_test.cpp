#include "macro/library_commands.h"
#include "macro/macro_editor.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

using namespace macro;

namespace {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        place.macroFolder = dir.path();
        place.resetFolder = dir.path() + u"\\reset";
        ASSERT_TRUE(newGroup(*lib, place, u"Group"));
        ASSERT_TRUE(newMacro(*lib, place, 0, u"Macro"));
    }
    MacroRecord saved() { return readGroupMacro(dir.path(), 0, lib->currentMacro, 1); }

    testsupport::TempFolder dir;
    LibraryPlace place;
    std::unique_ptr<Library> lib = std::make_unique<Library>();
    MacroEditor editor{*lib, dir.path(), 1};
    int row = 0;
};

} // namespace

TEST_F(EditorTest, InsertAfterIntoAnEmptyListAndBeforeTheFirstEvent)
{
    ASSERT_TRUE(editor.runInsertItem(insertitem::AfterLeftPress, row));
    EXPECT_EQ(editor.current().eventCount, 1);
    EXPECT_EQ(editor.current().code[0], kind::LeftButton);
    EXPECT_EQ(editor.current().delay[0], 100);
    EXPECT_EQ(row, 0);

    ASSERT_TRUE(editor.runInsertItem(insertitem::BeforeRightRelease, row));
    EXPECT_EQ(editor.current().code[0], kind::RightButton);
    EXPECT_EQ(editor.current().sub[0], sub::Release);
    EXPECT_EQ(editor.current().code[1], kind::LeftButton);
    EXPECT_EQ(row, 2); // still on the left press

    ASSERT_TRUE(editor.runInsertItem(insertitem::AfterMoveUpLeft + 2, row));
    EXPECT_EQ(editor.current().code[2], kind::Move);
    EXPECT_EQ(editor.current().sub[2], 5);
    EXPECT_EQ(row, 4);
    // Edits stay in memory until the macro is saved.
    EXPECT_EQ(saved().eventCount, 0);
}

TEST_F(EditorTest, SixthLedIsRefusedWithTheMaximumTip)
{
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(editor.runInsertItem(insertitem::AfterLed, row));
    const Outcome o = editor.runInsertItem(insertitem::AfterLed, row);
    EXPECT_FALSE(o);
    EXPECT_EQ(o.tip, tip::Full);
    EXPECT_EQ(editor.current().ledCount, 5);
}

TEST_F(EditorTest, DeleteMovesTheSelectionUpTwoRows)
{
    for (int i = 0; i < 3; ++i)
        editor.runInsertItem(insertitem::AfterPause, row);
    row = 5;
    ASSERT_TRUE(editor.runInsertItem(insertitem::Delete, row));
    EXPECT_EQ(row, 3);
    ASSERT_TRUE(editor.deleteEventAt(row));
    EXPECT_EQ(row, 1);
    ASSERT_TRUE(editor.deleteEventAt(row));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(editor.current().eventCount, 0);
    EXPECT_FALSE(editor.deleteEventAt(row));
}

TEST_F(EditorTest, PauseRowsParseDigitsWithOrWithoutTheUnit)
{
    editor.runInsertItem(insertitem::AfterLeftPress, row);
    EXPECT_TRUE(editor.eventRowEdited(1, u"250", u"ms"));
    EXPECT_EQ(editor.current().delay[0], 250);
    EXPECT_TRUE(editor.eventRowEdited(1, u"300ms", u"ms"));
    EXPECT_EQ(editor.current().delay[0], 300);
    EXPECT_FALSE(editor.eventRowEdited(1, u"abc", u"ms"));
    EXPECT_FALSE(editor.eventRowEdited(1, u"-5", u"ms"));
    EXPECT_EQ(editor.current().delay[0], 300);
    const Outcome big = editor.eventRowEdited(1, u"20000", u"ms");
    EXPECT_EQ(big.tip, tip::Full);
    EXPECT_EQ(editor.current().delay[0], 10000);
    // A text too long for any number still stops at the limit.
    EXPECT_TRUE(editor.eventRowEdited(1, u"99999999999999999999", u"ms"));
    EXPECT_EQ(editor.current().delay[0], 10000);
}

TEST_F(EditorTest, CpiAndMoveRowsParseTheirNumbers)
{
    editor.runInsertItem(insertitem::AfterSetCpi, row);
    EXPECT_TRUE(editor.eventRowEdited(0, u"[DPI]:1600", u"ms"));
    EXPECT_EQ(editor.current().param[0].x, 7);
    const Outcome odd = editor.eventRowEdited(0, u"1700", u"ms");
    EXPECT_EQ(editor.current().param[0].x, 4);
    EXPECT_EQ(odd.message, u"CPI(:200/400/600/800/1000/1200/1600/2000/2400/3200/4000/4800)");

    editor.runInsertItem(insertitem::AfterMoveUpLeft, row);
    ASSERT_EQ(row, 2);
    const Outcome o = editor.eventRowEdited(2, u"[X-]:120,[Y-]:5", u"ms");
    EXPECT_EQ(o.tip, tip::Failed);
    EXPECT_EQ(o.tipPrefix, u"[X]; ");
    EXPECT_EQ(editor.current().param[1], (EventParam{100, 5}));
    EXPECT_FALSE(editor.eventRowEdited(2, u"[X-]:a,[Y-]:5", u"ms"));
    EXPECT_FALSE(editor.eventRowEdited(2, u"[X-]:7", u"ms"));
    EXPECT_EQ(editor.current().param[1], (EventParam{100, 5}));
}

TEST_F(EditorTest, LedValueEditsAreLimitedAndSavedAtOnce)
{
    editor.runInsertItem(insertitem::AfterLed, row);
    EXPECT_TRUE(editor.valueRowEdited(0, 2, u"Duration:25*122ms"));
    EXPECT_EQ(editor.current().ledBlock[0][6], 25);
    EXPECT_EQ(saved().ledBlock[0][6], 25);
    EXPECT_EQ(saved().eventCount, 1); // the whole macro went with it
    EXPECT_EQ(editor.valueRowEdited(0, 2, u"500").tip, tip::Full);
    EXPECT_EQ(editor.current().ledBlock[0][6], 100);
    EXPECT_TRUE(editor.valueRowEdited(0, 2, u"0"));
    EXPECT_EQ(editor.current().ledBlock[0][6], 1);
    EXPECT_FALSE(editor.valueRowEdited(0, 2, u"Duration:x*122ms"));
    EXPECT_TRUE(editor.valueRowEdited(1, 0, u"3")); // the LED event's pause row stands for it
    EXPECT_EQ(editor.current().ledBlock[0][4], 3);
    editor.runInsertItem(insertitem::AfterPause, row);
    EXPECT_FALSE(editor.valueRowEdited(2, 0, u"3"));
}

TEST_F(EditorTest, RepeatCountAndCycleModeAreSaved)
{
    EXPECT_EQ(editor.repeatTextChanged(u"0", true).shown, u"1");
    EXPECT_EQ(editor.repeatTextChanged(u"5000", true).shown, u"1000");
    const auto three = editor.repeatTextChanged(u"3", true);
    EXPECT_TRUE(three.saved);
    EXPECT_EQ(saved().repeatCount, 3);
    EXPECT_FALSE(editor.repeatTextChanged(u"4", false).saved); // a group row: nothing to save
    EXPECT_EQ(editor.current().repeatCount, 3);

    editor.current().mode = 0x08;
    ASSERT_TRUE(editor.setCycleMode(cycle::Toggle));
    EXPECT_EQ(saved().mode, 0x09);
    EXPECT_EQ(saved().repeatCount, 1);
    EXPECT_FALSE(editor.repeatBoxEnabled());
    EXPECT_EQ(editor.repeatBoxText(), u"1");
    ASSERT_TRUE(editor.setCycleMode(cycle::Count));
    EXPECT_EQ(saved().mode, 0);
    EXPECT_TRUE(editor.repeatBoxEnabled());
}

TEST_F(EditorTest, NothingChangesWhileRecording)
{
    editor.recording = true;
    EXPECT_FALSE(editor.runInsertItem(insertitem::AfterLeftPress, row));
    EXPECT_FALSE(editor.setCycleMode(cycle::Toggle));
    EXPECT_EQ(editor.current().eventCount, 0);
}

TEST_F(EditorTest, ModifyChoosesByRowAndKind)
{
    editor.runInsertItem(insertitem::AfterLeftPress, row);
    editor.runInsertItem(insertitem::AfterSetCpi, row);
    editor.runInsertItem(insertitem::AfterLed, row);
    EXPECT_EQ(editor.modifyAction(0), ModifyAction::CaptureKey);
    EXPECT_EQ(editor.modifyAction(1), ModifyAction::EditDelay);
    EXPECT_EQ(editor.modifyAction(2), ModifyAction::EditParameters);
    EXPECT_EQ(editor.modifyAction(4), ModifyAction::Nothing);
    EXPECT_EQ(editor.modifyAction(6), ModifyAction::Nothing);
    ASSERT_TRUE(editor.replaceKey(0, 4));
    EXPECT_EQ(editor.current().code[0], 4);
    EXPECT_EQ(editor.current().sub[0], sub::Press);
}
