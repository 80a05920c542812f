#pragma once
// The main window: one skinned dialog that owns the program's state for the
// life of the process. It initialises the subsystems in a fixed order, routes
// window and private messages to the code that owns the work, hides to the
// notification area, and on exit tells the mouse the program is closing.
#include "app/device_work.h"
#include "app/tip_relay.h"
#include "app/tray_icon.h"
#include "app/worker_threads.h"
#include "device/device_change.h"
#include "lighting/sound_wave.h"
#include "macro/macro_library.h"
#include "settings/config_files.h"
#include "settings/config_store.h"
#include "ui/appearance.h"
#include "ui/dialogs/capture_dialog.h"
#include "ui/menus/skinned_menu.h"
#include "ui/messages.h"
#include "ui/paged_window.h"
#include "ui/warning_dlg.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace app {

constexpr unsigned kSysCommandAbout = 0x10;
constexpr int kAboutTextId = 101;
constexpr unsigned kAllEffectsMask = 0x3FFF;     // lighting effects 0..13 in the effect list
constexpr std::uint16_t kDpiBlockAddress = 0x18;

class ProgramFunctionNames;

class CKVX_GMouseDlg : public ui::PagedWindow, private device::DeviceChangeHost {
public:
    static constexpr int kTemplate = 102;

    explicit CKVX_GMouseDlg(DeviceWork& device = deviceWork());
    ~CKVX_GMouseDlg() override;

    // --- handlers ---
    bool onInitDialog() override;
    bool onEraseBackground() override;
    bool onSysCommand(unsigned command) override;
    std::intptr_t onMessage(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;
    void onDeviceChange(const platform::DeviceChange& change) override;
    void onPowerBroadcast(unsigned event) override;
    void onDestroying() override;
    // Publishes the store to the device threads, then repaints.
    void redraw() override;
    void onClose() override { Close(); }
    // Enter and Escape do not end the program: only Close() does, after it
    // has told the mouse.
    void onOK() override {}
    void onCancel() override {}
    bool preTranslateMessage(const platform::Message& m) override;

    // The tray menu's commands (32801 show, 32800 exit).
    void onCommand(unsigned command);
    // Removes the tray icon, finishes transfers, sends command 0x20, ends the dialog.
    void Close();
    // Reads the DPI level the mouse is on and re-sends its colour and the lighting.
    void syncDpiLevel();
    // The sound lighting dialog once it has been opened.
    lighting::SoundWave* soundWave() { return soundWave_.get(); }
    // The game preset dialog, modal; its result.
    std::intptr_t openPresetDialog();

    // --- what other parts of the program use ---
    static CKVX_GMouseDlg* instance() { return instance_; }
    const ui::Appearance& look() const override { return *look_; }
    ui::Appearance& appearance() { return *look_; }
    ui::Warnings& warnings() { return *warnings_; }
    settings::ConfigStore& store() override { return settings::store(); }
    macro::Library& library() override { return *library_; }
    macro::LibraryPlace macroPlace() const override;
    void clearDanglingMacroReferences() override;
    std::pair<int, int> macroMemory() override;
    void reloadPresets() override;
    macro::PresetTable& presets() { return *presets_; }
    macro::BuiltInTable& builtIns() { return *builtIns_; }
    PageState& pages() { return pages_; }
    WorkerThreads& workers() { return *workers_; }
    TrayIcon& tray() { return *tray_; }
    Text windowTitle() const;
    platform::Size screenSize() const { return screen_; }
    std::uint16_t effectMask() const { return effectMask_; }
    int mouseDpiLevel() const { return mouseDpiLevel_; }
    std::optional<platform::Size> skinSize() const { return skinSize_; }
    // The popup a region asked for last, placed against the window (the menus open it).
    const std::optional<ui::PopupRequest>& lastPopup() const { return lastPopup_; }
    ui::menus::PopupMenus& popups() { return popups_; }
    // What a download writes: the store, the macros buttons play, the effect list.
    device::DownloadSources downloadSources();
    // A full download on the calling thread (power events, the apply step).
    void download();

    // --- what the pages' regions start (ui::PageHost) ---
    void minimise(platform::Point releasePoint) override;
    void exitProgram() override;
    void applySettings() override;
    void importSettings() override;
    void exportSettings() override;
    void factoryReset() override;
    std::optional<platform::Color> chooseColour(platform::Color initial) override;
    void openWithShell(const Text& target) override;
    void openPopup(const ui::PopupRequest& request) override;
    void closePopup() override;
    void openSoundLighting() override;
    void openGunPresets() override;
    settings::FunctionNames& functionNames() override;

private:
    void pageChanged(int page) override;
    bool paintIconic(platform::Canvas& surface) override;
    settings::SettingsFileContext settingsFiles() const;

    // device::DeviceChangeHost
    void postArrived() override { post(ui::msg::DeviceArrived); }
    void centreWindow() override;
    void showWindow() override { show(platform::Show::Show); }
    bool isWindowVisible() override { return isVisible(); }
    void showStatusWarning(const Text& message) override { warnings_->showStatus(message); }
    void hideStatusWarning() override { warnings_->hideStatus(); }
    void confirmModalWarning() override;
    bool suspendDeviceThreads() override { return device_.suspendThreads(); }
    void resumeDeviceThreads() override { device_.resumeThreads(); }
    Text notConnectedMessage() override;

    void setDataRoot();
    void readStartupAndConfigurations();
    void loadMacros();
    // The game presets of the current language folder, and the players' copy of them.
    void loadPresets();
    void initialDownload();
    // Changes the device threads reported, done here on the main thread.
    void configurationChangedByMouse(int config);
    void dpiLevelChangedByMouse(int level);
    void saveAdjustedMacros();
    void endOpenSubDialogs(std::intptr_t result);

    // The message table: each private message and its handler.
    using Handler = std::intptr_t (CKVX_GMouseDlg::*)(std::uintptr_t wParam, std::intptr_t lParam);
    struct Route {
        unsigned id;
        Handler handler;
    };
    static const Route kRoutes[];
    std::intptr_t onTrayIcon(std::uintptr_t w, std::intptr_t l) { return tray_->onCallback(w, l); }
    std::intptr_t onNotConnected(std::uintptr_t, std::intptr_t);
    std::intptr_t onDeviceArrived(std::uintptr_t, std::intptr_t);
    std::intptr_t onMenuChosen(std::uintptr_t which, std::intptr_t row);
    std::intptr_t onRedraw(std::uintptr_t, std::intptr_t);
    std::intptr_t onDpiLevelSync(std::uintptr_t, std::intptr_t);
    std::intptr_t onFontsAgain(std::uintptr_t, std::intptr_t);
    std::intptr_t onEndProgram(std::uintptr_t, std::intptr_t);
    std::intptr_t onConfigFromMouse(std::uintptr_t config, std::intptr_t);
    std::intptr_t onDpiFromMouse(std::uintptr_t level, std::intptr_t);
    std::intptr_t onSaveAdjusted(std::uintptr_t, std::intptr_t);
    // Row 10 of the button menu: the key-combination capture of its button.
    std::intptr_t onOpenShortcutCapture(std::uintptr_t, std::intptr_t);
    // The capture's combination (wParam button × 256 + main key VK, lParam its text) becomes the button's.
    std::intptr_t onShortcutCaptured(std::uintptr_t buttonAndKey, std::intptr_t combinationText);
    std::intptr_t onShowQueuedTips(std::uintptr_t, std::intptr_t)
    {
        tips_->showQueued();
        return 0;
    }

    static CKVX_GMouseDlg* instance_;

    DeviceWork& device_;
    std::unique_ptr<ui::Appearance> look_;
    std::unique_ptr<ui::Warnings> warnings_;
    std::unique_ptr<TipRelay> tips_; // shows tips from any thread on this one
    std::unique_ptr<macro::Library> library_;
    std::unique_ptr<macro::PresetTable> presets_;
    std::unique_ptr<macro::BuiltInTable> builtIns_;
    PageState pages_;
    std::unique_ptr<WorkerThreads> workers_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<device::DeviceChangeHandler> deviceChanges_;
    std::unique_ptr<lighting::SoundWave> soundWave_;
    platform::Size screen_;
    std::optional<platform::Size> skinSize_;
    std::uint16_t effectMask_ = 0;
    int mouseDpiLevel_ = 0; // the level the mouse reported last (the sound lighting restores it)
    std::unique_ptr<ProgramFunctionNames> functionNames_;
    std::optional<ui::PopupRequest> lastPopup_;
    ui::menus::PopupMenus popups_; // after what the menus read, so they go first
};

} // namespace app
