#include <gtest/gtest.h>

#include "app/paths.h"

TEST(Paths, LanguageFoldersCoverTwentyNineIndexesAndFallBackToTheDataRoot)
{
    EXPECT_EQ(app::languageFolder(0), u"\\0_INI_CN");
    EXPECT_EQ(app::languageFolder(1), u"\\1_INI_EN");
    EXPECT_EQ(app::languageFolder(6), u"\\6_INI_IT");
    EXPECT_EQ(app::languageFolder(18), u"\\18_INI_POBR");
    EXPECT_EQ(app::languageFolder(24), u"\\24_INI_UA");
    EXPECT_EQ(app::languageFolder(26), u"\\26_INI_HUN");
    EXPECT_EQ(app::languageFolder(29), u"\\29_INI_HEB");
    int named = 0;
    for (int i = -5; i < 300; ++i)
        named += app::languageFolder(i).empty() ? 0 : 1;
    EXPECT_EQ(named, 29);
    for (int i : {25, -1, 30, 255})
        EXPECT_EQ(app::languageFolder(i), u"") << i;

    app::Paths p;
    p.setDataRoot(u"C:\\Games\\KVX");
    p.setMacroFolders(25);
    EXPECT_EQ(p.macroFolder, u"C:\\Games\\KVX\\skins\\macro\\");
    EXPECT_EQ(p.macroResetFolder, u"C:\\Games\\KVX\\skins\\macroReset\\");
    p.setMacroFolders(6);
    EXPECT_EQ(p.macroFolder, u"C:\\Games\\KVX\\skins\\6_INI_IT\\macro\\");
    EXPECT_EQ(p.configFile, u"C:\\Games\\KVX\\skins\\config\\config.ini");
    EXPECT_EQ(p.configFolder, u"C:\\Games\\KVX\\skins\\config\\");
}

TEST(Paths, ExecutableFolderIsCutBeforeTheLastBackslash)
{
    EXPECT_EQ(app::executableFolderOf(u"C:\\Program Files\\KVX\\KVX_GMouse.exe"), u"C:\\Program Files\\KVX");
    EXPECT_EQ(app::executableFolderOf(u"D:\\KVX_GMouse.exe"), u"D:");
    app::Paths p;
    p.setDataRoot(app::executableFolderOf(u"D:\\KVX_GMouse.exe"));
    EXPECT_EQ(p.dataRoot, u"D:\\skins");
}
