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
