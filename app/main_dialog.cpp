#include "app/main_dialog.h"

#include "app/autorun.h"
#include "app/paths.h"
#include "app/playback_link.h"
#include "app/startup.h"
#include "device/commands.h"
#include "device/hid_connection.h"
#include "device/report_channel.h"
#include "device/stored_lighting.h"
#include "macro/macro_file.h"
#include "macro/presets.h"
#include "platform/atomic_save.h"
#include "platform/platform.h"
#include "settings/button_catalogue.h"
#include "settings/config_files.h"
#include "ui/tips.h"

namespace app {

namespace {

constexpr const char16_t* kAboutText = u"&About KVX_GMouse...";
constexpr const char16_t* kMainMask = u"main_mask.jpg";
constexpr const char16_t* kBuiltInMacros = u"constMacro.dat";

// Skin picture base of each page (the main and LED pages in their plain look).
const char16_t* pageBase(int page)
{
    switch (page) {
    case kAdvancedPage: return u"advanced";
    case kMacroPage: return u"mac";
    case kLedPage: return u"led";
    default: return u"main";
    }
}

} // namespace

CKVX_GMouseDlg* CKVX_GMouseDlg::instance_ = nullptr;

CKVX_GMouseDlg::CKVX_GMouseDlg(DeviceWork& device)
    : platform::Window(kTemplate), device_(device), look_(std::make_unique<ui::Appearance>()),
      warnings_(std::make_unique<ui::Warnings>(*look_)), library_(std::make_unique<macro::Library>()),
      presets_(std::make_unique<macro::PresetTable>()), builtIns_(std::make_unique<macro::BuiltInTable>())
{
    workers_ = std::make_unique<WorkerThreads>(settings::store(), pages_, [this] { post(mainmsg::Redraw); });
    tray_ = std::make_unique<TrayIcon>(
        *this,
        [this] {
            return TrayIcon::MenuTexts{look_->texts.get(ui::TextSection::DevMac, 34),
                                       look_->texts.get(ui::TextSection::DevMac, 35)};
        },
        [this](unsigned command) { onCommand(command); });
    deviceChanges_ = std::make_unique<device::DeviceChangeHandler>(device::connection(),
                                                                    static_cast<device::DeviceChangeHost&>(*this));
}

CKVX_GMouseDlg::~CKVX_GMouseDlg()
{
    playbackContext().setWindow(nullptr);
    workers_.reset();
    ui::setTipSink(nullptr);
    if (instance_ == this)
        instance_ = nullptr;
    destroy();
}

Text CKVX_GMouseDlg::windowTitle() const { return startup().windowTitle(); }

bool CKVX_GMouseDlg::onInitDialog()
{
    // 1. Who we are, for the threads and dialogs; no stale playback request.
    instance_ = this;
    ui::setTipSink(warnings_.get());
    playbackContext().setWindow(this);
    device_.clearPlaybackFlags();

    // 2. The threads that serve the mouse, and the indicator blink.
    device_.startThreads();
    workers_->startBlink();

    // 3. System menu and icon.
    appendSystemMenuItem(kSysCommandAbout, kAboutText);
    setIcon(kTrayIconResource);

    // 4. Display scale and screen size.
    screen_ = platform::os().windows->screenSize();
    const int scale = ui::displayScale(screen_);

    // 5. All fourteen lighting effects in the effect list.
    effectMask_ = kAllEffectsMask;

    // 6, 7. Paths, start-up keys, button catalogue, the four configurations, the title.
    readStartupAndConfigurations();

    // 8. Language texts and page skins.
    ui::Appearance& look = *look_;
    look.place = {paths().dataRoot, languageFolder(startup().language), scale};
    look.language = startup().language;
    look.loadTextsAndPageSkins();
    look.fonts.create(look.place, look.language, ui::fontBaseValue(platform::os().graphics->logPixelsX()));
    hook(Hook::MacroPageControls);

    // 9. Warning and macro colour skins.
    look.loadWarningSkins();

    // 10. Device arrival and removal notices.
    registerHidNotification();

    // 11. Size and shape from the main mask.
    skinSize_ = ui::shapeFromMask(*this, look.place.picture(kMainMask), scale);
    warnings_->setMainWindow(this, skinSize_.value_or(platform::Size{}));

    // 12. Macro folders, the library and the built-in macros.
    loadMacros();

    // 13. The first connection attempt. The device threads already run and
    // read the handles: they wait at a safe point while the handles are set.
    device::HidConnection& connection = device::connection();
    device_.suspendThreads();
    connection.connected = connection.discover();
    device_.resumeThreads();

    // 14. Tray icon; the command line's HIDE switch.
    tray_->add(windowTitle());
    startup().hideAtStart = commandLineAsksHide(platform::os().process->commandLine());

    // 15. Game presets.
    if (!macro::loadPresets(*presets_, paths().dataRoot + look.place.languageFolder, look.language))
        platform::os().windows->messageBox(this, macro::kPresetFileMissingText, ui::programName());
    playbackContext().setMacroSources(presets_.get(), paths().macroFolder, look.language);

    // 16. Software-macro mode hands the macro buttons to the program.
    settings::ConfigStore& s = store();
    if (s.softwareMacros == 1)
        device_.sendSoftwareMacroOverrides(settings::currentConfiguration(s));

    // 17. The whole configuration set into the mouse.
    initialDownload();

    // 18. The not-connected message once everything is set up; centred; status warning ready.
    post(mainmsg::NotConnected);
    centreWindow();
    warnings_->createStatus(notConnectedMessage());
    warnings_->initialisationFinished();

    // 19. No autorun entry survives a start.
    setAutorun(false, windowTitle(), true);
    return true;
}

void CKVX_GMouseDlg::readStartupAndConfigurations()
{
    Paths& p = paths();
    Text exe = p.executableFolder;
    if (exe.empty())
        exe = executableFolderOf(platform::os().process->executablePath());
    p.setDataRoot(exe);
    StartupValues& start = startup();
    readStartupValues(p.configFile, start);

    settings::ConfigStore& s = store();
    settings::readButtonCatalogue(s, p.configFile);
    for (int c = 0; c < settings::kConfigurations; ++c)
        settings::loadConfiguration(s, p.configFolder, c, false, start.language);
    settings::setCurrentConfiguration(s, start.currentConfig);
    setText(windowTitle());
}

void CKVX_GMouseDlg::loadMacros()
{
    Paths& p = paths();
    const int language = look_->language;
    p.setMacroFolders(language);
    macro::openLibrary(*library_, p.macroFolder, language);
    if (library_->groupCount > 0)
        hook(Hook::ShowGroupMacros);
    macro::loadBuiltIn(*builtIns_, macro::joinPath(p.configFolder, kBuiltInMacros), language);
}

void CKVX_GMouseDlg::initialDownload()
{
    const int language = look_->language;
    if (device::connection().model() == device::Model0) {
        // The second model starts from the factory settings.
        ui::showTip(2);
        settings::factoryReset(store(), paths().configFolder, language);
        redraw();
        settings::setCurrentConfiguration(store(), 0);
        workers_->runOnce([this, sources = downloadSources()] { device_.download(sources); });
        ui::showTip(3);
        return;
    }
    workers_->runOnce([this, sources = downloadSources()] { device_.download(sources); });
}

device::DownloadSources CKVX_GMouseDlg::downloadSources()
{
    device::DownloadSources sources;
    sources.store = &store();
    sources.macros.presets = presets_.get();
    sources.macros.library = library_.get();
    sources.macros.macroFolder = paths().macroFolder;
    sources.macros.language = look_->language;
    sources.effectMask = effectMask_;
    return sources;
}

void CKVX_GMouseDlg::download()
{
    // Every download ends the indicator's blinking.
    pages_.blinkEnabled = false;
    device_.download(downloadSources());
}

bool CKVX_GMouseDlg::onEraseBackground()
{
    StartupValues& start = startup();
    if (start.hideAtStart) {
        start.hideAtStart = false;
        show(platform::Show::Minimize);
    }
    return true; // the skin paints every pixel
}

bool CKVX_GMouseDlg::onPaint(platform::Canvas& surface)
{
    if (isIconic())
        return false;
    const int page = pages_.currentPage;
    const auto& skins = look_->skins;
    std::span<const ui::SkinRegion> table = skins.main;
    if (page == kAdvancedPage)
        table = skins.advanced;
    else if (page == kMacroPage)
        table = skins.mac;
    else if (page == kLedPage)
        table = skins.color;
    return ui::paintSkinnedWindow(surface, look_->place, pageBase(page), Text(), table, ui::kNoRegion, false,
                                  [this](ui::SkinPictures&) { hook(Hook::PageLayers); });
}

void CKVX_GMouseDlg::redraw() { invalidate(true); }

bool CKVX_GMouseDlg::onSysCommand(unsigned command)
{
    switch (command & 0xFFF0) {
    case kSysCommandAbout:
        platform::os().windows->messageBox(this, windowTitle(), u"About KVX_GMouse");
        return true;
    case platform::syscmd::Minimize:
        show(platform::Show::Minimize);
        return true;
    case platform::syscmd::Restore:
        show(platform::Show::Restore);
        return true;
    case platform::syscmd::Close:
        // The close box only puts the program away to the notification area.
        show(platform::Show::Minimize);
        show(platform::Show::Hide);
        return true;
    default:
        return false;
    }
}

void CKVX_GMouseDlg::onCommand(unsigned command)
{
    if (command == kCmdTrayShow) {
        TrayIcon::bringBack(*this);
    } else if (command == kCmdTrayExit) {
        endOpenSubDialogs(0);
        Close();
    }
}

void CKVX_GMouseDlg::endOpenSubDialogs(std::intptr_t result)
{
    if (ui::WarningDlg* open = warnings_->openModal())
        open->endDialog(result);
}

void CKVX_GMouseDlg::Close()
{
    tray_->remove();
    device_.finish();
    device::sendClose(device::reports());
    // A modal warning still running would keep its own loop alive: end it first.
    endOpenSubDialogs(1);
    endDialog(0);
}

std::intptr_t CKVX_GMouseDlg::onMessage(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (id) {
    case mainmsg::TrayIcon:
        return tray_->onCallback(wParam, lParam);
    case mainmsg::NotConnected:
        if (!device::connection().connected)
            warnings_->showStatus(notConnectedMessage());
        return 0;
    case mainmsg::DeviceArrived:
        deviceChanges_->onArrivedMessage();
        return 0;
    case mainmsg::MenuChosen:
        onMenuChosen(wParam, lParam);
        return 0;
    case mainmsg::MacroFileAction:
        hook(Hook::MacroFileAction);
        return 0;
    case mainmsg::LedEventValues1:
    case mainmsg::LedEventValues2:
    case mainmsg::LedEventValues3:
        hook(Hook::LedEventValues);
        return 0;
    case mainmsg::Redraw:
        redraw();
        return 0;
    case mainmsg::OpenShortcutCapture:
    case mainmsg::ShortcutCaptured:
        hook(Hook::ShortcutCapture);
        return 0;
    case mainmsg::DpiLevelSync:
        syncDpiLevel();
        return 0;
    case mainmsg::MacroPageMenu:
        hook(Hook::MacroPageMenu);
        return 0;
    case mainmsg::KeyCaptured:
        hook(Hook::KeyCaptured);
        return 0;
    case mainmsg::FontsAgain:
        look_->fonts.create(look_->place, look_->language,
                            ui::fontBaseValue(platform::os().graphics->logPixelsX()));
        redraw();
        return 0;
    case mainmsg::EndProgram:
        Close();
        return 0;
    case mainmsg::MacroListEdit:
        hook(Hook::MacroListEdit);
        return 0;
    case kMsgConfigFromMouse:
        configurationChangedByMouse(int(wParam));
        return 0;
    case kMsgDpiFromMouse:
        dpiLevelChangedByMouse(int(wParam));
        return 0;
    case kMsgSaveAdjusted:
        saveAdjustedMacros();
        return 0;
    default:
        return 0; // 0x83EF from the menus among them: nobody needs it
    }
}

void CKVX_GMouseDlg::onMenuChosen(std::uintptr_t which, std::intptr_t row)
{
    settings::ConfigStore& s = store();
    switch (which) {
    case 0:
        // The configuration menu has already made its choice current.
        settings::saveCurrentConfiguration(s, paths().configFile);
        configurationMenuOpen_ = false;
        hook(Hook::ConfigurationMenuDone);
        break;
    case 1: {
        // Rows count from 1; anything else names no language.
        const std::intptr_t position = row - 1;
        if (position >= 0 && position < std::intptr_t(ui::kOfferedLanguages.size())) {
            const int language = ui::kOfferedLanguages[size_t(position)];
            look_->applyLanguage(language, paths().configFile);
            startup().language = language;
            loadMacros();
            playbackContext().setMacroSources(presets_.get(), paths().macroFolder, language);
            setText(startup().productNameEn);
        }
        languageMenuOpen_ = false;
        break;
    }
    case 2:
        hook(Hook::MacroChoiceMenu);
        break;
    default:
        break;
    }
    redraw();
}

void CKVX_GMouseDlg::syncDpiLevel()
{
    settings::ConfigStore& s = store();
    device::ReportChannel& ch = device::reports();
    if (auto block = device_.readBlock(kDpiBlockAddress, 8); block && !block->empty()) {
        const int level = (*block)[0] & 7;
        if (level < settings::kDpiLevels) {
            const settings::ColourNibbles& c = s.dpiColour[level];
            device::sendDpiColour(ch, level, c.red, c.green, c.blue);
        }
    }
    settings::packCycleColours(s);
    device::sendLighting(ch, device::storedLightingCommand(device::storedLighting(s)));
    platform::os().clock->sleepMs(2);
    settings::loadDpiLevel(s, paths().configFile);
    device_.finish();
}

void CKVX_GMouseDlg::configurationChangedByMouse(int config)
{
    if (!settings::isValidConfiguration(config))
        return;
    settings::ConfigStore& s = store();
    platform::writeKeyAtomically(paths().configFile, u"Init", u"CurConfig", text::fromInt(config));
    settings::loadConfiguration(s, paths().configFolder, config, false, look_->language);
    redraw();
}

void CKVX_GMouseDlg::dpiLevelChangedByMouse(int level)
{
    if (level < 0 || level >= settings::kDpiLevels)
        return;
    settings::ConfigStore& s = store();
    s.dpiLevel = level;
    redraw();
    settings::saveDpiLevel(s, paths().configFile, settings::currentConfiguration(s));
    mouseDpiLevel_ = level;
}

void CKVX_GMouseDlg::saveAdjustedMacros()
{
    macro::Library& lib = *library_;
    const Text& folder = paths().macroFolder;
    for (auto& adjusted : playbackContext().takeAdjustedMacros()) {
        const int f = adjusted.function;
        if (f < macro::kFirstLibraryFunction || f > macro::kLastLibraryFunction)
            continue; // only library macros have a group file to go back to
        const int group = f / 256 - 1;
        const int item = f % 256;
        if (group >= lib.groupCount || item >= macro::kMaxMacrosPerGroup)
            continue;
        auto file = macro::groupFilePath(folder, lib.groupNames[size_t(group)]);
        if (!file)
            continue;
        if (group == lib.currentGroup) {
            if (item >= lib.currentGroupMacroCount)
                continue;
            lib.table[size_t(item)] = adjusted.record;
            macro::saveMacro(*file, lib.table, lib.currentGroupMacroCount, item, look_->language);
        } else {
            auto table = std::make_unique<macro::GroupTable>();
            const int count = macro::loadGroup(*table, *file, look_->language);
            if (item >= count)
                continue;
            (*table)[size_t(item)] = adjusted.record;
            macro::saveMacro(*file, *table, count, item, look_->language);
        }
    }
}

void CKVX_GMouseDlg::onDeviceChange(const platform::DeviceChange& change)
{
    if (change.event == platform::DeviceChange::Arrival)
        deviceChanges_->onArrival();
    else if (change.event == platform::DeviceChange::RemoveComplete)
        deviceChanges_->onRemoval(int(change.deviceType), change.name);
}

void CKVX_GMouseDlg::onPowerBroadcast(unsigned)
{
    // Waking from sleep: the mouse may have lost power, so write everything again.
    download();
}

bool CKVX_GMouseDlg::preTranslateMessage(const platform::Message& m)
{
    switch (m.id) {
    case platform::msg::KeyDown:
    case platform::msg::KeyUp:
    case platform::msg::SysKeyDown:
    case platform::msg::SysKeyUp:
        hook(Hook::MacroRecording);
        return false;
    default:
        return false;
    }
}

void CKVX_GMouseDlg::centreWindow()
{
    platform::Rect r = windowRect();
    const platform::Size screen = platform::os().windows->screenSize();
    const int w = r.width();
    const int h = r.height();
    move(platform::Rect::fromXywh((screen.width - w) / 2, (screen.height - h) / 2, w, h));
}

void CKVX_GMouseDlg::confirmModalWarning()
{
    if (ui::WarningDlg* open = warnings_->openModal(); open && open->isVisible())
        open->onOK();
}

Text CKVX_GMouseDlg::notConnectedMessage() { return look_->texts.tip(1) + windowTitle(); }

} // namespace app
