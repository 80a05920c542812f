#include "macro/library_commands.h"

#include "platform/platform.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

using namespace macro;

namespace {

class LibraryCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        place.macroFolder = dir.path();
        place.resetFolder = reset.path();
        place.configFolder = config.path();
    }
    Text listName(int i)
    {
        return platform::os().profile->getString(dir.file("macroGrp.ini"), u"MACRO_GROUP_NAME", text::fromInt(i),
                                                 u"<none>", 100);
    }
    // A library read back from the files, as the next start would see it.
    std::unique_ptr<Library> reread()
    {
        auto fresh = std::make_unique<Library>();
        readGroupList(*fresh, dir.path());
        readMacroNames(*fresh, dir.path());
        return fresh;
    }

    testsupport::TempFolder dir, reset, config, elsewhere;
    LibraryPlace place;
    std::unique_ptr<Library> lib = std::make_unique<Library>();
};

} // namespace

TEST_F(LibraryCommandsTest, NewGroupsAndMacrosGetNumberedNames)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(newGroup(*lib, place, u"Macro group"));
    EXPECT_EQ(lib->groupNames[1], u"Macro group02");
    EXPECT_EQ(lib->groupNames[2], u"Macro group03");
    EXPECT_EQ(lib->currentGroup, 2);
    EXPECT_TRUE(dir.exists(u"Macro group03.dat"));
    EXPECT_EQ(listName(2), u"Macro group03");

    ASSERT_TRUE(newMacro(*lib, place, 1, u"New macro"));
    ASSERT_TRUE(newMacro(*lib, place, 1, u"New macro"));
    EXPECT_EQ(lib->currentGroup, 1);
    EXPECT_EQ(lib->currentMacro, 1);
    EXPECT_TRUE(lib->opened[1]);
    auto again = reread();
    EXPECT_EQ(again->macroCounts[1], 2);
    EXPECT_EQ(again->macroNames[1][1], u"New macro02");
    const auto rows = libraryRows(*lib);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[2].kind, librow::Macro);
    EXPECT_EQ(rows[3].text, u"New macro02");
    EXPECT_EQ(rowOf(rows, 2), 4);
}

TEST_F(LibraryCommandsTest, LimitsOfTwelveGroupsAndTwelveMacros)
{
    for (int i = 0; i < kMaxGroups; ++i)
        ASSERT_TRUE(newGroup(*lib, place, u"G"));
    EXPECT_EQ(newGroup(*lib, place, u"G").tip, tip::TooManyGroups);
    for (int i = 0; i < kMaxMacrosPerGroup; ++i)
        ASSERT_TRUE(newMacro(*lib, place, 0, u"M"));
    EXPECT_EQ(newMacro(*lib, place, 0, u"M").tip, tip::Full);
    dir.writeText(u"more.dat", "");
    EXPECT_EQ(importGroup(*lib, place, dir.file("more.dat")).tip, tip::Full);
}

TEST_F(LibraryCommandsTest, NamesThatCouldLeaveTheMacroFolderAreRefused)
{
    ASSERT_TRUE(newGroup(*lib, place, u"Safe"));
    for (const char16_t* bad : {u"..\\..\\evil", u"a/b", u"C:x", u"CON", u"nul.txt", u"COM1", u"a*b", u"x\ty"}) {
        SCOPED_TRACE(text::toUtf8(bad));
        const Renamed r = renameGroup(*lib, place, 0, bad);
        EXPECT_EQ(r.outcome.tip, tip::BadName);
        EXPECT_EQ(r.shown, u"Safe");
    }
    EXPECT_EQ(lib->groupNames[0], u"Safe");
    EXPECT_EQ(listName(0), u"Safe");
    dir.writeText(u"LPT1.dat", "");
    EXPECT_EQ(importGroup(*lib, place, dir.file("LPT1.dat")).tip, tip::BadName);
    EXPECT_EQ(lib->groupCount, 1);
}

TEST_F(LibraryCommandsTest, RenamingAGroupMovesItsFile)
{
    newGroup(*lib, place, u"One");
    newGroup(*lib, place, u"Two");
    newMacro(*lib, place, 0, u"m");
    const Renamed r = renameGroup(*lib, place, 0, u"  Two  ");
    EXPECT_TRUE(r.outcome);
    EXPECT_EQ(r.shown, u"Two02");
    EXPECT_FALSE(dir.exists(u"One.dat"));
    EXPECT_TRUE(dir.exists(u"Two02.dat"));
    EXPECT_EQ(reread()->macroNames[0][0], u"m");
    EXPECT_EQ(renameGroup(*lib, place, 0, u"   ").shown, u"Two02");
    // Only the case changes.
    EXPECT_TRUE(renameGroup(*lib, place, 1, u"TWO").outcome);
    EXPECT_EQ(reread()->groupNames[1], u"TWO");
    EXPECT_EQ(reread()->groupCount, 2);
}

TEST_F(LibraryCommandsTest, RenamingAMacroKeepsItUniqueInItsGroup)
{
    newGroup(*lib, place, u"G");
    for (const char16_t* n : {u"Fire05", u"Fire07", u"Other"})
        newMacro(*lib, place, 0, n);
    const Renamed r = renameMacro(*lib, place, 0, 2, u"Fire05");
    EXPECT_EQ(r.shown, u"Fire08");
    EXPECT_EQ(reread()->macroNames[0][2], u"Fire08");
    EXPECT_EQ(recordName(lib->table[2]), u"Fire08");
}

TEST_F(LibraryCommandsTest, DeletingAMacroRewritesTheGroupFile)
{
    newGroup(*lib, place, u"G");
    for (const char16_t* n : {u"a", u"b", u"c"})
        newMacro(*lib, place, 0, n);
    ASSERT_TRUE(deleteMacro(*lib, place, 0));
    EXPECT_EQ(lib->currentGroupMacroCount, 2);
    auto again = reread();
    EXPECT_EQ(again->macroCounts[0], 2);
    EXPECT_EQ(again->macroNames[0][0], u"b");
    EXPECT_EQ(again->macroNames[0][1], u"c");
    EXPECT_FALSE(dir.exists(u"G.dat.tmp"));
}

TEST_F(LibraryCommandsTest, AFailedRewriteLeavesTheOldFileIntact)
{
    newGroup(*lib, place, u"G");
    newMacro(*lib, place, 0, u"a");
    newMacro(*lib, place, 0, u"b");
    const std::string before = dir.readText(u"G.dat");
    // The temporary file cannot be made: a folder is in its place.
    ASSERT_TRUE(platform::os().files->createDirectory(dir.file("G.dat.tmp")));
    EXPECT_EQ(deleteMacro(*lib, place, 0).tip, tip::WriteFailed);
    EXPECT_EQ(dir.readText(u"G.dat"), before);
    EXPECT_EQ(lib->currentGroupMacroCount, 2);
    EXPECT_EQ(recordName(lib->table[0]), u"a");
}

TEST_F(LibraryCommandsTest, DeletingAGroupShiftsTheOthersAndLoadsTheFirst)
{
    for (const char16_t* n : {u"A", u"B", u"C"})
        newGroup(*lib, place, n);
    newMacro(*lib, place, 0, u"a0");
    newMacro(*lib, place, 2, u"c0");
    ASSERT_TRUE(deleteGroup(*lib, place, 1));
    EXPECT_FALSE(dir.exists(u"B.dat"));
    EXPECT_EQ(lib->groupCount, 2);
    EXPECT_EQ(lib->groupNames[1], u"C");
    EXPECT_EQ(lib->currentGroup, 0);
    EXPECT_EQ(recordName(lib->table[0]), u"a0");
    EXPECT_EQ(listName(1), u"C");
    EXPECT_EQ(listName(2), u"");
    EXPECT_EQ(lib->macroCounts[1], 1);
    ASSERT_TRUE(deleteGroup(*lib, place, 0));
    ASSERT_TRUE(deleteGroup(*lib, place, 0));
    EXPECT_EQ(lib->groupCount, 0);
    EXPECT_EQ(lib->table[0], kEmptyRecord);
    EXPECT_FALSE(deleteGroup(*lib, place, 0));
}

TEST_F(LibraryCommandsTest, AGroupsBackupGoesWithItsFileSoANewGroupOfItsNameStartsEmpty)
{
    auto groupWithBackup = [&](const char16_t* name) {
        ASSERT_TRUE(newGroup(*lib, place, name));
        ASSERT_TRUE(newMacro(*lib, place, lib->groupCount - 1, u"m"));
        ASSERT_TRUE(newMacro(*lib, place, lib->groupCount - 1, u"n"));
        ASSERT_TRUE(dir.exists(Text(name) + u".dat.bak"));
    };
    groupWithBackup(u"Gone");
    groupWithBackup(u"Old");
    ASSERT_TRUE(deleteGroup(*lib, place, 0));
    EXPECT_FALSE(dir.exists(u"Gone.dat.bak"));
    ASSERT_TRUE(renameGroup(*lib, place, 0, u"New").outcome);
    EXPECT_FALSE(dir.exists(u"Old.dat.bak"));
    EXPECT_TRUE(dir.exists(u"New.dat.bak")) << "the backup follows its group";

    // An empty group file is not usable, so a stale backup would be restored into it.
    ASSERT_TRUE(newGroup(*lib, place, u"Gone"));
    ASSERT_TRUE(newGroup(*lib, place, u"Old"));
    auto again = reread();
    ASSERT_EQ(again->groupCount, 3);
    EXPECT_EQ(again->macroCounts[0], 2);
    EXPECT_EQ(again->macroCounts[1], 0);
    EXPECT_EQ(again->macroCounts[2], 0);

    // A backup left by a program that did not yet remove it goes when the name is taken again.
    dir.writeText(u"Stale.dat.bak", dir.readText(u"New.dat"));
    ASSERT_TRUE(newGroup(*lib, place, u"Stale"));
    EXPECT_EQ(reread()->macroCounts[3], 0);
}

TEST_F(LibraryCommandsTest, ExportThenImportUnderANewName)
{
    newGroup(*lib, place, u"Games");
    newMacro(*lib, place, 0, u"Burst");
    lib->table[0].repeatCount = 3;
    ASSERT_TRUE(exportGroup(*lib, place, elsewhere.file("Games.dat")));
    EXPECT_EQ(importGroup(*lib, place, elsewhere.file("Games.dat")).tip, tip::GroupNameTaken);
    EXPECT_EQ(lib->groupCount, 1);

    ASSERT_TRUE(platform::os().files->copyFile(elsewhere.file("Games.dat"), elsewhere.file("Shooter.dat"), false));
    ASSERT_TRUE(importGroup(*lib, place, elsewhere.file("Shooter.dat")));
    EXPECT_EQ(lib->groupNames[1], u"Shooter");
    EXPECT_EQ(lib->currentGroup, 1);
    EXPECT_EQ(lib->table[0].repeatCount, 3);
    EXPECT_EQ(recordName(lib->table[0]), u"Burst");
    EXPECT_EQ(reread()->groupCount, 2);

    config.writeText(u"PUBG.dat", "");
    EXPECT_FALSE(importGroup(*lib, place, config.file("PUBG.dat")));
    EXPECT_EQ(lib->groupCount, 2);
}

TEST_F(LibraryCommandsTest, SingleMacroRoundTripGetsAUniqueName)
{
    newGroup(*lib, place, u"G");
    newMacro(*lib, place, 0, u"Burst");
    lib->table[0].mode = cycle::Toggle;
    ASSERT_TRUE(exportSingleMacro(*lib, place, elsewhere.file("b.sdat")));
    ASSERT_TRUE(importSingleMacro(*lib, place, 0, elsewhere.file("b.sdat")));
    EXPECT_EQ(lib->currentGroupMacroCount, 2);
    EXPECT_EQ(recordName(lib->table[1]), u"Burst02");
    EXPECT_EQ(lib->table[1].mode, cycle::Toggle);
    EXPECT_EQ(reread()->macroNames[0][1], u"Burst02");
}

TEST_F(LibraryCommandsTest, SingleMacroFilesThatAreNotWholeAreRefusedAndChangeNothing)
{
    newGroup(*lib, place, u"G");
    newMacro(*lib, place, 0, u"Burst");
    ASSERT_TRUE(exportSingleMacro(*lib, place, elsewhere.file("good.sdat")));
    const std::string good = elsewhere.readText(u"good.sdat");
    const size_t at = good.find("Macro=") + 6;
    const std::string line = good.substr(at, good.find_first_of("\r\n", at) - at);
    ASSERT_EQ(line.size(), size_t(kTokenCountV3) * 3);
    const std::string head = "[Init]\r\nDAT_VER=3\r\n[Macros]\r\nMacro=";
    std::string tooMany = line;
    tooMany.replace(63 * 3, 6, "020001"); // 276 events
    const std::vector<std::pair<const char*, std::string>> bad = {
        {"cut.sdat", head + line.substr(0, line.size() / 2) + "\r\n"},
        {"binary.sdat", head + std::string("\x01\xff\x7fPK") + line.substr(5) + "\r\n"},
        {"newer.sdat", "[Init]\r\nDAT_VER=4\r\n[Macros]\r\nMacro=" + line + "\r\n"},
        {"over.sdat", head + tooMany + "\r\n"},
        {"empty.sdat", "[Init]\r\nDAT_VER=3\r\n"},
    };
    const std::string groupFile = dir.readText(u"G.dat");
    for (const auto& [name, content] : bad) {
        elsewhere.writeText(T(name), content);
        const Outcome o = importSingleMacro(*lib, place, 0, elsewhere.file(name));
        EXPECT_FALSE(o) << name;
        EXPECT_EQ(o.tip, tip::Failed) << name;
        EXPECT_EQ(lib->currentGroupMacroCount, 1) << name;
        EXPECT_EQ(dir.readText(u"G.dat"), groupFile) << name;
    }
    EXPECT_TRUE(importSingleMacro(*lib, place, 0, elsewhere.file("good.sdat")));
}

TEST_F(LibraryCommandsTest, ResetRestoresTheFactoryGroupsButNeverEmptiesTheLibrary)
{
    newGroup(*lib, place, u"Mine");
    EXPECT_EQ(resetLibrary(*lib, place).tip, tip::FileMissing);
    EXPECT_TRUE(dir.exists(u"Mine.dat"));

    reset.writeText(u"macroGrp.ini", "[MACRO_GROUP_NUM]\r\nmacGrpNum=1\r\n[MACRO_GROUP_NAME]\r\n0=Factory\r\n");
    reset.writeText(u"Factory.dat", "[Init]\r\nDAT_VER=3\r\n[Macros]\r\nmacroNum=0\r\n");
    ASSERT_TRUE(resetLibrary(*lib, place));
    EXPECT_FALSE(dir.exists(u"Mine.dat"));
    EXPECT_EQ(lib->groupCount, 1);
    EXPECT_EQ(lib->groupNames[0], u"Factory");
}

TEST_F(LibraryCommandsTest, AResetThatLosesAFactoryGroupReportsItBeforeItsOwnTip)
{
    reset.writeText(u"macroGrp.ini",
                    "[MACRO_GROUP_NUM]\r\nmacGrpNum=2\r\n[MACRO_GROUP_NAME]\r\n0=Factory\r\n1=Lost\r\n");
    reset.writeText(u"Factory.dat", "[Init]\r\nDAT_VER=3\r\n[Macros]\r\nmacroNum=0\r\n");
    const Outcome o = resetLibrary(*lib, place);
    EXPECT_TRUE(o);
    EXPECT_EQ(o.listTip, tip::FileMissing) << "the listed group without a file was dropped";
    EXPECT_EQ(o.tip, 0);
    EXPECT_EQ(lib->groupCount, 1);

    reset.writeText(u"macroGrp.ini", "[MACRO_GROUP_NUM]\r\nmacGrpNum=1\r\n[MACRO_GROUP_NAME]\r\n0=Factory\r\n");
    EXPECT_EQ(resetLibrary(*lib, place).listTip, 0);
}
