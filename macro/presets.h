#pragma once
// The game presets: ready-made recoil macros, one per weapon, in "PUBG.dat" of
// the language folder. A button plays preset i with function code 50 + i.
#include "macro/macro_record.h"

namespace macro {

inline const char16_t* const kPresetFileName = u"PUBG.dat";
// Shown in a plain message box (not a tip text) when the preset file is missing.
inline const char16_t* const kPresetFileMissingText = u"Can't find the PUBG file.";

// Loads the preset count, records and names. Returns false when the file is
// missing: the table is then empty and the caller shows kPresetFileMissingText.
bool loadPresets(PresetTable& presets, const Text& languageFolder, int language);

// Writes preset i back with every non-zero Y amount set to `strength`, in the
// file and in the table. macroNum is left as the file has it. Returns false,
// writing nothing, when the file is missing (the caller shows
// kPresetFileMissingText) or i is not a loaded preset.
bool savePreset(PresetTable& presets, int i, int strength, const Text& languageFolder, int language);

} // namespace macro
