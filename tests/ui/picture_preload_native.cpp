// Pictures decoded ahead on a worker thread and handed to the cache on the
// calling thread: taken as they are, never decoded twice, and still decoded
// again when their file changes afterwards.
#include "platform/headless/graphics_headless.h"
#include "platform/platform.h"
#include "tests/ui/skin_fixture.h"
#include "ui/picture_cache.h"
#include "ui/picture_preload.h"

#include <gtest/gtest.h>

using platform::rgb;
using ui::PictureCache;
using ui::PicturePreload;

namespace {

int decodes() { return static_cast<platform::headless::HeadlessGraphics&>(*platform::os().graphics).picturesLoaded; }

} // namespace

TEST(PicturePreload, TheCacheTakesWhatTheWorkerDecodedAndSkipsWhatItCouldNot)
{
    uitest::DataRoot root;
    root.picture("main_normal.jpg", 4, 3, rgb(10, 20, 30));
    root.picture("main_down.jpg", 4, 3, rgb(40, 50, 60));
    root.file("broken.jpg", {'n', 'o', 't'});
    auto path = [&](const char16_t* name) { return root.place().picture(name); };

    PicturePreload ahead({path(u"main_normal.jpg"), path(u"missing.jpg"), path(u"broken.jpg"), path(u"main_down.jpg")});
    EXPECT_TRUE(ahead.covers(path(u"main_down.jpg")));
    EXPECT_FALSE(ahead.covers(path(u"main_over.jpg")));
    PictureCache cache;
    ahead.handTo(cache);
    EXPECT_TRUE(ahead.done());
    EXPECT_EQ(cache.size(), 2u);

    const int before = decodes();
    auto down = cache.get(path(u"main_down.jpg"));
    ASSERT_TRUE(down);
    EXPECT_EQ(down->size(), (platform::Size{4, 3}));
    EXPECT_TRUE(cache.get(path(u"main_normal.jpg")));
    EXPECT_EQ(decodes(), before) << "the pictures decoded ahead are not decoded again";
    EXPECT_FALSE(cache.get(path(u"broken.jpg"))) << "a broken file still gives no picture";
    EXPECT_FALSE(cache.get(path(u"missing.jpg")));
    PictureCache again;
    ahead.handTo(again);
    EXPECT_EQ(again.size(), 0u) << "the pictures are handed over once";
}

TEST(PicturePreload, AFileChangedAfterItsDecodingIsDecodedAgain)
{
    uitest::DataRoot root;
    root.picture("led_normal.jpg", 4, 4, rgb(1, 2, 3));
    const Text path = root.place().picture(u"led_normal.jpg");
    PictureCache cache;
    {
        PicturePreload ahead({path});
        ahead.handTo(cache);
    }
    root.picture("led_normal.jpg", 7, 5, rgb(9, 9, 9));
    auto picture = cache.get(path);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), (platform::Size{7, 5})) << "the file as it is now, not as it was decoded";
}

TEST(PicturePreload, APictureTheCacheAlreadyHoldsIsKept)
{
    uitest::DataRoot root;
    root.picture("mac_normal.jpg", 4, 4, rgb(1, 2, 3));
    const Text path = root.place().picture(u"mac_normal.jpg");
    PictureCache cache;
    auto held = cache.get(path);
    PicturePreload ahead({path});
    ahead.handTo(cache);
    EXPECT_EQ(cache.get(path), held);
    EXPECT_EQ(cache.size(), 1u);
}

TEST(PicturePreload, HandedOverAsTheCacheIsFullTheOldestMakeWay)
{
    uitest::DataRoot root;
    PictureCache cache;
    std::vector<Text> paths;
    for (std::size_t i = 0; i < PictureCache::kCapacity + 2; ++i) {
        const std::string name = "p" + std::to_string(i) + ".jpg";
        root.picture(name, 2, 2, rgb(int(i), 0, 0));
        paths.push_back(root.place().picture(text::fromUtf8(name)));
    }
    PicturePreload ahead(paths);
    ahead.handTo(cache);
    EXPECT_EQ(cache.size(), PictureCache::kCapacity);
    EXPECT_FALSE(cache.holds(paths[0]));
    EXPECT_TRUE(cache.holds(paths.back()));
}
