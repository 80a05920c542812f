// A macro save that dies at any change to the disk leaves the group as it was
// or as saved after the next start, never a mixture and never nothing.
#include "macro/macro_file.h"
#include "macro/macro_library.h"

#include "platform/atomic_save.h"
#include "tests/macro/macro_test_support.h"
#include "tests/support/dying_files.h"
#include "tests/support/temp_folder.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

#include <limits>

using namespace macro;
using namespace macrotest;

namespace {

constexpr int kUs = 1;

std::string lineNamed(const std::string& name, int repeat)
{
    auto t = zeroTokensV3();
    setName(t, name);
    t[61] = repeat;
    return tokenLine(t);
}

// Every change of a save, each in a fresh copy of the old file; `found` tells
// what the next start finds, which must be what was there before or after.
template <class Setup, class Save, class Found>
void expectOldOrNew(Setup setup, Save save, Found found)
{
    setup();
    const auto before = found();
    setup();
    const int changes = testsupport::runDyingAt(std::numeric_limits<int>::max(), save);
    const auto after = found();
    ASSERT_NE(after, before);
    ASSERT_GE(changes, 3);
    for (int dieAt = 0; dieAt < changes; ++dieAt) {
        setup();
        ASSERT_EQ(testsupport::runDyingAt(dieAt, save), -1);
        const auto now = found();
        EXPECT_TRUE(now == before || now == after) << "died at change " << dieAt;
    }
}

} // namespace

TEST(DyingMacroSave, SavingIntoAnOlderGroupFileLeavesTheOldOrTheNewGroup)
{
    ui::clearShownTips();
    testsupport::TempFolder dir;
    const Text file = dir.file("Group.dat");
    auto table = std::make_unique<GroupTable>();
    expectOldOrNew(
        [&] {
            dir.writeText(u"Group.dat", groupFileText(2, 3, {olderLayout(lineNamed("one", 1)),
                                                             olderLayout(lineNamed("two", 2)),
                                                             olderLayout(lineNamed("three", 3))}));
            loadGroup(*table, file, kUs);
            (*table)[1].repeatCount = 9;
        },
        [&] { saveMacro(file, *table, 3, 1, kUs); },
        [&] {
            restoreMacroFile(file);
            auto loaded = std::make_unique<GroupTable>();
            // -1, neither the old nor the new group, when the file went missing.
            const int count = loadGroup(*loaded, file, kUs).value_or(-1);
            std::vector<int> seen{count};
            for (int i = 0; i < count; ++i)
                seen.push_back((*loaded)[i].repeatCount + 100 * (*loaded)[i].name[0]);
            return seen;
        });
    EXPECT_TRUE(ui::shownTips().empty()) << "the group file was never missing";
}

TEST(DyingMacroSave, TheGroupListKeepsItsOldOrNewNames)
{
    testsupport::TempFolder dir;
    for (const char* name : {"A.dat", "B.dat", "C.dat"})
        dir.writeText(T(name), groupFileText(3, 0, {}));
    auto lib = std::make_unique<Library>();
    expectOldOrNew(
        [&] {
            dir.writeText(u"macroGrp.ini", "[MACRO_GROUP_NUM]\r\nmacGrpNum=2\r\n[MACRO_GROUP_NAME]\r\n0=A\r\n1=B\r\n");
            lib->groupCount = 3;
            lib->groupNames = {u"A", u"C", u"B"};
        },
        [&] { writeGroupList(*lib, dir.path()); },
        [&] {
            auto read = std::make_unique<Library>();
            readGroupList(*read, dir.path());
            return std::vector<Text>(read->groupNames.begin(), read->groupNames.begin() + read->groupCount);
        });
}

TEST(DyingMacroSave, StartUpFallsBackOnTheBackupOfABrokenGroupFile)
{
    testsupport::TempFolder dir;
    const Text file = dir.file("Group.dat");
    dir.writeText(u"Group.dat", groupFileText(3, 1, {lineNamed("one", 1)}));
    auto table = std::make_unique<GroupTable>();
    ASSERT_EQ(loadGroup(*table, file, kUs), 1);
    ASSERT_TRUE(writeGroup(file, *table, 1, kUs));
    ASSERT_TRUE(dir.exists(u"Group.dat.bak"));

    dir.writeText(u"Group.dat", "");
    EXPECT_TRUE(restoreMacroFile(file));
    EXPECT_EQ(loadGroup(*table, file, kUs), 1);
    EXPECT_EQ((*table)[0].repeatCount, 1);
    EXPECT_FALSE(restoreMacroFile(file)) << "a readable file stays";
}
