// The dialogs' skin reader reports its problems in plain message boxes.
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "tests/ui/skin_fixture.h"
#include "ui/language.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

using namespace ui;
namespace hl = platform::headless;

namespace {
const Text kMissing = u"\u627E\u4E0D\u5230\u914D\u7F6E\u6587\u4EF6";
const Text kBadEntry = u"\u52A0\u8F7Dini\u9519\u8BEF\uFF01";
} // namespace

TEST(DialogReader, MissingFileShowsTheMessageBoxCaptionedWithTheProgramName)
{
    uitest::DataRoot root;
    hl::windows().messageBoxes.clear();
    clearShownTips();
    std::array<SkinRegion, 4> table;
    EXPECT_FALSE(loadRegionTable(root.place(), u"skin_keyset.ini", u"BUTTONPOS", 0, table, SkinReader::Dialog));
    ASSERT_EQ(hl::windows().messageBoxes.size(), 1u);
    EXPECT_EQ(hl::windows().messageBoxes[0].text, kMissing);
    EXPECT_EQ(hl::windows().messageBoxes[0].caption, u"KVX_GMouse");
    EXPECT_TRUE(shownTips().empty());
}

TEST(DialogReader, EntryWithMoreThanSixCommasIsReportedAndStillLoads)
{
    uitest::DataRoot root;
    root.ini("\\1_INI_EN", "skin_gun.ini", "[BUTTONPOS]\r\n0=a,1,2,3,4,text,x,y\r\n1=b,1,2,3,4,ok,0\r\n");
    hl::windows().messageBoxes.clear();
    std::array<SkinRegion, 2> table;
    EXPECT_TRUE(loadRegionTable(root.place(), u"skin_gun.ini", u"BUTTONPOS", 0, table, SkinReader::Dialog));
    ASSERT_EQ(hl::windows().messageBoxes.size(), 1u);
    EXPECT_EQ(hl::windows().messageBoxes[0].text, kBadEntry);
    EXPECT_EQ(table[0].text, u"text");
    EXPECT_EQ(table[0].width, 3);
}

TEST(DialogReader, MissingLanguageFileLeavesEveryTextEmpty)
{
    uitest::DataRoot root;
    root.ini("\\1_INI_EN", "LanguageText.ini", "[TipText]\r\n1=old\r\n");
    LanguageTexts texts;
    ASSERT_TRUE(texts.load(root.place()));
    hl::windows().messageBoxes.clear();
    EXPECT_FALSE(texts.load(root.place("\\6_INI_IT")));
    EXPECT_EQ(texts.tip(1), u"");
    ASSERT_EQ(hl::windows().messageBoxes.size(), 1u);
    EXPECT_EQ(hl::windows().messageBoxes[0].text, kMissing);
}
