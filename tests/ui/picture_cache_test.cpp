// Decoded pictures kept between repaints: decoded once while the file stays
// the same, again when it changes, and never drawn on by the windows.
#include "platform/platform.h"
#include "tests/ui/skin_fixture.h"
#include "ui/picture_cache.h"

#include <gtest/gtest.h>

using platform::rgb;
using ui::PictureCache;

namespace {

platform::Color pixelAt(const platform::Canvas& c, int x, int y)
{
    auto& canvas = const_cast<platform::Canvas&>(c);
    return platform::colorOf(canvas.pixels()[size_t(y) * size_t(c.size().width) + size_t(x)]);
}

} // namespace

TEST(PictureCache, DecodesAFileOnceUntilItChanges)
{
    uitest::DataRoot root;
    PictureCache cache;
    Text path = root.place().picture(u"main_normal.jpg");
    EXPECT_FALSE(cache.get(path)) << "no file yet";

    root.picture("main_normal.jpg", 4, 4, rgb(10, 20, 30));
    auto first = cache.get(path);
    ASSERT_TRUE(first) << "a file that appears is picked up";
    EXPECT_EQ(cache.get(path), first) << "the same file is not decoded again";

    root.picture("main_normal.jpg", 6, 5, rgb(40, 50, 60));
    auto second = cache.get(path);
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->size(), (platform::Size{6, 5}));
    EXPECT_EQ(pixelAt(*second, 5, 4), rgb(40, 50, 60));
    EXPECT_EQ(pixelAt(*first, 0, 0), rgb(10, 20, 30)) << "whoever holds the old picture keeps it";

    root.file("main_normal.jpg", {'n', 'o', 't'});
    EXPECT_FALSE(cache.get(path)) << "a broken file gives no picture";
    EXPECT_EQ(cache.size(), 0u);
}

TEST(PictureCache, KeepsTheMostRecentlyUsedPictures)
{
    uitest::DataRoot root;
    PictureCache cache;
    auto name = [](std::size_t i) { return "p" + std::to_string(i) + ".jpg"; };
    for (std::size_t i = 0; i <= PictureCache::kCapacity; ++i)
        root.picture(name(i), 2, 2, rgb(int(i), 0, 0));
    auto path = [&](std::size_t i) { return root.place().picture(text::fromUtf8(name(i))); };

    auto kept = cache.get(path(0));
    for (std::size_t i = 1; i < PictureCache::kCapacity; ++i)
        cache.get(path(i));
    EXPECT_EQ(cache.get(path(0)), kept) << "used again, so now the most recent";
    cache.get(path(PictureCache::kCapacity)); // one more than fits: p1 goes
    EXPECT_EQ(cache.size(), PictureCache::kCapacity);
    EXPECT_EQ(cache.get(path(0)), kept);
}

TEST(PictureCache, WindowsDrawOnTheirOwnCopyOfTheNormalPicture)
{
    uitest::DataRoot root;
    root.picture("main_normal.jpg", 8, 2, rgb(0, 0, 0));
    root.picture("main_over.jpg", 8, 2, rgb(0, 255, 0));
    std::array<ui::SkinRegion, 1> table = {ui::SkinRegion{0, 0, 2, 2, Text()}};

    ui::SkinPictures hovered = ui::loadSkinPictures(root.place(), u"main");
    ui::paintHover(hovered, table, 0, false, 1);
    EXPECT_EQ(pixelAt(*hovered.normal, 0, 0), rgb(0, 255, 0));

    ui::SkinPictures next = ui::loadSkinPictures(root.place(), u"main");
    EXPECT_EQ(pixelAt(*next.normal, 0, 0), rgb(0, 0, 0)) << "the hover of the last repaint is not kept";
    EXPECT_EQ(next.over, hovered.over) << "over is shared, not decoded again";
}
