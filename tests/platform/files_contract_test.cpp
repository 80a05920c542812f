#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/temp_folder.h"

using testsupport::TempFolder;

namespace {
platform::Files& files() { return *platform::os().files; }
}

TEST(FilesContract, CopyHonoursFailIfExistsAndMissingSources)
{
    TempFolder dir;
    dir.writeText(u"a.ini", "one");
    dir.writeText(u"b.ini", "two");
    EXPECT_FALSE(files().copyFile(dir.file("a.ini"), dir.file("b.ini"), true));
    EXPECT_EQ(dir.readText(u"b.ini"), "two");
    EXPECT_TRUE(files().copyFile(dir.file("a.ini"), dir.file("b.ini"), false));
    EXPECT_EQ(dir.readText(u"b.ini"), "one");
    EXPECT_FALSE(files().copyFile(dir.file("missing.ini"), dir.file("c.ini"), false));
    EXPECT_FALSE(dir.exists(u"c.ini"));
}

TEST(FilesContract, FoldersAndFiles)
{
    TempFolder dir;
    Text sub = dir.file("macro");
    EXPECT_TRUE(files().createDirectory(sub));
    EXPECT_FALSE(files().createDirectory(sub)) << "already there";
    EXPECT_TRUE(files().isDirectory(sub));
    EXPECT_FALSE(files().createDirectory(dir.file("no\\such\\parent")));

    Text f = sub + u"\\g.dat";
    EXPECT_TRUE(files().writeFile(f, {1, 2, 3}));
    EXPECT_TRUE(files().exists(f));
    EXPECT_FALSE(files().isDirectory(f));
    EXPECT_EQ(*files().readFile(f), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(files().listFiles(sub), std::vector<Text>{u"g.dat"});
    EXPECT_FALSE(files().removeDirectory(sub)) << "not empty";
    EXPECT_TRUE(files().deleteFile(f));
    EXPECT_FALSE(files().deleteFile(f));
    EXPECT_FALSE(files().readFile(f).has_value());
    EXPECT_TRUE(files().removeDirectory(sub));
    EXPECT_FALSE(files().exists(sub));
}

TEST(FilesContract, FolderCallsAcceptATrailingBackslash)
{
    TempFolder dir;
    Text sub = dir.file("macroReset\\");
    EXPECT_TRUE(files().createDirectory(sub));
    EXPECT_TRUE(files().isDirectory(dir.file("macroReset")));
    EXPECT_TRUE(files().isDirectory(sub));
    EXPECT_TRUE(files().removeDirectory(sub));
    EXPECT_FALSE(files().exists(dir.file("macroReset")));
}

TEST(FilesContract, ListingNamesOnlyPlainFilesSorted)
{
    TempFolder dir;
    dir.writeText(u"b.dat", "b");
    dir.writeText(u"A.dat", "a");
    dir.writeText(text::fromUtf8("宏.sdat"), "m");
    ASSERT_TRUE(files().createDirectory(dir.file("sub")));
    dir.writeText(u"sub\\inner.dat", "i");
    std::vector<Text> expected = {u"A.dat", u"b.dat", text::fromUtf8("宏.sdat")};
    EXPECT_EQ(files().listFiles(dir.path()), expected);
    EXPECT_EQ(files().listFiles(dir.path() + u"\\"), expected);
    EXPECT_TRUE(files().listFiles(dir.file("missing")).empty());
    EXPECT_TRUE(files().listFiles(dir.file("b.dat")).empty()) << "a file is not a folder";
}

TEST(FilesContract, ReadingAndWritingWholeFiles)
{
    TempFolder dir;
    Text f = dir.file(text::fromUtf8("中文 name.bin"));
    EXPECT_TRUE(files().writeFile(f, {1, 2, 3, 4, 5}));
    EXPECT_TRUE(files().writeFile(f, {9})) << "rewriting";
    EXPECT_EQ(*files().readFile(f), std::vector<std::uint8_t>{9}) << "the old tail is gone";
    EXPECT_TRUE(files().writeFile(f, {}));
    auto empty = files().readFile(f);
    ASSERT_TRUE(empty.has_value()) << "an empty file is not a missing one";
    EXPECT_TRUE(empty->empty());

    ASSERT_TRUE(files().createDirectory(dir.file("sub")));
    EXPECT_FALSE(files().readFile(dir.file("sub")).has_value());
    EXPECT_FALSE(files().writeFile(dir.file("sub"), {1}));
    EXPECT_FALSE(files().writeFile(dir.file("none\\x.bin"), {1}));
    EXPECT_FALSE(files().deleteFile(dir.file("sub"))) << "DeleteFileW does not remove folders";
    EXPECT_FALSE(files().removeDirectory(f)) << "nor RemoveDirectoryW files";
    EXPECT_FALSE(files().copyFile(dir.file("sub"), dir.file("sub2"), false));
    EXPECT_FALSE(files().copyFile(f, dir.file("none\\x.bin"), false));
    EXPECT_FALSE(files().copyFile(f, f, false)) << "a file does not copy onto itself";
    EXPECT_TRUE(files().exists(f));
}

TEST(FilesContract, StampTellsVersionsOfAFileApart)
{
    TempFolder dir;
    Text f = dir.file("main_normal.jpg");
    EXPECT_FALSE(files().stamp(f).has_value());
    ASSERT_TRUE(files().writeFile(f, {1, 2, 3}));
    auto first = files().stamp(f);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->size, 3u);
    EXPECT_EQ(files().stamp(f), first) << "an unchanged file keeps its stamp";
    ASSERT_TRUE(files().writeFile(f, {1, 2, 3, 4}));
    EXPECT_NE(files().stamp(f), first);
    ASSERT_TRUE(files().createDirectory(dir.file("sub")));
    EXPECT_FALSE(files().stamp(dir.file("sub")).has_value()) << "a folder has no stamp";
}

TEST(FilesContract, ReplacingAFileKeepsTheOldOneAsBackup)
{
    TempFolder dir;
    dir.writeText(u"config.ini", "old");
    dir.writeText(u"config.ini.bak", "older");
    dir.writeText(u"config.ini.tmp", "new");
    EXPECT_TRUE(files().replaceFile(dir.file("config.ini.tmp"), dir.file("config.ini"), dir.file("config.ini.bak")));
    EXPECT_EQ(dir.readText(u"config.ini"), "new");
    EXPECT_EQ(dir.readText(u"config.ini.bak"), "old");
    EXPECT_FALSE(dir.exists(u"config.ini.tmp"));

    dir.writeText(u"g.tmp", "first");
    EXPECT_TRUE(files().replaceFile(dir.file("g.tmp"), dir.file("g.dat"), dir.file("g.bak"))) << "no file yet";
    EXPECT_EQ(dir.readText(u"g.dat"), "first");
    EXPECT_FALSE(dir.exists(u"g.bak")) << "nothing to back up";
    EXPECT_FALSE(dir.exists(u"g.tmp"));

    dir.writeText(u"g.tmp", "second");
    EXPECT_TRUE(files().replaceFile(dir.file("g.tmp"), dir.file("g.dat"), Text())) << "without a backup";
    EXPECT_EQ(dir.readText(u"g.dat"), "second");
    EXPECT_FALSE(dir.exists(u"g.bak"));

    EXPECT_FALSE(files().replaceFile(dir.file("missing.tmp"), dir.file("g.dat"), dir.file("g.bak")));
    EXPECT_EQ(dir.readText(u"g.dat"), "second") << "a failed replace leaves the file alone";
    ASSERT_TRUE(files().createDirectory(dir.file("sub")));
    dir.writeText(u"x.tmp", "x");
    EXPECT_FALSE(files().replaceFile(dir.file("x.tmp"), dir.file("sub"), Text())) << "a folder is not replaced";
    EXPECT_TRUE(files().isDirectory(dir.file("sub")));
}
