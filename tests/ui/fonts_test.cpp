// Font base value and the sizes of the font sets.
#include "ui/fonts.h"

#include <gtest/gtest.h>

using namespace ui;

TEST(FontBase, FollowsTheScreensPixelsPerInchExactly)
{
    struct Row { int dpi; int base; };
    for (Row r : {Row{96, 87}, Row{120, 63}, Row{144, 53}, Row{168, 43}, Row{192, 43}, Row{193, 30}, Row{240, 30},
                  Row{287, 30}, Row{288, 20}, Row{110, 10}, Row{72, 10}, Row{97, 10}, Row{289, 10}, Row{384, 10},
                  Row{0, 10}})
        EXPECT_EQ(fontBaseValue(r.dpi), r.base) << r.dpi;
}

TEST(FontBase, SizesOfTheThreeKindsOfSets)
{
    using A = std::array<int, 6>;
    EXPECT_EQ(fontSizes(FontSource::Custom, 87, 1), (A{92, 97, 117, 127, 137, 97}));
    EXPECT_EQ(fontSizes(FontSource::SingleFamily, 87, 2), (A{92, 92, 117, 127, 137, 184}));
    EXPECT_EQ(fontSizes(FontSource::PerLanguage, 63, 1), (A{68, 68, 73, 103, 113, 68}));
    EXPECT_EQ(fontSizes(FontSource::PerLanguage, 63, 2)[5], 136);
}
