// The game presets as the preset dialog loads, edits and saves them, also
// from preset files that were damaged by hand.
#include "macro/macro_file.h"
#include "macro/preset_editor.h"
#include "platform/platform.h"
#include "tests/macro/macro_test_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

using namespace macro;
using namespace macrotest;

namespace {

constexpr int kUs = 1;

// A preset: moves (code 246) with the given Y amounts, 30 ms apart, in cycle mode `mode`.
std::string presetLine(const std::string& name, int mode, int repeat, const std::vector<int>& ys)
{
    auto t = zeroTokensV3();
    setName(t, name);
    t[60] = mode;
    t[61] = repeat;
    t[63] = int(ys.size());
    t[65] = int(ys.size());
    for (size_t k = 0; k < ys.size(); ++k) {
        t[82 + 8 * k] = 246;
        t[85 + 8 * k] = ys[k];
        t[87 + 8 * k] = 30 + int(k);
    }
    return tokenLine(t);
}

class Presets : public ::testing::Test {
protected:
    Text value(const char* key) const
    {
        return platform::os().profile->getString(dir.file("PUBG.dat"), u"Macros", T(key), Text(), 10000);
    }
    void write(int macroNum, const std::vector<std::string>& lines) const
    {
        dir.writeText(u"PUBG.dat", groupFileText(3, macroNum, lines));
    }

    testsupport::TempFolder dir;
    std::unique_ptr<PresetTable> presets = std::make_unique<PresetTable>();
};

} // namespace

TEST_F(Presets, DamagedPresetsStayEmptyAndAreNeverWrittenBack)
{
    const std::string good = presetLine("AKM", 2, 1, {3, 0, 3});
    std::string letters = good;
    letters.replace(300, 3, "a7x");
    std::string tooBig = good;
    tooBig.replace(300, 3, "256");
    const std::string shortLine = good.substr(0, 900);
    write(6, {good, letters, tooBig, shortLine, "", presetLine("M4", 0, 5, {2}), presetLine("Extra", 0, 1, {9})});
    ASSERT_TRUE(loadPresets(*presets, dir.path(), kUs));
    EXPECT_EQ(presets->count, 6);
    EXPECT_EQ(presets->loaded, (std::array<bool, 12>{true, false, false, false, false, true}));
    EXPECT_EQ(presets->names[0], u"AKM");
    EXPECT_TRUE(presets->names[1].empty());
    EXPECT_EQ(presets->records[1], kEmptyRecord);
    EXPECT_EQ(presets->names[5], u"M4");
    EXPECT_TRUE(presets->names[6].empty()) << "lines past macroNum are not presets";

    for (int i : {1, 2, 3, 4, 6})
        EXPECT_EQ(savePreset(*presets, i, 7, dir.path(), kUs), PresetWrite::NotAPreset) << i;
    EXPECT_EQ(text::toUtf8(value("1")), letters);
    EXPECT_EQ(text::toUtf8(value("3")), shortLine);

    ASSERT_EQ(savePreset(*presets, 5, 7, dir.path(), kUs), PresetWrite::Saved);
    EXPECT_EQ(value("macroNum"), u"6");
    EXPECT_EQ(text::toUtf8(value("1")), letters) << "the damaged line is left for the user to see";
    EXPECT_EQ(text::toUtf8(value("6")), presetLine("Extra", 0, 1, {9}));
}

TEST_F(Presets, TheCountIsKeptWithinTheTwelveSlots)
{
    std::vector<std::string> lines(14, presetLine("G", 0, 1, {1}));
    for (const auto& [num, expected] : std::vector<std::pair<std::string, int>>{{"40", 12}, {"-3", 0}, {"abc", 0}}) {
        dir.writeText(u"PUBG.dat", "[Init]\r\nDAT_VER=3\r\n[Macros]\r\nmacroNum=" + num + "\r\n0=" + lines[0] + "\r\n");
        ASSERT_TRUE(loadPresets(*presets, dir.path(), kUs));
        EXPECT_EQ(presets->count, expected) << num;
    }
}

TEST_F(Presets, TheDialogShowsTheFirstWeaponAndOkSavesAllThreeNumbers)
{
    write(2, {presetLine("AKM", 2, 1, {3, 0, 3}), presetLine("M4", 0, 5, {0, 4})});
    ASSERT_TRUE(loadPresets(*presets, dir.path(), kUs));
    PresetEditor editor(*presets, dir.path(), kUs);
    PresetBoxes boxes;
    editor.show(editor.current(), boxes);
    EXPECT_EQ(editor.current(), 0);
    EXPECT_FALSE(boxes.repeatEnabled) << "repeat while held";
    EXPECT_EQ(boxes.repeat, u"1");
    EXPECT_EQ(boxes.strength, u"3");
    EXPECT_EQ(boxes.interval, u"30");

    // Strength 0 is stored as 1; the Y amounts 3, 0, 3 become 1, 0, 1.
    ASSERT_EQ(editor.ok({4, 0, 120}), PresetWrite::Saved);
    auto reread = std::make_unique<PresetTable>();
    ASSERT_TRUE(loadPresets(*reread, dir.path(), kUs));
    const MacroRecord& r = reread->records[0];
    EXPECT_EQ(r.param[0].y, 1);
    EXPECT_EQ(r.param[1].y, 0);
    EXPECT_EQ(r.param[2].y, 1);
    EXPECT_EQ(r.repeatCount, 4);
    EXPECT_EQ(r.delay[0], 120);
    EXPECT_EQ(r.delay[1], 120);
    EXPECT_EQ(r.vAdjustSwitch, 1);
    EXPECT_EQ(r.vAdjustValue, 1);
    EXPECT_EQ(r, presets->records[0]);

    ASSERT_EQ(editor.ok({4, 7, 120}), PresetWrite::Saved);
    EXPECT_EQ(presets->records[0].param[0].y, 7);
    EXPECT_EQ(presets->records[0].param[2].y, 7);
}

TEST_F(Presets, SwitchingSavesTheRepeatAndStrengthOfTheWeaponLeftBehind)
{
    write(3, {presetLine("AKM", 2, 1, {3, 3}), presetLine("M4", 0, 5, {0, 4}), "garbage"});
    ASSERT_TRUE(loadPresets(*presets, dir.path(), kUs));
    PresetEditor editor(*presets, dir.path(), kUs);
    PresetBoxes boxes;
    PresetWrite write = PresetWrite::Failed;

    EXPECT_EQ(editor.choose(1, {9, 9, 999}, boxes, write), PresetSwitch::Unchanged) << "already current";
    EXPECT_EQ(editor.choose(4, {9, 9, 999}, boxes, write), PresetSwitch::Unchanged) << "past the count";
    EXPECT_EQ(editor.choose(2, {9, 8, 999}, boxes, write), PresetSwitch::Switched);
    EXPECT_EQ(editor.current(), 1);
    EXPECT_TRUE(boxes.repeatEnabled);
    EXPECT_EQ(boxes.repeat, u"5");
    EXPECT_EQ(boxes.strength, u"4");
    EXPECT_EQ(boxes.interval, u"30");
    auto reread = std::make_unique<PresetTable>();
    ASSERT_TRUE(loadPresets(*reread, dir.path(), kUs));
    EXPECT_EQ(reread->records[0].repeatCount, 9);
    EXPECT_EQ(reread->records[0].param[0].y, 8);
    EXPECT_EQ(reread->records[0].delay[0], 30) << "the interval is only saved by OK";

    // Into the damaged slot and out again: nothing is written for it.
    EXPECT_EQ(editor.choose(3, {5, 4, 30}, boxes, write), PresetSwitch::Switched);
    EXPECT_EQ(editor.choose(1, {1, 1, 1}, boxes, write), PresetSwitch::SaveRefused);
    EXPECT_EQ(write, PresetWrite::NotAPreset);
    EXPECT_EQ(value("2"), u"garbage");
    EXPECT_EQ(editor.ok({1, 1, 1}), PresetWrite::Saved);
}

TEST_F(Presets, TheModeButtonsChangeOnlyTheirBitsAndAMissingFileWritesNothing)
{
    write(1, {presetLine("AKM", 0x0D, 0, {3})});
    ASSERT_TRUE(loadPresets(*presets, dir.path(), kUs));
    PresetEditor editor(*presets, dir.path(), kUs);
    PresetBoxes boxes;
    editor.holdMode(boxes);
    EXPECT_EQ(presets->records[0].mode, 0x0A);
    EXPECT_EQ(presets->records[0].repeatCount, 1);
    EXPECT_FALSE(boxes.repeatEnabled);
    presets->records[0].mode = 0x0F;
    presets->records[0].repeatCount = 0;
    editor.countMode(boxes);
    EXPECT_EQ(presets->records[0].mode, 0x04);
    EXPECT_EQ(boxes.repeat, u"1");
    EXPECT_TRUE(boxes.repeatEnabled);

    platform::os().files->deleteFile(dir.file("PUBG.dat"));
    EXPECT_EQ(editor.ok({1, 5, 30}), PresetWrite::FileMissing);
    EXPECT_FALSE(dir.exists(u"PUBG.dat"));
}
