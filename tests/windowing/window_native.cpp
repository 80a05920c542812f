// The dialog base on the headless window system: modal runs, modeless
// windows, the message queue, the message loop's pre-translation and keys.
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

using platform::Point;
using platform::Window;
namespace hl = platform::headless;

namespace {

class Probe : public Window {
public:
    explicit Probe(int id = 900) : Window(id) {}
    bool onInitDialog() override
    {
        ++inits;
        move({10, 20, 110, 70});
        if (endAtInit)
            endDialog(7);
        return true;
    }
    bool onPaint(platform::Canvas& c) override
    {
        if (!paints)
            return false;
        c.fill({0, 0, 5, 5}, platform::rgb(1, 2, 3));
        return true;
    }
    void onLButtonUp(Point p) override { clicks.push_back(p); }
    std::intptr_t onMessage(unsigned id, std::uintptr_t w, std::intptr_t) override
    {
        messages.push_back({id, w});
        return std::intptr_t(w) * 2;
    }
    bool preTranslateMessage(const platform::Message& m) override
    {
        seen.push_back(m.id);
        return swallow && m.id == platform::msg::LButtonUp;
    }

    int inits = 0;
    bool endAtInit = false;
    bool paints = true;
    bool swallow = false;
    std::vector<Point> clicks;
    std::vector<std::pair<unsigned, std::uintptr_t>> messages;
    std::vector<unsigned> seen;
};

class Windows : public ::testing::Test {
protected:
    void SetUp() override { ws().modalRuns.clear(); }
    void TearDown() override { ws().setModalDriver(nullptr); }
    static hl::HeadlessWindows& ws() { return hl::windows(); }
};

} // namespace

TEST_F(Windows, ModalRunShowsTheWindowAndReturnsTheResultItEndsWith)
{
    Probe dlg;
    bool wasVisible = false;
    ws().setModalDriver([&](Window& w) {
        wasVisible = w.isVisible();
        EXPECT_EQ(&w, &dlg);
        w.endDialog(42);
    });
    EXPECT_EQ(dlg.doModal(), 42);
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(dlg.inits, 1);
    EXPECT_FALSE(dlg.exists()) << "a modal window is destroyed when its run ends";
    ASSERT_EQ(ws().modalRuns.size(), 1u);
    EXPECT_FALSE(ws().modalRuns[0].unanswered);
}

TEST_F(Windows, UnansweredModalEndsAsCancelled)
{
    Probe dlg;
    EXPECT_EQ(dlg.doModal(), 2);
    ASSERT_EQ(ws().modalRuns.size(), 1u);
    EXPECT_TRUE(ws().modalRuns[0].unanswered);
    EXPECT_EQ(ws().modalRuns[0].templateId, 900);
}

TEST_F(Windows, DialogThatEndsWhileInitialisingIsNeverShown)
{
    Probe dlg;
    dlg.endAtInit = true;
    bool driven = false;
    ws().setModalDriver([&](Window&) { driven = true; });
    EXPECT_EQ(dlg.doModal(), 7);
    EXPECT_FALSE(driven);
}

TEST_F(Windows, OwnerTakesNoInputWhileItsModalRunsAndSeesTheModalsInputFirst)
{
    Probe owner(901);
    ASSERT_TRUE(owner.create());
    owner.show(platform::Show::Show);
    Probe dlg;
    ws().setModalDriver([&](Window& w) {
        EXPECT_FALSE(ws().click(owner, {1, 1})) << "the owner is disabled";
        owner.swallow = true;
        EXPECT_TRUE(ws().click(w, {3, 4}));
        EXPECT_TRUE(dlg.clicks.empty()) << "the owner's pre-translation took the release";
        owner.swallow = false;
        ws().click(w, {5, 6});
        w.endDialog(1);
    });
    dlg.doModal(&owner);
    ASSERT_EQ(dlg.clicks.size(), 1u);
    EXPECT_EQ(dlg.clicks[0], (Point{5, 6}));
    EXPECT_EQ(owner.seen.size(), 4u) << "press and release, twice";
    EXPECT_TRUE(ws().click(owner, {1, 1})) << "enabled again";
}

TEST_F(Windows, EnterAndEscapeEndWithOneAndTwoAndCloseCancels)
{
    Probe a, b, c;
    ws().setModalDriver([](Window& w) { ws().key(w, platform::vk::Return); });
    EXPECT_EQ(a.doModal(), 1);
    ws().setModalDriver([](Window& w) { ws().key(w, platform::vk::Escape); });
    EXPECT_EQ(b.doModal(), 2);
    ws().setModalDriver([](Window& w) { w.post(platform::msg::Close); });
    EXPECT_EQ(c.doModal(), 2);
    EXPECT_FALSE(ws().modalRuns.back().unanswered);
}

TEST_F(Windows, ModelessWindowStartsHiddenAndEndingItOnlyHidesIt)
{
    Probe dlg;
    ASSERT_TRUE(dlg.create());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.inits, 1);
    dlg.show(platform::Show::Show);
    EXPECT_TRUE(ws().key(dlg, platform::vk::Escape));
    EXPECT_TRUE(dlg.exists());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(ws().click(dlg, {1, 1})) << "hidden windows take no clicks";
}

TEST_F(Windows, ClicksOutsideTheWindowRegionDoNotReachIt)
{
    Probe dlg;
    ASSERT_TRUE(dlg.create());
    dlg.show(platform::Show::Show);
    dlg.setRegion({0, 0, 20, 10});
    EXPECT_FALSE(ws().click(dlg, {20, 5}));
    EXPECT_TRUE(ws().click(dlg, {19, 9}));
    EXPECT_EQ(dlg.clicks.size(), 1u);
}

TEST_F(Windows, PostedMessagesFromOtherThreadsArriveInOrderOnThePump)
{
    Probe dlg;
    ASSERT_TRUE(dlg.create());
    std::thread worker([&] {
        for (unsigned i = 0; i < 50; ++i)
            dlg.post(0x83ED, i);
    });
    worker.join();
    EXPECT_TRUE(dlg.messages.empty());
    ws().pump();
    ASSERT_EQ(dlg.messages.size(), 50u);
    for (unsigned i = 0; i < 50; ++i)
        EXPECT_EQ(dlg.messages[i].second, i);
    EXPECT_EQ(dlg.send(0x8401, 21), 42) << "a sent message returns the handler's result";
}

TEST_F(Windows, MessagesPostedToAWindowThatIsGoneAreDropped)
{
    auto dlg = std::make_unique<Probe>();
    ASSERT_TRUE(dlg->create());
    dlg->post(0x83EE);
    dlg.reset();
    ws().pump(); // must not reach the deleted object
    SUCCEED();
}

TEST_F(Windows, PaintingUsesTheWindowsPictureOrTheDefaultBackground)
{
    Probe dlg;
    ASSERT_TRUE(dlg.create());
    dlg.show(platform::Show::Show);
    ws().pump();
    auto* surface = ws().surface(dlg);
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface->size(), (platform::Size{100, 50}));
    EXPECT_EQ(surface->colorAt(1, 1), platform::rgb(1, 2, 3));
    dlg.paints = false;
    dlg.invalidate();
    dlg.update();
    EXPECT_EQ(surface->colorAt(1, 1), platform::rgb(0xF0, 0xF0, 0xF0));
}

TEST_F(Windows, SystemCommandsFallBackToMinimiseAndRestore)
{
    Probe dlg;
    ASSERT_TRUE(dlg.create());
    dlg.show(platform::Show::Show);
    dlg.post(platform::msg::SysCommand, platform::syscmd::Minimize);
    ws().pump();
    EXPECT_TRUE(dlg.isIconic());
    dlg.post(platform::msg::SysCommand, platform::syscmd::Restore);
    ws().pump();
    EXPECT_FALSE(dlg.isIconic());
}

TEST(MouseLParam, PointsKeepTheirSignThroughTheMessage)
{
    for (Point p : {Point{0, 0}, Point{12, 34}, Point{-5, 7}, Point{32767, -32768}})
        EXPECT_EQ(platform::pointFromLParam(platform::lParamFromPoint(p)), p);
}

namespace {

// Stops the thread that posts to it before its native window goes, as the
// main window does with its workers.
class PostedTo : public Window {
public:
    PostedTo() : Window(900) {}
    void onDestroying() override
    {
        existedWhenStopping = exists();
        stopPosting();
    }
    std::function<void()> stopPosting = [] {};
    bool existedWhenStopping = false;
};

} // namespace

TEST_F(Windows, PostsFromAnotherThreadNeverRaceTheWindowBeingDestroyed)
{
    // Run under ThreadSanitizer this catches a post reading the native window
    // while destroy() takes it away.
    std::atomic<bool> done{false};
    PostedTo w;
    std::thread poster([&] {
        while (!done)
            w.post(platform::msg::User + 1);
    });
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(w.create());
        w.destroy();
        EXPECT_FALSE(w.post(platform::msg::User + 1)) << "a window that is gone takes no posts";
    }
    done = true;
    poster.join();
    ws().pump();
}

TEST_F(Windows, OnDestroyingRunsWhileTheWindowStillExistsAndOnlyOnce)
{
    PostedTo w;
    int stops = 0;
    w.stopPosting = [&] { ++stops; };
    w.destroy();
    EXPECT_EQ(stops, 0) << "nothing to destroy";
    ASSERT_TRUE(w.create());
    w.destroy();
    w.destroy();
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(w.existedWhenStopping);
}
