// The key capture dialogs in the running window: the key of a macro event
// replaced from the event menu, and a key combination put on a button from
// row 10 of its button menu, with the headless keyboard hook typing.
#include "macro/macro_file.h"
#include "platform/headless/controls_headless.h"
#include "platform/headless/keyboard_hook_headless.h"
#include "settings/shortcut_capture.h"
#include "tests/maindlg/dialog_rig.h"
#include "ui/dialogs/dialog_get_key.h"
#include "ui/dialogs/shortcut_get_key.h"
#include "ui/menus/skinned_menu.h"
#include "ui/pages/macro_page.h"

#include <gtest/gtest.h>

using namespace maindlgtest;

namespace {

constexpr unsigned kDown = 0x100, kUp = 0x101;
constexpr unsigned kVkF5 = 116;
constexpr int kEventMenu = 13, kModify = 1;

platform::Point centre(const ui::SkinRegion& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

struct CaptureRig : DialogRig {
    ui::MacroPage* page = nullptr;
    int group = 0;

    app::CKVX_GMouseDlg& shown()
    {
        auto& d = open();
        d.show(platform::Show::Normal);
        ws().pump();
        return d;
    }
    // A new macro holding one left button press, its event row selected.
    void macroWithOneEvent()
    {
        auto& d = shown();
        d.switchPage(ui::kMacroPage);
        page = &static_cast<ui::MacroPage&>(d.page(ui::kMacroPage));
        page->menuChoice(11, 1);
        group = d.library().groupCount - 1;
        page->menuChoice(11, 2);
        page->menuChoice(14, macro::insertitem::AfterLeftPress);
        page->editor().saveCurrent();
        page->eventList().select(0);
    }
    macro::MacroRecord saved() { return macro::readGroupMacro(dlg->macroPlace().macroFolder, group, 0, 1); }

    static void key(unsigned message, unsigned vk)
    {
        EXPECT_TRUE(hl::keyboardHook().inject(message, vk));
        ws().pump();
    }
    static void press(platform::Window& w, const ui::CaptureDialog& d, int region)
    {
        const platform::Point p = centre(d.regions()[size_t(region)]);
        ws().mouseMove(w, p);
        ws().click(w, p);
        ws().pump();
    }
    // Button b's menu, row 10.
    void openShortcutCapture(int b)
    {
        const platform::Point p = centre(dlg->look().skins.main[size_t(20 + b)]);
        ws().mouseMove(*dlg, p);
        ws().click(*dlg, p);
        ws().pump();
        ASSERT_TRUE(dlg->popups().isOpen());
        ui::menus::SkinnedMenu& m = *dlg->popups().menu();
        const platform::Point row{10, 9 * m.geometry().rowHeight + m.geometry().rowHeight / 2};
        ws().mouseMove(m, row);
        ws().click(m, row);
        ws().pump();
    }
    const settings::ButtonSlot& button(int b) { return dlg->store().buttons[0][b]; }
};

} // namespace

TEST(KeyCaptureDialog, F5ReplacesTheKeyOfTheEventInTheListAndTheGroupFile)
{
    CaptureRig rig;
    rig.macroWithOneEvent();
    auto& hook = hl::keyboardHook();
    bool ran = false;
    rig.ws().setModalDriver([&](platform::Window& w) {
        ran = true;
        auto& d = static_cast<ui::CDialogGetKey&>(w);
        EXPECT_EQ(w.templateId(), ui::CDialogGetKey::kTemplate);
        EXPECT_EQ(w.text(), rig.dlg->text()) << "the hook finds it by the main window's title";
        const platform::Rect main = rig.dlg->windowRect();
        EXPECT_EQ(w.windowRect(), platform::Rect::fromXywh(main.left + 330, main.top + 280, 360, 200));
        EXPECT_TRUE(hook.installed());
        EXPECT_EQ(d.capture().deviceCode(), 0xF1) << "it starts with the event's key";

        CaptureRig::key(kDown, 27);
        EXPECT_FALSE(w.endRequested()) << "Escape is captured, it closes nothing";
        EXPECT_EQ(d.capture().name(), u"ESCAPE");
        CaptureRig::key(kDown, 13);
        EXPECT_FALSE(w.endRequested()) << "nor does Enter";
        CaptureRig::key(kDown, kVkF5);
        CaptureRig::key(kUp, kVkF5);
        EXPECT_EQ(d.capture().name(), u"F5");
        EXPECT_EQ(rig.page->editor().current().code[0], 0xF1) << "nothing changes before OK";
        CaptureRig::press(w, d, ui::CDialogGetKey::Ok);
        EXPECT_EQ(w.result(), ui::CDialogGetKey::kConfirmed);
    });
    rig.page->menuChoice(kEventMenu, kModify);
    ASSERT_TRUE(ran);
    EXPECT_FALSE(hook.installed());
    EXPECT_EQ(rig.page->editor().current().code[0], 0x3E);
    EXPECT_EQ(rig.saved().code[0], 0x3E);
    EXPECT_EQ(rig.saved().sub[0], macro::sub::Press) << "only the key changes";
    EXPECT_NE(rig.page->eventList().rowText(0).find(u"F5"), Text::npos) << text::toUtf8(rig.page->eventList().rowText(0));
}

TEST(KeyCaptureDialog, CancelAndClosingChangeNothing)
{
    CaptureRig rig;
    rig.macroWithOneEvent();
    const macro::MacroRecord before = rig.saved();
    rig.ws().setModalDriver([&](platform::Window& w) {
        auto& d = static_cast<ui::CDialogGetKey&>(w);
        CaptureRig::key(kDown, 'Q');
        CaptureRig::press(w, d, ui::CDialogGetKey::Cancel);
        EXPECT_EQ(w.result(), ui::CDialogGetKey::kCancelled);
    });
    rig.page->menuChoice(kEventMenu, kModify);
    // Left without an answer: the dialog goes all the same, and its hook with it.
    rig.ws().setModalDriver([&](platform::Window&) { CaptureRig::key(kDown, 'W'); });
    rig.page->menuChoice(kEventMenu, kModify);
    EXPECT_FALSE(hl::keyboardHook().installed());
    EXPECT_EQ(rig.page->editor().current().code[0], 0xF1);
    EXPECT_TRUE(rig.saved() == before);
    EXPECT_FALSE(hl::keyboardHook().inject(kDown, 'E')) << "the keyboard is free again";
}

TEST(ShortcutCaptureDialog, CtrlShiftSOnButton5FromTheButtonMenu)
{
    CaptureRig rig;
    auto& dlg = rig.shown();
    bool ran = false;
    rig.ws().setModalDriver([&](platform::Window& w) {
        ran = true;
        auto& d = static_cast<ui::CShortcutGetKey&>(w);
        EXPECT_EQ(d.button(), 5);
        const platform::Rect main = dlg.windowRect();
        EXPECT_EQ(w.windowRect().left, main.left + (main.width() - 480) / 2) << "centred on the main window";
        EXPECT_EQ(w.windowRect().height(), 330);
        using R = ui::CShortcutGetKey::Region;
        CaptureRig::press(w, d, R::FirstSwitch);     // Ctrl
        CaptureRig::press(w, d, R::FirstSwitch + 1); // Shift
        CaptureRig::key(kDown, 162);
        CaptureRig::key(kDown, 'S');
        CaptureRig::key(kDown, 13);
        EXPECT_FALSE(w.endRequested());
        CaptureRig::key(kDown, 'S');
        CaptureRig::key(kUp, 'S');
        CaptureRig::key(kUp, 162);
        EXPECT_EQ(d.capture().combinationText(), u"Ctrl&split&Shift&split&S");
        CaptureRig::press(w, d, R::Ok);
    });
    rig.openShortcutCapture(5);
    ASSERT_TRUE(ran) << "row 10 opens the capture";
    EXPECT_FALSE(dlg.popups().isOpen());
    EXPECT_FALSE(hl::keyboardHook().installed());
    EXPECT_EQ(rig.button(5).functionCode, settings::function::KeyCombination);
    EXPECT_EQ(rig.button(5).shortcutText, settings::shortcutText({true, true, false, false, u"S", 'S'}));
    EXPECT_EQ(macro::recordName(dlg.store().shortcutMacros[0][5]), u"Ctrl+Shift+S");
    EXPECT_EQ(dlg.store().shortcutMacros[0][5].eventCount, 3);

    // Opened again, it shows what the button has; Clear and OK then leave it alone.
    rig.ws().setModalDriver([&](platform::Window& w) {
        auto& d = static_cast<ui::CShortcutGetKey&>(w);
        EXPECT_TRUE(d.capture().isOn(settings::Modifier::Ctrl));
        EXPECT_TRUE(d.capture().isOn(settings::Modifier::Shift));
        EXPECT_EQ(d.capture().mainName(), u"S");
        CaptureRig::press(w, d, ui::CShortcutGetKey::Clear);
        EXPECT_TRUE(d.capture().empty());
        CaptureRig::press(w, d, ui::CShortcutGetKey::Ok);
    });
    rig.openShortcutCapture(5);
    EXPECT_EQ(rig.button(5).shortcutText, settings::shortcutText({true, true, false, false, u"S", 'S'}));
}

TEST(ShortcutCaptureDialog, CancelLeavesTheButtonAsItWas)
{
    CaptureRig rig;
    rig.shown();
    const settings::ButtonSlot before = rig.button(3);
    for (int region : {int(ui::CShortcutGetKey::Cancel), int(ui::CShortcutGetKey::Close)}) {
        rig.ws().setModalDriver([&](platform::Window& w) {
            auto& d = static_cast<ui::CShortcutGetKey&>(w);
            EXPECT_TRUE(d.capture().empty()) << "button 3 has no key combination to show";
            CaptureRig::press(w, d, ui::CShortcutGetKey::FirstSwitch + 2);
            CaptureRig::key(kDown, 'K');
            CaptureRig::press(w, d, region);
            EXPECT_EQ(w.result(), ui::CShortcutGetKey::kCancelledByButton);
        });
        rig.openShortcutCapture(3);
        EXPECT_EQ(rig.button(3).functionCode, before.functionCode);
        EXPECT_EQ(rig.button(3).shortcutText, before.shortcutText);
        EXPECT_FALSE(hl::keyboardHook().installed());
    }
}

TEST(ShortcutCaptureDialog, ExitFromTheTrayEndsTheCaptureAndFreesTheKeyboard)
{
    CaptureRig rig;
    auto& dlg = rig.shown();
    rig.ws().setModalDriver([&](platform::Window& w) {
        auto& d = static_cast<ui::CShortcutGetKey&>(w);
        EXPECT_EQ(ui::CaptureDialog::openCapture(), &d);
        CaptureRig::press(w, d, ui::CShortcutGetKey::FirstSwitch);
        CaptureRig::key(kDown, 'X');
        dlg.onCommand(app::kCmdTrayExit);
        EXPECT_TRUE(w.endRequested());
        EXPECT_EQ(w.result(), ui::CaptureDialog::kCancelled);
    });
    const settings::ButtonSlot before = rig.button(2);
    rig.openShortcutCapture(2);
    EXPECT_FALSE(rig.ws().modalRuns.back().unanswered);
    EXPECT_FALSE(hl::keyboardHook().installed());
    EXPECT_EQ(ui::CaptureDialog::openCapture(), nullptr);
    EXPECT_EQ(rig.button(2).functionCode, before.functionCode);
}
