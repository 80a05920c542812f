#pragma once
// The program as the status reader and the macro player see it: the button
// settings of the configuration store, the macros buttons refer to, and the
// changes the mouse reports, handed to the main window as posted messages so
// that files and window state are only touched on the main thread.
//
// The device threads never read the main window's store: they read a copy
// the main thread publishes after its changes. A published copy is never
// changed; the next one replaces it whole, so a thread holding the old one
// finishes what it does with consistent values.
#include "device/device_functions.h"
#include "device/playback_context.h"
#include "macro/macro_record.h"
#include "platform/window.h"
#include "settings/config_store.h"
#include "ui/messages.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace app {

class ProgramPlaybackContext : public device::PlaybackContext {
public:
    // What the device threads read, as the main thread last published it.
    struct Published {
        settings::ConfigStore store;
        macro::PresetTable presets;
        Text macroFolder;
        int language = 1;
    };

    ProgramPlaybackContext() : published_(std::make_shared<const Published>()) {}

    // --- set on the main thread ---
    void setWindow(platform::Window* window);
    // The store as it is now becomes what the threads read. Its current
    // configuration is taken only when the main thread changed it since the
    // last publication: one the mouse reported in between is not undone.
    void publish(const settings::ConfigStore& store);
    // Copies the presets; the threads read them from the next publication on.
    void setMacroSources(const macro::PresetTable* presets, const Text& macroFolder, int language);
    std::shared_ptr<const Published> published() const;
    // What the last download wrote for each button (device codes and marks).
    void setDownloaded(const device::DeviceFunctionTable& table);
    // The macros whose vertical adjust changed, oldest first (main thread).
    struct AdjustedMacro {
        int function = 0;
        macro::MacroRecord record;
    };
    std::vector<AdjustedMacro> takeAdjustedMacros();

    // --- device::PlaybackContext, called on the device threads ---
    int currentConfiguration() override;
    bool softwareMacros() override;
    int buttonCount() override;
    int deviceSlotOf(int button) override;
    int buttonOfSlot(int slot) override;
    device::PlaybackButton button(int config, int button) override;
    device::PlaybackLighting lighting() override;
    std::optional<macro::MacroRecord> macroFor(int config, int button, int function) override;
    void setCurrentConfiguration(int config) override;
    void configurationChangedByMouse(int config) override;
    void dpiLevelChangedByMouse(int level) override;
    void saveAdjustedMacro(int function, const macro::MacroRecord& record) override;

private:
    void post(unsigned message, std::uintptr_t wParam);

    // The main thread's side of the next publication.
    macro::PresetTable presets_{};
    Text macroFolder_;
    int language_ = 1;
    int publishedConfig_ = -1;

    std::atomic<int> currentConfig_{0};
    mutable std::mutex mutex_; // guards everything below
    std::shared_ptr<const Published> published_;
    platform::Window* window_ = nullptr;
    device::DeviceFunctionTable downloaded_{};
    std::vector<AdjustedMacro> adjusted_;
};

// The process's one context, read by the process's device threads.
ProgramPlaybackContext& playbackContext();

} // namespace app
