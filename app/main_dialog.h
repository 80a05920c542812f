#pragma once
// The main window: one skinned dialog that owns the program's state for the
// life of the process. It initialises the subsystems in a fixed order, routes
// window and private messages to the code that owns the work, hides to the
// notification area, and on exit tells the mouse the program is closing.
#include "app/device_work.h"
#include "app/tray_icon.h"
#include "app/worker_threads.h"
#include "device/device_change.h"
#include "lighting/sound_wave.h"
#include "macro/macro_library.h"
#include "settings/config_store.h"
#include "ui/appearance.h"
#include "ui/warning_dlg.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace app {

// Private messages of the main window.
namespace mainmsg {
constexpr unsigned TrayIcon = 0x83EB;
constexpr unsigned NotConnected = 0x83EC;
constexpr unsigned DeviceArrived = 0x83ED;       // device::kMsgDeviceArrived
constexpr unsigned MenuChosen = 0x83EE;          // wparam 0 configuration, 1 language, 2 macro choice
constexpr unsigned MacroFileAction = 0x83F0;
constexpr unsigned LedEventValues1 = 0x83F2;
constexpr unsigned LedEventValues2 = 0x83F3;
constexpr unsigned LedEventValues3 = 0x83F4;
constexpr unsigned Redraw = 0x83F5;
constexpr unsigned OpenShortcutCapture = 0x83F7;
constexpr unsigned DpiLevelSync = 0x83FB;
constexpr unsigned MacroPageMenu = 0x83FC;
constexpr unsigned KeyCaptured = 0x83FF;
constexpr unsigned FontsAgain = 0x8401;
constexpr unsigned ShortcutCaptured = 0x8402;
constexpr unsigned EndProgram = 0x8403;          // ui::kMsgEndProgram
constexpr unsigned MacroListEdit = 0xA711;
} // namespace mainmsg

constexpr unsigned kSysCommandAbout = 0x10;
constexpr int kAboutTextId = 101;
constexpr unsigned kAllEffectsMask = 0x3FFF;     // lighting effects 0..13 in the effect list
constexpr std::uint16_t kDpiBlockAddress = 0x18;

// Which optional steps of the initialisation and routing are not there yet,
// by name; each is a seam that a page, menu or dialog fills in.
enum class Hook {
    MacroPageControls,      // macro name edit and the three custom lists
    ShowGroupMacros,        // the macro list showing the first group
    PageInput,              // hover, press, release, drag over skin regions
    PageLayers,             // page, common and text layers of the picture
    ConfigurationMenuDone,  // 0x83EE wparam 0: clearing the menu's flag
    MacroChoiceMenu,        // 0x83EE wparam 2
    MacroFileAction,        // 0x83F0
    LedEventValues,         // 0x83F2..0x83F4
    ShortcutCapture,        // 0x83F7, 0x8402
    MacroPageMenu,          // 0x83FC
    KeyCaptured,            // 0x83FF
    MacroListEdit,          // 0xA711
    MacroRecording,         // keystrokes while a macro is recorded
};

class CKVX_GMouseDlg : public platform::Window, private device::DeviceChangeHost {
public:
    static constexpr int kTemplate = 102;

    explicit CKVX_GMouseDlg(DeviceWork& device = deviceWork());
    ~CKVX_GMouseDlg() override;

    // --- handlers ---
    bool onInitDialog() override;
    bool onEraseBackground() override;
    bool onPaint(platform::Canvas& surface) override;
    bool onSysCommand(unsigned command) override;
    std::intptr_t onMessage(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;
    void onDeviceChange(const platform::DeviceChange& change) override;
    void onPowerBroadcast(unsigned event) override;
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
    // The main page's sound lighting button: refused with a tip while the LED
    // page's sound lighting is on, otherwise the dialog opens (made once).
    void openSoundLighting();
    lighting::SoundWave* soundWave() { return soundWave_.get(); }
    // The macro page's preset button: the game preset dialog, modal.
    std::intptr_t openPresetDialog();

    // --- what other parts of the program use ---
    static CKVX_GMouseDlg* instance() { return instance_; }
    ui::Appearance& look() { return *look_; }
    ui::Warnings& warnings() { return *warnings_; }
    settings::ConfigStore& store() { return settings::store(); }
    macro::Library& library() { return *library_; }
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
    // Steps not built yet that were reached, each once, in the order first reached.
    const std::vector<Hook>& hooksReached() const { return hooksReached_; }
    void redraw();
    // What a download writes: the store, the macros buttons play, the effect list.
    device::DownloadSources downloadSources();
    // A full download on the calling thread (power events, the apply step).
    void download();

private:
    // device::DeviceChangeHost
    void postMessage(unsigned message) override { post(message); }
    void centreWindow() override;
    void showWindow() override { show(platform::Show::Show); }
    bool isWindowVisible() override { return isVisible(); }
    void showStatusWarning(const Text& message) override { warnings_->showStatus(message); }
    void hideStatusWarning() override { warnings_->hideStatus(); }
    void confirmModalWarning() override;
    void suspendDeviceThreads() override { device_.suspendThreads(); }
    void resumeDeviceThreads() override { device_.resumeThreads(); }
    Text notConnectedMessage() override;

    void readStartupAndConfigurations();
    void loadMacros();
    void initialDownload();
    void onMenuChosen(std::uintptr_t which, std::intptr_t row);
    // Changes the device threads reported, done here on the main thread.
    void configurationChangedByMouse(int config);
    void dpiLevelChangedByMouse(int level);
    void saveAdjustedMacros();
    void endOpenSubDialogs(std::intptr_t result);
    void hook(Hook h)
    {
        if (std::find(hooksReached_.begin(), hooksReached_.end(), h) == hooksReached_.end())
            hooksReached_.push_back(h);
    }

    static CKVX_GMouseDlg* instance_;

    DeviceWork& device_;
    std::unique_ptr<ui::Appearance> look_;
    std::unique_ptr<ui::Warnings> warnings_;
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
    bool configurationMenuOpen_ = false;
    bool languageMenuOpen_ = false;
    std::vector<Hook> hooksReached_;
};

} // namespace app
