#include "device/store_playback_context.h"

#include "device/status_reader.h"
#include "macro/macro_file.h"
#include "macro/presets.h"
#include "platform/platform.h"
#include "settings/button_catalogue.h"
#include "settings/config_files.h"

#include <algorithm>
#include <memory>

namespace device {

namespace {

bool validConfig(int config) { return config >= 0 && config < settings::kConfigurations; }
bool validButton(int button) { return button >= 0 && button < settings::kButtons; }

} // namespace

StorePlaybackContext::StorePlaybackContext(settings::ConfigStore& store, macro::PresetTable& presets,
                                           macro::Library& library, PlaybackWindow& window, PlaybackSources sources)
    : store_(store), presets_(presets), library_(library), window_(window), sources_(std::move(sources))
{
}

void StorePlaybackContext::setSources(PlaybackSources sources)
{
    std::lock_guard lock(mutex_);
    sources_ = std::move(sources);
}

PlaybackSources StorePlaybackContext::sources()
{
    std::lock_guard lock(mutex_);
    return sources_;
}

void StorePlaybackContext::setDownloadedFunctions(const std::array<std::array<std::uint8_t, 12>, 4>& codes,
                                                  const std::array<std::array<bool, 12>, 4>& dpiMarks)
{
    std::lock_guard lock(mutex_);
    codes_ = codes;
    dpiMarks_ = dpiMarks;
}

int StorePlaybackContext::currentConfiguration() { return settings::currentConfiguration(store_); }

bool StorePlaybackContext::softwareMacros() { return store_.softwareMacros == 1; }

int StorePlaybackContext::buttonCount() { return std::clamp(store_.catalogue.keyNum, 0, settings::kButtons); }

int StorePlaybackContext::deviceSlotOf(int button) { return settings::deviceSlotOf(store_.catalogue, button); }

int StorePlaybackContext::buttonOfSlot(int slot)
{
    int button = settings::buttonOfDeviceSlot(store_.catalogue, slot);
    return validButton(button) && button < buttonCount() ? button : -1;
}

PlaybackButton StorePlaybackContext::button(int config, int button)
{
    PlaybackButton info;
    if (!validConfig(config) || !validButton(button))
        return info;
    const settings::ButtonSlot& slot = store_.buttons[config][button];
    info.function = slot.functionCode;
    info.leftMacro = slot.leftMacro == 1;
    info.macroColour = std::clamp<int>(slot.macroColour, 0, 6);
    std::lock_guard lock(mutex_);
    info.deviceCode = codes_[config][button];
    info.dpiMark = dpiMarks_[config][button];
    return info;
}

PlaybackLighting StorePlaybackContext::lighting()
{
    PlaybackLighting l;
    l.enable = store_.userColourEnable != 0;
    // Packed here rather than into the store: this is not the main thread.
    std::uint8_t cycle = 0;
    for (int k = 0; k < settings::kUserColours; ++k)
        if (store_.cycleFlags[k])
            cycle = static_cast<std::uint8_t>(cycle | (1 << k));
    l.cycleColours = cycle;
    l.effect = store_.ledType;
    l.cycleTime = store_.effectSpeed;
    l.startColour = store_.featureColour != 0;
    l.symmetry = store_.effectSymmetry != 0;
    l.direction = store_.effectDirection;
    l.brightness = store_.brightness;
    return l;
}

std::optional<macro::MacroRecord> StorePlaybackContext::macroFor(int config, int button, int function)
{
    if (!validConfig(config))
        return std::nullopt;
    PlaybackSources where = sources();
    // Only button 33 has a combination; 34..40 play the button's empty record.
    const macro::MacroRecord& shortcut =
        validButton(button) ? store_.shortcutMacros[config][button] : macro::kEmptyRecord;
    if (function >= fn::FirstShortcut && function <= fn::LastShortcut)
        return shortcut;
    return macro::resolveButtonMacro(function, shortcut, presets_, where.macroFolder, where.language);
}

void StorePlaybackContext::setCurrentConfiguration(int config)
{
    settings::setCurrentConfiguration(store_, config);
}

void StorePlaybackContext::configurationChangedByMouse(int)
{
    // The task follows whatever the mouse is on by the time it runs, so a
    // quick series of switches ends on the last one.
    window_.postToMainThread([this] { reloadCurrentConfiguration(); });
}

void StorePlaybackContext::reloadCurrentConfiguration()
{
    PlaybackSources where = sources();
    Text file = settings::configFilePath(where.configFolder, settings::kConfigFileName);
    int config = settings::currentConfiguration(store_);
    settings::saveCurrentConfiguration(store_, file);
    settings::loadConfiguration(store_, where.configFolder, config, false, where.language);
    window_.redraw();
}

void StorePlaybackContext::dpiLevelChangedByMouse(int level)
{
    if (level < 0 || level >= settings::kDpiLevels)
        return;
    store_.dpiLevel = level;
    window_.postToMainThread([this, level] { saveDpiLevel(level); });
}

void StorePlaybackContext::saveDpiLevel(int level)
{
    PlaybackSources where = sources();
    settings::saveDpiLevel(store_, settings::configFilePath(where.configFolder, settings::kConfigFileName),
                           settings::currentConfiguration(store_));
    window_.noteMouseDpiLevel(level);
    window_.redraw();
}

void StorePlaybackContext::saveAdjustedMacro(int function, const macro::MacroRecord& record)
{
    auto copy = std::make_shared<macro::MacroRecord>(record);
    window_.postToMainThread([this, function, copy] {
        PlaybackSources where = sources();
        if (macro::isLibraryFunction(function))
            saveLibraryMacro(macro::libraryGroupOf(function), macro::libraryMacroOf(function), *copy, where);
        else if (macro::isPresetFunction(function))
            savePresetMacro(function - macro::kFirstPresetFunction, *copy, where);
    });
}

void StorePlaybackContext::saveLibraryMacro(int group, int index, const macro::MacroRecord& record,
                                            const PlaybackSources& where)
{
    if (group < 0 || group >= std::min(library_.groupCount, macro::kMaxGroups) || index < 0 ||
        index >= macro::kMaxMacrosPerGroup)
        return;
    auto file = macro::groupFilePath(where.macroFolder, library_.groupNames[group]);
    if (!file || !platform::os().files->exists(*file))
        return;
    if (group == library_.currentGroup && index < library_.currentGroupMacroCount) {
        // The macro may be open in the editor: only its vertical adjust changes.
        macro::MacroRecord& open = library_.table[index];
        open.vAdjustSwitch = record.vAdjustSwitch;
        open.vAdjustValue = record.vAdjustValue;
        macro::saveMacro(*file, library_.table, library_.currentGroupMacroCount, index, where.language);
        return;
    }
    int count = macro::readMacroCount(*file);
    if (index >= count)
        return;
    auto table = std::make_unique<macro::GroupTable>();
    (*table)[index] = macro::readMacroLine(*file, index, macro::readFileVersion(*file), where.language);
    (*table)[index].vAdjustSwitch = record.vAdjustSwitch;
    (*table)[index].vAdjustValue = record.vAdjustValue;
    macro::saveMacro(*file, *table, count, index, where.language);
}

void StorePlaybackContext::savePresetMacro(int preset, const macro::MacroRecord& record,
                                           const PlaybackSources& where)
{
    if (preset < 0 || preset >= std::min<int>(presets_.count, int(presets_.records.size())))
        return;
    Text file = macro::joinPath(where.languageFolder, macro::kPresetFileName);
    if (!platform::os().files->exists(file))
        return;
    macro::MacroRecord& stored = presets_.records[preset];
    stored.vAdjustSwitch = record.vAdjustSwitch;
    stored.vAdjustValue = record.vAdjustValue;
    auto table = std::make_unique<macro::GroupTable>();
    (*table)[preset] = stored;
    macro::saveMacro(file, *table, presets_.count, preset, where.language);
}

} // namespace device
