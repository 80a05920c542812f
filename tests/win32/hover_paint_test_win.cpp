// The main window's pages in a real dialog: the mouse moving onto a region
// and off it again repaints twice, and each time only the part of the
// window the hover changes.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "settings/config_files.h"
#include "tests/support/temp_folder.h"
#include "ui/appearance.h"
#include "ui/paged_window.h"
#include "ui/picture_cache.h"

#include <windows.h>

#include <memory>

namespace {

// The skinned side of the main window with nothing behind its regions,
// counting the paints it is asked for.
class PaintCounter : public ui::PagedWindow {
public:
    explicit PaintCounter(ui::Appearance& look) : PagedWindow(IDD_KVX_GMOUSE_DIALOG), look_(look) {}

    bool onInitDialog() override
    {
        shapeFromMaskPicture(u"main_mask.jpg");
        trackCurrentPage();
        return true;
    }
    bool onPaint(platform::Canvas& surface) override
    {
        ++paints;
        return PagedWindow::onPaint(surface);
    }

    const ui::Appearance& look() const override { return look_; }
    settings::ConfigStore& store() override { return settings::store(); }
    void minimise(platform::Point) override {}
    void exitProgram() override {}
    void applySettings() override {}
    void importSettings() override {}
    void exportSettings() override {}
    void factoryReset() override {}
    std::optional<platform::Color> chooseColour(platform::Color) override { return std::nullopt; }
    void openWithShell(const Text&) override {}
    void openPopup(const ui::PopupRequest&) override {}
    void closePopup() override {}
    void openSoundLighting() override {}
    void openGunPresets() override {}
    settings::FunctionNames& functionNames() override { return names_; }
    macro::Library& library() override { return *library_; }
    macro::LibraryPlace macroPlace() const override { return {}; }
    void clearDanglingMacroReferences() override {}
    std::pair<int, int> macroMemory() override { return {0, 0}; }
    void reloadPresets() override {}

    int paints = 0;

private:
    struct NoNames : settings::FunctionNames {
        Text skinFunctionName(int) override { return u"Left Click"; }
        Text moreFunctionName(int) override { return Text(); }
        Text libraryMacroName(int, int) override { return Text(); }
        Text presetName(int) override { return Text(); }
    } names_;
    ui::Appearance& look_;
    std::unique_ptr<macro::Library> library_ = std::make_unique<macro::Library>();
};

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
        look.place = {testsupport::sourceDir() + u"\\skins", u"\\1_INI_EN", 1};
        look.language = 1;
        ASSERT_TRUE(look.loadTextsAndPageSkins());
        look.fonts.create(look.place, look.language, ui::fontBaseValue(platform::os().graphics->logPixelsX()));
        for (int c = 0; c < settings::kConfigurations; ++c)
            settings::loadConfiguration(settings::store(), look.place.dataRoot + u"\\config", c, false, look.language);
        window = std::make_unique<PaintCounter>(look);
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
    std::unique_ptr<PaintCounter> window;
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
