#include "settings/button_catalogue.h"

#include "macro/combination_macro.h"
#include "platform/platform.h"

#include <algorithm>

namespace settings {

namespace {

constexpr size_t kCatalogueBuffer = 15;

bool validButton(int button) { return button >= 0 && button < kButtons; }

} // namespace

std::uint8_t deviceFunctionCode(int code, int leftMacro, std::uint8_t macroMode)
{
    if (code >= 0 && code <= 6)
        return static_cast<std::uint8_t>(code);
    if ((code >= 7 && code <= 14) || code == 16 || code == 17)
        return static_cast<std::uint8_t>(code - 5);
    if (code == 15)
        return 0x15;
    if (code == 18)
        return 0x14;
    if (code >= function::FirstConfigSwitch && code <= 22)
        return static_cast<std::uint8_t>(0x17 + code - function::FirstConfigSwitch);
    if (code >= function::FirstMultimedia && code <= function::LastMultimedia)
        return 0x0F;
    if (isMacroFunction(code)) {
        bool whileHeld = (macroMode & 3) == macro::cycle::WhileHeld;
        // Presets and left-button macros use the mouse's second pair of macro functions.
        if (macro::isPresetFunction(code) || leftMacro == 1)
            return whileHeld ? 0x1F : 0x1E;
        return whileHeld ? 0x0E : 0x0D;
    }
    switch (code) {
    case 30000: return 0x0A;
    case 30001: return 0x00;
    case 30002: return 0x10;
    case 30003: return 0x1B;
    case 30004: return 0x1C;
    case function::FromFileOnly: return 0x16;
    default: return 0;
    }
}

int consumerUsage(int code)
{
    // Home, consumer control configuration, mail, volume up, volume down,
    // previous, next, mute, play/pause, calculator.
    static const int usages[] = {0x223, 0x183, 0x18A, 0xE9, 0xEA, 0xB6, 0xB5, 0xE2, 0xCD, 0x192};
    if (code < function::FirstMultimedia || code > function::LastMultimedia)
        return 0;
    return usages[code - function::FirstMultimedia];
}

void readButtonCatalogue(ConfigStore& s, const Text& configFile)
{
    platform::Profile& profile = *platform::os().profile;
    ButtonCatalogue& c = s.catalogue;
    c = ButtonCatalogue{};
    std::fill(std::begin(c.buttonOfSlot), std::end(c.buttonOfSlot), -1);

    int keyNum = text::toInt(profile.getString(configFile, u"KEYNUM", u"KeyNum", Text(), kCatalogueBuffer));
    c.keyNum = std::clamp(keyNum, 0, kButtons);
    for (int i = 1; i <= c.keyNum; ++i) {
        Text key = u"K" + text::fromInt(i) + u"_MAP";
        int slot = text::toInt(profile.getString(configFile, u"KEYMAP", key, Text(), kCatalogueBuffer));
        if (slot < 1 || slot > kDeviceSlots)
            continue;
        c.deviceSlot[i - 1] = slot;
        c.buttonOfSlot[slot] = i - 1;
    }
}

int deviceSlotOf(const ButtonCatalogue& c, int button)
{
    return validButton(button) ? c.deviceSlot[button] : 0;
}

int buttonOfDeviceSlot(const ButtonCatalogue& c, int slot)
{
    return slot >= 1 && slot <= kDeviceSlots ? c.buttonOfSlot[slot] : -1;
}

bool anotherButtonHasPrimaryClick(const ConfigStore& s, int button)
{
    const ButtonSlot* slots = s.buttons[currentConfiguration(s)];
    int keyNum = std::clamp(s.catalogue.keyNum, 0, kButtons);
    for (int b = 0; b < keyNum; ++b)
        if (b != button && slots[b].functionCode == function::PrimaryClick)
            return true;
    return false;
}

namespace {

// Configuration 0 never loses its primary click through the interface: when
// no real button has it any more, the next button (or the last button itself)
// takes it over.
void applyPrimaryClickRule(ConfigStore& s, int button)
{
    if (currentConfiguration(s) != 0)
        return;
    int keyNum = std::clamp(s.catalogue.keyNum, 0, kButtons);
    if (keyNum == 0)
        return;
    ButtonSlot* slots = s.buttons[0];
    for (int b = 0; b < keyNum; ++b)
        if (slots[b].functionCode == function::PrimaryClick)
            return;
    int target = button < keyNum - 1 ? button + 1 : keyNum - 1;
    slots[target].functionCode = function::PrimaryClick;
}

} // namespace

void assignFromButtonMenu(ConfigStore& s, int config, int button, int item)
{
    if (item < 1 || item > 6)
        return;
    assignFromSubMenu(s, config, button, item, 0);
}

void assignFromSubMenu(ConfigStore& s, int config, int button, int code, int leftMacro)
{
    if (!isValidConfiguration(config) || !validButton(button))
        return;
    ButtonSlot& slot = s.buttons[config][button];
    slot.functionCode = code;
    slot.leftMacro = leftMacro;
    applyPrimaryClickRule(s, button);
}

void assignKeyCombination(ConfigStore& s, int button, const Text& shortcutText, bool fromButtonMenu, int language)
{
    if (!validButton(button))
        return;
    ButtonSlot& slot = currentSlot(s, button);
    if (fromButtonMenu)
        slot.functionCode = function::KeyCombination;
    slot.shortcutText = shortcutText;
    rebuildShortcutMacros(s, language);
}

Text shortcutText(const Combination& c)
{
    auto vk = [](bool on, int code) { return on ? text::fromInt(code) : Text(); };
    const Text sep = macro::kShortcutSeparator;
    return u"Ctrl" + sep + vk(c.ctrl, kVkLeftCtrl) + sep + u"Shift" + sep + vk(c.shift, kVkLeftShift) + sep +
           u"Alt" + sep + vk(c.alt, kVkLeftAlt) + sep + u"Win" + sep + vk(c.win, kVkLeftWin) + sep +
           (c.vk ? c.keyName : Text()) + sep + (c.vk ? text::fromInt(c.vk) : Text());
}

std::vector<std::pair<Text, Text>> shortcutPairs(const Text& text)
{
    std::vector<Text> tokens = macro::splitShortcutText(text);
    std::vector<std::pair<Text, Text>> pairs;
    for (size_t i = 0; i + 1 < tokens.size(); i += 2)
        pairs.emplace_back(std::move(tokens[i]), std::move(tokens[i + 1]));
    return pairs;
}

void rebuildShortcutMacros(ConfigStore& s, int language)
{
    for (int n = 0; n < kConfigurations; ++n) {
        for (macro::MacroRecord& r : s.shortcutMacros[n])
            macro::clearRecord(r);
        for (int b = 0; b < kButtons; ++b)
            if (s.buttons[n][b].functionCode == function::KeyCombination)
                macro::buildCombinationMacro(s.shortcutMacros[n][b], s.buttons[n][b].shortcutText, language);
    }
}

void dropMissingMacroReferences(ConfigStore& s, int presetCount, int groupCount, std::span<const int> macroCounts)
{
    int keyNum = std::clamp(s.catalogue.keyNum, 0, kButtons);
    for (int n = 0; n < kConfigurations; ++n)
        for (int b = 0; b < keyNum; ++b) {
            int& code = s.buttons[n][b].functionCode;
            if (!macro::isMacroReferenceValid(code, presetCount, groupCount, macroCounts))
                code = function::None;
        }
}

Text buttonDisplayName(const ConfigStore& s, int button, FunctionNames& names)
{
    if (!validButton(button))
        return Text();
    int config = currentConfiguration(s);
    int code = s.buttons[config][button].functionCode;
    Text name;
    if (code == function::KeyCombination)
        name = macro::recordName(s.shortcutMacros[config][button]);
    else if (code >= 0 && code < 48)
        name = names.skinFunctionName(code);
    else if (code >= function::FirstSpecial)
        name = names.moreFunctionName(code);
    else if (macro::isLibraryFunction(code))
        name = names.libraryMacroName(macro::libraryGroupOf(code), macro::libraryMacroOf(code));
    else if (macro::isPresetFunction(code))
        name = names.presetName(code - macro::kFirstPresetFunction);
    if (name.size() > kDisplayNameChars)
        name = name.substr(0, kDisplayNameChars) + u"...";
    return name;
}

} // namespace settings
