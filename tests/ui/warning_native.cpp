// The warning dialog driven by clicks on its skin regions.
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "tests/ui/skin_fixture.h"
#include "ui/warning_dlg.h"

#include <gtest/gtest.h>

using namespace ui;
using platform::rgb;
using platform::Window;
namespace hl = platform::headless;

namespace {

constexpr platform::Color kNormal = rgb(0, 0, 200);
constexpr platform::Color kOver = rgb(0, 200, 0);
constexpr platform::Color kNormal2 = rgb(90, 0, 0);

// A stand-in for the main window: records what the warnings send it.
class FakeMain : public Window {
public:
    FakeMain() : Window(102) {}
    std::intptr_t onMessage(unsigned id, std::uintptr_t, std::intptr_t) override
    {
        messages.push_back(id);
        return 0;
    }
    void onDeviceChange(const platform::DeviceChange& c) override { changes.push_back(c.event); }
    std::vector<unsigned> messages;
    std::vector<unsigned> changes;
};

class Warning : public ::testing::Test {
protected:
    void SetUp() override
    {
        ws().modalRuns.clear();
        ws().screen = {1920, 1080};
        root.picture("warning_normal.jpg", 400, 150, kNormal);
        root.picture("warning_over.jpg", 400, 150, kOver);
        root.picture("warning_mask.jpg", 400, 150, 0);
        root.picture("warning2_normal.jpg", 300, 100, kNormal2);
        root.picture("warning2_over.jpg", 300, 100, kOver);
        root.picture("warning2_mask.jpg", 300, 100, 0);
        root.ini("\\1_INI_EN", "LBWarning.ini",
                 "[BUTTONPOS]\r\n0=ok,100,110,80,30,OK,0\r\n1=cancel,220,110,80,30,Cancel,0\r\n"
                 "2=text,20,20,360,80,,0\r\n3=deco,0,0,5,5,Deco,0\r\n"
                 "6=exit,110,60,80,30,Exit,0\r\n7=text2,10,10,280,40,,0\r\n");
        root.ini("\\1_INI_EN", "LanguageText.ini",
                 "[TipText]\r\n1=Mouse not connected:\r\n7=Keep one left button\r\n");
        load(1);
        main.create();
        main.move({100, 50, 1100, 650});
        main.show(platform::Show::Show);
        warnings = std::make_unique<Warnings>(look);
        warnings->setMainWindow(&main, {1000, 600});
    }
    void TearDown() override
    {
        ws().setModalDriver(nullptr);
        setTipSink(nullptr);
    }
    void load(int scale)
    {
        look.place = root.place("\\1_INI_EN", scale);
        look.language = 1;
        look.texts.load(look.place);
        look.loadWarningSkins();
        look.fonts.create(look.place, 1, 87);
    }
    static hl::HeadlessWindows& ws() { return hl::windows(); }
    static platform::Point centre(const SkinRegion& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

    uitest::DataRoot root;
    Appearance look;
    FakeMain main;
    std::unique_ptr<Warnings> warnings;
};

} // namespace

TEST_F(Warning, AfterInitialisationAModalOpensBelowTheMainWindowsCornerAndItsButtonReturnsOne)
{
    warnings->initialisationFinished();
    platform::Rect where;
    ws().setModalDriver([&](Window& w) {
        where = w.windowRect();
        auto& dlg = static_cast<WarningDlg&>(w);
        ws().click(w, centre(dlg.regions()[0]));
    });
    EXPECT_EQ(warnings->showWarning(u"Hello"), 1);
    EXPECT_EQ(where, (platform::Rect{430, 330, 830, 480}));
    EXPECT_FALSE(ws().modalRuns.back().unanswered);
}

TEST_F(Warning, AtScaleTwoTheOffsetRegionsAndSizeDouble)
{
    load(2);
    warnings->initialisationFinished();
    platform::Rect where, region;
    SkinRegion first;
    ws().setModalDriver([&](Window& w) {
        where = w.windowRect();
        first = static_cast<WarningDlg&>(w).regions()[0];
        region = ws().native(w)->region.value_or(platform::Rect{});
        ws().click(w, centre(first));
    });
    EXPECT_EQ(warnings->showWarning(u"Hello"), 1);
    EXPECT_EQ(where, (platform::Rect{760, 610, 1560, 910}));
    EXPECT_EQ(region, (platform::Rect{0, 0, 800, 300}));
    EXPECT_EQ(first.x, 200);
    EXPECT_EQ(first.width, 160);
}

TEST_F(Warning, DuringInitialisationAModalIsCentredOnTheDesktopWithAnOffset)
{
    platform::Rect where;
    ws().setModalDriver([&](Window& w) { where = w.windowRect(); });
    warnings->showWarning(u"File missing");
    EXPECT_EQ(where.left, 960 - 200);
    EXPECT_EQ(where.top, 540 - 100);
}

TEST_F(Warning, HoveringAButtonShowsItFromTheOverPictureUntilTheMouseLeavesIt)
{
    ws().setModalDriver([&](Window& w) {
        auto& dlg = static_cast<WarningDlg&>(w);
        SkinRegion ok = dlg.regions()[0];
        hl::HeadlessCanvas* surface = ws().surface(w);
        ASSERT_TRUE(surface);
        EXPECT_EQ(surface->colorAt(ok.x + 1, ok.y + 1), kNormal);
        int paints = ws().native(w)->paintCount;

        ws().mouseMove(w, centre(ok));
        EXPECT_EQ(dlg.hoveredButton(), WarningDlg::First);
        EXPECT_EQ(surface->colorAt(ok.x + 1, ok.y + 1), kOver);
        EXPECT_EQ(surface->colorAt(ok.x + ok.width, ok.y + 1), kNormal) << "only the region";
        EXPECT_EQ(ws().native(w)->paintCount, paints + 1);

        ws().mouseMove(w, {ok.x + 2, ok.y + 2});
        EXPECT_EQ(ws().native(w)->paintCount, paints + 1) << "moving within a button repaints nothing";

        ws().mouseMove(w, centre(dlg.regions()[1]));
        EXPECT_EQ(dlg.hoveredButton(), WarningDlg::Second);
        ws().mouseMove(w, {5, 140});
        EXPECT_EQ(dlg.hoveredButton(), WarningDlg::None);
        EXPECT_EQ(surface->colorAt(ok.x + 1, ok.y + 1), kNormal);
        w.endDialog(1);
    });
    warnings->showWarning(u"x");
}

TEST_F(Warning, SecondButtonEnterAndEscapeGiveTheirResultsAndOtherClicksNothing)
{
    ws().setModalDriver([&](Window& w) { ws().click(w, centre(static_cast<WarningDlg&>(w).regions()[1])); });
    EXPECT_EQ(warnings->showWarning(u"x"), 2);
    ws().setModalDriver([&](Window& w) { ws().key(w, platform::vk::Return); });
    EXPECT_EQ(warnings->showWarning(u"x"), 1);
    ws().setModalDriver([&](Window& w) { ws().key(w, platform::vk::Escape); });
    EXPECT_EQ(warnings->showWarning(u"x"), 2);
    ws().setModalDriver([&](Window& w) { ws().click(w, {5, 5}); });
    warnings->showWarning(u"x");
    EXPECT_TRUE(ws().modalRuns.back().unanswered) << "a click beside the buttons does not close it";
    EXPECT_TRUE(main.messages.empty());
}

TEST_F(Warning, MessageIsCentredInWhiteWithTheScreenScaleFont)
{
    ws().setModalDriver([&](Window& w) {
        const auto& texts = ws().surface(w)->texts();
        ASSERT_EQ(texts.size(), 1u);
        // Size 6 of the Arial set at 96 dpi: 9.2 points, 12 pixels high, 6 wide per character.
        EXPECT_EQ(texts[0].text, u"Hello mouse");
        EXPECT_EQ(texts[0].color, 0xFFFFFFu);
        EXPECT_EQ(texts[0].tenths, 92);
        EXPECT_EQ(texts[0].at.x, 20 + (360 - 66) / 2 + 2);
        EXPECT_EQ(texts[0].at.y, 20 + (80 - 12) / 2);
        w.endDialog(1);
    });
    warnings->showWarning(u"Hello mouse");
}

TEST_F(Warning, LongMessagesAreDrawnBeyondTheArea)
{
    Text longText(100, u'W');
    ws().setModalDriver([&](Window& w) {
        const auto& texts = ws().surface(w)->texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].at.x, 20 + (360 - 600) / 2 + 2);
        EXPECT_EQ(texts[0].text, longText);
        w.endDialog(1);
    });
    warnings->showWarning(longText);
}

TEST_F(Warning, TipsShowTheTextOfTheCurrentLanguageWithTheirSuffix)
{
    setTipSink(warnings.get());
    Text shown;
    ws().setModalDriver([&](Window& w) {
        shown = static_cast<WarningDlg&>(w).regions()[2].text;
        w.endDialog(1);
    });
    showTip(7, u"!");
    EXPECT_EQ(shown, u"Keep one left button!");
    EXPECT_EQ(warnings->message, u"Keep one left button!");
    showTip(77);
    EXPECT_EQ(shown, u"") << "a tip number beyond the table shows an empty text";
}

TEST_F(Warning, EachDialogRenewsTheDeviceNotificationAndPassesDeviceChangesOn)
{
    int before = ws().native(main)->hidRegistrations;
    ws().setModalDriver([&](Window& w) {
        ws().deviceChange(w, {platform::DeviceChange::RemoveComplete, platform::DeviceChange::DeviceInterface, u"\\\\?\\hid#x"});
        w.endDialog(1);
    });
    warnings->showWarning(u"x");
    EXPECT_EQ(ws().native(main)->hidRegistrations, before + 1);
    EXPECT_EQ(main.changes, std::vector<unsigned>{platform::DeviceChange::RemoveComplete});
}

TEST_F(Warning, StatusWarningCoversTheCentredMainWindowAndItsButtonEndsTheProgram)
{
    warnings->createStatus(u"Mouse not connected:KVX");
    WarningDlg* status = warnings->status();
    ASSERT_TRUE(status && status->exists());
    EXPECT_FALSE(status->isVisible()) << "created hidden";
    EXPECT_EQ(status->form(), WarningForm::Status);

    warnings->initialisationFinished();
    warnings->showStatus(look.texts.tip(1) + u"KVX");
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(main.windowRect(), (platform::Rect{460, 240, 1460, 840})) << "main centred with its skin size";
    EXPECT_EQ(status->windowRect(), (platform::Rect{460, 240, 760, 340})) << "at the main window's corner";
    EXPECT_EQ(status->regions()[2].text, u"Mouse not connected:KVX");
    EXPECT_EQ(status->regions()[0].x, 110) << "entry 6 is its button";
    EXPECT_EQ(status->regions()[1].width, 0) << "one button only";
    EXPECT_EQ(warnings->placement, WarningPlacement::Desktop);
    EXPECT_TRUE(warnings->statusActive);

    ws().pump();
    EXPECT_EQ(ws().surface(*status)->colorAt(1, 1), kNormal2) << "the status form's own pictures";
    EXPECT_TRUE(ws().click(*status, centre(status->regions()[0])));
    EXPECT_FALSE(status->isVisible());
    EXPECT_EQ(main.messages, std::vector<unsigned>{ui::msg::EndProgram});
}

TEST_F(Warning, StatusWarningEndedByAKeyIsOnlyHidden)
{
    warnings->createStatus(u"x");
    warnings->showStatus(u"x");
    ws().key(*warnings->status(), platform::vk::Escape);
    EXPECT_FALSE(warnings->status()->isVisible());
    EXPECT_TRUE(warnings->status()->exists());
    EXPECT_TRUE(main.messages.empty());
    warnings->showStatus(u"again");
    EXPECT_TRUE(warnings->status()->isVisible());
    EXPECT_EQ(warnings->status()->regions()[2].text, u"again") << "texts are refilled when shown again";
}

TEST_F(Warning, AfterTheStatusWarningModalsOpenCentredOnTheDesktopForTheRestOfTheRun)
{
    warnings->initialisationFinished();
    warnings->createStatus(u"x");
    warnings->showStatus(u"x");
    warnings->hideStatus();
    warnings->initialisationFinished();
    platform::Rect where;
    ws().setModalDriver([&](Window& w) { where = w.windowRect(); w.endDialog(1); });
    warnings->showWarning(u"later");
    EXPECT_EQ(where.left, 760);
    EXPECT_EQ(where.top, 440);
    EXPECT_FALSE(warnings->statusActive) << "a modal warning clears the flag";
}

TEST_F(Warning, ButtonsActByTheirOwnFormWhateverTheSharedFlagSays)
{
    warnings->createStatus(u"x");
    warnings->showStatus(u"x");
    // A modal warning shown meanwhile clears the shared flag; the status warning's button still ends the program.
    ws().setModalDriver([&](Window& w) {
        // The mouse goes away while the modal runs: the status warning is shown again.
        warnings->showStatus(u"gone");
        ws().click(w, centre(static_cast<WarningDlg&>(w).regions()[0]));
    });
    EXPECT_EQ(warnings->showWarning(u"modal"), 1);
    EXPECT_TRUE(main.messages.empty()) << "confirming a modal warning never ends the program";
    ws().click(*warnings->status(), centre(warnings->status()->regions()[0]));
    EXPECT_EQ(main.messages, std::vector<unsigned>{ui::msg::EndProgram});
}

TEST_F(Warning, AWarningShownFromInsideAnotherKeepsTheRunningOneAlive)
{
    int depth = 0;
    std::vector<Text> seen;
    ws().setModalDriver([&](Window& w) {
        auto& dlg = static_cast<WarningDlg&>(w);
        seen.push_back(dlg.regions()[2].text);
        EXPECT_EQ(warnings->openModal(), &dlg);
        if (depth++ == 0) {
            EXPECT_EQ(warnings->showWarning(u"inner"), 1);
            EXPECT_EQ(warnings->openModal(), &dlg);
            EXPECT_EQ(dlg.regions()[2].text, u"outer") << "the outer dialog is intact";
        }
        ws().click(w, centre(dlg.regions()[0]));
    });
    EXPECT_EQ(warnings->showWarning(u"outer"), 1);
    EXPECT_EQ(seen, (std::vector<Text>{u"outer", u"inner"}));
    EXPECT_EQ(warnings->openModal(), nullptr);
    EXPECT_NE(warnings->lastModal(), nullptr);
}

TEST_F(Warning, WithoutPicturesTheDialogHasNoSizeButStillRunsAndEnds)
{
    uitest::DataRoot empty;
    empty.ini("\\1_INI_EN", "LBWarning.ini", "[BUTTONPOS]\r\n0=ok,100,110,80,30,OK,0\r\n");
    look.place = empty.place();
    look.loadWarningSkins();
    ws().setModalDriver([&](Window& w) {
        EXPECT_EQ(w.windowRect().width(), 0);
        EXPECT_FALSE(ws().click(w, {120, 120})) << "outside its empty window region";
        ws().key(w, platform::vk::Return);
    });
    EXPECT_EQ(warnings->showWarning(u"x"), 1);
}

namespace {

// A skinned window in its plainest form: one table, hover and press.
class SkinnedProbe : public Window {
public:
    SkinnedProbe(const SkinPlace& place, std::span<const SkinRegion> table) : Window(900), place_(place), table_(table) {}
    bool onInitDialog() override
    {
        move({300, 200, 310, 210});
        size = shapeFromMask(*this, place_.picture(u"probe_mask.jpg"), place_.scale);
        return true;
    }
    bool onPaint(platform::Canvas& surface) override
    {
        return paintSkinnedWindow(surface, place_, u"probe", Text(), table_, hovered, pressed,
                                  [&](SkinPictures& p) { copyRegion(*p.normal, p.down.get(), table_[1], place_.scale); });
    }
    void onMouseMove(platform::Point p) override
    {
        hovered = hitTest(p, table_);
        invalidate();
    }
    void onLButtonDown(platform::Point) override
    {
        pressed = true;
        invalidate();
    }
    std::optional<Size> size;
    int hovered = kNoRegion;
    bool pressed = false;

private:
    SkinPlace place_;
    std::span<const SkinRegion> table_;
};

} // namespace

TEST(SkinnedWindow, TakesItsSizeFromTheMaskAndPaintsHoverPressAndSelectionEnlarged)
{
    uitest::DataRoot root;
    root.picture("probe_normal.jpg", 40, 30, rgb(0, 0, 200));
    root.picture("probe_over.jpg", 40, 30, rgb(0, 200, 0));
    root.picture("probe_down.jpg", 40, 30, rgb(200, 0, 0));
    root.picture("probe_mask.jpg", 40, 30, 0);
    // Scaled tables, as loaded at scale 2.
    std::array<SkinRegion, 2> table = {SkinRegion{0, 0, 20, 20, Text()}, SkinRegion{40, 40, 20, 20, Text()}};
    SkinnedProbe w(root.place("\\1_INI_EN", 2), table);
    auto& ws = hl::windows();
    ASSERT_TRUE(w.create());
    EXPECT_EQ(w.size, (Size{40, 30}));
    EXPECT_EQ(w.windowRect(), (platform::Rect{300, 200, 380, 260})) << "80 × 60 at its position";
    EXPECT_EQ(ws.native(w)->region, (platform::Rect{0, 0, 80, 60}));
    w.show(platform::Show::Show);
    ws.pump();
    hl::HeadlessCanvas* s = ws.surface(w);
    EXPECT_EQ(s->colorAt(5, 5), rgb(0, 0, 200));
    EXPECT_EQ(s->colorAt(45, 45), rgb(200, 0, 0)) << "the selected region from down";
    EXPECT_EQ(s->colorAt(79, 59), rgb(0, 0, 200));
    ws.mouseMove(w, {5, 5});
    EXPECT_EQ(s->colorAt(5, 5), rgb(0, 200, 0));
    EXPECT_EQ(s->colorAt(19, 19), rgb(0, 200, 0));
    EXPECT_EQ(s->colorAt(20, 20), rgb(0, 0, 200));
    ws.lButtonDown(w, {5, 5});
    EXPECT_EQ(s->colorAt(5, 5), rgb(200, 0, 0));
}

TEST(SkinnedWindow, WithoutItsNormalPictureTheDefaultBackgroundIsPainted)
{
    uitest::DataRoot root;
    std::array<SkinRegion, 2> table;
    SkinnedProbe w(root.place(), table);
    ASSERT_TRUE(w.create());
    EXPECT_FALSE(w.size);
    EXPECT_EQ(w.windowRect(), (platform::Rect{300, 200, 310, 210})) << "no mask: size and place unchanged";
    w.show(platform::Show::Show);
    hl::windows().pump();
    EXPECT_EQ(hl::windows().surface(w)->colorAt(1, 1), rgb(0xF0, 0xF0, 0xF0));
}
