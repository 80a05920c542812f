// Skin entries, region tables, hit-testing and region copies.
#include "platform/platform.h"
#include "tests/ui/skin_fixture.h"
#include "ui/skin.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

#include <array>

using namespace ui;
using platform::rgb;

TEST(SkinFields, MainSplitterTakesSevenFieldsFromACompleteEntry)
{
    SkinFields f = splitMainFields(u"btn,10,20,30,40,Text,0");
    EXPECT_EQ(f[0], u"btn");
    EXPECT_EQ(f[1], u"10");
    EXPECT_EQ(f[4], u"40");
    EXPECT_EQ(f[5], u"Text");
    EXPECT_EQ(f[6], u"0");
}

TEST(SkinFields, MainSplitterAcceptsFiveCommasAndDropsFieldsBeyondTheSeventh)
{
    SkinFields five = splitMainFields(u"btn,10,20,30,40,Text");
    EXPECT_EQ(five[5], u"Text");
    EXPECT_EQ(five[6], u"");
    SkinFields many = splitMainFields(u"l,1,2,3,4,t,r,x,y");
    EXPECT_EQ(many[5], u"t");
    EXPECT_EQ(many[6], u"r");
}

TEST(SkinFields, MainSplitterKeepsTheWholeValueForZeroThreeOrFourCommas)
{
    for (const char16_t* v : {u"plain", u"a, b, c, d", u"a,1,2,3,4"}) {
        SkinFields f = splitMainFields(v);
        EXPECT_EQ(f[0], v);
        for (int k = 1; k < 7; ++k)
            EXPECT_TRUE(f[size_t(k)].empty()) << k;
    }
}

TEST(SkinFields, MainSplitterCutsOneOrTwoCommasIntoThreeFields)
{
    SkinFields one = splitMainFields(u"Disk full, retry");
    EXPECT_EQ(one[0], u"Disk full");
    EXPECT_EQ(one[1], u" retry");
    EXPECT_EQ(one[2], u"");
    SkinFields two = splitMainFields(u"a,b,c");
    EXPECT_EQ(two[0], u"a");
    EXPECT_EQ(two[1], u"b");
    EXPECT_EQ(two[2], u"c");
    SkinFields empty = splitMainFields(u"");
    EXPECT_EQ(empty[0], u"");
}

TEST(SkinFields, DialogSplitterNeedsTheCommaAfterEachField)
{
    DialogFields five = splitDialogFields(u"btn,10,20,30,40,Text");
    EXPECT_FALSE(five.tooManyCommas);
    EXPECT_EQ(five.fields[4], u"40");
    EXPECT_EQ(five.fields[5], u"") << "the text needs a sixth comma";
    DialogFields six = splitDialogFields(u"btn,10,20,30,40,Text,0");
    EXPECT_EQ(six.fields[5], u"Text");
    EXPECT_EQ(six.fields[6], u"0");
    DialogFields one = splitDialogFields(u"a,1");
    EXPECT_EQ(one.fields[0], u"a");
    EXPECT_EQ(one.fields[1], u"");
    DialogFields none = splitDialogFields(u"whole value");
    EXPECT_EQ(none.fields[0], u"whole value");
}

TEST(SkinFields, DialogSplitterFlagsMoreThanSixCommasAndKeepsTheRestInFieldSix)
{
    DialogFields d = splitDialogFields(u"l,1,2,3,4,t,r,x,y");
    EXPECT_TRUE(d.tooManyCommas);
    EXPECT_EQ(d.fields[5], u"t");
    EXPECT_EQ(d.fields[6], u"r,x,y");
}

TEST(DisplayScale, TwoOnlyWhenBothDimensionsAreLargeEnough)
{
    EXPECT_EQ(displayScale({2880, 1800}), 2);
    EXPECT_EQ(displayScale({3840, 2160}), 2);
    EXPECT_EQ(displayScale({2879, 1800}), 1);
    EXPECT_EQ(displayScale({2880, 1799}), 1);
    EXPECT_EQ(displayScale({1920, 1080}), 1);
}

class RegionTable : public ::testing::Test {
protected:
    void SetUp() override { clearShownTips(); }
    uitest::DataRoot root;
};

TEST_F(RegionTable, EntriesAreScaledAndHitWithRightAndBottomEdgesOutside)
{
    root.ini("\\1_INI_EN", "skin_a.ini", "[BUTTONPOS]\r\n0=btn,10,20,30,40,Text,0\r\n");
    std::array<SkinRegion, 1> table;
    ASSERT_TRUE(loadRegionTable(root.place("\\1_INI_EN", 2), u"skin_a.ini", u"BUTTONPOS", 0, table, SkinReader::MainWindow));
    EXPECT_EQ(table[0].x, 20);
    EXPECT_EQ(table[0].y, 40);
    EXPECT_EQ(table[0].width, 60);
    EXPECT_EQ(table[0].height, 80);
    EXPECT_EQ(table[0].text, u"Text");
    EXPECT_EQ(hitTest({79, 119}, table), 0);
    EXPECT_EQ(hitTest({20, 40}, table), 0);
    EXPECT_EQ(hitTest({80, 119}, table), kNoRegion);
    EXPECT_EQ(hitTest({79, 120}, table), kNoRegion);
    EXPECT_EQ(hitTest({19, 40}, table), kNoRegion);
}

TEST_F(RegionTable, MalformedAndMissingEntriesGiveEmptyRegionsThatAreNeverHit)
{
    root.ini("\\1_INI_EN", "skin_a.ini",
             "[BUTTONPOS]\r\n0=a,1,2,3,4\r\n1=b,0,0,0,50,zero width,0\r\n2=c,x1,2y,3,4,,0\r\n"
             "4= d , 5 ,-6, 7 , 8 ,  spaced  ,\r\n");
    std::array<SkinRegion, 5> table;
    ASSERT_TRUE(loadRegionTable(root.place(), u"skin_a.ini", u"BUTTONPOS", 0, table, SkinReader::MainWindow));
    EXPECT_EQ(table[0].width, 0) << "four commas: the value is only a label";
    EXPECT_EQ(table[0].text, u"");
    EXPECT_EQ(hitTest({0, 10}, table), kNoRegion) << "zero width is never hit";
    EXPECT_EQ(table[2].x, 0) << "no digits give 0";
    EXPECT_EQ(table[2].y, 2) << "digits up to the first other character";
    EXPECT_EQ(table[3].width, 0) << "missing key";
    EXPECT_EQ(table[4].x, 5) << "leading blanks are skipped";
    EXPECT_EQ(table[4].y, -6);
    EXPECT_EQ(table[4].text, u"  spaced  ");
}

TEST_F(RegionTable, LowerNumberWinsWhereRegionsOverlapAndTheTableStartsAtItsFirstKey)
{
    root.ini("\\1_INI_EN", "skin_a.ini",
             "[BUTTONPOS]\r\n5=big,0,0,100,100,,0\r\n6=small,10,10,5,5,,0\r\n7=inner,12,12,1,1,,0\r\n");
    std::array<SkinRegion, 3> table;
    ASSERT_TRUE(loadRegionTable(root.place(), u"skin_a.ini", u"BUTTONPOS", 5, table, SkinReader::MainWindow));
    EXPECT_EQ(hitTest({12, 12}, table), 0);
    std::array<SkinRegion, 3> reversed = {table[2], table[1], table[0]};
    EXPECT_EQ(hitTest({12, 12}, reversed), 0);
    EXPECT_EQ(hitTest({11, 11}, reversed), 1);
    EXPECT_EQ(hitTest({200, 200}, table), kNoRegion);
}

TEST_F(RegionTable, TheLastOfTwoHundredFiftyFiveRegionsIsHitAndNoneIsStill255)
{
    root.ini("\\1_INI_EN", "skin_a.ini", "[BUTTONPOS]\r\n254=last,300,300,10,10,,0\r\n");
    std::array<SkinRegion, 255> table;
    ASSERT_TRUE(loadRegionTable(root.place(), u"skin_a.ini", u"BUTTONPOS", 0, table, SkinReader::MainWindow));
    EXPECT_EQ(hitTest({305, 305}, table), 254);
    EXPECT_EQ(hitTest({1, 1}, table), kNoRegion);
}

TEST_F(RegionTable, FiveCommaEntryKeepsItsTextForTheMainWindowOnly)
{
    root.ini("\\1_INI_EN", "skin_a.ini", "[BUTTONPOS]\r\n0=btn,10,20,30,40,Text\r\n");
    std::array<SkinRegion, 1> main, dialog;
    loadRegionTable(root.place(), u"skin_a.ini", u"BUTTONPOS", 0, main, SkinReader::MainWindow);
    loadRegionTable(root.place(), u"skin_a.ini", u"BUTTONPOS", 0, dialog, SkinReader::Dialog);
    EXPECT_EQ(main[0].text, u"Text");
    EXPECT_EQ(dialog[0].text, u"");
    EXPECT_EQ(dialog[0].width, 30) << "the coordinates still load";
}

TEST_F(RegionTable, MissingFileInTheMainWindowReadsEmptyRegionsAndShowsTipFive)
{
    std::array<SkinRegion, 3> table;
    table[1].width = 99;
    EXPECT_FALSE(loadRegionTable(root.place(), u"skin_none.ini", u"BUTTONPOS", 0, table, SkinReader::MainWindow));
    EXPECT_EQ(table[1].width, 0) << "the keys are still read, as empty values";
    EXPECT_EQ(shownTips(), std::vector<int>{5});
}

TEST_F(RegionTable, SwitchingTheLanguageFolderReadsAnotherLayout)
{
    root.ini("\\1_INI_EN", "skin_a.ini", "[BUTTONPOS]\r\n0=btn,10,0,5,5,English,0\r\n");
    root.ini("\\6_INI_IT", "skin_a.ini", "[BUTTONPOS]\r\n0=btn,50,0,5,5,Italiano,0\r\n");
    std::array<SkinRegion, 1> en, it;
    loadRegionTable(root.place("\\1_INI_EN"), u"skin_a.ini", u"BUTTONPOS", 0, en, SkinReader::MainWindow);
    loadRegionTable(root.place("\\6_INI_IT"), u"skin_a.ini", u"BUTTONPOS", 0, it, SkinReader::MainWindow);
    EXPECT_EQ(en[0].x, 10);
    EXPECT_EQ(it[0].x, 50);
    EXPECT_EQ(it[0].text, u"Italiano");
    // Pictures stay in the data root whatever the language.
    EXPECT_EQ(root.place("\\6_INI_IT").picture(u"main_normal.jpg"), root.place("\\1_INI_EN").picture(u"main_normal.jpg"));
}

TEST_F(RegionTable, LanguageWithoutAFolderReadsFromTheDataRootItself)
{
    root.ini("\\", "skin_a.ini", "[BUTTONPOS]\r\n0=btn,7,0,5,5,Root,0\r\n");
    std::array<SkinRegion, 1> table;
    ASSERT_TRUE(loadRegionTable(root.place(""), u"skin_a.ini", u"BUTTONPOS", 0, table, SkinReader::MainWindow));
    EXPECT_EQ(table[0].text, u"Root");
}

TEST_F(RegionTable, RectangleEntriesAreScaledLeftTopRightBottom)
{
    root.ini("\\1_INI_EN", "skin_mac.ini", "[EDIT]\r\n2=loop,100,50,40,20,,0\r\n");
    Rect r = loadRectangle(root.place("\\1_INI_EN", 2), u"skin_mac.ini", u"EDIT", 2, SkinReader::MainWindow);
    EXPECT_EQ(r, (Rect{200, 100, 280, 140}));
    Rect none = loadRectangle(root.place(), u"skin_mac.ini", u"EDIT", 7, SkinReader::MainWindow);
    EXPECT_TRUE(none.isEmpty());
}

TEST_F(RegionTable, HugeHandEditedNumbersAreKeptToWhatAWindowCanShow)
{
    // Scaled or added up unchecked these would overflow on every mouse move.
    root.ini("\\1_INI_EN", "skin_a.ini",
             "[BUTTONPOS]\r\n0=a,2147483647,-2147483648,99999999999,2147483647,,0\r\n"
             "1=b,0,0,2147483647,2147483647,,0\r\n"
             "[EDIT]\r\n0=e,2147483647,2147483647,2147483647,2147483647,,0\r\n");
    std::array<SkinRegion, 2> table;
    ASSERT_TRUE(loadRegionTable(root.place("\\1_INI_EN", 2), u"skin_a.ini", u"BUTTONPOS", 0, table,
                                SkinReader::MainWindow));
    EXPECT_EQ(table[0].x, 2 * kMaxSkinCoordinate);
    EXPECT_EQ(table[0].y, -2 * kMaxSkinCoordinate);
    EXPECT_EQ(table[0].width, 2 * kMaxSkinCoordinate);
    EXPECT_EQ(hitTest({100, 100}, table), 1);
    EXPECT_EQ(hitTest({2 * kMaxSkinCoordinate - 1, 2 * kMaxSkinCoordinate - 1}, table), 1);
    EXPECT_EQ(hitTest({2 * kMaxSkinCoordinate, 0}, table), kNoRegion);
    Rect r = loadRectangle(root.place("\\1_INI_EN", 2), u"skin_a.ini", u"EDIT", 0, SkinReader::MainWindow);
    EXPECT_EQ(r.right, 4 * kMaxSkinCoordinate);
}

namespace {

std::unique_ptr<platform::Canvas> solid(int w, int h, platform::Color c)
{
    auto canvas = platform::os().graphics->createCanvas({w, h});
    canvas->fill({0, 0, w, h}, c);
    return canvas;
}

platform::Color at(platform::Canvas& c, int x, int y)
{
    return platform::colorOf(c.pixels()[size_t(y) * size_t(c.size().width) + size_t(x)]);
}

} // namespace

TEST(RegionCopy, CopiesTheRegionDividedByTheScaleToTheSamePlace)
{
    auto normal = solid(20, 20, rgb(0, 0, 255));
    auto over = solid(20, 20, rgb(0, 255, 0));
    SkinRegion r{8, 4, 6, 2, Text()}; // at scale 2: picture rectangle (4, 2, 3, 1)
    copyRegion(*normal, over.get(), r, 2);
    EXPECT_EQ(at(*normal, 4, 2), rgb(0, 255, 0));
    EXPECT_EQ(at(*normal, 6, 2), rgb(0, 255, 0));
    EXPECT_EQ(at(*normal, 7, 2), rgb(0, 0, 255));
    EXPECT_EQ(at(*normal, 4, 3), rgb(0, 0, 255));
    EXPECT_EQ(at(*normal, 3, 2), rgb(0, 0, 255));
}

TEST(RegionCopy, PartialCopyStopsAtTheGivenWidthAndMissingSourcesDrawNothing)
{
    auto normal = solid(20, 4, rgb(0, 0, 255));
    auto down = solid(20, 4, rgb(255, 0, 0));
    SkinRegion slider{2, 0, 10, 4, Text()};
    drawPartialRegion(*normal, down.get(), slider, 3, 1);
    EXPECT_EQ(at(*normal, 4, 1), rgb(255, 0, 0));
    EXPECT_EQ(at(*normal, 5, 1), rgb(0, 0, 255));
    drawPartialRegion(*normal, nullptr, slider, 10, 1);
    copyRegion(*normal, nullptr, slider, 1);
    drawPartialRegion(*normal, down.get(), slider, 0, 1);
    EXPECT_EQ(at(*normal, 8, 1), rgb(0, 0, 255));
}

TEST(RegionCopy, HoverComesFromOverOrFromDownWhilePressed)
{
    std::array<SkinRegion, 2> table = {SkinRegion{0, 0, 2, 2, Text()}, SkinRegion{4, 0, 2, 2, Text()}};
    SkinPictures p;
    p.normal = solid(8, 2, rgb(0, 0, 0));
    p.over = solid(8, 2, rgb(0, 255, 0));
    p.down = solid(8, 2, rgb(255, 0, 0));
    paintHover(p, table, 1, false, 1);
    EXPECT_EQ(at(*p.normal, 4, 0), rgb(0, 255, 0));
    EXPECT_EQ(at(*p.normal, 0, 0), rgb(0, 0, 0));
    paintHover(p, table, 0, true, 1);
    EXPECT_EQ(at(*p.normal, 0, 0), rgb(255, 0, 0));
    paintHover(p, table, kNoRegion, true, 1);
    paintHover(p, table, 7, true, 1); // out of the table: nothing
}

TEST(RegionCopy, PresentEnlargesThePictureByTheScale)
{
    auto picture = solid(3, 2, rgb(9, 9, 9));
    picture->fill({2, 1, 3, 2}, rgb(200, 0, 0));
    auto surface = solid(6, 4, rgb(0, 0, 0));
    present(*surface, *picture, 2);
    EXPECT_EQ(at(*surface, 0, 0), rgb(9, 9, 9));
    EXPECT_EQ(at(*surface, 4, 2), rgb(200, 0, 0));
    EXPECT_EQ(at(*surface, 5, 3), rgb(200, 0, 0));
    EXPECT_EQ(at(*surface, 3, 3), rgb(9, 9, 9));
}

TEST(Pictures, PremultiplyUsesIntegerArithmeticInPlace)
{
    auto c = platform::os().graphics->createCanvas({3, 1});
    c->pixels()[0] = platform::makePixel(128, 255, 100, 1);
    c->pixels()[1] = platform::makePixel(0, 255, 255, 255);
    c->pixels()[2] = platform::makePixel(255, 7, 8, 9);
    premultiplyAlpha(*c);
    EXPECT_EQ(c->pixels()[0], platform::makePixel(128, 128, 50, 0));
    EXPECT_EQ(c->pixels()[1], platform::makePixel(0, 0, 0, 0));
    EXPECT_EQ(c->pixels()[2], platform::makePixel(255, 7, 8, 9));
}

TEST(Pictures, DrawPngBlendsAtItsOwnSizeAndMissingFilesDrawNothing)
{
    uitest::DataRoot root;
    std::vector<platform::Pixel> knob = {platform::makePixel(255, 255, 255, 255), platform::makePixel(0, 255, 255, 255)};
    root.file("moveRect.png", testsupport::pngFile(2, 1, knob));
    auto canvas = solid(4, 2, rgb(0, 0, 0));
    EXPECT_TRUE(drawPng(root.place().picture(u"moveRect.png"), *canvas, {1, 1}));
    EXPECT_EQ(at(*canvas, 1, 1), rgb(255, 255, 255));
    EXPECT_EQ(at(*canvas, 2, 1), rgb(0, 0, 0)) << "a transparent pixel leaves the canvas";
    EXPECT_EQ(at(*canvas, 1, 0), rgb(0, 0, 0));
    EXPECT_FALSE(drawPng(root.place().picture(u"none.png"), *canvas, {0, 0}));
}

TEST(Pictures, SkinPicturesAreNamedBaseStateVariant)
{
    uitest::DataRoot root;
    root.picture("main_normal_dark2.jpg", 4, 4, rgb(1, 1, 1));
    root.picture("main_over_dark2.jpg", 4, 4, rgb(2, 2, 2));
    SkinPictures p = loadSkinPictures(root.place(), u"main", u"_dark2");
    EXPECT_TRUE(p.normal);
    EXPECT_TRUE(p.over);
    EXPECT_FALSE(p.down) << "a picture that is missing gives no canvas";
    EXPECT_EQ(maskSize(root.place().picture(u"main_normal_dark2.jpg")), (Size{4, 4}));
    EXPECT_FALSE(maskSize(root.place().picture(u"main_mask.jpg")));
}
