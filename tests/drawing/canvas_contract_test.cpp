// Drawing as the skinned windows use it, run against the build's own
// implementation (GDI/GDI+ under Wine, the headless canvas natively).
#include "platform/platform.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

using platform::Canvas;
using platform::Pixel;
using platform::Rect;
using platform::rgb;

namespace {

platform::Graphics& gfx() { return *platform::os().graphics; }

std::unique_ptr<Canvas> solid(int w, int h, platform::Color c)
{
    auto canvas = gfx().createCanvas({w, h});
    canvas->fill({0, 0, w, h}, c);
    return canvas;
}

platform::Color colorAt(Canvas& c, int x, int y)
{
    return platform::colorOf(c.pixels()[size_t(y) * size_t(c.size().width) + size_t(x)]);
}

bool near(platform::Color a, platform::Color b, unsigned tolerance)
{
    auto d = [](unsigned x, unsigned y) { return x > y ? x - y : y - x; };
    return d(platform::redOf(a), platform::redOf(b)) <= tolerance &&
           d(platform::greenOf(a), platform::greenOf(b)) <= tolerance &&
           d(platform::blueOf(a), platform::blueOf(b)) <= tolerance;
}

} // namespace

TEST(Canvas, NewCanvasHasItsSizeAndFillPaintsOnlyTheRectangle)
{
    auto c = gfx().createCanvas({6, 4});
    ASSERT_EQ(c->size(), (platform::Size{6, 4}));
    ASSERT_EQ(c->pixels().size(), 24u);
    c->fill({1, 1, 3, 2}, rgb(10, 20, 30));
    EXPECT_EQ(colorAt(*c, 1, 1), rgb(10, 20, 30));
    EXPECT_EQ(colorAt(*c, 2, 1), rgb(10, 20, 30));
    EXPECT_EQ(colorAt(*c, 3, 1), 0u) << "right edge is outside";
    EXPECT_EQ(colorAt(*c, 1, 2), 0u) << "bottom edge is outside";
    EXPECT_EQ(colorAt(*c, 0, 0), 0u);
}

TEST(Canvas, CopyMovesPixelsFromTheSourcePointAndClipsAtTheEdges)
{
    auto src = solid(4, 4, rgb(255, 0, 0));
    src->fill({2, 2, 4, 4}, rgb(0, 0, 255));
    auto dst = solid(4, 4, rgb(0, 255, 0));
    dst->copyFrom(*src, {0, 0, 2, 2}, {2, 2});
    EXPECT_EQ(colorAt(*dst, 0, 0), rgb(0, 0, 255));
    EXPECT_EQ(colorAt(*dst, 1, 1), rgb(0, 0, 255));
    EXPECT_EQ(colorAt(*dst, 2, 2), rgb(0, 255, 0));
    // Partly outside the destination: the inside part lands, nothing breaks.
    dst->copyFrom(*src, {3, 3, 10, 10}, {0, 0});
    EXPECT_EQ(colorAt(*dst, 3, 3), rgb(255, 0, 0));
}

TEST(Canvas, StretchByTwoDoublesEveryPixel)
{
    auto src = solid(2, 1, rgb(255, 0, 0));
    src->fill({1, 0, 2, 1}, rgb(0, 0, 255));
    auto dst = gfx().createCanvas({4, 2});
    dst->stretchFrom(*src, {0, 0, 4, 2}, {0, 0, 2, 1});
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(colorAt(*dst, 0, y), rgb(255, 0, 0));
        EXPECT_EQ(colorAt(*dst, 1, y), rgb(255, 0, 0));
        EXPECT_EQ(colorAt(*dst, 2, y), rgb(0, 0, 255));
        EXPECT_EQ(colorAt(*dst, 3, y), rgb(0, 0, 255));
    }
}

TEST(Canvas, AlphaBlendKeepsTransparentPixelsAndCoversWithOpaqueOnes)
{
    auto dst = solid(3, 1, rgb(100, 100, 100));
    auto src = gfx().createCanvas({3, 1});
    auto px = src->pixels();
    px[0] = platform::makePixel(0, 0, 0, 0);         // transparent
    px[1] = platform::makePixel(255, 200, 10, 50);   // opaque
    px[2] = platform::makePixel(128, 100, 0, 0);     // half, premultiplied red 200
    dst->alphaBlendFrom(*src, {0, 0});
    EXPECT_EQ(colorAt(*dst, 0, 0), rgb(100, 100, 100));
    EXPECT_EQ(colorAt(*dst, 1, 0), rgb(200, 10, 50));
    EXPECT_TRUE(near(colorAt(*dst, 2, 0), rgb(150, 50, 50), 2)) << std::hex << colorAt(*dst, 2, 0);
}

TEST(Canvas, AlphaBlendAtAnOffsetClipsToTheDestination)
{
    auto dst = solid(2, 2, rgb(0, 0, 0));
    auto src = gfx().createCanvas({2, 2});
    for (Pixel& p : src->pixels())
        p = platform::makePixel(255, 255, 255, 255);
    dst->alphaBlendFrom(*src, {1, 1});
    EXPECT_EQ(colorAt(*dst, 0, 0), rgb(0, 0, 0));
    EXPECT_EQ(colorAt(*dst, 1, 1), rgb(255, 255, 255));
}

TEST(Pictures, PngDecodesExactlyWithItsAlphaNotPremultiplied)
{
    testsupport::TempFolder dir;
    std::vector<Pixel> pixels = {platform::makePixel(255, 255, 0, 0), platform::makePixel(255, 0, 255, 0),
                                 platform::makePixel(128, 0, 0, 255), platform::makePixel(0, 10, 20, 30)};
    dir.write(u"p.png", testsupport::pngFile(2, 2, pixels));
    auto pic = gfx().loadPicture(dir.file("p.png"));
    ASSERT_TRUE(pic);
    ASSERT_EQ(pic->size(), (platform::Size{2, 2}));
    auto px = pic->pixels();
    EXPECT_EQ(px[0], pixels[0]);
    EXPECT_EQ(px[1], pixels[1]);
    EXPECT_EQ(px[2], pixels[2]);
    EXPECT_EQ(platform::alphaOf(px[3]), 0u);
}

TEST(Pictures, PictureIsRecognisedByContentNotByName)
{
    testsupport::TempFolder dir;
    dir.write(u"looks_like.jpg", testsupport::solidPng(5, 3, rgb(1, 2, 3)));
    auto pic = gfx().loadPicture(dir.file("looks_like.jpg"));
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->size(), (platform::Size{5, 3}));
    EXPECT_EQ(colorAt(*pic, 4, 2), rgb(1, 2, 3));
}

TEST(Pictures, JpegDecodesToItsColoursAndIsOpaque)
{
    testsupport::TempFolder dir;
    dir.write(u"j.jpg", testsupport::twoColourJpeg());
    auto pic = gfx().loadPicture(dir.file("j.jpg"));
    ASSERT_TRUE(pic);
    ASSERT_EQ(pic->size(), (platform::Size{16, 8}));
    EXPECT_TRUE(near(colorAt(*pic, 2, 3), rgb(200, 40, 90), 6));
    EXPECT_TRUE(near(colorAt(*pic, 13, 3), rgb(20, 180, 60), 6));
    EXPECT_EQ(platform::alphaOf(pic->pixels()[0]), 255u);
}

TEST(Pictures, MissingEmptyOrGarbageFilesGiveNoPicture)
{
    testsupport::TempFolder dir;
    EXPECT_FALSE(gfx().loadPicture(dir.file("absent.jpg")));
    dir.write(u"empty.jpg", {});
    EXPECT_FALSE(gfx().loadPicture(dir.file("empty.jpg")));
    dir.write(u"text.jpg", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(gfx().loadPicture(dir.file("text.jpg")));
    auto cut = testsupport::twoColourJpeg();
    cut.resize(40);
    dir.write(u"cut.jpg", cut);
    auto pic = gfx().loadPicture(dir.file("cut.jpg"));
    EXPECT_FALSE(pic && pic->size().width != 16) << "a truncated file is refused or keeps its header size";
    EXPECT_FALSE(gfx().loadPicture(dir.path())) << "a folder is no picture";
}

TEST(Fonts, LargerPointSizesMeasureLargerAndTextIsDrawnWithoutCrashing)
{
    auto small = gfx().createPointFont(92, u"Arial");
    auto large = gfx().createPointFont(184, u"Arial");
    auto c = gfx().createCanvas({200, 60});
    c->setFont(small);
    platform::Size a = c->textExtent(u"Mouse");
    c->setFont(large);
    platform::Size b = c->textExtent(u"Mouse");
    EXPECT_GT(a.width, 0);
    EXPECT_GT(a.height, 0);
    EXPECT_GT(b.height, a.height);
    EXPECT_GT(b.width, a.width);
    EXPECT_EQ(c->textExtent(u"").width, 0);
    c->setTextColor(rgb(255, 255, 255));
    c->drawText({2, 2}, u"Mouse");
}

TEST(Fonts, ScreenReportsAPlausiblePixelsPerInch)
{
    int dpi = gfx().logPixelsX();
    EXPECT_GE(dpi, 72);
    EXPECT_LE(dpi, 480);
}
