#include "macro/macro_file.h"
#include "macro/presets.h"

#include "platform/platform.h"
#include "tests/macro/macro_test_support.h"
#include "tests/support/temp_folder.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

using namespace macro;
using namespace macrotest;

namespace {

constexpr int kUs = 1;

Text profileValue(const Text& file, const char* section, const char* key)
{
    return platform::os().profile->getString(file, T(section), T(key), u"<none>", 30000);
}

std::string lineWith(const std::string& name, int repeat, const std::vector<int>& extra = {})
{
    auto t = zeroTokensV3();
    setName(t, name);
    t[61] = repeat;
    for (size_t i = 0; i + 1 < extra.size(); i += 2)
        t[size_t(extra[i])] = extra[i + 1];
    return tokenLine(t);
}

class MacroFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ui::clearShownTips(); }
    testsupport::TempFolder dir;
    std::unique_ptr<GroupTable> table = std::make_unique<GroupTable>();
};

} // namespace

TEST_F(MacroFilesTest, GroupFileRoundTripsThroughTheTable)
{
    // Events: press of VK 'A', left button press, a move with X 20 Y 3.
    const std::string l0 = lineWith("First", 3, {63, 3, 65, 1, 82, 65, 89, 1, 90, 240, 97, 1, 98, 246, 99, 20, 101, 3});
    const std::string l1 = lineWith("Second", 1, {60, 2, 73, 0});
    dir.writeText(u"g.dat", groupFileText(3, 2, {l0, l1}));

    const int n = loadGroup(*table, dir.file("g.dat"), kUs).value_or(-1);
    ASSERT_EQ(n, 2);
    const MacroRecord& m0 = (*table)[0];
    EXPECT_EQ(recordName(m0), u"First");
    EXPECT_EQ(m0.repeatCount, 3);
    EXPECT_EQ(m0.code[0], 4);
    EXPECT_EQ(m0.code[1], kind::LeftButton);
    EXPECT_EQ(m0.code[2], kind::Move);
    EXPECT_EQ(m0.param[2].x, 20);
    EXPECT_EQ(recordName((*table)[1]), u"Second");

    ASSERT_TRUE(writeGroup(dir.file("copy.dat"), *table, n, kUs));
    EXPECT_EQ(profileValue(dir.file("copy.dat"), "Init", "DAT_VER"), u"3");
    EXPECT_EQ(profileValue(dir.file("copy.dat"), "Macros", "macroNum"), u"2");
    EXPECT_EQ(text::toUtf8(profileValue(dir.file("copy.dat"), "Macros", "0")), l0);
    EXPECT_EQ(text::toUtf8(profileValue(dir.file("copy.dat"), "Macros", "1")), l1);
    EXPECT_EQ(profileValue(dir.file("copy.dat"), "Macros", "2"), u"<none>");
}

TEST_F(MacroFilesTest, OlderFileLoadsLikeItsVersion3Twin)
{
    auto r = richRecord();
    const Text v3 = encodeMacroLine(*r, kUs);
    const Text v1 = v3.substr(0, 75 * 3) + v3.substr(81 * 3);
    dir.writeText(u"new.dat", groupFileText(3, 1, {text::toUtf8(v3)}));
    dir.writeText(u"old.dat", groupFileText(1, 1, {text::toUtf8(v1)}));
    // An old file without DAT_VER at all.
    dir.writeText(u"nover.dat", "[Macros]\r\nmacroNum=1\r\n0=" + text::toUtf8(v1) + "\r\n");

    auto other = std::make_unique<GroupTable>();
    auto third = std::make_unique<GroupTable>();
    ASSERT_EQ(loadGroup(*table, dir.file("new.dat"), kUs), 1);
    ASSERT_EQ(loadGroup(*other, dir.file("old.dat"), kUs), 1);
    ASSERT_EQ(loadGroup(*third, dir.file("nover.dat"), kUs), 1);
    MacroRecord expected = (*table)[0];
    expected.vAdjustSwitch = expected.vAdjustValue = 0;
    EXPECT_EQ((*other)[0], expected);
    EXPECT_EQ((*third)[0], expected);
}

TEST_F(MacroFilesTest, EmptyMissingAndOversizedGroupFiles)
{
    // Stale macros from a previous group do not survive a load.
    (*table)[0].eventCount = 9;
    dir.writeText(u"empty.dat", groupFileText(3, 0, {lineWith("ghost", 1)}));
    EXPECT_EQ(loadGroup(*table, dir.file("empty.dat"), kUs), 0);
    EXPECT_EQ((*table)[0], kEmptyRecord);
    EXPECT_TRUE(ui::shownTips().empty());

    (*table)[1].eventCount = 4;
    EXPECT_EQ(loadGroup(*table, dir.file("missing.dat"), kUs), std::nullopt);
    EXPECT_EQ((*table)[1], kEmptyRecord) << "a missing file leaves no macros behind";
    EXPECT_TRUE(ui::shownTips().empty()) << "the caller tells the user";

    // macroNum 14: twelve slots fill, the template slot stays empty.
    std::vector<std::string> lines;
    for (int i = 0; i < 14; ++i)
        lines.push_back(lineWith("m" + std::to_string(i), 1));
    dir.writeText(u"big.dat", groupFileText(3, 14, lines));
    EXPECT_EQ(loadGroup(*table, dir.file("big.dat"), kUs), 12);
    EXPECT_EQ(recordName((*table)[11]), u"m11");
    EXPECT_EQ((*table)[kTemplateSlot], kEmptyRecord);

    dir.writeText(u"neg.dat", groupFileText(3, -3, {lineWith("x", 1)}));
    EXPECT_EQ(loadGroup(*table, dir.file("neg.dat"), kUs), 0);
}

TEST_F(MacroFilesTest, SaveMacroWritesOnlyItsOwnLine)
{
    dir.writeText(u"g.dat", groupFileText(3, 2, {lineWith("keep", 1), lineWith("old", 1)}));
    setRecordName((*table)[1], u"new");
    (*table)[1].repeatCount = 1000;
    setRecordName((*table)[0], u"not saved");
    ASSERT_TRUE(saveMacro(dir.file("g.dat"), *table, 2, 1, kUs));
    EXPECT_EQ(profileValue(dir.file("g.dat"), "Init", "DAT_VER"), u"3");
    EXPECT_EQ(text::toUtf8(profileValue(dir.file("g.dat"), "Macros", "0")), lineWith("keep", 1));
    EXPECT_EQ(profileValue(dir.file("g.dat"), "Macros", "1"), encodeMacroLine((*table)[1], kUs));
    EXPECT_FALSE(saveMacro(dir.file("g.dat"), *table, 2, kTemplateSlot, kUs));
}

TEST_F(MacroFilesTest, SavingIntoAnOlderFileKeepsItsOtherMacrosReadable)
{
    const std::string a = lineWith("alpha", 7, {63, 1, 82, 65, 87, 100});
    const std::string b = lineWith("beta", 2);
    dir.writeText(u"old.dat", groupFileText(2, 2, {olderLayout(a), olderLayout(b)}));
    ASSERT_EQ(loadGroup(*table, dir.file("old.dat"), kUs), 2);
    const MacroRecord alpha = (*table)[0];
    EXPECT_EQ(alpha.code[0], 4);

    (*table)[1].repeatCount = 9;
    ASSERT_TRUE(saveMacro(dir.file("old.dat"), *table, 2, 1, kUs));
    auto again = std::make_unique<GroupTable>();
    ASSERT_EQ(loadGroup(*again, dir.file("old.dat"), kUs), 2);
    EXPECT_EQ((*again)[0], alpha);
    EXPECT_EQ((*again)[1].repeatCount, 9);
    // The unsaved line was moved token for token, not re-encoded.
    EXPECT_EQ(text::toUtf8(profileValue(dir.file("old.dat"), "Macros", "0")), a);

    EXPECT_EQ(upgradeMacroLine(u"065"), u"065" + Text(74 * 3, u'0') + Text(18, u'0'));
}

TEST_F(MacroFilesTest, UpgradingAnOlderFileKeepsTokensCutByTheLineEndAsTheyRead)
{
    const std::string full = olderLayout(lineWith("gamma", 300, {63, 1, 82, 65, 87, 100}));
    const std::vector<std::string> odd = {
        "65",                         // name "A": token 0 cut after two digits
        full.substr(0, 61 * 3 + 2),   // cut inside the repeat count
        full.substr(0, 80 * 3 + 1),   // cut inside the first event
        "0650x1999" + full.substr(9), // a token that is no number, one above 255
    };
    for (const std::string& line : odd)
        EXPECT_EQ(decodeMacroLine(upgradeMacroLine(text::fromUtf8(line)), 3, kUs),
                  decodeMacroLine(text::fromUtf8(line), 1, kUs))
            << line.substr(0, 40);

    dir.writeText(u"old.dat", groupFileText(1, 4, odd));
    ASSERT_EQ(loadGroup(*table, dir.file("old.dat"), kUs), 4);
    auto before = std::make_unique<GroupTable>(*table);
    EXPECT_EQ(recordName((*before)[0]), u"A");
    (*table)[3].repeatCount = 5;
    ASSERT_TRUE(saveMacro(dir.file("old.dat"), *table, 4, 3, kUs));
    auto again = std::make_unique<GroupTable>();
    ASSERT_EQ(loadGroup(*again, dir.file("old.dat"), kUs), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ((*again)[i], (*before)[i]) << "macro " << i;
}

TEST_F(MacroFilesTest, SingleMacroFileHoldsOneMacroLine)
{
    auto r = richRecord();
    ASSERT_TRUE(writeSingle(dir.file("one.sdat"), *r, kUs));
    EXPECT_EQ(profileValue(dir.file("one.sdat"), "Init", "DAT_VER"), u"3");
    EXPECT_EQ(profileValue(dir.file("one.sdat"), "Macros", "Macro"), encodeMacroLine(*r, kUs));
    EXPECT_EQ(profileValue(dir.file("one.sdat"), "Macros", "macroNum"), u"<none>");
}

TEST_F(MacroFilesTest, BuiltInMacrosLoadUpToThirteen)
{
    auto builtIn = std::make_unique<BuiltInTable>();
    EXPECT_FALSE(loadBuiltIn(*builtIn, dir.file("constMacro.dat"), kUs));
    EXPECT_EQ(builtIn->count, 0);
    EXPECT_TRUE(ui::shownTips().empty()) << "the caller tells the user";

    std::vector<std::string> lines;
    for (int i = 0; i < 15; ++i)
        lines.push_back(lineWith("b" + std::to_string(i), i));
    dir.writeText(u"constMacro.dat", groupFileText(3, 15, lines));
    ASSERT_TRUE(loadBuiltIn(*builtIn, dir.file("constMacro.dat"), kUs));
    EXPECT_EQ(builtIn->count, 13);
    EXPECT_EQ(recordName(builtIn->records[12]), u"b12");
    EXPECT_EQ(builtIn->records[12].repeatCount, 12);
}

class PresetFilesTest : public MacroFilesTest {
protected:
    std::unique_ptr<PresetTable> presets = std::make_unique<PresetTable>();
};

TEST_F(PresetFilesTest, MissingPresetFileLeavesNoPresets)
{
    presets->count = 3;
    EXPECT_FALSE(loadPresets(*presets, dir.path(), kUs));
    EXPECT_EQ(presets->count, 0);
    EXPECT_EQ(savePreset(*presets, 0, 7, dir.path(), kUs), PresetWrite::FileMissing);
    EXPECT_FALSE(dir.exists(u"PUBG.dat"));
    EXPECT_EQ(std::u16string(kPresetFileMissingText), u"Can't find the PUBG file.");
}

TEST_F(PresetFilesTest, SavingSetsEveryNonZeroYToTheStrength)
{
    // Preset 1: three moves with Y 3, 0, 3.
    const std::string moves = lineWith("M416", 1, {60, 2, 63, 3, 65, 3,
                                                   82, 246, 85, 3, 87, 30,
                                                   90, 246, 93, 0, 95, 30,
                                                   98, 246, 101, 3, 103, 30});
    const std::string akm = lineWith("AKM", 1, {60, 2, 63, 1, 65, 1, 82, 246, 85, 5, 87, 40});
    dir.writeText(u"PUBG.dat", groupFileText(1, 2, {olderLayout(akm), olderLayout(moves)}));
    ASSERT_TRUE(loadPresets(*presets, dir.path(), kUs));
    ASSERT_EQ(presets->count, 2);
    EXPECT_EQ(presets->names[0], u"AKM");
    EXPECT_EQ(presets->names[1], u"M416");
    EXPECT_TRUE(presets->names[2].empty());

    ASSERT_EQ(savePreset(*presets, 1, 7, dir.path(), kUs), PresetWrite::Saved);
    const MacroRecord& p = presets->records[1];
    EXPECT_EQ(p.param[0].y, 7);
    EXPECT_EQ(p.param[1].y, 0);
    EXPECT_EQ(p.param[2].y, 7);

    const Text file = dir.file("PUBG.dat");
    EXPECT_EQ(profileValue(file, "Init", "DAT_VER"), u"3");
    EXPECT_EQ(profileValue(file, "Macros", "macroNum"), u"2");
    // The file now says version 3, and preset 0, not saved, still reads the same.
    auto reread = std::make_unique<PresetTable>();
    ASSERT_TRUE(loadPresets(*reread, dir.path(), kUs));
    EXPECT_EQ(reread->records[1], p);
    EXPECT_EQ(reread->records[0], presets->records[0]);
    EXPECT_EQ(reread->records[0].param[0].y, 5);
    EXPECT_EQ(text::toUtf8(profileValue(file, "Macros", "0")), akm);

    EXPECT_EQ(savePreset(*presets, 2, 7, dir.path(), kUs), PresetWrite::NotAPreset);
}
