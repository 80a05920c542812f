#pragma once
// The game presets: ready-made recoil macros, one per weapon, in "PUBG.dat" of
// the language folder. A button plays preset i with function code 50 + i.
#include "macro/macro_record.h"

namespace macro {

inline const char16_t* const kPresetFileName = u"PUBG.dat";
// Shown in a plain message box (not a tip text) when the preset file is missing.
inline const char16_t* const kPresetFileMissingText = u"Can't find the PUBG file.";

// The strength (the Y amount of every move) a preset is saved with.
constexpr int kMinStrength = 1;
constexpr int kMaxStrength = 99;

// A line of the given file version with every token three digits 0..255 and
// the full token count of a record.
bool isWellFormedMacroLine(TextView line, int version);

// Loads the preset count (macroNum, at most 12), records and names. A
// preset whose line is missing or damaged stays empty and unloaded. Returns
// false when the file is missing: the table is then empty and the caller
// shows kPresetFileMissingText.
bool loadPresets(PresetTable& presets, const Text& languageFolder, int language);

enum class PresetWrite { Saved, FileMissing, NotAPreset, Failed };

// Writes preset i back with every non-zero Y amount set to `strength` (kept
// within 1..99), in the file and in the table. macroNum is left as the file
// has it. Nothing is written when the file is missing (the caller shows
// kPresetFileMissingText) or i is not a loaded preset.
PresetWrite savePreset(PresetTable& presets, int i, int strength, const Text& languageFolder, int language);

} // namespace macro
