#include "device/device_functions.h"

#include "settings/button_catalogue.h"

#include <algorithm>

namespace device {

namespace {

int keyNumOf(const settings::ConfigStore& store) { return std::clamp(store.catalogue.keyNum, 0, kButtonsPerConfig); }

int presetCountOf(const MacroSources& sources)
{
    if (!sources.presets)
        return 0;
    return std::clamp(sources.presets->count, 0, static_cast<int>(sources.presets->records.size()));
}

} // namespace

void clearInvalidMacroReferences(settings::ConfigStore& store, const MacroSources& sources)
{
    const int groups = sources.library ? std::clamp(sources.library->groupCount, 0, macro::kMaxGroups) : 0;
    std::array<int, macro::kMaxGroups> counts{};
    if (sources.library)
        counts = sources.library->macroCounts;
    settings::dropMissingMacroReferences(store, presetCountOf(sources), groups, counts);
}

ButtonMacros::ButtonMacros(const settings::ConfigStore& store, const MacroSources& sources)
{
    macro::PresetTable noPresets;
    const macro::PresetTable& presets = sources.presets ? *sources.presets : noPresets;
    const int keyNum = keyNumOf(store);
    for (int c = 0; c < settings::kConfigurations; ++c) {
        for (int b = 0; b < keyNum; ++b) {
            const int f = store.buttons[c][b].functionCode;
            if (!settings::isMacroFunction(f))
                continue;
            if (f == macro::kShortcutFunction) {
                shortcuts_[c][b] = std::make_unique<macro::MacroRecord>(store.shortcutMacros[c][b]);
                byButton_[c][b] = shortcuts_[c][b].get();
                continue;
            }
            auto& slot = byFunction_[f];
            if (!slot) {
                auto r = macro::resolveButtonMacro(f, macro::kEmptyRecord, presets, sources.macroFolder,
                                                   sources.language);
                // A group file that went missing plays nothing rather than garbage.
                slot = std::make_unique<macro::MacroRecord>(r ? *r : macro::kEmptyRecord);
            }
            byButton_[c][b] = slot.get();
        }
    }
}

const macro::MacroRecord* ButtonMacros::macroOf(int config, int button) const
{
    if (config < 0 || config >= settings::kConfigurations || button < 0 || button >= kButtonsPerConfig)
        return nullptr;
    return byButton_[config][button];
}

DeviceFunctionTable buildDeviceFunctionTable(const settings::ConfigStore& store, const ButtonMacros& macros)
{
    DeviceFunctionTable t;
    const int keyNum = keyNumOf(store);
    for (int c = 0; c < settings::kConfigurations; ++c) {
        for (int b = 0; b < keyNum; ++b) {
            const settings::ButtonSlot& slot = store.buttons[c][b];
            const macro::MacroRecord* m = macros.macroOf(c, b);
            const std::uint8_t code = settings::deviceFunctionCode(slot.functionCode, slot.leftMacro, m ? m->mode : 0);
            t.code[c][b] = code;
            t.function18Mark[c][b] = slot.functionCode == 18;
            t.dpiMark[c][b] = code == 0x06 || code == 0x0B || code == 0x0C;
        }
        for (int k = 1; k <= settings::kDeviceSlots; ++k) {
            const int b = settings::buttonOfDeviceSlot(store.catalogue, k);
            t.bySlot[c][k - 1] = b >= 0 && b < keyNum ? t.code[c][b] : 0;
        }
    }
    return t;
}

} // namespace device
