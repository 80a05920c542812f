// The main window's pages in a real dialog: the mouse moving onto a region
// and off it again repaints twice, and each time only the part of the
// window the hover changes.
#include <gtest/gtest.h>

#include "platform/win32/win_util.h"
#include "tests/support/stub_paged_window.h"
#include "tests/support/temp_folder.h"
#include "ui/picture_cache.h"

#include <memory>

namespace {

// Everything queued, the paints last, as the program's message loop runs it.
void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct HoverRig : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(testsupport::loadShippedLook(look, testsupport::sourceDir() + u"\\skins", 1));
        window = std::make_unique<testsupport::StubPagedWindow>(look);
        ASSERT_TRUE(window->create());
        hwnd = reinterpret_cast<HWND>(window->handle());
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
        window->show(platform::Show::Show);
        UpdateWindow(hwnd);
        pump();
    }
    void TearDown() override
    {
        if (window)
            window->destroy();
        ui::pictureCache().clear();
    }
    // The pointer to a client point, and the move the window gets for it.
    void moveTo(platform::Point p)
    {
        POINT screen = {p.x, p.y};
        ClientToScreen(hwnd, &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
    // What the next paint covers, once the queued moves are handled (not painted).
    RECT pendingUpdate()
    {
        MSG msg;
        while (PeekMessageW(&msg, hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
            DispatchMessageW(&msg);
        RECT r = {};
        GetUpdateRect(hwnd, &r, FALSE);
        return r;
    }
    platform::Point centre(const ui::SkinRegion& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

    ui::Appearance look;
    std::unique_ptr<testsupport::StubPagedWindow> window;
    HWND hwnd = nullptr;
};

} // namespace

TEST_F(HoverRig, OntoARegionAndBackRepaintsTwiceAndOnlyThatRegion)
{
    const ui::SkinRegion& apply = look.skins.main[3];
    const platform::Point empty{2, 300};
    RECT client;
    GetClientRect(hwnd, &client);

    moveTo(empty);
    pump();
    const int before = window->paints;
    moveTo(empty);
    pump();
    EXPECT_EQ(window->paints, before) << "empty space to empty space";

    moveTo({apply.x + 1, apply.y + 1});
    const RECT onto = pendingUpdate();
    EXPECT_GT(onto.right - onto.left, 0) << "the move into the region asks for a paint";
    EXPECT_LT((onto.right - onto.left) * (onto.bottom - onto.top), client.right * client.bottom / 4)
        << "a hover repaints a small part of the window";
    EXPECT_TRUE(onto.left <= apply.x && onto.top <= apply.y && onto.right >= apply.x + apply.width &&
                onto.bottom >= apply.y + apply.height)
        << "the paint covers the region";
    pump();
    moveTo({apply.x + 3, apply.y + 2});
    pump();
    EXPECT_EQ(window->paints, before + 1) << "into the region, then within it";

    moveTo(empty);
    pump();
    EXPECT_EQ(window->paints, before + 2) << "and back out";
}

TEST_F(HoverRig, EveryPageRepaintsOnceForEachRegionTheMouseEnters)
{
    for (int page = 0; page < ui::kPageCount; ++page) {
        window->switchPage(page);
        InvalidateRect(hwnd, nullptr, FALSE);
        pump();
        const ui::SkinRegion& tab = look.skins.main[size_t(ui::common::FirstTab + page)];
        const int before = window->paints;
        moveTo(centre(tab));
        pump();
        moveTo({2, 300});
        pump();
        EXPECT_EQ(window->paints, before + 2) << "page " << page;
    }
}
