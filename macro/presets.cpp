#include "macro/presets.h"

#include "macro/macro_file.h"
#include "platform/atomic_save.h"
#include "platform/platform.h"

#include <algorithm>

namespace macro {

namespace {

Text presetFile(const Text& languageFolder) { return joinPath(languageFolder, kPresetFileName); }

// Tokens of a whole line: the header of its version and 2540 event and block tokens.
int lineTokens(int version) { return kTokenCountV3 - headerTokens(kFileVersion) + headerTokens(version); }

} // namespace

bool isWellFormedMacroLine(TextView line, int version)
{
    if (line.size() != size_t(lineTokens(version)) * 3)
        return false;
    for (size_t i = 0; i < line.size(); i += 3) {
        int value = 0;
        for (size_t k = i; k < i + 3; ++k) {
            if (line[k] < u'0' || line[k] > u'9')
                return false;
            value = value * 10 + (line[k] - u'0');
        }
        if (value > 255)
            return false;
    }
    return true;
}

bool loadPresets(PresetTable& presets, const Text& languageFolder, int language)
{
    presets.count = 0;
    for (auto& r : presets.records)
        clearRecord(r);
    for (auto& name : presets.names)
        name.clear();
    presets.loaded.fill(false);
    const Text file = presetFile(languageFolder);
    if (!platform::os().files->exists(file))
        return false;
    const int version = readFileVersion(file);
    presets.count = std::clamp(readMacroCount(file), 0, int(presets.records.size()));
    auto& profile = *platform::os().profile;
    for (int i = 0; i < presets.count; ++i) {
        const Text line = profile.getString(file, filekey::Macros, text::fromInt(i), Text(), lineBufferChars(version));
        // A missing or damaged preset keeps its slot (later presets keep their
        // button codes) but stays empty.
        if (!isWellFormedMacroLine(line, version))
            continue;
        presets.records[size_t(i)] = decodeMacroLine(line, version, language);
        presets.names[size_t(i)] = recordName(presets.records[size_t(i)]);
        presets.loaded[size_t(i)] = true;
    }
    return true;
}

PresetWrite savePreset(PresetTable& presets, int i, int strength, const Text& languageFolder, int language)
{
    const Text file = presetFile(languageFolder);
    if (!platform::os().files->exists(file))
        return PresetWrite::FileMissing;
    if (i < 0 || i >= std::min<int>(presets.count, int(presets.records.size())) || !presets.loaded[size_t(i)])
        return PresetWrite::NotAPreset;
    strength = std::clamp(strength, kMinStrength, kMaxStrength);
    MacroRecord& r = presets.records[size_t(i)];
    for (int k = 0; k < std::min<int>(r.eventCount, kMaxEvents); ++k)
        if (r.param[k].y != 0)
            r.param[k].y = std::uint16_t(strength);
    const bool ok = platform::saveAtomically(file, [&](const Text& copy) {
        auto& profile = *platform::os().profile;
        bool ok = upgradeMacroFile(copy);
        ok = profile.writeString(copy, filekey::Init, filekey::Version, text::fromInt(kFileVersion)) && ok;
        return profile.writeString(copy, filekey::Macros, text::fromInt(i), encodeMacroLine(r, language)) && ok;
    });
    return ok ? PresetWrite::Saved : PresetWrite::Failed;
}

} // namespace macro
