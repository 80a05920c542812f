#include "app/playback_link.h"

#include "device/stored_lighting.h"
#include "macro/macro_library.h"
#include "settings/button_catalogue.h"

namespace app {

void ProgramPlaybackContext::setWindow(platform::Window* window)
{
    std::lock_guard lock(mutex_);
    window_ = window;
}

void ProgramPlaybackContext::setMacroSources(const macro::PresetTable* presets, const Text& macroFolder, int language)
{
    std::lock_guard lock(mutex_);
    presets_ = presets;
    macroFolder_ = macroFolder;
    language_ = language;
}

void ProgramPlaybackContext::setDownloaded(const device::DeviceFunctionTable& table)
{
    std::lock_guard lock(mutex_);
    downloaded_ = table;
}

std::vector<ProgramPlaybackContext::AdjustedMacro> ProgramPlaybackContext::takeAdjustedMacros()
{
    std::lock_guard lock(mutex_);
    return std::exchange(adjusted_, {});
}

int ProgramPlaybackContext::currentConfiguration() { return settings::currentConfiguration(store_); }
bool ProgramPlaybackContext::softwareMacros() { return store_.softwareMacros == 1; }
int ProgramPlaybackContext::buttonCount() { return store_.catalogue.keyNum; }
int ProgramPlaybackContext::deviceSlotOf(int button) { return settings::deviceSlotOf(store_.catalogue, button); }
int ProgramPlaybackContext::buttonOfSlot(int slot) { return settings::buttonOfDeviceSlot(store_.catalogue, slot); }

device::PlaybackButton ProgramPlaybackContext::button(int config, int button)
{
    device::PlaybackButton out;
    if (!settings::isValidConfiguration(config) || button < 0 || button >= settings::kButtons)
        return out;
    const settings::ButtonSlot& slot = store_.buttons[config][button];
    out.function = slot.functionCode;
    out.leftMacro = slot.leftMacro == 1;
    out.macroColour = slot.macroColour;
    std::lock_guard lock(mutex_);
    out.deviceCode = downloaded_.code[size_t(config)][size_t(button)];
    out.dpiMark = downloaded_.dpiMark[size_t(config)][size_t(button)];
    return out;
}

device::PlaybackLighting ProgramPlaybackContext::lighting()
{
    return device::storedLighting(store_);
}

std::optional<macro::MacroRecord> ProgramPlaybackContext::macroFor(int config, int button, int function)
{
    if (!settings::isValidConfiguration(config) || button < 0 || button >= settings::kButtons)
        return std::nullopt;
    std::lock_guard lock(mutex_);
    static const macro::PresetTable kNoPresets{};
    return macro::resolveButtonMacro(function, store_.shortcutMacros[size_t(config)][size_t(button)],
                                     presets_ ? *presets_ : kNoPresets, macroFolder_, language_);
}

void ProgramPlaybackContext::setCurrentConfiguration(int config)
{
    settings::setCurrentConfiguration(store_, config);
}

void ProgramPlaybackContext::configurationChangedByMouse(int config) { post(ui::msg::ConfigFromMouse, std::uintptr_t(config)); }
void ProgramPlaybackContext::dpiLevelChangedByMouse(int level) { post(ui::msg::DpiFromMouse, std::uintptr_t(level)); }

void ProgramPlaybackContext::saveAdjustedMacro(int function, const macro::MacroRecord& record)
{
    {
        std::lock_guard lock(mutex_);
        adjusted_.push_back({function, record});
    }
    post(ui::msg::SaveAdjusted, 0);
}

void ProgramPlaybackContext::post(unsigned message, std::uintptr_t wParam)
{
    std::lock_guard lock(mutex_);
    if (window_)
        window_->post(message, wParam);
}

ProgramPlaybackContext& playbackContext()
{
    static ProgramPlaybackContext context(settings::store());
    return context;
}

} // namespace app
