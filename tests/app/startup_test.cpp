#include <gtest/gtest.h>

#include "app/startup.h"
#include "tests/support/temp_folder.h"

using testsupport::TempFolder;

TEST(Startup, CommandLineLooksOnlyAtFourCharactersAfterTheLastDash)
{
    EXPECT_TRUE(app::commandLineAsksHide(u"\"C:\\KVX\\KVX_GMouse.exe\" -HIDE"));
    EXPECT_FALSE(app::commandLineAsksHide(u"\"C:\\KVX\\KVX_GMouse.exe\" -hide"));
    EXPECT_TRUE(app::commandLineAsksHide(u"KVX_GMouse.exe -HIDEX"));
    EXPECT_FALSE(app::commandLineAsksHide(u"KVX_GMouse.exe -HIDE -silent"));
    EXPECT_FALSE(app::commandLineAsksHide(u"KVX_GMouse.exe -HID"));
    EXPECT_FALSE(app::commandLineAsksHide(u"KVX_GMouse.exe -silent"));
    EXPECT_TRUE(app::commandLineAsksHide(u"HIDE.exe")) << "no dash: the first four characters";
    EXPECT_FALSE(app::commandLineAsksHide(u""));
    EXPECT_FALSE(app::commandLineAsksHide(u"x-"));
}

TEST(Startup, TitleFollowsTheLanguage)
{
    TempFolder dir;
    dir.write(u"config.ini", testsupport::utf16LeWithBom(
        "[Init]\r\nVER_SEL=1\r\nCurConfig=2\r\n[PRODUCTNAME]\r\nPRODUCTNAME_CN=KVX 游戏鼠标\r\nPRODUCTNAME_EN=KVX Gaming Mouse\r\n"));
    app::StartupValues v;
    app::readStartupValues(dir.file("config.ini"), v);
    EXPECT_EQ(v.language, 1);
    EXPECT_EQ(v.windowTitle(), u"KVX Gaming Mouse");
    EXPECT_EQ(v.currentConfig, 2);
    EXPECT_EQ(v.sectionName, u"Config2");

    for (const char* sel : {"0", "", "abc"}) {
        dir.write(u"config.ini", testsupport::utf16LeWithBom(std::string("[Init]\r\nVER_SEL=") + sel +
            "\r\n[PRODUCTNAME]\r\nPRODUCTNAME_CN=KVX 游戏鼠标\r\nPRODUCTNAME_EN=KVX Gaming Mouse\r\n"));
        app::readStartupValues(dir.file("config.ini"), v);
        EXPECT_EQ(v.windowTitle(), text::fromUtf8("KVX 游戏鼠标")) << sel;
    }
    dir.writeText(u"config.ini", "[Init]\r\nVER_SEL=7\r\n[PRODUCTNAME]\r\nPRODUCTNAME_EN=Mouse\r\n");
    app::readStartupValues(dir.file("config.ini"), v);
    EXPECT_EQ(v.windowTitle(), u"Mouse");
}

TEST(Startup, MissingEmptyOrHugeValuesGiveTheDefaults)
{
    TempFolder dir;
    app::StartupValues v;
    app::readStartupValues(dir.file("missing.ini"), v);
    EXPECT_EQ(v.language, 0);
    EXPECT_EQ(v.currentConfig, 0);
    EXPECT_EQ(v.sectionName, u"Config");
    EXPECT_EQ(v.windowTitle(), u"");

    dir.writeText(u"config.ini", "[Init]\r\nVER_SEL=999999999999\r\nCurConfig=77777\r\n[PRODUCTNAME]\r\nPRODUCTNAME_EN=" +
                                  std::string(500, 'M') + "\r\n");
    app::readStartupValues(dir.file("config.ini"), v);
    EXPECT_EQ(v.language, 9999 & 0xFF) << "four characters, cut to 8 bits";
    EXPECT_EQ(v.currentConfig, 0) << "out of range falls back to the first configuration";
    EXPECT_EQ(v.sectionName, u"Config7777");
    EXPECT_EQ(v.productNameEn.size(), 49u);

    dir.writeText(u"config.ini", "[Init]\r\nVER_SEL=-1\r\n");
    app::readStartupValues(dir.file("config.ini"), v);
    EXPECT_EQ(v.language, 255);
}
