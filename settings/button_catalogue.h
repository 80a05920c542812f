#pragma once
// What a button can do: the catalogue of buttons (how many, and which device
// slot the mouse gives each), the function codes and the byte the mouse takes
// for each, the rules by which the interface assigns them, key combinations
// and the macros built from them, and the names the main page shows.
#include "macro/macro_record.h"
#include "platform/text.h"
#include "settings/config_store.h"

#include <span>
#include <utility>
#include <vector>

namespace settings {

// --- function codes ---
namespace function {
inline constexpr int None = 0;
inline constexpr int PrimaryClick = 1;
inline constexpr int FirstConfigSwitch = 19;   // 19..22: configurations 1..4
inline constexpr int FirstMultimedia = 23;     // 23..32
inline constexpr int LastMultimedia = 32;
inline constexpr int KeyCombination = 33;
inline constexpr int FirstEmptyMacro = 34;     // 34..49 play an empty macro
inline constexpr int FirstSpecial = 30000;     // 30000..30004
inline constexpr int LastSpecial = 30004;
inline constexpr int FromFileOnly = 40000;
} // namespace function

// Codes 33..29999 make the button play a macro.
constexpr bool isMacroFunction(int code) { return code >= function::KeyCombination && code <= 29999; }

// The byte the mouse's memory holds for a button function. For macro codes
// the macro's mode byte decides between a one-shot and a while-held macro.
std::uint8_t deviceFunctionCode(int code, int leftMacro, std::uint8_t macroMode);

// Consumer-page usage of a multimedia code (23..32); 0 for any other code.
int consumerUsage(int code);

// --- button catalogue ---
// KEYNUM/KeyNum and KEYMAP/K<i>_MAP of config.ini. KeyNum is kept within
// 0..12; a K<i>_MAP outside 1..14 is ignored and leaves its button without a
// device slot.
void readButtonCatalogue(ConfigStore& s, const Text& configFile);
// The device slot 1..14 of a button, 0 when it has none (or no such button).
int deviceSlotOf(const ButtonCatalogue& c, int button);
// The button in device slot 1..14, -1 when none.
int buttonOfDeviceSlot(const ButtonCatalogue& c, int slot);

// --- sub-menu codes ---
constexpr int multimediaCode(int entry) { return 22 + entry; }       // entry 1..10
constexpr int configSwitchCode(int entry) { return 18 + entry; }     // entry 1..4
constexpr int presetCode(int entry) { return 49 + entry; }           // entry 1..preset count
// Group and macro numbered from 1, as the menus show them.
constexpr int libraryMacroCode(int group, int macro) { return group * 256 + macro - 1; }

// --- assignment ---
// The main page opens a button's menu only while another button of the
// current configuration keeps the primary click.
bool anotherButtonHasPrimaryClick(const ConfigStore& s, int button);
// Button menu items 1..6: code = item, left-button macro off.
void assignFromButtonMenu(ConfigStore& s, int config, int button, int item);
// Any sub-menu entry, with the code and left-button macro flag it stands for.
void assignFromSubMenu(ConfigStore& s, int config, int button, int code, int leftMacro);
// Confirmed key combination of the current configuration's button. From the
// button menu the button also becomes a key-combination button; either way
// the shortcut macros are rebuilt.
void assignKeyCombination(ConfigStore& s, int button, const Text& shortcutText, bool fromButtonMenu, int language);

// --- key combinations ---
inline constexpr int kVkLeftCtrl = 162;
inline constexpr int kVkLeftShift = 160;
inline constexpr int kVkLeftAlt = 164;
inline constexpr int kVkLeftWin = 91;

struct Combination {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool win = false;
    Text keyName;   // display name of the main key
    int vk = 0;     // its virtual-key code; 0 = no main key
};

// Five name/value pairs joined by "&split&": Ctrl, Shift, Alt, Win, main key.
Text shortcutText(const Combination& c);
// The pairs of a shortcut text in order; a trailing unpaired token is dropped.
std::vector<std::pair<Text, Text>> shortcutPairs(const Text& text);
// Every configuration's shortcut macros, from the texts of its code-33 buttons
// (macro::buildCombinationMacro); all other records are cleared.
void rebuildShortcutMacros(ConfigStore& s, int language);

// --- references to macros ---
// After macros or groups were deleted: codes that point past the library or
// the presets become 0. References are not renumbered.
void dropMissingMacroReferences(ConfigStore& s, int presetCount, int groupCount, std::span<const int> macroCounts);

// --- display names ---
// Where the names of functions come from: the skin, the more-functions
// entries, the macro library and the game presets. Each answers with an empty
// text for something it does not know.
class FunctionNames {
public:
    virtual ~FunctionNames() = default;
    virtual Text skinFunctionName(int number) = 0;       // 0..47
    virtual Text moreFunctionName(int code) = 0;         // 30000 and up
    virtual Text libraryMacroName(int group, int macro) = 0;
    virtual Text presetName(int preset) = 0;
};

inline constexpr size_t kDisplayNameChars = 16;
// The name the main page shows for a button of the current configuration.
Text buttonDisplayName(const ConfigStore& s, int button, FunctionNames& names);

} // namespace settings
