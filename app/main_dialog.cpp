#include "app/main_dialog.h"

#include "app/autorun.h"
#include "app/function_names.h"
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
#include "ui/pages/macro_page.h"
#include "ui/tips.h"

namespace app {

namespace {

constexpr const char16_t* kAboutText = u"&About KVX_GMouse...";
constexpr const char16_t* kMainMask = u"main_mask.jpg";
constexpr const char16_t* kBuiltInMacros = u"constMacro.dat";

} // namespace

CKVX_GMouseDlg* CKVX_GMouseDlg::instance_ = nullptr;

CKVX_GMouseDlg::CKVX_GMouseDlg(DeviceWork& device)
    : ui::PagedWindow(kTemplate), device_(device), look_(std::make_unique<ui::Appearance>()),
      warnings_(std::make_unique<ui::Warnings>(*look_)), tips_(std::make_unique<TipRelay>(*warnings_, *this)),
      library_(std::make_unique<macro::Library>()),
      presets_(std::make_unique<macro::PresetTable>()), builtIns_(std::make_unique<macro::BuiltInTable>())
{
    workers_ = std::make_unique<WorkerThreads>(settings::store(), pages_, [this] { post(ui::msg::Redraw); });
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
    destroy();
    playbackContext().setWindow(nullptr);
    soundWave_.reset(); // owned by this window: gone before it
    workers_.reset();
    ui::setTipSink(nullptr);
    if (instance_ == this)
        instance_ = nullptr;
}

void CKVX_GMouseDlg::onDestroying()
{
    // Nothing may post to the window or show a tip once it is gone.
    playbackContext().setWindow(nullptr);
    workers_->stop();
    device_.stopThreads();
    ui::setTipSink(nullptr);
}

Text CKVX_GMouseDlg::windowTitle() const { return startup().windowTitle(); }

bool CKVX_GMouseDlg::onInitDialog()
{
    // 0. The first page's pictures decode on a worker while the rest starts up
    // (they live under the data root, whatever the language and scale).
    setDataRoot();
    look_->place.dataRoot = paths().dataRoot;
    decodeAhead();

    // 1. Who we are, for the threads and dialogs; no stale playback request.
    instance_ = this;
    ui::setTipSink(tips_.get());
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
    trackCurrentPage();

    // 9. Warning and macro colour skins.
    look.loadWarningSkins();

    // 10. Device arrival and removal notices.
    registerHidNotification();

    // 11. Size and shape from the main mask.
    skinSize_ = shapeFromMaskPicture(kMainMask);
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
    loadPresets();

    // 16. Software-macro mode hands the macro buttons to the program.
    settings::ConfigStore& s = store();
    if (s.softwareMacros == 1)
        device_.sendSoftwareMacroOverrides(settings::currentConfiguration(s));

    // 17. The whole configuration set into the mouse.
    initialDownload();

    // 18. The not-connected message once everything is set up; centred; status warning ready.
    post(ui::msg::NotConnected);
    centreWindow();
    warnings_->createStatus(notConnectedMessage());
    warnings_->initialisationFinished();

    // 19. No autorun entry survives a start.
    setAutorun(false, windowTitle(), true);
    return true;
}

void CKVX_GMouseDlg::setDataRoot()
{
    Paths& p = paths();
    Text exe = p.executableFolder;
    if (exe.empty())
        exe = executableFolderOf(platform::os().process->executablePath());
    p.setDataRoot(exe);
}

void CKVX_GMouseDlg::readStartupAndConfigurations()
{
    Paths& p = paths();
    StartupValues& start = startup();
    readStartupValues(p.configFile, start);

    settings::ConfigStore& s = store();
    settings::readButtonCatalogue(s, p.configFile);
    for (int c = 0; c < settings::kConfigurations; ++c)
        ui::showTipIfAny(settings::tipFor(settings::loadConfiguration(s, p.configFolder, c, false, start.language)));
    settings::setCurrentConfiguration(s, start.currentConfig);
    setText(windowTitle());
}

void CKVX_GMouseDlg::loadMacros()
{
    Paths& p = paths();
    const int language = look_->language;
    p.setMacroFolders(language);
    // Another language's folder holds other groups: none of them starts opened.
    library_->opened.fill(false);
    ui::showTipIfAny(macro::openLibrary(*library_, p.macroFolder, language));
    if (!macro::loadBuiltIn(*builtIns_, macro::joinPath(p.configFolder, kBuiltInMacros), language))
        ui::showTip(macro::tip::FileMissing);
}

void CKVX_GMouseDlg::loadPresets()
{
    const ui::Appearance& look = *look_;
    if (!macro::loadPresets(*presets_, paths().dataRoot + look.place.languageFolder, look.language))
        platform::os().windows->messageBox(this, macro::kPresetFileMissingText, ui::programName());
    playbackContext().setMacroSources(presets_.get(), paths().macroFolder, look.language);
}

void CKVX_GMouseDlg::initialDownload()
{
    const int language = look_->language;
    if (device::connection().model() == device::Model0) {
        // The second model starts from the factory settings.
        ui::showTip(2);
        ui::showTips(settings::factoryReset(store(), paths().configFolder, language));
        redraw();
        settings::setCurrentConfiguration(store(), 0);
        workers_->runOnce([this, sources = downloadSources()] { showDownloadTips(device_.download(sources)); });
        ui::showTip(3);
        return;
    }
    workers_->runOnce([this, sources = downloadSources()] { showDownloadTips(device_.download(sources)); });
}

device::DownloadSources CKVX_GMouseDlg::downloadSources()
{
    device::DownloadSources sources;
    sources.macros.presets = presets_.get();
    sources.macros.library = library_.get();
    sources.macros.macroFolder = paths().macroFolder;
    sources.macros.language = look_->language;
    sources.effectMask = effectMask_;
    // The download may run on a worker while the window changes the store:
    // it writes copies taken here, once the store has let go of references
    // to macros that do not exist. The device threads get the same state.
    device::clearInvalidMacroReferences(store(), sources.macros);
    playbackContext().publish(store());
    struct Copies {
        settings::ConfigStore store;
        macro::PresetTable presets;
        macro::Library library;
    };
    auto copies = std::make_shared<Copies>(Copies{store(), *presets_, *library_});
    sources.store = &copies->store;
    sources.macros.presets = &copies->presets;
    sources.macros.library = &copies->library;
    sources.owner = std::move(copies);
    return sources;
}

void CKVX_GMouseDlg::download()
{
    // Every download ends the indicator's blinking.
    pages_.blinkEnabled = false;
    showDownloadTips(device_.download(downloadSources()));
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

void CKVX_GMouseDlg::redraw()
{
    // What the user sees changed is what the device threads must act on.
    playbackContext().publish(store());
    workers_->lightingChanged();
    ui::PagedWindow::redraw();
}

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
    // A key capture would otherwise keep the keyboard until someone closed it.
    if (ui::CaptureDialog* capture = ui::CaptureDialog::openCapture())
        capture->cancel();
}

void CKVX_GMouseDlg::Close()
{
    popups_.close();
    tray_->remove();
    if (soundWave_)
        soundWave_->stopLighting(); // no lighting command after the close command
    device_.finish();
    device::sendClose(device::reports());
    // A modal warning still running would keep its own loop alive: end it first.
    endOpenSubDialogs(1);
    endDialog(0);
}

const CKVX_GMouseDlg::Route CKVX_GMouseDlg::kRoutes[] = {
    {ui::msg::TrayIcon, &CKVX_GMouseDlg::onTrayIcon},
    {ui::msg::NotConnected, &CKVX_GMouseDlg::onNotConnected},
    {ui::msg::DeviceArrived, &CKVX_GMouseDlg::onDeviceArrived},
    {ui::msg::MenuChosen, &CKVX_GMouseDlg::onMenuChosen},
    {ui::msg::Redraw, &CKVX_GMouseDlg::onRedraw},
    {ui::msg::DpiLevelSync, &CKVX_GMouseDlg::onDpiLevelSync},
    {ui::msg::FontsAgain, &CKVX_GMouseDlg::onFontsAgain},
    {ui::msg::EndProgram, &CKVX_GMouseDlg::onEndProgram},
    {ui::msg::ConfigFromMouse, &CKVX_GMouseDlg::onConfigFromMouse},
    {ui::msg::DpiFromMouse, &CKVX_GMouseDlg::onDpiFromMouse},
    {ui::msg::SaveAdjusted, &CKVX_GMouseDlg::onSaveAdjusted},
    {ui::msg::ShowQueuedTips, &CKVX_GMouseDlg::onShowQueuedTips},
    {ui::msg::OpenShortcutCapture, &CKVX_GMouseDlg::onOpenShortcutCapture},
    {ui::msg::ShortcutCaptured, &CKVX_GMouseDlg::onShortcutCaptured},
};

std::intptr_t CKVX_GMouseDlg::onMessage(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    for (const Route& r : kRoutes)
        if (r.id == id)
            return (this->*r.handler)(wParam, lParam);
    // The pages, menus and dialogs own the rest; the menus' 0x83EF nobody needs.
    routeToPages(id, wParam, lParam);
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onNotConnected(std::uintptr_t, std::intptr_t)
{
    if (!device::connection().connected)
        warnings_->showStatus(notConnectedMessage());
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onDeviceArrived(std::uintptr_t, std::intptr_t)
{
    deviceChanges_->onArrivedMessage();
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onRedraw(std::uintptr_t, std::intptr_t)
{
    redraw();
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onDpiLevelSync(std::uintptr_t, std::intptr_t)
{
    syncDpiLevel();
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onFontsAgain(std::uintptr_t, std::intptr_t)
{
    look_->fonts.create(look_->place, look_->language, ui::fontBaseValue(platform::os().graphics->logPixelsX()));
    redraw();
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onEndProgram(std::uintptr_t, std::intptr_t)
{
    Close();
    return 0;
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
    // A left click in the window or in the macro page's lists ends the
    // macro page's menus; one in the menus themselves is their choice.
    if (m.id == platform::msg::LButtonUp && interaction().page == ui::kMacroPage && popups_.isOpen()) {
        const int open = popups_.menu()->spec().id;
        const bool pageMenu =
            open == ui::menus::kind::Library || open == ui::menus::kind::MacroRow || open == ui::menus::kind::Event;
        const auto& macroPage = static_cast<const ui::MacroPage&>(page(ui::kMacroPage));
        if (pageMenu && (m.window == handle() || macroPage.ownsControl(m.window)))
            closePopup();
    }
    return interaction().recording && page(ui::kMacroPage).recordingMessage(m);
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
