#include "macro/combination_macro.h"
#include "macro/macro_library.h"

#include "platform/platform.h"
#include "tests/macro/macro_test_support.h"
#include "tests/support/temp_folder.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

using namespace macro;
using namespace macrotest;

namespace {

constexpr int kUs = 1;

std::string lineNamed(const std::string& name, int repeat = 1)
{
    auto t = zeroTokensV3();
    setName(t, name);
    t[61] = repeat;
    return tokenLine(t);
}

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override { ui::clearShownTips(); }

    void writeList(int count, const std::vector<std::string>& names)
    {
        std::string s = "[MACRO_GROUP_NUM]\r\nmacGrpNum=" + std::to_string(count) + "\r\n[MACRO_GROUP_NAME]\r\n";
        for (size_t i = 0; i < names.size(); ++i)
            s += std::to_string(i) + "=" + names[i] + "\r\n";
        dir.writeText(u"macroGrp.ini", s);
    }
    void writeGroup(const std::string& name, const std::vector<std::string>& macroNames)
    {
        std::vector<std::string> lines;
        for (size_t i = 0; i < macroNames.size(); ++i)
            lines.push_back(lineNamed(macroNames[i], int(i) + 1));
        dir.writeText(text::fromUtf8(name + ".dat"), groupFileText(3, int(lines.size()), lines));
    }
    Text listValue(const char* section, const char* key)
    {
        return platform::os().profile->getString(dir.file("macroGrp.ini"), T(section), T(key), u"<none>", 100);
    }

    testsupport::TempFolder dir;
    std::unique_ptr<Library> lib = std::make_unique<Library>();
};

} // namespace

TEST_F(LibraryTest, GroupsWithoutFilesAreDroppedAndTheListRewritten)
{
    writeList(5, {"G0", "G1", "G2", "G3", "G4"});
    writeGroup("G0", {"a"});
    writeGroup("G1", {"b"});
    writeGroup("G4", {"e"});
    EXPECT_EQ(readGroupList(*lib, dir.path()), tip::FileMissing);
    ASSERT_EQ(lib->groupCount, 3);
    EXPECT_EQ(lib->groupNames[0], u"G0");
    EXPECT_EQ(lib->groupNames[1], u"G1");
    EXPECT_EQ(lib->groupNames[2], u"G4");
    EXPECT_TRUE(lib->groupNames[3].empty());
    EXPECT_EQ(lib->currentGroup, 0);
    EXPECT_TRUE(ui::shownTips().empty()) << "the caller tells the user";

    EXPECT_EQ(listValue("MACRO_GROUP_NUM", "macGrpNum"), u"3");
    EXPECT_EQ(listValue("MACRO_GROUP_NAME", "2"), u"G4");
    for (const char* key : {"3", "4", "11"})
        EXPECT_EQ(listValue("MACRO_GROUP_NAME", key), u"") << key;
}

TEST_F(LibraryTest, IntactListIsReadWithoutRewriting)
{
    writeList(2, {"G0", "G1"});
    writeGroup("G0", {});
    writeGroup("G1", {});
    const std::string before = dir.readText(u"macroGrp.ini");
    EXPECT_EQ(readGroupList(*lib, dir.path()), 0);
    EXPECT_EQ(lib->groupCount, 2);
    EXPECT_EQ(dir.readText(u"macroGrp.ini"), before);
    EXPECT_TRUE(ui::shownTips().empty());
}

TEST_F(LibraryTest, MissingListGivesAnEmptyLibrary)
{
    lib->groupNames[4] = u"stale";
    EXPECT_EQ(readGroupList(*lib, dir.path()), tip::FileMissing);
    EXPECT_EQ(lib->groupCount, 0);
    EXPECT_TRUE(lib->groupNames[4].empty());
    EXPECT_TRUE(ui::shownTips().empty());
    EXPECT_FALSE(dir.exists(u"macroGrp.ini"));
}

TEST_F(LibraryTest, MoreThanTwelveGroupsAreCutToTwelve)
{
    std::vector<std::string> names;
    for (int i = 0; i < 14; ++i) {
        names.push_back("G" + std::to_string(i));
        writeGroup(names.back(), {"m"});
    }
    writeList(14, names);
    readGroupList(*lib, dir.path());
    EXPECT_EQ(lib->groupCount, 12);
    EXPECT_EQ(lib->groupNames[11], u"G11");
    EXPECT_EQ(listValue("MACRO_GROUP_NUM", "macGrpNum"), u"12");
}

TEST_F(LibraryTest, GroupNamesThatLeaveTheMacroFolderCountAsMissing)
{
    // Files that the unsafe names would reach, if they were followed.
    dir.writeText(u"sub\\inner.dat", groupFileText(3, 1, {lineNamed("inner")}));
    dir.writeText(u"a..b.dat", groupFileText(3, 1, {lineNamed("dots")}));
    writeGroup("ok", {"fine"});
    writeList(8, {"sub\\inner", "sub/inner", "..\\macro\\ok", "C:ok", "a..b", "CON", "ok", "what?"});
    readGroupList(*lib, dir.path());
    ASSERT_EQ(lib->groupCount, 1);
    EXPECT_EQ(lib->groupNames[0], u"ok");

    for (const char16_t* name : {u"sub\\inner", u"sub/inner", u"..", u"x..", u"C:ok", u"a|b", u"a<b", u"a\"b",
                                 u"a*b", u"tab\there", u"", u"con", u"Lpt1", u"COM9.txt", u"nul ", u"CONOUT$"})
        EXPECT_FALSE(isSafeGroupName(name)) << text::toUtf8(name);
    for (const char16_t* name : {u"ok", u"my group", u"\u5B8F\u7EC4", u"a.b", u"COM", u"console", u"LPT10"})
        EXPECT_TRUE(isSafeGroupName(name)) << text::toUtf8(name);
}

TEST_F(LibraryTest, GroupMacrosAreNeverReadThroughAnUnsafeName)
{
    dir.writeText(u"sub\\inner.dat", groupFileText(3, 1, {lineNamed("inner")}));
    writeGroup("ok", {"fine"});
    writeList(2, {"sub\\inner", "ok"});
    EXPECT_FALSE(findGroupMacro(dir.path(), 0, 0, kUs).has_value());
    EXPECT_EQ(readGroupMacro(dir.path(), 0, 0, kUs), kEmptyRecord);
    EXPECT_EQ(recordName(readGroupMacro(dir.path(), 1, 0, kUs)), u"fine");
}

TEST_F(LibraryTest, CheckGroupFileLoadsTheCurrentTable)
{
    writeList(2, {"G0", "G1"});
    writeGroup("G0", {"a"});
    writeGroup("G1", {"x", "y", "z"});
    readGroupList(*lib, dir.path());
    EXPECT_TRUE(checkGroupFile(*lib, 1, false, dir.path(), kUs));
    EXPECT_EQ(lib->currentGroupMacroCount, 0);
    EXPECT_TRUE(checkGroupFile(*lib, 1, true, dir.path(), kUs));
    EXPECT_EQ(lib->currentGroupMacroCount, 3);
    EXPECT_EQ(recordName(lib->table[2]), u"z");
    EXPECT_FALSE(checkGroupFile(*lib, 2, true, dir.path(), kUs));
    EXPECT_FALSE(checkGroupFile(*lib, -1, true, dir.path(), kUs));
    EXPECT_EQ(lib->currentGroupMacroCount, 3);
}

TEST_F(LibraryTest, MacroNamesFollowTheGroupFiles)
{
    writeList(3, {"G0", "G1", "G2"});
    writeGroup("G0", {"one", "two"});
    writeGroup("G1", {});
    std::vector<std::string> many;
    for (int i = 0; i < 13; ++i)
        many.push_back("m" + std::to_string(i));
    writeGroup("G2", many);
    readGroupList(*lib, dir.path());
    lib->macroNames[1][0] = u"stale";
    lib->macroNames[5][0] = u"stale";
    readMacroNames(*lib, dir.path());
    EXPECT_EQ(lib->macroCounts[0], 2);
    EXPECT_EQ(lib->macroNames[0][1], u"two");
    EXPECT_EQ(lib->macroCounts[1], 0);
    EXPECT_TRUE(lib->macroNames[1][0].empty());
    EXPECT_EQ(lib->macroCounts[2], 12); // as many as a group can load
    EXPECT_EQ(lib->macroNames[2][11], u"m11");
    EXPECT_TRUE(lib->macroNames[5][0].empty());
}

TEST_F(LibraryTest, OpeningTheLibraryKnowsTheMacrosOfEveryGroupNotOnlyTheCurrentOne)
{
    writeList(2, {"Office", "Games"});
    writeGroup("Office", {"copy", "paste"});
    writeGroup("Games", {"burst", "jump", "crouch"});
    openLibrary(*lib, dir.path(), kUs);
    EXPECT_EQ(lib->groupCount, 2);
    EXPECT_EQ(lib->currentGroupMacroCount, 2);
    EXPECT_EQ(lib->macroCounts[1], 3) << "the download keeps buttons on Games macros only with this count";
    EXPECT_EQ(lib->macroNames[1][2], u"crouch");

    // Opened again (a language change) onto a folder without groups: nothing stale stays.
    writeList(0, {});
    openLibrary(*lib, dir.path(), kUs);
    EXPECT_EQ(lib->groupCount, 0);
    EXPECT_EQ(lib->currentGroupMacroCount, 0);
    EXPECT_EQ(lib->macroCounts[0], 0);
    EXPECT_EQ(lib->macroCounts[1], 0);
    EXPECT_TRUE(lib->macroNames[0][0].empty());
}

TEST_F(LibraryTest, GroupMacrosResolveOnlyWhileTheyExist)
{
    writeList(2, {"G0", "G1"});
    writeGroup("G0", {"a", "b"});
    writeGroup("G1", {});
    EXPECT_EQ(recordName(readGroupMacro(dir.path(), 0, 1, kUs)), u"b");
    EXPECT_EQ(readGroupMacro(dir.path(), 0, 1, kUs).repeatCount, 2);
    EXPECT_FALSE(findGroupMacro(dir.path(), 0, 2, kUs));
    EXPECT_FALSE(findGroupMacro(dir.path(), 1, 0, kUs));
    EXPECT_FALSE(findGroupMacro(dir.path(), 2, 0, kUs));
    EXPECT_FALSE(findGroupMacro(dir.path(), -1, 0, kUs));

    auto shortcut = std::make_unique<MacroRecord>();
    setRecordName(*shortcut, u"Ctrl+A");
    auto presets = std::make_unique<PresetTable>();
    presets->count = 1;
    setRecordName(presets->records[0], u"AKM");
    auto resolve = [&](int code) { return resolveButtonMacro(code, *shortcut, *presets, dir.path(), kUs); };
    EXPECT_EQ(recordName(*resolve(33)), u"Ctrl+A");
    EXPECT_EQ(*resolve(40), kEmptyRecord);
    EXPECT_EQ(recordName(*resolve(50)), u"AKM");
    EXPECT_FALSE(resolve(51));
    EXPECT_EQ(recordName(*resolve(256)), u"a");
    EXPECT_EQ(recordName(*resolve(257)), u"b");
    EXPECT_FALSE(resolve(258));
    EXPECT_FALSE(resolve(512));
    EXPECT_FALSE(resolve(1));
    EXPECT_FALSE(resolve(30000));
    presets->count = 0;
    EXPECT_FALSE(resolve(50));
}

TEST_F(LibraryTest, GroupNamesAreTrimmedWhenCreatedRenamedOrImportedAndStayUnique)
{
    writeList(2, {"Office", "Games"});
    writeGroup("Office", {"a"});
    writeGroup("Games", {"b"});
    openLibrary(*lib, dir.path(), kUs);

    EXPECT_EQ(groupNameFor(*lib, u"  Work \t"), u"Work");
    EXPECT_EQ(groupNameFor(*lib, u" games  "), u"games02") << "unique after trimming, whatever the case";
    EXPECT_EQ(groupNameFor(*lib, u"   "), u"");
    EXPECT_EQ(groupNameFor(*lib, u" Games ", 1), u"Games") << "a group may keep its own name";
    const Text longName = Text(58, u'x') + u" tail";
    EXPECT_EQ(groupNameFor(*lib, longName), Text(58, u'x')) << "cut to 59 characters, then trimmed again";

    EXPECT_EQ(importedGroupName(u"C:\\Users\\me\\ Games .dat"), u"Games");
    EXPECT_EQ(importedGroupName(u"/home/me/Shooter.DAT"), u"Shooter");
    EXPECT_TRUE(groupNameTaken(*lib, importedGroupName(u"C:\\x\\ games .dat")));
    EXPECT_FALSE(groupNameTaken(*lib, u"Games", 1));

    // A trimmed name survives the list file and the next start.
    lib->groupNames[2] = groupNameFor(*lib, u" Work ");
    lib->groupCount = 3;
    writeGroup("Work", {"c"});
    ASSERT_TRUE(writeGroupList(*lib, dir.path()));
    openLibrary(*lib, dir.path(), kUs);
    EXPECT_EQ(lib->groupCount, 3);
    EXPECT_EQ(lib->groupNames[2], u"Work");
}

TEST_F(LibraryTest, AGroupFileNamedWithBlanksIsFoundAndRenamedRatherThanTheGroupDropped)
{
    // An older version wrote " Shooter " into the list and named the file after it.
    writeList(3, {"Office", " Shooter ", "Gone"});
    writeGroup("Office", {"a"});
    writeGroup(" Shooter ", {"burst", "spray"});
    EXPECT_EQ(openLibrary(*lib, dir.path(), kUs), tip::FileMissing) << "only for the group without any file";

    EXPECT_EQ(lib->groupCount, 2);
    EXPECT_EQ(lib->groupNames[1], u"Shooter");
    EXPECT_EQ(lib->macroCounts[1], 2);
    EXPECT_TRUE(platform::os().files->exists(dir.file("Shooter.dat")));
    EXPECT_FALSE(platform::os().files->exists(dir.file(" Shooter .dat")));
    EXPECT_TRUE(ui::shownTips().empty());
}

TEST(UniqueNames, EqualNamesGetTheNextTwoDigitNumber)
{
    const std::vector<Text> none;
    const size_t max = 59;
    EXPECT_EQ(makeUniqueName(u"Group", none, max, true), u"Group");
    std::vector<Text> groups = {u"Group"};
    EXPECT_EQ(makeUniqueName(u"Group", groups, max, true), u"Group02");
    groups.push_back(u"Group02");
    EXPECT_EQ(makeUniqueName(u"Group", groups, max, true), u"Group03");

    const std::vector<Text> macros = {u"Burst05", u"Burst07", u"Other"};
    EXPECT_EQ(makeUniqueName(u"Burst05", macros, 29, false), u"Burst08");
    EXPECT_EQ(makeUniqueName(u"Burst06", macros, 29, false), u"Burst06");
    EXPECT_EQ(makeUniqueName(u"  Other", macros, 29, false), u"Other02");
    EXPECT_EQ(makeUniqueName(u"   ", macros, 29, false), u"");
    EXPECT_EQ(makeUniqueName(u"", macros, 29, false), u"");
    // A short name ending in digits is its own base.
    EXPECT_EQ(makeUniqueName(u"42", std::vector<Text>{u"42"}, 29, false), u"4202");
}

TEST(UniqueNames, GroupNamesDifferingInCaseWouldShareAFile)
{
    const std::vector<Text> groups = {u"Sniper"};
    EXPECT_EQ(makeUniqueName(u"SNIPER", groups, 59, true), u"SNIPER02");
    EXPECT_EQ(makeUniqueName(u"SNIPER", groups, 29, false), u"SNIPER");
}

TEST(UniqueNames, ResultFitsTheFieldAndIsReallyFree)
{
    const Text full(29, u'x');
    EXPECT_EQ(makeUniqueName(full, std::vector<Text>{full}, 29, false), Text(27, u'x') + u"02");
    // Typed names longer than the field are compared as they will be stored.
    EXPECT_EQ(makeUniqueName(full + u"yy", std::vector<Text>{full}, 29, false), Text(27, u'x') + u"02");
    // "A99" takes the number after 99, and "A100" is already there.
    EXPECT_EQ(makeUniqueName(u"A", std::vector<Text>{u"A", u"A99", u"A100"}, 29, false), u"A101");
}

TEST(CombinationMacro, CtrlWithAPressesBothKeysWhileHeld)
{
    auto r = std::make_unique<MacroRecord>();
    r->ledCount = 3; // whatever the record held before is cleared
    buildCombinationMacro(*r, u"Ctrl&split&162&split&Shift&split&&split&Alt&split&&split&Win&split&&split&A&split&65",
                          kUs);
    EXPECT_EQ(recordName(*r), u"Ctrl+A");
    EXPECT_EQ(r->mode, cycle::WhileHeld);
    EXPECT_EQ(r->repeatCount, 1);
    ASSERT_EQ(r->eventCount, 2);
    EXPECT_EQ(r->code[0], 224);
    EXPECT_EQ(r->code[1], 4);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(r->sub[k], sub::Press);
        EXPECT_EQ(r->delay[k], 4);
    }
    EXPECT_EQ(r->code[2], 0);
    EXPECT_EQ(r->ledCount, 0);
}

TEST(CombinationMacro, KeysFollowTheLanguageAndOddTextsStayBounded)
{
    auto r = std::make_unique<MacroRecord>();
    buildCombinationMacro(*r, u"Z&split&90", 4); // German layout: Z is the key right of T
    EXPECT_EQ(r->code[0], 28);

    buildCombinationMacro(*r, u"Ctrl&split&&split&Shift&split&&split&Alt&split&&split&Win&split&&split&&split&", kUs);
    EXPECT_EQ(r->eventCount, 0);
    EXPECT_EQ(recordName(*r), u"");
    EXPECT_EQ(r->mode, cycle::WhileHeld);

    buildCombinationMacro(*r, u"Ctrl&split&162&split&Shift", kUs); // unpaired tail ignored
    EXPECT_EQ(r->eventCount, 1);
    EXPECT_EQ(recordName(*r), u"Ctrl");

    // Long names are cut with the terminator kept; hundreds of pairs stay within 275 events.
    Text many;
    for (int i = 0; i < 400; ++i)
        many += u"Shift&split&160&split&";
    buildCombinationMacro(*r, many, kUs);
    EXPECT_EQ(r->eventCount, kMaxEvents);
    EXPECT_EQ(recordName(*r).size(), 29u);
    EXPECT_EQ(r->name[29], 0);

    EXPECT_EQ(splitShortcutText(u"a&split&&split&b"), (std::vector<Text>{u"a", u"", u"b"}));
}
