#include "macro/presets.h"

#include "macro/macro_file.h"
#include "platform/atomic_save.h"
#include "platform/platform.h"

#include <algorithm>

namespace macro {

namespace {

Text presetFile(const Text& languageFolder) { return joinPath(languageFolder, kPresetFileName); }

} // namespace

bool loadPresets(PresetTable& presets, const Text& languageFolder, int language)
{
    presets.count = 0;
    for (auto& r : presets.records)
        clearRecord(r);
    for (auto& name : presets.names)
        name.clear();
    const Text file = presetFile(languageFolder);
    if (!platform::os().files->exists(file))
        return false;
    const int version = readFileVersion(file);
    presets.count = std::clamp(readMacroCount(file), 0, int(presets.records.size()));
    for (int i = 0; i < presets.count; ++i) {
        presets.records[i] = readMacroLine(file, i, version, language);
        presets.names[i] = recordName(presets.records[i]);
    }
    return true;
}

bool savePreset(PresetTable& presets, int i, int strength, const Text& languageFolder, int language)
{
    const Text file = presetFile(languageFolder);
    if (!platform::os().files->exists(file) || i < 0 || i >= std::min<int>(presets.count, int(presets.records.size())))
        return false;
    MacroRecord& r = presets.records[i];
    for (int k = 0; k < std::min<int>(r.eventCount, kMaxEvents); ++k)
        if (r.param[k].y != 0)
            r.param[k].y = std::uint16_t(strength);
    return platform::saveAtomically(file, [&](const Text& copy) {
        auto& profile = *platform::os().profile;
        bool ok = upgradeMacroFile(copy);
        ok = profile.writeString(copy, filekey::Init, filekey::Version, text::fromInt(kFileVersion)) && ok;
        return profile.writeString(copy, filekey::Macros, text::fromInt(i), encodeMacroLine(r, language)) && ok;
    });
}

} // namespace macro
