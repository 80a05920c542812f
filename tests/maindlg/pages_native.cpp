// The four pages of the main window on the headless platform: what a press,
// drag or release over their regions changes, and what they paint.
#include "tests/maindlg/dialog_rig.h"

#include "platform/headless/file_dialog_headless.h"
#include "tests/support/eventually.h"
#include "ui/pages/page.h"
#include "ui/picture_cache.h"

#include <gtest/gtest.h>

using namespace maindlgtest;

namespace {

platform::Point centre(const ui::SkinRegion& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

struct PagesRig : DialogRig {
    app::CKVX_GMouseDlg& shown()
    {
        auto& dlg = open();
        dlg.show(platform::Show::Normal);
        ws().pump();
        return dlg;
    }
    void press(platform::Point p)
    {
        ws().mouseMove(*dlg, p);
        ws().click(*dlg, p);
    }
    void pressMain(int region) { press(centre(dlg->look().skins.main[size_t(region)])); }
    void pressAdvanced(int region) { press(centre(dlg->look().skins.advanced[size_t(region)])); }
    void pressLed(int region) { press(centre(dlg->look().skins.color[size_t(region)])); }
    std::vector<Text> drawnTexts()
    {
        dlg->invalidate();
        ws().pump();
        std::vector<Text> out;
        for (const auto& t : ws().surface(*dlg)->texts())
            out.push_back(t.text);
        return out;
    }
    bool drawn(const Text& t)
    {
        auto texts = drawnTexts();
        return std::find(texts.begin(), texts.end(), t) != texts.end();
    }
    static platform::headless::ScriptedFileDialog& dialogs()
    {
        return static_cast<platform::headless::ScriptedFileDialog&>(*platform::os().fileDialog);
    }
};

} // namespace

TEST(PageInput, HoverRepaintsOnlyWhenTheRegionUnderTheMouseChanges)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    auto& w = rig.native();
    const ui::SkinRegion& apply = dlg.look().skins.main[3];
    const int before = w.paintCount;
    rig.ws().mouseMove(dlg, {2, 300});
    EXPECT_EQ(w.paintCount, before) << "empty space to empty space";
    rig.ws().mouseMove(dlg, {apply.x + 1, apply.y + 1});
    rig.ws().mouseMove(dlg, {apply.x + 3, apply.y + 2});
    EXPECT_EQ(w.paintCount, before + 1) << "into the region, then within it";
    rig.ws().mouseMove(dlg, {2, 300});
    EXPECT_EQ(w.paintCount, before + 2) << "and back out";
}

// A hover repaints only what the window marks as changed; what it shows
// afterwards must be what a repaint of the whole window shows.
TEST(PageInput, HoverRepaintsDrawWhatAWholeRepaintDraws)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    rig.ws().paintInvalidOnly = true;
    auto pixels = [&] {
        auto px = rig.ws().surface(dlg)->pixels();
        return std::vector<platform::Pixel>(px.begin(), px.end());
    };
    for (int page = 0; page < ui::kPageCount; ++page) {
        rig.pressMain(ui::common::FirstTab + page);
        std::vector<platform::Point> points;
        for (const ui::SkinRegion& r : dlg.page().hitTable())
            if (r.width > 0 && r.height > 0)
                points.push_back(centre(r));
        for (int r = 0; r < ui::kCommonRegions; ++r)
            points.push_back(centre(dlg.look().skins.main[size_t(r)]));
        points.push_back({2, 300});
        // Every region of a small page; a spread of them on the large ones.
        const size_t step = std::max<size_t>(1, points.size() / 24);
        for (size_t i = 0; i < points.size(); i += step) {
            rig.ws().mouseMove(dlg, points[i]);
            rig.ws().mouseMove(dlg, points[(i + step / 2 + 1) % points.size()]);
            rig.ws().pump();
            const auto hovered = pixels();
            dlg.invalidate();
            rig.ws().pump();
            ASSERT_EQ(hovered, pixels()) << "page " << page << ", from the point at " << points[i].x << ","
                                         << points[i].y;
        }
    }
}

// Texts whose colour follows the hover (the dimmed tabs, the buttons with a
// caption below) are repainted with it.
TEST(PageInput, HoverRepaintsTheTextsItRecolours)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    auto* native = rig.ws().native(dlg);
    for (int region : {ui::common::FirstTab + 1, ui::common::Import}) {
        const ui::SkinRegion& r = dlg.look().skins.main[size_t(region)];
        rig.ws().mouseMove(dlg, {2, 300});
        rig.drawnTexts(); // a whole repaint
        const auto drawn = rig.ws().surface(dlg)->texts();
        auto it = std::find_if(drawn.begin(), drawn.end(), [&](const auto& t) { return t.text == r.text; });
        ASSERT_NE(it, drawn.end()) << region;
        rig.ws().mouseMove(dlg, centre(r));
        platform::Rect covered;
        for (const platform::Rect& a : native->lastPainted)
            covered = covered.united(a);
        EXPECT_TRUE(covered.contains(it->at) &&
                    covered.contains({it->at.x + it->extent.width - 1, it->at.y + it->extent.height - 1}))
            << "the text of region " << region << " is outside what the hover repaints";
        EXPECT_LT(covered.width() * covered.height(), native->clientRect().width() * native->clientRect().height() / 4)
            << "region " << region << ": a hover repaints a small part of the window";
    }
}

TEST(PageInput, TabsSwitchPagesAndPressesOnEmptySpaceDragTheWindow)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    rig.pressMain(7);
    EXPECT_EQ(dlg.interaction().page, ui::kAdvancedPage);
    EXPECT_EQ(dlg.pages().currentPage, ui::kAdvancedPage) << "the page workers see it too";
    rig.pressMain(9);
    EXPECT_EQ(dlg.interaction().page, ui::kLedPage);

    // On the LED page a main-page-only region is empty space.
    const auto& skins = dlg.look().skins;
    std::span<const ui::SkinRegion> common = std::span<const ui::SkinRegion>(skins.main).first(20);
    std::optional<platform::Point> mainOnly;
    for (size_t r = 20; r < skins.main.size() && !mainOnly; ++r) {
        const platform::Point p = centre(skins.main[r]);
        if (skins.main[r].width > 0 && ui::hitTest(p, std::span(skins.color).first(80)) == ui::kNoRegion &&
            ui::hitTest(p, common) == ui::kNoRegion)
            mainOnly = p;
    }
    ASSERT_TRUE(mainOnly);
    rig.press(*mainOnly);
    ASSERT_EQ(rig.native().moveDrags.size(), 1u);
    EXPECT_EQ(rig.native().moveDrags[0], *mainOnly);
}

TEST(PageInput, AdvancedPageSlidersFollowThePressAndTheDrag)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    rig.pressMain(7);
    settings::ConfigStore& s = dlg.store();
    const ui::SkinRegion& dpi = dlg.look().skins.advanced[66];
    const int level = settings::currentDpiLevel(s);

    rig.press({dpi.x, dpi.y + 5});
    EXPECT_EQ(s.dpiIndex[level], 0) << "left edge";
    // 60 % of the width with 23 steps: position 14, index 13.
    rig.press({dpi.x + dpi.width * 6 / 10, dpi.y + 5});
    EXPECT_EQ(s.dpiIndex[level], 13);

    // A drag keeps following outside the slider until the button is released.
    rig.ws().mouseMove(dlg, {dpi.x + 1, dpi.y + 5});
    rig.ws().lButtonDown(dlg, {dpi.x + 1, dpi.y + 5});
    rig.ws().mouseMove(dlg, {dpi.x + dpi.width + 40, dpi.y + 100});
    EXPECT_EQ(s.dpiIndex[level], 22);
    rig.ws().lButtonUp(dlg, {dpi.x + dpi.width + 40, dpi.y + 100});
    rig.ws().mouseMove(dlg, {dpi.x + 1, dpi.y + 5});
    EXPECT_EQ(s.dpiIndex[level], 22) << "released: moves no longer drag";

    const ui::SkinRegion& fire = dlg.look().skins.advanced[31];
    rig.press({fire.x, fire.y + 2});
    EXPECT_EQ(s.fireTime, 8) << "the mouse takes nothing below 8";
    rig.press({fire.x + fire.width / 3, fire.y + 2});
    EXPECT_GT(s.fireTime, 8);
}

TEST(PageInput, AdvancedPageRatesLevelsAndColours)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    rig.pressMain(7);
    settings::ConfigStore& s = dlg.store();

    rig.pressAdvanced(35);
    EXPECT_EQ(s.reportRate, 1);
    EXPECT_EQ(s.reportInterval, settings::reportIntervalFor(1));

    s.dpiEnabled[4] = 1;
    rig.pressAdvanced(51);
    EXPECT_EQ(s.dpiEnabled[4], 0);
    rig.pressAdvanced(64);
    EXPECT_NE(settings::currentDpiLevel(s), 4) << "a disabled level cannot be chosen";

    const settings::ColourNibbles before = s.dpiColour[2];
    rig.dialogs().reset();
    rig.dialogs().cancelNext();
    rig.pressAdvanced(79);
    EXPECT_EQ(s.dpiColour[2].red, before.red) << "Cancel changes nothing";
    rig.dialogs().answerColour(platform::rgb(255, 0, 0x10));
    rig.pressAdvanced(79);
    EXPECT_EQ(s.dpiColour[2].red, 0);
    EXPECT_EQ(s.dpiColour[2].green, 15);
    EXPECT_EQ(s.dpiColour[2].blue, settings::colourNibble(0x10));
    ASSERT_EQ(rig.dialogs().colourRequests().size(), 2u);
}

TEST(PageInput, MainPageKeepsTheLastLeftClickAndSwitchesLooks)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    settings::ConfigStore& s = dlg.store();
    const int config = settings::currentConfiguration(s);
    for (int b = 0; b < settings::kButtons; ++b)
        if (s.buttons[config][b].functionCode == 1)
            s.buttons[config][b].functionCode = 2;
    s.buttons[config][0].functionCode = 1;

    rig.pressMain(20);
    EXPECT_EQ(ui::shownTips(), std::vector<int>{7});
    EXPECT_FALSE(dlg.lastPopup()) << "no menu for the last left click";

    rig.pressMain(21);
    ASSERT_TRUE(dlg.lastPopup());
    EXPECT_EQ(dlg.lastPopup()->kind, ui::PopupKind::ButtonMenu);
    EXPECT_EQ(dlg.lastPopup()->button, 1);
    EXPECT_EQ(dlg.interaction().editedButton, 1);

    rig.pressMain(79);
    EXPECT_EQ(dlg.interaction().imageVariant, ui::kVariantDark);
    EXPECT_EQ(dlg.pictureVariant(), u"_dark");
}

TEST(PageInput, LedPageInSoundLightingOnlyLeavesIt)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    rig.pressMain(9);
    settings::ConfigStore& s = dlg.store();
    settings::setLightingEffect(s, 3);
    rig.pressLed(19);
    ASSERT_EQ(s.soundLighting, 1);
    const int symmetry = s.effectSymmetry;
    rig.pressLed(45);
    EXPECT_EQ(s.effectSymmetry, symmetry);
    rig.pressLed(17);
    EXPECT_EQ(s.soundLighting, 0);
    rig.pressLed(45);
    EXPECT_NE(s.effectSymmetry, symmetry);

    settings::setLightingEffect(s, 2);
    const auto speed = s.effectSpeed;
    rig.pressLed(41);
    EXPECT_EQ(s.effectSpeed, speed) << "effect 2 has no speed";
}

TEST(PageInput, RecordingRefusesEverythingButRecordExitAndMinimise)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    dlg.interaction().recording = true;
    rig.pressMain(7);
    EXPECT_EQ(dlg.interaction().page, ui::kMainPage);
    EXPECT_EQ(ui::shownTips(), (std::vector<int>{20, 20})) << "on press and on release";
}

TEST(PageInput, ApplyAndTheLink)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    rig.work.clear();
    rig.pressMain(3);
    dlg.workers().joinOnce();
    EXPECT_EQ(rig.work.count("download(main)"), 1);

    dlg.appearance().skins.region19Text = u"https://example.com/manual";
    dlg.appearance().skins.main[19] = {4, 600, 20, 20, u""};
    rig.pressMain(19);
    EXPECT_EQ(rig.process.opened, std::vector<Text>{u"https://example.com/manual"});
}

TEST(PagePainting, TextsOfTheCommonRegionsButtonsAndLiveValues)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    EXPECT_TRUE(rig.drawn(u"Buttons"));
    EXPECT_TRUE(rig.drawn(u"Apply"));
    EXPECT_TRUE(rig.drawn(dlg.look().texts.languageName(1)));
    Text name = settings::buttonDisplayName(dlg.store(), 0, dlg.functionNames());
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(rig.drawn(name));

    rig.pressMain(7);
    settings::ConfigStore& s = dlg.store();
    s.fireTime = 123;
    EXPECT_TRUE(rig.drawn(u"123"));
    EXPECT_TRUE(rig.drawn(u"Performance"));
}

TEST(PagePainting, TheMinimisedWindowShowsItsIconCentred)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    rig.native().iconic = true;
    rig.ws().surface(dlg)->icons.clear();
    dlg.invalidate();
    rig.ws().pump();
    const auto& icons = rig.ws().surface(dlg)->icons;
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].first, 159);
    const platform::Rect client = dlg.clientRect();
    EXPECT_EQ(icons[0].second, (platform::Point{(client.width() - 31) / 2, (client.height() - 31) / 2}));
}

TEST(PageRobustness, BadSkinsPicturesAndTextsNeverStopTheWindow)
{
    PagesRig rig;
    namespace fs = std::filesystem;
    const fs::path skins = hostPath(rig.dir.path()) / "skins";
    auto skinFile = [&](const char* name) { return rig.dir.path() + u"\\skins\\1_INI_EN\\" + text::fromUtf8(name); };
    auto& profile = *platform::os().profile;
    // Regions far outside the pictures, of no size, or missing; a text far too long.
    profile.writeString(skinFile("skin_main.ini"), u"BUTTONPOS", u"6", u"tab,100000,100000,50,50,Far,0");
    profile.writeString(skinFile("skin_main.ini"), u"BUTTONPOS", u"3", u"apply,10,10,0,0,Apply,0");
    profile.writeString(skinFile("skin_advance.ini"), u"BUTTONPOS", u"66", u"dpi,400,260,0,40,,0");
    profile.writeString(skinFile("skin_advance.ini"), u"BUTTONPOS", u"1", u"");
    profile.writeString(skinFile("skin_color.ini"), u"BUTTONPOS", u"41", u"speed,-50,-50,1000000,1000000,,0");
    profile.writeString(skinFile("LanguageText.ini"), u"UniqueName_LED", u"4", Text(5000, u'W'));
    // A picture of the wrong size, one missing, the knob missing.
    fs::copy_file(skins / "moveRect.png", skins / "advanced_down.jpg", fs::copy_options::overwrite_existing);
    fs::remove(skins / "led_over.jpg");
    fs::remove(skins / "moveRect.png");

    auto& dlg = rig.shown();
    for (int page : {ui::kAdvancedPage, ui::kLedPage, ui::kMacroPage, ui::kMainPage}) {
        dlg.switchPage(page);
        const platform::Rect client = dlg.clientRect();
        for (int y = 0; y < client.height(); y += 53)
            for (int x = 0; x < client.width(); x += 61)
                rig.ws().mouseMove(dlg, {x, y});
        rig.press({client.width() / 2, client.height() / 2});
        rig.ws().lButtonDown(dlg, {450, 280});
        rig.ws().mouseMove(dlg, {-20000, 280});
        rig.ws().lButtonUp(dlg, {-20000, 280});
        EXPECT_TRUE(dlg.exists()) << page;
    }
    // The main page without its background: the system paints the default.
    fs::remove(skins / "main_normal.jpg");
    ui::pictureCache().clear();
    const int painted = rig.native().paintCount;
    dlg.invalidate();
    rig.ws().pump();
    EXPECT_EQ(rig.native().paintCount, painted + 1);
}

TEST(PageInput, ImportOfAnotherProductsFileIsRefusedWithItsTip)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    const Text other = rig.dir.path() + u"\\other.ini";
    const auto root = hostPath(rig.dir.path());
    std::filesystem::copy_file(root / "skins" / "config" / "config.ini", root / "other.ini");
    platform::os().profile->writeString(other, u"PRODUCTNAME", u"PRODUCTNAME_CN", u"Other Mouse");
    platform::os().profile->writeString(other, u"PRODUCTNAME", u"PRODUCTNAME_EN", u"Other Mouse");
    rig.dialogs().reset();
    rig.dialogs().answer(other);
    ui::clearShownTips();
    rig.pressMain(14);
    EXPECT_EQ(ui::shownTips(), std::vector<int>{9});
    EXPECT_TRUE(dlg.exists());
    EXPECT_EQ(rig.readConfig(u"PRODUCTNAME", u"PRODUCTNAME_EN"), u"KVX Gaming Mouse");
}

TEST(PageInput, FactoryResetWithoutItsFileAndAFailedExportAreToldByTheWindow)
{
    PagesRig rig;
    auto& dlg = rig.shown();
    std::vector<std::thread::id> shownOn;
    rig.ws().setModalDriver([&](platform::Window&) { shownOn.push_back(std::this_thread::get_id()); });
    ui::clearShownTips();

    std::filesystem::remove(hostPath(rig.dir.path()) / "skins" / "config" / "configReset.ini");
    rig.pressMain(16);
    EXPECT_EQ(ui::shownTips(), (std::vector<int>{5, 5, 5, 5}));
    EXPECT_TRUE(dlg.exists());

    ui::clearShownTips();
    rig.dialogs().reset();
    rig.dialogs().answer(rig.dir.path() + u"\\no-such-folder\\out.ini");
    rig.pressMain(15);
    EXPECT_EQ(ui::shownTips(), std::vector<int>{6});
    EXPECT_EQ(shownOn, std::vector<std::thread::id>(5, std::this_thread::get_id()));
}

// The first page's pictures are decoded ahead while the window starts; its
// first paint hands them to the cache and starts the other pages', which the
// next paint after they are done takes too.
TEST(PagePainting, PicturesDecodedAheadReachTheCacheByTheFirstPaintsThread)
{
    ui::pictureCache().clear();
    PagesRig rig;
    auto& dlg = rig.shown();
    auto picture = [&](const char16_t* name) { return dlg.look().place.picture(name); };
    EXPECT_TRUE(ui::pictureCache().holds(picture(u"main_normal.jpg")));
    EXPECT_TRUE(ui::pictureCache().holds(picture(u"main_down.jpg")));
    ASSERT_TRUE(testsupport::eventually([&] { return dlg.decodedAheadReady(); }));
    dlg.invalidate();
    rig.ws().pump();
    for (const char16_t* name : {u"main_over.jpg", u"advanced_normal.jpg", u"advanced_down.jpg", u"mac_normal.jpg",
                                 u"mac_down.jpg", u"led_normal.jpg", u"led_down.jpg"})
        EXPECT_TRUE(ui::pictureCache().holds(picture(name))) << text::toUtf8(name);
}

// A start page whose pictures are broken still opens; the down picture
// missing leaves only what is drawn from it out.
TEST(PagePainting, BrokenPicturesAtStartStillGiveAWindow)
{
    ui::pictureCache().clear();
    PagesRig rig;
    const auto skins = hostPath(rig.dir.path()) / "skins";
    std::filesystem::remove(skins / "main_down.jpg");
    auto& dlg = rig.shown();
    EXPECT_TRUE(dlg.exists());
    EXPECT_GT(rig.native().paintCount, 0);
    EXPECT_TRUE(ui::pictureCache().holds(dlg.look().place.picture(u"main_normal.jpg")));
    EXPECT_FALSE(ui::pictureCache().holds(dlg.look().place.picture(u"main_down.jpg")));
}
