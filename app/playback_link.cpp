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

void ProgramPlaybackContext::publish(const settings::ConfigStore& store)
{
    auto next = std::make_shared<Published>();
    next->store = store;
    next->presets = presets_;
    next->macroFolder = macroFolder_;
    next->language = language_;
    const int config = settings::currentConfiguration(store);
    {
        std::lock_guard lock(mutex_);
        published_ = std::move(next);
    }
    if (config != publishedConfig_) {
        publishedConfig_ = config;
        currentConfig_.store(config);
    }
}

void ProgramPlaybackContext::setMacroSources(const macro::PresetTable* presets, const Text& macroFolder, int language)
{
    presets_ = presets ? *presets : macro::PresetTable{};
    macroFolder_ = macroFolder;
    language_ = language;
}

std::shared_ptr<const ProgramPlaybackContext::Published> ProgramPlaybackContext::published() const
{
    std::lock_guard lock(mutex_);
    return published_;
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

int ProgramPlaybackContext::currentConfiguration() { return currentConfig_.load(); }
bool ProgramPlaybackContext::softwareMacros() { return published()->store.softwareMacros == 1; }
int ProgramPlaybackContext::buttonCount() { return published()->store.catalogue.keyNum; }
int ProgramPlaybackContext::deviceSlotOf(int button)
{
    return settings::deviceSlotOf(published()->store.catalogue, button);
}
int ProgramPlaybackContext::buttonOfSlot(int slot)
{
    return settings::buttonOfDeviceSlot(published()->store.catalogue, slot);
}

device::PlaybackButton ProgramPlaybackContext::button(int config, int button)
{
    device::PlaybackButton out;
    if (!settings::isValidConfiguration(config) || button < 0 || button >= settings::kButtons)
        return out;
    const auto now = published();
    const settings::ButtonSlot& slot = now->store.buttons[config][button];
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
    return device::storedLighting(published()->store);
}

std::optional<macro::MacroRecord> ProgramPlaybackContext::macroFor(int config, int button, int function)
{
    if (!settings::isValidConfiguration(config) || button < 0 || button >= settings::kButtons)
        return std::nullopt;
    const auto now = published();
    return macro::resolveButtonMacro(function, now->store.shortcutMacros[size_t(config)][size_t(button)],
                                     now->presets, now->macroFolder, now->language);
}

void ProgramPlaybackContext::setCurrentConfiguration(int config)
{
    // The main thread makes it its own when the posted change arrives.
    if (settings::isValidConfiguration(config))
        currentConfig_.store(config);
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
    static ProgramPlaybackContext context;
    return context;
}

} // namespace app
