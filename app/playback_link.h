#pragma once
// The program as the status reader and the macro player see it: the button
// settings of the configuration store, the macros buttons refer to, and the
// changes the mouse reports, handed to the main window as posted messages so
// that files and window state are only touched on the main thread.
#include "device/device_functions.h"
#include "device/playback_context.h"
#include "macro/macro_record.h"
#include "platform/window.h"
#include "settings/config_store.h"
#include "ui/messages.h"

#include <array>
#include <mutex>
#include <vector>

namespace app {

class ProgramPlaybackContext : public device::PlaybackContext {
public:
    explicit ProgramPlaybackContext(settings::ConfigStore& store) : store_(store) {}

    // --- set on the main thread ---
    void setWindow(platform::Window* window);
    void setMacroSources(const macro::PresetTable* presets, const Text& macroFolder, int language);
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

    settings::ConfigStore& store_;
    std::mutex mutex_; // guards everything below
    platform::Window* window_ = nullptr;
    const macro::PresetTable* presets_ = nullptr;
    Text macroFolder_;
    int language_ = 1;
    device::DeviceFunctionTable downloaded_{};
    std::vector<AdjustedMacro> adjusted_;
};

// The process's one context, read by the process's device threads.
ProgramPlaybackContext& playbackContext();

} // namespace app
