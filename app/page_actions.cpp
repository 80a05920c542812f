// What the regions of the pages start, as the main window does it: the
// window buttons, the apply step, the settings files, the system dialogs
// and the page workers.
#include "app/function_names.h"
#include "app/main_dialog.h"
#include "app/menu_context.h"
#include "app/paths.h"
#include "app/playback_link.h"
#include "app/startup.h"
#include "device/config_download.h"
#include "device/device_functions.h"
#include "macro/macro_file.h"
#include "platform/platform.h"
#include "settings/shortcut_capture.h"
#include "ui/dialog_gun.h"
#include "ui/dialogs/shortcut_get_key.h"
#include "ui/macro_item_texts.h"
#include "ui/tips.h"

namespace app {

std::intptr_t CKVX_GMouseDlg::onMenuChosen(std::uintptr_t which, std::intptr_t row)
{
    settings::ConfigStore& s = store();
    ui::Interaction& in = interaction();
    if (which == 0) {
        // The configuration menu has already made its choice current.
        settings::saveCurrentConfiguration(s, paths().configFile);
        in.configurationMenuOpen = false;
    } else if (which == 1) {
        // Rows count from 1; anything else names no language.
        const std::intptr_t position = row - 1;
        if (position >= 0 && position < std::intptr_t(ui::kOfferedLanguages.size())) {
            const int language = ui::kOfferedLanguages[size_t(position)];
            page().languageChanging();
            look_->applyLanguage(language, paths().configFile);
            startup().language = language;
            loadMacros();
            // Each language folder has its own PUBG.dat: the dialog saves into the new one.
            loadPresets();
            setText(startup().productNameEn);
            trackCurrentPage();
            page().languageChanged();
        }
        in.languageMenuOpen = false;
    }
    redraw();
    return 0;
}

void CKVX_GMouseDlg::minimise(platform::Point releasePoint)
{
    post(platform::msg::SysCommand, platform::syscmd::Minimize, platform::lParamFromPoint(releasePoint));
}

void CKVX_GMouseDlg::exitProgram()
{
    clearHover();
    show(platform::Show::Hide);
    Close();
}

void CKVX_GMouseDlg::applySettings()
{
    if (device_.downloadRunning())
        return;
    // Refused before anything is saved or sent: a set that cannot fit would
    // stop the download half-way.
    if (const device::MacroAreaUse use = device::macroAreaUse(downloadSources()); !use.fits()) {
        ui::showTip(ui::kTipMacrosDoNotFit, ui::macroMemoryFigures(look_->texts, use.required, use.capacity));
        return;
    }
    SaveJob job = applyStepJob(*library_, paths().macroFolder, paths().configFile, look_->language);
    // The save writes a copy: the window goes on changing the store meanwhile.
    // Saving turns the user colour on, in the store as in the file.
    store().userColourEnable = 1;
    auto saved = std::make_shared<settings::ConfigStore>(store());
    workers_->runOnce([saved, job] { saveApplyStep(*saved, job); });
    download();
}

settings::SettingsFileContext CKVX_GMouseDlg::settingsFiles() const
{
    settings::SettingsFileContext ctx;
    ctx.configFolder = paths().configFolder;
    ctx.executableFolder = paths().executableFolder;
    ctx.productNameEn = startup().productNameEn;
    ctx.productNameCn = startup().productNameCn;
    ctx.language = look_->language;
    return ctx;
}

void CKVX_GMouseDlg::importSettings()
{
    const settings::ImportOutcome imported = settings::importSettingsFile(store(), settingsFiles());
    ui::showTips(settings::tipsFor(imported));
    if (imported == settings::ImportResult::Imported)
        redraw();
}

void CKVX_GMouseDlg::exportSettings()
{
    const settings::ExportResult exported = settings::exportSettingsFile(settingsFiles());
    ui::showTipIfAny(settings::tipFor(exported));
    if (exported == settings::ExportResult::Exported)
        redraw();
}

void CKVX_GMouseDlg::factoryReset()
{
    ui::showTips(settings::factoryReset(store(), paths().configFolder, look_->language));
    redraw();
}

std::optional<platform::Color> CKVX_GMouseDlg::chooseColour(platform::Color initial)
{
    return platform::os().fileDialog->chooseColour(initial);
}

void CKVX_GMouseDlg::openWithShell(const Text& target) { platform::os().process->openWithShell(target); }

void CKVX_GMouseDlg::openPopup(const ui::PopupRequest& request)
{
    // The skinned popup menus place themselves with ui::placePopup.
    ui::PopupRequest q = request;
    q.geometry.window = windowRect();
    q.geometry.clientOrigin = clientToScreen({0, 0});
    q.geometry.scale = look_->place.scale;
    q.geometry.fullScreenHeight = platform::os().windows->fullScreenHeight();
    const MenuOpening opening = menuOpening(q);
    ui::menus::MenuContext context = menuContext(*this, opening);
    const platform::Size own = ui::menus::PopupMenus::sizeOf(opening.kind, context);
    // The menus at the cursor take their width from the library menu's picture.
    if (ui::opensAtCursor(q.kind))
        q.libraryMenuWidth = ui::menus::PopupMenus::sizeOf(ui::menus::kind::Library, context).width;
    lastPopup_ = q;
    if (popups_.open(opening.kind, std::move(context), ui::placePopup(q, own)))
        interaction().popupOpen = true;
}

void CKVX_GMouseDlg::closePopup() { popups_.close(); }

void CKVX_GMouseDlg::openSoundLighting()
{
    constexpr int kTipSoundLightingOn = 31;
    if (store().soundLighting == 1) {
        ui::showTip(kTipSoundLightingOn);
        return;
    }
    int level = 0;
    if (auto block = device_.readBlock(kDpiBlockAddress, 8); block && !block->empty())
        level = (*block)[0] & 7;
    if (!soundWave_)
        soundWave_ = std::make_unique<lighting::SoundWave>(*look_, store(), paths().configFile, device::connection());
    soundWave_->open(*this, level);
}

void CKVX_GMouseDlg::openGunPresets() { openPresetDialog(); }

std::intptr_t CKVX_GMouseDlg::openPresetDialog()
{
    ui::CDialogGun dialog(*look_, *presets_, paths().dataRoot + look_->place.languageFolder);
    return dialog.doModal(this);
}

std::intptr_t CKVX_GMouseDlg::onOpenShortcutCapture(std::uintptr_t, std::intptr_t)
{
    // The button the menu edited; the menu has closed but its choice target stays.
    const int button = popups_.context().target.editedButton;
    settings::ConfigStore& s = store();
    if (button < 0 || button >= std::min(s.catalogue.keyNum, settings::kButtons))
        return 0;
    const settings::ButtonSlot& slot = s.buttons[size_t(settings::currentConfiguration(s))][size_t(button)];
    ui::CShortcutGetKey dialog(*look_, text(), button, slot.functionCode, slot.shortcutText);
    dialog.doModal(this);
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onShortcutCaptured(std::uintptr_t buttonAndKey, std::intptr_t combinationText)
{
    const auto* combination = reinterpret_cast<const Text*>(combinationText);
    if (!combination)
        return 0;
    const int button = int(buttonAndKey / 256);
    const int mainVk = int(buttonAndKey % 256);
    const Text shortcut = settings::shortcutText(settings::combinationFromCapture(*combination, mainVk));
    settings::assignKeyCombination(store(), button, shortcut, true, look_->language);
    redraw();
    return 0;
}

settings::FunctionNames& CKVX_GMouseDlg::functionNames()
{
    if (!functionNames_)
        functionNames_ = std::make_unique<ProgramFunctionNames>(look_->skins, *library_, *presets_);
    return *functionNames_;
}

bool CKVX_GMouseDlg::paintIconic(platform::Canvas& surface)
{
    const platform::Rect client = clientRect();
    const platform::Size icon = platform::os().windows->iconSize();
    surface.drawIcon(kTrayIconResource,
                     {(client.width() - icon.width + 1) / 2, (client.height() - icon.height + 1) / 2});
    return true;
}

void CKVX_GMouseDlg::pageChanged(int page)
{
    pages_.currentPage = page;
    workers_->pageChanged();
    if (page == kMainPage)
        workers_->startBlink();
    else if (page == kLedPage)
        workers_->startLightingPreview();
}

macro::LibraryPlace CKVX_GMouseDlg::macroPlace() const
{
    return {paths().macroFolder, paths().macroResetFolder, paths().configFolder, look_->language};
}

void CKVX_GMouseDlg::clearDanglingMacroReferences()
{
    device::clearInvalidMacroReferences(store(), downloadSources().macros);
}

void CKVX_GMouseDlg::reloadPresets() { loadPresets(); }

std::pair<int, int> CKVX_GMouseDlg::macroMemory()
{
    const device::MacroAreaUse use = device::macroAreaUse(downloadSources());
    return {use.required, use.capacity};
}

} // namespace app
