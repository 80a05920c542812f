// The product's own data root: every language the menu offers (and Chinese)
// loads its texts and skin tables completely, and the window pictures fit them.
#include "platform/platform.h"
#include "tests/support/temp_folder.h"
#include "ui/appearance.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

#include <set>

using namespace ui;

namespace {

Text shippedRoot() { return testsupport::sourceDir() + u"\\skins"; }

class ShippedSkins : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        if (!platform::os().files->isDirectory(shippedRoot()))
            GTEST_SKIP() << "no skins folder in this source tree";
        clearShownTips();
        look.place = {shippedRoot(), Text(), 1};
        ASSERT_TRUE(look.applyLanguage(GetParam(), config.file("config.ini")));
        EXPECT_TRUE(shownTips().empty());
    }
    testsupport::TempFolder config;
    Appearance look;
};

std::optional<Size> pictureSize(const Text& name)
{
    return maskSize(shippedRoot() + u"\\" + name);
}

bool inside(const SkinRegion& r, Size s)
{
    return r.x >= 0 && r.y >= 0 && r.x + r.width <= s.width && r.y + r.height <= s.height;
}

} // namespace

TEST_P(ShippedSkins, TextsAndTheRegionsThePagesNeedAreThere)
{
    EXPECT_FALSE(look.texts.tip(1).empty());
    EXPECT_FALSE(look.texts.tip(5).empty());
    EXPECT_FALSE(look.texts.languageName(1).empty());
    EXPECT_FALSE(look.texts.languageName(6).empty());
    EXPECT_FALSE(look.skins.functions.name(0).empty());
    EXPECT_FALSE(look.skins.functions.name(1).empty());
    for (int tab = 6; tab <= 9; ++tab)
        EXPECT_GT(look.skins.main[size_t(tab)].width, 0) << "page tab " << tab;
    std::optional<Size> main = pictureSize(u"main_mask.jpg");
    ASSERT_TRUE(main);
    for (const SkinRegion& r : look.skins.main)
        EXPECT_TRUE(inside(r, *main));
}

TEST_P(ShippedSkins, MoreFunctionsHaveDistinctRowPositions)
{
    std::set<int> positions;
    for (const MoreFunction& f : look.skins.functions.moreFunctions)
        EXPECT_TRUE(positions.insert(f.position).second) << "position " << f.position << " twice";
    EXPECT_FALSE(look.skins.functions.moreFunctions.empty());
}

TEST_P(ShippedSkins, WarningButtonsAndMessageAreasLieOnTheirPictures)
{
    std::optional<Size> modal = pictureSize(u"warning_mask.jpg");
    std::optional<Size> status = pictureSize(u"warning2_mask.jpg");
    ASSERT_TRUE(modal && status);
    EXPECT_EQ(pictureSize(u"warning_normal.jpg"), modal);
    EXPECT_EQ(pictureSize(u"warning_over.jpg"), modal);
    EXPECT_EQ(pictureSize(u"warning2_normal.jpg"), status);
    EXPECT_EQ(pictureSize(u"warning2_over.jpg"), status);
    const auto& w = look.skins.warning;
    for (int i : {0, 2}) {
        EXPECT_GT(w[size_t(i)].width, 0);
        EXPECT_TRUE(inside(w[size_t(i)], *modal)) << i;
    }
    for (int i : {6, 7}) {
        EXPECT_GT(w[size_t(i)].width, 0);
        EXPECT_TRUE(inside(w[size_t(i)], *status)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedSkins, ::testing::Values(0, 1, 6));
