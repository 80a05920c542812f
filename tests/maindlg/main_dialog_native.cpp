// The main window on the headless platform: its initialisation, its message
// table, the mouse coming and going, and the close sequence.
#include "tests/maindlg/dialog_rig.h"

#include "app/tray_icon.h"
#include "device/commands.h"
#include "device/device_functions.h"
#include "settings/config_files.h"

#include <gtest/gtest.h>

using namespace maindlgtest;
using platform::Show;

namespace {

const Text kTitle = u"KVX Gaming Mouse";
constexpr unsigned kSysCommand = platform::msg::SysCommand;

std::vector<std::string> withoutDownloads(std::vector<std::string> calls)
{
    std::erase_if(calls, [](const std::string& c) { return c.rfind("download", 0) == 0; });
    return calls;
}

} // namespace

// --- initialisation ---

TEST(MainDialogInit, SetsUpTitleShapeIconTrayAndConnectionFromTheDataRoot)
{
    DialogRig rig;
    auto& dlg = rig.open();
    auto& w = rig.native();

    EXPECT_EQ(w.title, kTitle);
    EXPECT_EQ(w.icon, 159);
    ASSERT_EQ(w.systemMenu.size(), 1u);
    EXPECT_EQ(w.systemMenu[0], std::make_pair(0x10u, Text(u"&About KVX_GMouse...")));
    EXPECT_GE(w.hidRegistrations, 1); // the status warning registers the main window again

    // Sized by main_mask.jpg and centred on the 1920 × 1080 screen.
    ASSERT_TRUE(dlg.skinSize());
    const platform::Size skin = *dlg.skinSize();
    EXPECT_EQ(w.rect.width(), skin.width);
    EXPECT_EQ(w.rect.height(), skin.height);
    EXPECT_EQ(w.rect.left, (1920 - skin.width) / 2);
    EXPECT_EQ(w.rect.top, (1080 - skin.height) / 2);

    ASSERT_EQ(hl::tray().icons.size(), 1u);
    const platform::TrayIconData& icon = hl::tray().icons[0];
    EXPECT_EQ(icon.window, dlg.handle());
    EXPECT_EQ(icon.id, 153u);
    EXPECT_EQ(icon.callbackMessage, 0x83EBu);
    EXPECT_EQ(icon.iconResource, 159);
    EXPECT_EQ(icon.tip, kTitle);

    EXPECT_TRUE(device::connection().connected);
    EXPECT_EQ(dlg.effectMask(), 0x3FFF);
    EXPECT_EQ(dlg.store().catalogue.keyNum, 8);
    // Connected: the status warning exists but stays hidden.
    ASSERT_NE(dlg.warnings().status(), nullptr);
    EXPECT_FALSE(dlg.warnings().status()->isVisible());
    EXPECT_EQ(app::paths().macroFolder, rig.dir.path() + u"\\skins\\1_INI_EN\\macro\\");
    EXPECT_GT(dlg.library().groupCount, 0);
    EXPECT_GT(dlg.presets().count, 0);
}

TEST(MainDialogInit, StartsTheDeviceThreadsFirstAndDownloadsOnAWorker)
{
    DialogRig rig;
    auto& dlg = rig.open();
    EXPECT_EQ(rig.work.calls(),
              (std::vector<std::string>{"clearFlags", "start", "suspend", "resume", "download(worker)"}))
        << "parked while the first discovery sets the handles they read";
    // Blinking is off from the start: the blink worker ends at once with the indicator shown.
    for (int i = 0; i < 200 && dlg.workers().blinkRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(dlg.workers().blinkRunning());
    EXPECT_TRUE(dlg.pages().indicatorShown);
}

TEST(MainDialogInit, WithoutAMouseShowsTheNotConnectedMessageOnceSetUp)
{
    DialogRig rig({}, false);
    auto& dlg = rig.open();
    EXPECT_FALSE(device::connection().connected);
    auto* status = dlg.warnings().status();
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(dlg.warnings().message, Text(u"No mouse found. Please connect the ") + kTitle);
    EXPECT_TRUE(ui::shownTips().empty()) << "not a modal tip";
}

TEST(MainDialogInit, SecondModelIsResetToFactorySettingsBetweenTwoTips)
{
    platform::sim::SimMouseOptions second;
    second.productId = platform::sim::kProductIdModel0;
    DialogRig rig(second);
    rig.writeConfig(u"Init", u"CurConfig", u"2");
    rig.writeConfig(u"Config1", u"K0", u"7");
    std::vector<int> templates;
    rig.ws().setModalDriver([&](platform::Window& w) { templates.push_back(w.templateId()); });

    auto& dlg = rig.open();
    EXPECT_EQ(ui::shownTips(), (std::vector<int>{2, 3}));
    EXPECT_EQ(templates, (std::vector<int>{105, 105}));
    EXPECT_EQ(settings::currentConfiguration(dlg.store()), 0);
    EXPECT_EQ(rig.readConfig(u"Config1", u"K0"), u"1") << "factory value written back";
    EXPECT_EQ(rig.work.count("download(worker)"), 1);
}

TEST(MainDialogInit, TipsOfTheInitialDownloadAreShownByTheWindowNotTheWorker)
{
    DialogRig rig;
    rig.work.outcome = {device::DownloadResult::AreaFull, true};
    const auto windowThread = std::this_thread::get_id();
    std::vector<std::thread::id> shownOn;
    rig.ws().setModalDriver([&](platform::Window&) { shownOn.push_back(std::this_thread::get_id()); });

    auto& dlg = rig.open(); // joins the worker, then handles what it posted
    EXPECT_EQ(ui::shownTips(), (std::vector<int>{6, 29}));
    EXPECT_EQ(shownOn, (std::vector<std::thread::id>{windowThread, windowThread}));

    // The download of the window's own thread shows them at once.
    ui::clearShownTips();
    shownOn.clear();
    dlg.download();
    EXPECT_EQ(ui::shownTips(), (std::vector<int>{6, 29}));
    EXPECT_EQ(shownOn.size(), 2u);
}

TEST(MainDialogInit, TheDownloadWritesACopyTakenOnTheWindowsThread)
{
    DialogRig rig;
    auto& dlg = rig.open();
    ASSERT_NE(rig.work.lastSources.store, nullptr);
    EXPECT_NE(rig.work.lastSources.store, &dlg.store()) << "the worker never reads the window's store";
    EXPECT_NE(rig.work.lastSources.macros.library, &dlg.library());
    EXPECT_EQ(rig.work.lastSources.store->catalogue.keyNum, dlg.store().catalogue.keyNum);
    // The copy lives as long as the sources.
    device::DownloadSources kept = rig.work.lastSources;
    rig.work.lastSources = {};
    EXPECT_EQ(kept.store->catalogue.keyNum, dlg.store().catalogue.keyNum);
}

TEST(MainDialogInit, ButtonsOnLibraryMacrosSurviveTheInitialDownloadsReferenceCheck)
{
    // The shipped data puts buttons 3 and 4 of configuration 2 on macros 2 and 0 of "Games".
    DialogRig rig;
    auto& dlg = rig.open();
    ASSERT_EQ(dlg.store().buttons[2][3].functionCode, 514);
    device::clearInvalidMacroReferences(dlg.store(), rig.work.lastSources.macros);
    EXPECT_EQ(dlg.store().buttons[2][3].functionCode, 514);
    EXPECT_EQ(dlg.store().buttons[2][4].functionCode, 512);
}

TEST(MainDialogInit, SoftwareMacroModeHandsTheCurrentConfigurationsButtonsOver)
{
    DialogRig rig;
    rig.writeConfig(u"ShareData", u"SOFT_HARD_MAC", u"1");
    rig.writeConfig(u"Init", u"CurConfig", u"3");
    rig.open();
    auto calls = withoutDownloads(rig.work.calls());
    EXPECT_EQ(calls, (std::vector<std::string>{"clearFlags", "start", "suspend", "resume", "overrides 3"}));
}

TEST(MainDialogInit, HideSwitchMinimisesAtTheFirstEraseOnly)
{
    DialogRig rig;
    rig.process.cmdLine = u"\"C:\\KVX\\KVX_GMouse.exe\" -HIDE";
    auto& dlg = rig.open();
    dlg.show(Show::Normal);
    EXPECT_TRUE(dlg.onEraseBackground());
    EXPECT_TRUE(rig.native().iconic);
    EXPECT_FALSE(app::startup().hideAtStart);
    dlg.show(Show::Restore);
    dlg.onEraseBackground();
    EXPECT_FALSE(rig.native().iconic);
}

TEST(MainDialogInit, RemovesTheAutorunEntryNamedAfterTheProductOnly)
{
    DialogRig rig;
    hl::registry().runValues[kTitle] = u"\"C:\\x.exe\" -silent";
    hl::registry().runValues[u"Other"] = u"other.exe";
    rig.open();
    EXPECT_EQ(hl::registry().runValues.count(kTitle), 0u);
    EXPECT_EQ(hl::registry().runValues.count(u"Other"), 1u);
}

TEST(MainDialogInit, WithoutRightsToTheRunKeyTheEntryStaysAndTheStartGoesOn)
{
    DialogRig rig;
    hl::registry().runValues[kTitle] = u"x";
    hl::registry().writable = false;
    auto& dlg = rig.open();
    EXPECT_EQ(hl::registry().runValues.count(kTitle), 1u);
    EXPECT_EQ(hl::tray().icons.size(), 1u);
    EXPECT_TRUE(dlg.exists());
}

// --- system commands and the tray ---

TEST(MainDialogMessages, CloseBoxHidesToTheTrayAndTheProgramKeepsRunning)
{
    DialogRig rig;
    auto& dlg = rig.open();
    dlg.show(Show::Normal);
    rig.native().shows.clear();
    dlg.send(kSysCommand, platform::syscmd::Close);
    EXPECT_EQ(rig.native().shows, (std::vector<Show>{Show::Minimize, Show::Hide}));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(hl::tray().icons.size(), 1u);
    EXPECT_EQ(rig.work.count("finish"), 0);

    dlg.send(kSysCommand, platform::syscmd::Minimize);
    EXPECT_TRUE(rig.native().iconic);
    dlg.send(kSysCommand, platform::syscmd::Restore);
    EXPECT_FALSE(rig.native().iconic);
    EXPECT_FALSE(dlg.onSysCommand(0xF100)) << "other commands go to the default handling";
}

TEST(MainDialogMessages, AboutShowsTheAboutBox)
{
    DialogRig rig;
    auto& dlg = rig.open();
    dlg.send(kSysCommand, 0x10);
    ASSERT_EQ(rig.ws().messageBoxes.size(), 1u);
    EXPECT_EQ(rig.ws().messageBoxes[0].caption, u"About KVX_GMouse");
}

TEST(MainDialogMessages, TrayDoubleClickShowsAndRestoresOtherIconsChangeNothing)
{
    DialogRig rig;
    auto& dlg = rig.open();
    dlg.send(kSysCommand, platform::syscmd::Close);
    EXPECT_EQ(dlg.send(ui::msg::TrayIcon, 154, app::kMouseLButtonDblClk), 1);
    EXPECT_FALSE(dlg.isVisible());
    rig.native().shows.clear();
    EXPECT_EQ(dlg.send(ui::msg::TrayIcon, 153, app::kMouseLButtonDblClk), 0);
    EXPECT_EQ(rig.native().shows, (std::vector<Show>{Show::Show, Show::Restore}));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.send(ui::msg::TrayIcon, 153, 0x0200), 0); // a move over the icon does nothing
    EXPECT_TRUE(hl::tray().menus.empty());
}

TEST(MainDialogMessages, TrayMenuOffersShowAndExitInTheCurrentLanguage)
{
    DialogRig rig;
    auto& dlg = rig.open();
    rig.ws().cursor = {1800, 1050};
    const int foreground = rig.native().foregroundRequests;
    hl::tray().chooser = [](const std::vector<platform::MenuItem>&) { return app::kCmdTrayShow; };
    dlg.send(kSysCommand, platform::syscmd::Close);
    dlg.send(ui::msg::TrayIcon, 153, app::kMouseRButtonUp);
    ASSERT_EQ(hl::tray().menus.size(), 1u);
    const auto& menu = hl::tray().menus[0];
    EXPECT_EQ(menu.at, (platform::Point{1800, 1050}));
    EXPECT_EQ(menu.owner, dlg.handle());
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_EQ(menu.items[0].command, 32801u);
    EXPECT_EQ(menu.items[0].text, u"Show window");
    EXPECT_EQ(menu.items[1].command, 32800u);
    EXPECT_EQ(menu.items[1].text, u"Exit");
    EXPECT_EQ(rig.native().foregroundRequests, foreground + 1);
    EXPECT_TRUE(dlg.isVisible()) << "show was chosen";

    // After switching to Italian (second row of the language list) the menu speaks Italian.
    dlg.send(ui::msg::MenuChosen, 1, 2);
    EXPECT_EQ(rig.readConfig(u"Init", u"VER_SEL"), u"6");
    EXPECT_EQ(app::paths().macroFolder, rig.dir.path() + u"\\skins\\6_INI_IT\\macro\\");
    dlg.send(ui::msg::TrayIcon, 153, app::kMouseRButtonUp);
    ASSERT_EQ(hl::tray().menus.size(), 2u);
    EXPECT_EQ(hl::tray().menus[1].items[0].text, dlg.look().texts.get(ui::TextSection::DevMac, 34));
    EXPECT_NE(hl::tray().menus[1].items[0].text, u"Show window");
}

TEST(MainDialogMessages, MenuChoicesWriteTheConfigurationAndIgnoreRowsOutsideTheLanguageList)
{
    DialogRig rig;
    auto& dlg = rig.open();
    settings::setCurrentConfiguration(dlg.store(), 2);
    dlg.send(ui::msg::MenuChosen, 0, 0);
    EXPECT_EQ(rig.readConfig(u"Init", u"CurConfig"), u"2");

    for (std::intptr_t row : {0, 3, -5}) {
        dlg.send(ui::msg::MenuChosen, 1, row);
        EXPECT_EQ(rig.readConfig(u"Init", u"VER_SEL"), u"1") << row;
        EXPECT_EQ(dlg.look().language, 1);
    }
}

TEST(MainDialogMessages, EnterAndEscapeDoNotEndTheProgram)
{
    DialogRig rig;
    auto& dlg = rig.open();
    dlg.show(Show::Normal);
    rig.ws().key(dlg, platform::vk::Escape);
    rig.ws().key(dlg, platform::vk::Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(hl::tray().icons.size(), 1u);
}

TEST(MainDialogMessages, PowerEventsDownloadOnTheMainThread)
{
    DialogRig rig;
    auto& dlg = rig.open();
    rig.ws().powerBroadcast(dlg, 7); // PBT_APMRESUMESUSPEND
    rig.ws().powerBroadcast(dlg, 18);
    EXPECT_EQ(rig.work.count("download(main)"), 2);
}

TEST(MainDialogMessages, DpiSyncSendsTheLevelReadFromTheMouseAndItsLighting)
{
    DialogRig rig;
    auto& dlg = rig.open();
    auto& s = dlg.store();
    s.dpiColour[3] = {1, 2, 3};
    rig.writeConfig(u"ShareData", u"DPI_LEVEL", u"4");
    rig.work.block = std::vector<std::uint8_t>{0x18 + 3, 0, 0, 0, 0, 0, 0, 0};
    rig.work.clear();
    const std::size_t before = rig.mouse->received().size();
    dlg.send(ui::msg::DpiLevelSync);

    EXPECT_EQ(rig.work.calls(), (std::vector<std::string>{"read 24 8", "finish"}));
    auto sent = rig.mouse->received();
    ASSERT_EQ(sent.size(), before + 2);
    EXPECT_EQ(sent[before][1], 0x14);
    EXPECT_EQ(sent[before][2], (3 << 5) + 2);
    EXPECT_EQ(sent[before][3], (1 << 4) + 3);
    EXPECT_EQ(sent[before + 1][1], 0x13);
    EXPECT_EQ(settings::currentDpiLevel(s), 4);

    // Effects above 7 are the sound lighting's: the program sends the stored
    // effect's low bits and never effect bit 3 (byte 6 bit 7).
    s.ledType = 9;
    s.effectSpeed = 12;
    dlg.send(ui::msg::DpiLevelSync);
    sent = rig.mouse->received();
    ASSERT_EQ(sent.back()[1], 0x13);
    EXPECT_EQ(sent.back()[3], 0x80 | (1 << 4) | 4);
    EXPECT_EQ(sent.back()[6], 0x00);
    EXPECT_EQ(sent.back()[7], 0x02);
}

TEST(MainDialogMessages, DpiSyncSkipsTheColourOfALevelBeyondTheTable)
{
    DialogRig rig;
    auto& dlg = rig.open();
    for (auto block : {std::optional(std::vector<std::uint8_t>{0x18 + 7, 0, 0, 0, 0, 0, 0, 0}),
                       std::optional<std::vector<std::uint8_t>>()}) {
        rig.work.block = block;
        const std::size_t before = rig.mouse->received().size();
        dlg.send(ui::msg::DpiLevelSync);
        EXPECT_EQ(rig.commands(before), (std::vector<int>{0x13})) << "no 0x14 without a level from the table";
    }
}

// --- the mouse coming and going ---

TEST(MainDialogDevice, UnplugShowsTheWarningAndParksReplugHidesItAndResumes)
{
    DialogRig rig;
    auto& dlg = rig.open();
    dlg.send(kSysCommand, platform::syscmd::Close); // in the tray
    rig.work.clear();
    const Text path = device::connection().devicePath();

    rig.bus.unplug(rig.mouse);
    rig.ws().deviceChange(dlg, {platform::DeviceChange::RemoveComplete, platform::DeviceChange::DeviceInterface, path});
    rig.ws().pump();
    EXPECT_FALSE(device::connection().connected);
    EXPECT_TRUE(dlg.isVisible()) << "the window comes out of the tray";
    ASSERT_NE(dlg.warnings().status(), nullptr);
    EXPECT_TRUE(dlg.warnings().status()->isVisible());
    EXPECT_EQ(dlg.warnings().message, Text(u"No mouse found. Please connect the ") + kTitle);

    // A second removal notice (the other collection) parks nothing more.
    rig.ws().deviceChange(dlg, {platform::DeviceChange::RemoveComplete, platform::DeviceChange::DeviceInterface, path});

    rig.bus.plug(rig.mouse);
    rig.ws().deviceChange(dlg, {platform::DeviceChange::Arrival, platform::DeviceChange::DeviceInterface, path});
    rig.ws().pump();
    EXPECT_TRUE(device::connection().connected);
    EXPECT_FALSE(dlg.warnings().status()->isVisible());
    EXPECT_EQ(rig.work.calls(), (std::vector<std::string>{"suspend", "resume"}));
}

TEST(MainDialogDevice, RemovalOfAnotherDeviceChangesNothing)
{
    DialogRig rig;
    auto& dlg = rig.open();
    rig.work.clear();
    rig.ws().deviceChange(dlg, {platform::DeviceChange::RemoveComplete, platform::DeviceChange::DeviceInterface,
                                u"\\\\?\\hid#vid_046d&pid_c077#7&1234&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"});
    rig.ws().pump();
    EXPECT_TRUE(device::connection().connected);
    EXPECT_TRUE(rig.work.calls().empty());
    EXPECT_FALSE(dlg.warnings().status()->isVisible());
}

TEST(MainDialogDevice, ArrivalWithoutOurMouseKeepsTheWarning)
{
    DialogRig rig({}, false);
    auto& dlg = rig.open();
    rig.ws().deviceChange(dlg, {platform::DeviceChange::Arrival, platform::DeviceChange::DeviceInterface, u"x"});
    rig.ws().pump();
    EXPECT_FALSE(device::connection().connected);
    EXPECT_TRUE(dlg.warnings().status()->isVisible());
}

// --- the close sequence ---

namespace {

// Runs the main window modally; `during` acts on it once it is shown.
std::intptr_t runModal(DialogRig& rig, std::function<void(app::CKVX_GMouseDlg&)> during)
{
    rig.dlg = std::make_unique<app::CKVX_GMouseDlg>(rig.work);
    rig.ws().setModalDriver([&](platform::Window& w) {
        if (&w == rig.dlg.get()) {
            rig.dlg->workers().joinOnce();
            during(*rig.dlg);
        }
    });
    return rig.dlg->doModal();
}

} // namespace

TEST(MainDialogClose, WmCloseRemovesTheIconFinishesAndSaysGoodbyeToTheMouse)
{
    DialogRig rig;
    std::size_t before = 0;
    std::intptr_t result = runModal(rig, [&](app::CKVX_GMouseDlg& dlg) {
        before = rig.mouse->received().size();
        dlg.post(platform::msg::Close); // WM_CLOSE from another program
    });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(rig.ws().modalRuns.back().unanswered) << "the close sequence ended the dialog";
    EXPECT_TRUE(hl::tray().icons.empty());
    EXPECT_EQ(rig.work.count("finish"), 1);
    auto sent = rig.mouse->received();
    ASSERT_EQ(sent.size(), before + 1);
    EXPECT_EQ(sent.back()[1], 0x20);
    EXPECT_EQ(sent.back()[2], 0);
    EXPECT_EQ(sent.back()[3], 0);
}

TEST(MainDialogClose, TrayExitAndTheStatusWarningsExitRunTheSameSequence)
{
    for (int way = 0; way < 2; ++way) {
        DialogRig rig;
        hl::tray().chooser = [](const std::vector<platform::MenuItem>&) { return app::kCmdTrayExit; };
        std::intptr_t result = runModal(rig, [&](app::CKVX_GMouseDlg& dlg) {
            if (way == 0)
                dlg.send(ui::msg::TrayIcon, 153, app::kMouseRButtonUp);
            else
                dlg.post(ui::msg::EndProgram);
        });
        EXPECT_EQ(result, 0) << way;
        EXPECT_FALSE(rig.ws().modalRuns.back().unanswered) << way;
        EXPECT_TRUE(hl::tray().icons.empty()) << way;
        EXPECT_EQ(rig.commands().back(), 0x20) << way;
    }
}
