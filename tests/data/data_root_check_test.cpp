// The readers the data-root test relies on must read skin entries, pictures
// and macro lines exactly as the program does, or the data test proves nothing.
#include "tests/data/data_root_check.h"

#include <gtest/gtest.h>

using namespace datacheck;

TEST(DataRootReaders, MainSplitterTakesFiveOrSixCommasAndDropsOtherShapes)
{
    auto full = splitMain(T("btn,10,20,30,40,Text,0"));
    EXPECT_EQ(full[1], T("10"));
    EXPECT_EQ(full[5], T("Text"));
    EXPECT_EQ(splitMain(T("btn,10,20,30,40,Text"))[5], T("Text"));
    auto four = splitMain(T("a,1,2,3,4"));
    EXPECT_EQ(four[0], T("a,1,2,3,4"));
    EXPECT_TRUE(four[1].empty() && four[5].empty());
    auto two = splitMain(T("Disk full, retry, now"));
    EXPECT_EQ(two[0], T("Disk full"));
    EXPECT_EQ(two[2], T(" now"));
    EXPECT_EQ(languageText(T("a, b, c, d")), T("a, b, c, d"));
    EXPECT_EQ(languageText(T("Disk full, retry")), T("Disk full"));
}

TEST(DataRootReaders, DialogSplitterNeedsAllSixCommasForTheText)
{
    EXPECT_EQ(splitDialog(T("btn,10,20,30,40,Text,0"))[5], T("Text"));
    auto five = splitDialog(T("btn,10,20,30,40,Text"));
    EXPECT_EQ(five[4], T("40"));
    EXPECT_TRUE(five[5].empty());
    bool tooMany = false;
    auto seven = splitDialog(T("b,1,2,3,4,t,0,extra"), &tooMany);
    EXPECT_TRUE(tooMany);
    EXPECT_EQ(seven[6], T("0,extra"));
    EXPECT_EQ(splitDialog(T("plain"))[0], T("plain"));
}

TEST(DataRootReaders, PictureSizeComesFromPngAndJpegHeaders)
{
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                     0, 0, 1, 0x2C, 0, 0, 0, 200, 8, 6, 0, 0, 0, 0, 0, 0, 0};
    auto p = pictureSize(png);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 300);
    EXPECT_EQ(p->height, 200);
    EXPECT_TRUE(p->alpha);
    png[25] = 2; // RGB without alpha
    EXPECT_FALSE(pictureSize(png)->alpha);

    std::vector<std::uint8_t> jpg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xC4, 0, 2,
                                     0xFF, 0xC0, 0, 11, 8, 0x01, 0x40, 0x03, 0xE8, 3, 0, 0, 0};
    auto j = pictureSize(jpg);
    ASSERT_TRUE(j);
    EXPECT_EQ(j->width, 1000);
    EXPECT_EQ(j->height, 320);
    EXPECT_FALSE(pictureSize({'G', 'I', 'F', '8'}));
}

namespace {

// A token line built field by field, in the order of the macro files.
struct Line {
    std::vector<int> t = std::vector<int>(2621, 0);
    Line(const char* name, int mode, int repeat)
    {
        for (int i = 0; name[i]; ++i)
            t[2 * i] = name[i];
        t[60] = mode;
        t[61] = repeat;
    }
    Line& event(int k, int code, int sub, int x, int y, int delay)
    {
        int b = 81 + 8 * k;
        t[b] = sub;
        t[b + 1] = code;
        t[b + 2] = x;
        t[b + 4] = y;
        t[b + 6] = delay & 0xFF;
        t[b + 7] = delay >> 8;
        return *this;
    }
    Line& counts(int events, int xy, int cpi, int led)
    {
        t[63] = events;
        t[65] = xy;
        t[69] = cpi;
        t[73] = led;
        return *this;
    }
    Line& ledBlock(int b, int steps, int colour)
    {
        t[2281 + 68 * b] = steps;
        t[2281 + 68 * b + 5] = colour;
        return *this;
    }
    std::string str() const
    {
        std::string s;
        char buf[4];
        for (int v : t) {
            std::snprintf(buf, sizeof buf, "%03d", v);
            s += buf;
        }
        return s;
    }
};

std::vector<std::string> problemsOf(const Line& l)
{
    std::string why;
    auto m = decodeMacroLine(l.str(), &why);
    EXPECT_TRUE(m) << why;
    return m ? macroProblems(*m) : std::vector<std::string>{"undecodable"};
}

} // namespace

TEST(DataRootReaders, ConsistentMacroLinesPass)
{
    Line l("Flash", 0, 3);
    l.event(0, 0x41, 1, 0, 0, 20).event(1, 0xF9, 13, 0, 0, 300).event(2, 0xF9, 13, 1, 0, 300)
        .event(3, 0xF6, 6, 1, 5, 90).event(4, 0xF8, 9, 2, 0, 10).counts(5, 1, 1, 2)
        .ledBlock(0, 1, 3).ledBlock(1, 1, 7);
    EXPECT_TRUE(problemsOf(l).empty());
}

TEST(DataRootReaders, InconsistentMacroLinesAreFound)
{
    Line wrongCount("A", 0, 1);
    wrongCount.event(0, 0xF6, 6, 1, 5, 90).counts(1, 0, 0, 0);
    EXPECT_FALSE(problemsOf(wrongCount).empty()) << "XY count 0 with one XY event";

    Line ledOrder("B", 0, 1);
    ledOrder.event(0, 0xF9, 13, 1, 0, 100).event(1, 0xF9, 13, 0, 0, 100).counts(2, 0, 0, 2)
        .ledBlock(0, 1, 1).ledBlock(1, 1, 1);
    EXPECT_FALSE(problemsOf(ledOrder).empty()) << "LED events must use blocks 0, 1, ... in order";

    Line strayBlock("C", 0, 1);
    strayBlock.event(0, 0x41, 1, 0, 0, 20).counts(1, 0, 0, 0).ledBlock(2, 1, 1);
    EXPECT_FALSE(problemsOf(strayBlock).empty()) << "block beyond the LED count";

    Line leftover("D", 2, 1);
    leftover.event(0, 0x41, 1, 0, 0, 20).event(1, 0x41, 2, 0, 0, 20).counts(1, 0, 0, 0);
    EXPECT_FALSE(problemsOf(leftover).empty()) << "event slot beyond the event count";

    Line heldRepeat("E", 2, 5);
    heldRepeat.event(0, 0x41, 1, 0, 0, 20).counts(1, 0, 0, 0);
    EXPECT_FALSE(problemsOf(heldRepeat).empty()) << "repeat count must be 1 while held";

    Line zeroRepeat("F", 0, 0);
    zeroRepeat.event(0, 0x41, 1, 0, 0, 20).counts(1, 0, 0, 0);
    EXPECT_FALSE(problemsOf(zeroRepeat).empty()) << "cycle mode 0 plays repeatCount times";

    Line badDirection("G", 0, 1);
    badDirection.event(0, 0xF6, 7, 1, 5, 90).counts(1, 1, 0, 0);
    EXPECT_FALSE(problemsOf(badDirection).empty());

    std::string why;
    std::string line = Line("H", 0, 1).str();
    EXPECT_FALSE(decodeMacroLine(line.substr(3), &why)) << "2620 tokens";
    line[100] = 'x';
    EXPECT_FALSE(decodeMacroLine(line, &why));
    line = Line("H", 0, 1).str();
    line.replace(0, 3, "256");
    EXPECT_FALSE(decodeMacroLine(line, &why)) << "a token above 255";
}
