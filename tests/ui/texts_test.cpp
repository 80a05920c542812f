// Button-function names of skin_main.ini, the language texts and the
// language switch of the skin tables.
#include "platform/platform.h"
#include "tests/ui/skin_fixture.h"
#include "ui/appearance.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

using namespace ui;

namespace {

const char* kFullFunString =
    "[FUN_STRING]\r\n"
    "0=Disabled\r\n"
    "1=Left,0,0,0,0,,0\r\n"
    "12=Forward,0,0,0,0,,0\r\n"
    "13=Back,0,0,0,0,,0\r\n"
    "14=DPI+,0,0,0,0,,0\r\n"
    "15=DPI-,0,0,0,0,,0\r\n"
    "16=DPI loop,0,0,0,0,,0\r\n"
    "17=Fire,0,0,0,0,,0\r\n"
    "18=Never shown,0,0,0,0,,0\r\n"
    "19=Profile 1,0,0,0,0,,0\r\n"
    "47=Last,0,0,0,0,,0\r\n"
    "30000=Web\r\n"
    "30001=Mail\r\n"
    "30002=Calc\r\n"
    "30003=My computer\r\n"
    "30004=Search\r\n";

std::vector<std::pair<Text, int>> keysAndPositions(const FunctionNames& fn)
{
    std::vector<std::pair<Text, int>> out;
    for (const MoreFunction& f : fn.moreFunctions)
        out.emplace_back(f.key, f.position);
    return out;
}

} // namespace

TEST(FunctionNames, FullListNumbersItsRowsWithoutGapsAndEntryZeroFirst)
{
    uitest::DataRoot root;
    root.ini("\\1_INI_EN", "skin_main.ini", kFullFunString);
    FunctionNames fn = loadFunctionNames(root.place(), u"Off");
    EXPECT_EQ(fn.name(0), u"Off") << "name 0 comes from the language texts";
    EXPECT_EQ(fn.name(1), u"Left");
    EXPECT_EQ(fn.name(19), u"Profile 1");
    EXPECT_EQ(fn.name(47), u"Last");
    EXPECT_EQ(fn.name(48), u"");
    EXPECT_EQ(fn.name(-1), u"");
    std::vector<std::pair<Text, int>> expected = {
        {u"12", 1}, {u"13", 2}, {u"14", 3}, {u"15", 4}, {u"16", 5}, {u"17", 6}, {u"0", 0},
        {u"30000", 7}, {u"30001", 8}, {u"30002", 9}, {u"30003", 10}, {u"30004", 11}};
    EXPECT_EQ(keysAndPositions(fn), expected);
    EXPECT_EQ(fn.extraCount, 5);
    EXPECT_EQ(fn.findKey(u"0")->text, u"Disabled");
    EXPECT_EQ(fn.findKey(u"30003")->text, u"My computer");
    EXPECT_EQ(fn.atPosition(2)->text, u"Back");
    EXPECT_EQ(fn.findKey(u"18"), nullptr) << "entry 18 is always left out";
}

TEST(FunctionNames, EmptyNamesAndEmptySpecialKeysCloseTheirGaps)
{
    uitest::DataRoot root;
    root.ini("\\1_INI_EN", "skin_main.ini",
             "[FUN_STRING]\r\n12=Forward,0,0,0,0,,0\r\n14=DPI+,0,0,0,0,,0\r\n17=Fire,0,0,0,0,,0\r\n"
             "30001=Mail\r\n30004=Search\r\n");
    FunctionNames fn = loadFunctionNames(root.place(), u"Off");
    std::vector<std::pair<Text, int>> expected = {{u"12", 1}, {u"14", 2}, {u"17", 3}, {u"30001", 4}, {u"30004", 5}};
    EXPECT_EQ(keysAndPositions(fn), expected);
    EXPECT_EQ(fn.extraCount, 2);
    EXPECT_EQ(fn.skipped, 4 + 3);
    EXPECT_EQ(fn.findKey(u"0"), nullptr) << "no entry 0 without a value for key 0";
}

TEST(FunctionNames, PlainKeysAreCutToTheirBuffers)
{
    uitest::DataRoot root;
    root.ini("\\1_INI_EN", "skin_main.ini",
             "[FUN_STRING]\r\n0=ABCDEFGHIJKL\r\n30000=12345678901234567890123\r\n");
    FunctionNames fn = loadFunctionNames(root.place(), u"");
    EXPECT_EQ(fn.findKey(u"0")->text, u"ABCDEFGHI");
    EXPECT_EQ(fn.findKey(u"30000")->text, u"1234567890123456789");
    EXPECT_EQ(fn.findKey(u"30000")->position, 0 + 8 - 7) << "all of 12..18 empty: seven skipped";
}

namespace {

std::string languageFile(const std::string& tip1, const std::string& other1)
{
    return "[TipText]\r\n1=" + tip1 + "\r\n5=File missing\r\n6=Disk full, retry\r\n7=a, b, c, d\r\n"
           "[UniqueName_MouseKey]\r\nfontFlag=\r\n3=read but not shown\r\n"
           "[UniqueName_DevMac]\r\n39=Record\r\n49=last key\r\n50=beyond the table\r\n"
           "[UniqueName_LED]\r\n1=Static\r\n"
           "[UniqueName_Other]\r\n1=" + other1 + "\r\n21=English\r\n26=Italiano\r\n"
           "[UniqueName_ShortCut]\r\n0=Copy\r\n";
}

} // namespace

TEST(LanguageTexts, SixSectionsOfFiftyEntriesReadThroughTheMainSplitter)
{
    uitest::DataRoot root;
    root.ini("\\1_INI_EN", "LanguageText.ini", languageFile("Mouse not connected:", "Off"));
    LanguageTexts texts;
    ASSERT_TRUE(texts.load(root.place()));
    EXPECT_EQ(texts.tip(1), u"Mouse not connected:");
    EXPECT_EQ(texts.tip(6), u"Disk full") << "one comma keeps what is before it";
    EXPECT_EQ(texts.tip(7), u"a, b, c, d") << "three commas keep the whole value";
    EXPECT_EQ(texts.get(TextSection::MouseKey, 3), u"read but not shown");
    EXPECT_EQ(texts.get(TextSection::DevMac, 39), u"Record");
    EXPECT_EQ(texts.get(TextSection::DevMac, 49), u"last key");
    EXPECT_EQ(texts.get(TextSection::DevMac, 50), u"") << "50 entries per section";
    EXPECT_EQ(texts.get(TextSection::Led, 1), u"Static");
    EXPECT_EQ(texts.get(TextSection::ShortCut, 0), u"Copy");
    EXPECT_EQ(texts.languageName(1), u"English");
    EXPECT_EQ(texts.languageName(6), u"Italiano");
    EXPECT_EQ(texts.get(TextSection::Tip, -1), u"");
}

TEST(LanguageTexts, ChineseTextsSurviveTheUtf16File)
{
    uitest::DataRoot root;
    root.ini("\\0_INI_CN", "LanguageText.ini", "[TipText]\r\n5=\xE6\x89\xBE\xE4\xB8\x8D\xE5\x88\xB0\xE6\x96\x87\xE4\xBB\xB6\r\n");
    LanguageTexts texts;
    ASSERT_TRUE(texts.load(root.place("\\0_INI_CN")));
    EXPECT_EQ(texts.tip(5), u"\u627E\u4E0D\u5230\u6587\u4EF6");
}

TEST(LanguageTexts, OfferedLanguagesAreEnglishThenItalian)
{
    EXPECT_EQ(kOfferedLanguages.size(), 2u);
    EXPECT_EQ(kOfferedLanguages[0], 1);
    EXPECT_EQ(kOfferedLanguages[1], 6);
}

namespace {

void writeLanguage(const uitest::DataRoot& root, const std::string& folder, const std::string& word, int x)
{
    std::string entry = "0=e," + std::to_string(x) + ",0,10,10," + word + ",0\r\n";
    root.ini(folder, "LanguageText.ini", languageFile(word + " tip", word + " off"));
    for (const char* f : {"skin_main.ini", "skin_color.ini", "skin_advance.ini", "skin_mac.ini", "LBWarning.ini",
                          "mac_color.ini"})
        root.ini(folder, f, "[BUTTONPOS]\r\n" + entry + "19=link,0,0,1,1,https://example.invalid/" + word + ",0\r\n");
}

} // namespace

TEST(Appearance, ApplyingALanguageStoresItAndReadsItsTextsAndEveryTable)
{
    uitest::DataRoot root;
    writeLanguage(root, "\\1_INI_EN", "English", 10);
    writeLanguage(root, "\\6_INI_IT", "Italiano", 60);
    testsupport::TempFolder config;
    Appearance look;
    look.place = root.place("\\1_INI_EN");
    look.language = 1;
    clearShownTips();
    ASSERT_TRUE(look.loadTextsAndPageSkins());
    ASSERT_TRUE(look.loadWarningSkins());
    EXPECT_EQ(look.skins.main[0].x, 10);
    EXPECT_EQ(look.skins.region19Text, u"https://example.invalid/English");
    EXPECT_EQ(look.skins.main[19].text, u"") << "region 19's text is kept apart";

    ASSERT_TRUE(look.applyLanguage(6, config.file("config.ini")));
    EXPECT_EQ(look.language, 6);
    EXPECT_EQ(platform::os().profile->getString(config.file("config.ini"), u"Init", u"VER_SEL", u"", 5), u"6");
    EXPECT_EQ(look.texts.tip(1), u"Italiano tip");
    EXPECT_EQ(look.texts.languageName(look.language), u"Italiano");
    EXPECT_EQ(look.skins.functions.name(0), u"Italiano off");
    for (int x : {look.skins.main[0].x, look.skins.color[0].x, look.skins.advanced[0].x, look.skins.mac[0].x,
                  look.skins.warning[0].x, look.skins.macColor[0].x})
        EXPECT_EQ(x, 60);
    EXPECT_TRUE(shownTips().empty());
}

TEST(Appearance, ALanguageWithMissingSkinFilesReportsTipFiveOncePerFile)
{
    uitest::DataRoot root;
    writeLanguage(root, "\\1_INI_EN", "English", 10);
    root.ini("\\6_INI_IT", "LanguageText.ini", languageFile("t", "o"));
    testsupport::TempFolder config;
    Appearance look;
    look.place = root.place("\\1_INI_EN");
    clearShownTips();
    EXPECT_FALSE(look.applyLanguage(6, config.file("config.ini")));
    EXPECT_EQ(shownTips(), std::vector<int>(6, 5));
    EXPECT_EQ(look.skins.main[0].width, 0) << "the old layout is not kept";
}

TEST(Appearance, LanguageWithoutAFolderReadsItsFilesFromTheDataRoot)
{
    uitest::DataRoot root;
    writeLanguage(root, "\\", "Root", 25);
    testsupport::TempFolder config;
    Appearance look;
    look.place = root.place("\\1_INI_EN");
    clearShownTips();
    EXPECT_TRUE(look.applyLanguage(25, config.file("config.ini")));
    EXPECT_EQ(look.place.languageFolder, u"");
    EXPECT_EQ(look.texts.tip(1), u"Root tip");
    EXPECT_EQ(look.skins.main[0].x, 25);
}
