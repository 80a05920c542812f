#pragma once
// What every button of the four configurations becomes in the mouse: its
// device function code, the same codes by device slot, the macro it plays,
// and the two marks the status reader keeps until the next download.
#include "macro/macro_library.h"
#include "macro/macro_record.h"
#include "settings/config_store.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

namespace device {

constexpr int kButtonsPerConfig = settings::kButtons;

struct DeviceFunctionTable {
    // D: per configuration and button index.
    std::array<std::array<std::uint8_t, kButtonsPerConfig>, settings::kConfigurations> code{};
    // D': per configuration and device slot k at [k - 1]; 0 where no button sits.
    std::array<std::array<std::uint8_t, settings::kDeviceSlots>, settings::kConfigurations> bySlot{};
    // Buttons with function 18 (device code 0x14).
    std::array<std::array<bool, kButtonsPerConfig>, settings::kConfigurations> function18Mark{};
    // Buttons that change the DPI level in the mouse (device codes 6, 0x0B, 0x0C).
    std::array<std::array<bool, kButtonsPerConfig>, settings::kConfigurations> dpiMark{};
};

// Where the macros that buttons refer to are found.
struct MacroSources {
    const macro::PresetTable* presets = nullptr;
    const macro::Library* library = nullptr;   // group and macro counts
    Text macroFolder;                           // the group files
    int language = 1;
};

// Button functions that point at a preset or library macro that does not
// exist become 0, in the store. Nothing is written for valid references.
void clearInvalidMacroReferences(settings::ConfigStore& store, const MacroSources& sources);

// Copies of the macros the buttons play, taken once per download so the
// layout does not change under it; library macros are read from their files
// once per function.
class ButtonMacros {
public:
    ButtonMacros(const settings::ConfigStore& store, const MacroSources& sources);
    // Null for buttons whose function plays no macro.
    const macro::MacroRecord* macroOf(int config, int button) const;

private:
    std::array<std::array<const macro::MacroRecord*, kButtonsPerConfig>, settings::kConfigurations> byButton_{};
    std::array<std::array<std::unique_ptr<macro::MacroRecord>, kButtonsPerConfig>, settings::kConfigurations> shortcuts_;
    std::map<int, std::unique_ptr<macro::MacroRecord>> byFunction_;
};

// Buttons below KeyNum; the others, and slots no button has, stay 0.
DeviceFunctionTable buildDeviceFunctionTable(const settings::ConfigStore& store, const ButtonMacros& macros);

} // namespace device
