#include "macro/macro_library.h"

#include "platform/atomic_save.h"
#include "platform/platform.h"

#include <algorithm>
#include <vector>

namespace macro {

namespace {

constexpr const char16_t* kCountSection = u"MACRO_GROUP_NUM";
constexpr const char16_t* kCountKey = u"macGrpNum";
constexpr const char16_t* kNameSection = u"MACRO_GROUP_NAME";
constexpr size_t kCountBufferChars = 3;
constexpr size_t kMacroNameBufferChars = 2 * kNameUnits * 3 + 1; // tokens 0..59

Text listFile(const Text& macroFolder) { return joinPath(macroFolder, kGroupListFile); }

Text readGroupCountText(const Text& file)
{
    return platform::os().profile->getString(file, kCountSection, kCountKey, Text(), kCountBufferChars);
}

int readGroupCount(const Text& file)
{
    return text::toInt(readGroupCountText(file));
}

Text readGroupName(const Text& file, int group)
{
    return platform::os().profile->getString(file, kNameSection, text::fromInt(group), Text(), kGroupNameBufferChars);
}

bool namesEqual(TextView a, TextView b, bool ignoreCase)
{
    return ignoreCase ? text::equalsIgnoreCase(a, b) : a == b;
}

// Spaces, tabs and the other controls the profile functions trim as blanks.
bool isBlank(char16_t c) { return c <= u' '; }

bool endsWithGroupExtension(TextView fileName)
{
    const TextView ext(kGroupFileExtension);
    return fileName.size() > ext.size() &&
           text::equalsIgnoreCase(fileName.substr(fileName.size() - ext.size()), ext);
}

// The group's file under its name with blanks around it, moved to the name.
bool adoptFileWithBlanks(TextView name, const Text& macroFolder)
{
    auto target = groupFilePath(macroFolder, name);
    if (!target)
        return false;
    auto& files = *platform::os().files;
    const size_t extension = TextView(kGroupFileExtension).size();
    for (const Text& file : files.listFiles(macroFolder)) {
        if (!endsWithGroupExtension(file))
            continue;
        const TextView stem = TextView(file).substr(0, file.size() - extension);
        if (stem == name || trimGroupName(stem) != name)
            continue;
        const Text from = joinPath(macroFolder, file);
        if (files.copyFile(from, *target, true)) {
            files.deleteFile(from);
            return true;
        }
    }
    return false;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

Text twoDigits(int n)
{
    Text s = text::fromInt(n);
    return s.size() < 2 ? u"0" + s : s;
}

} // namespace

std::optional<Text> groupFilePath(const Text& macroFolder, TextView groupName)
{
    if (!isSafeGroupName(groupName))
        return std::nullopt;
    return joinPath(macroFolder, Text(groupName) + kGroupFileExtension);
}

int readGroupList(Library& lib, const Text& macroFolder)
{
    const Text file = listFile(macroFolder);
    platform::restoreFromBackup(file, [](const Text& path) { return !readGroupCountText(path).empty(); });
    const bool listExists = platform::os().files->exists(file);

    const int stored = readGroupCount(file);
    // Never more names than the library has places for.
    int count = std::clamp(stored, 0, kMaxGroups);
    for (auto& name : lib.groupNames)
        name.clear();
    if (count > 0)
        lib.currentGroup = 0;
    for (int i = 0; i < count; ++i)
        lib.groupNames[i] = trimGroupName(readGroupName(file, i));
    lib.groupCount = count;

    bool dropped = false;
    for (int i = 0; i < lib.groupCount;) {
        if (auto groupFile = groupFilePath(macroFolder, lib.groupNames[i]))
            restoreMacroFile(*groupFile);
        if (checkGroupFile(lib, i, false, macroFolder, 0) || adoptFileWithBlanks(lib.groupNames[i], macroFolder)) {
            ++i;
            continue;
        }
        std::move(lib.groupNames.begin() + i + 1, lib.groupNames.end(), lib.groupNames.begin() + i);
        lib.groupNames.back().clear();
        --lib.groupCount;
        dropped = true;
    }
    if (lib.currentGroup >= lib.groupCount)
        lib.currentGroup = 0;
    if (listExists && (dropped || lib.groupCount != stored))
        writeGroupList(lib, macroFolder);
    return !listExists || dropped ? tip::FileMissing : 0;
}

bool writeGroupList(const Library& lib, const Text& macroFolder)
{
    return platform::saveAtomically(listFile(macroFolder), [&](const Text& file) {
        auto& profile = *platform::os().profile;
        bool ok = profile.writeString(file, kCountSection, kCountKey, text::fromInt(lib.groupCount));
        for (int i = 0; i < kMaxGroups; ++i)
            ok = profile.writeString(file, kNameSection, text::fromInt(i),
                                     i < lib.groupCount ? lib.groupNames[i] : Text()) && ok;
        return ok;
    });
}

bool checkGroupFile(Library& lib, int group, bool load, const Text& macroFolder, int language)
{
    if (group < 0 || group >= std::min(lib.groupCount, kMaxGroups))
        return false;
    auto file = groupFilePath(macroFolder, lib.groupNames[group]);
    auto& files = *platform::os().files;
    if (!file || !files.exists(*file) || files.isDirectory(*file))
        return false;
    if (load)
        lib.currentGroupMacroCount = loadGroup(lib.table, *file, language).value_or(0);
    return true;
}

void readMacroNames(Library& lib, const Text& macroFolder)
{
    for (int g = 0; g < kMaxGroups; ++g) {
        int count = 0;
        if (g < lib.groupCount) {
            if (auto file = groupFilePath(macroFolder, lib.groupNames[g])) {
                // A file claiming more than 12 macros shows its first 12, as it loads.
                count = std::clamp(readMacroCount(*file), 0, kMaxMacrosPerGroup);
                for (int m = 0; m < count; ++m)
                    lib.macroNames[g][m] = decodeMacroName(platform::os().profile->getString(
                        *file, filekey::Macros, text::fromInt(m), Text(), kMacroNameBufferChars));
            }
        }
        lib.macroCounts[g] = count;
        for (int m = count; m < kMaxMacrosPerGroup; ++m)
            lib.macroNames[g][m].clear();
    }
}

Text trimGroupName(TextView name)
{
    while (!name.empty() && isBlank(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && isBlank(name.back()))
        name.remove_suffix(1);
    return Text(name);
}

bool groupNameTaken(const Library& lib, TextView name, int except)
{
    for (int g = 0; g < std::clamp(lib.groupCount, 0, kMaxGroups); ++g)
        if (g != except && text::equalsIgnoreCase(lib.groupNames[g], name))
            return true;
    return false;
}

Text groupNameFor(const Library& lib, TextView typed, int group)
{
    constexpr size_t kMaxChars = kGroupNameBufferChars - 1;
    const Text name = trimGroupName(TextView(trimGroupName(typed)).substr(0, kMaxChars));
    std::vector<Text> others;
    for (int g = 0; g < std::clamp(lib.groupCount, 0, kMaxGroups); ++g)
        if (g != group)
            others.push_back(lib.groupNames[g]);
    return makeUniqueName(name, others, kMaxChars, true);
}

Text importedGroupName(TextView chosenFile)
{
    const size_t slash = chosenFile.find_last_of(u"\\/");
    TextView name = slash == TextView::npos ? chosenFile : chosenFile.substr(slash + 1);
    if (endsWithGroupExtension(name))
        name.remove_suffix(TextView(kGroupFileExtension).size());
    return trimGroupName(name);
}

int openLibrary(Library& lib, const Text& macroFolder, int language)
{
    const int listTip = readGroupList(lib, macroFolder);
    if (lib.groupCount > 0) {
        checkGroupFile(lib, lib.currentGroup, true, macroFolder, language);
    } else {
        for (int i = 0; i < kMaxMacrosPerGroup; ++i)
            clearRecord(lib.table[i]);
        lib.currentGroupMacroCount = 0;
    }
    readMacroNames(lib, macroFolder);
    return listTip;
}

Text makeUniqueName(TextView typed, std::span<const Text> others, size_t maxLength, bool ignoreCase)
{
    const size_t first = typed.find_first_not_of(u' ');
    if (first == TextView::npos)
        return Text();
    Text name(typed.substr(first, maxLength));
    auto taken = [&](TextView candidate) {
        return std::any_of(others.begin(), others.end(),
                           [&](const Text& o) { return namesEqual(o, candidate, ignoreCase); });
    };
    if (!taken(name))
        return name;

    Text base = name;
    if (name.size() >= 3 && isDigit(name[name.size() - 1]) && isDigit(name[name.size() - 2]))
        base.resize(name.size() - 2);
    int highest = 1;
    for (const Text& o : others)
        if (o.size() == base.size() + 2 && namesEqual(TextView(o).substr(0, base.size()), base, ignoreCase) &&
            isDigit(o[base.size()]) && isDigit(o[base.size() + 1]))
            highest = std::max(highest, (o[base.size()] - u'0') * 10 + (o[base.size() + 1] - u'0'));
    // Names with three-digit numbers are not counted above, so look on until free.
    for (int n = highest + 1;; ++n) {
        const Text digits = twoDigits(n);
        const size_t keep = maxLength > digits.size() ? std::min(base.size(), maxLength - digits.size()) : 0;
        Text candidate = base.substr(0, keep) + digits;
        if (!taken(candidate))
            return candidate;
    }
}

std::optional<MacroRecord> findGroupMacro(const Text& macroFolder, int group, int macro, int language)
{
    const Text list = listFile(macroFolder);
    const int groups = std::clamp(readGroupCount(list), 0, kMaxGroups);
    if (group < 0 || group >= groups)
        return std::nullopt;
    auto file = groupFilePath(macroFolder, readGroupName(list, group));
    if (!file)
        return std::nullopt;
    const int macros = std::clamp(readMacroCount(*file), 0, kMaxMacrosPerGroup);
    if (macro < 0 || macro >= macros)
        return std::nullopt;
    return readMacroLine(*file, macro, readFileVersion(*file), language);
}

MacroRecord readGroupMacro(const Text& macroFolder, int group, int macro, int language)
{
    return findGroupMacro(macroFolder, group, macro, language).value_or(kEmptyRecord);
}

std::optional<MacroRecord> resolveButtonMacro(int functionCode, const MacroRecord& buttonShortcut,
                                              const PresetTable& presets, const Text& macroFolder,
                                              int language)
{
    if (functionCode == kShortcutFunction)
        return buttonShortcut;
    if (functionCode > kShortcutFunction && functionCode < kFirstPresetFunction)
        return kEmptyRecord;
    if (isPresetFunction(functionCode)) {
        const int i = functionCode - kFirstPresetFunction;
        if (i < std::min<int>(presets.count, int(presets.records.size())))
            return presets.records[i];
        return std::nullopt;
    }
    if (isLibraryFunction(functionCode))
        return findGroupMacro(macroFolder, libraryGroupOf(functionCode), libraryMacroOf(functionCode), language);
    return std::nullopt;
}

} // namespace macro
