#include "macro/library_commands.h"

#include "macro/presets.h"

#include "platform/atomic_save.h"
#include "platform/platform.h"

#include <algorithm>
#include <memory>

namespace macro {

namespace {

constexpr size_t kMaxGroupNameChars = kGroupNameBufferChars - 1;
// The program's own macro files, which are no macro groups.
constexpr const char* kOwnFiles[] = {"constMacro.dat", "PUBG.dat", "PUBG_CN.dat", "PUBG_EN.dat"};
constexpr unsigned kDeleteRetryMs = 10;

platform::Files& files() { return *platform::os().files; }

// Windows drops trailing blanks and dots from file names, so "a." and "a"
// would name one file.
Text trimmedName(TextView typed)
{
    Text t = trimGroupName(typed);
    while (!t.empty() && t.back() == u'.')
        t = trimGroupName(TextView(t).substr(0, t.size() - 1));
    return t;
}

std::vector<Text> groupNamesExcept(const Library& lib, int except)
{
    std::vector<Text> names;
    for (int i = 0; i < lib.groupCount; ++i)
        if (i != except)
            names.push_back(lib.groupNames[i]);
    return names;
}

std::optional<Text> currentGroupFile(const Library& lib, const LibraryPlace& place)
{
    if (lib.currentGroup < 0 || lib.currentGroup >= lib.groupCount)
        return std::nullopt;
    return groupFilePath(place.macroFolder, lib.groupNames[lib.currentGroup]);
}

// Writes the group to a temporary file first, so a failed write (full disk,
// read-only target) leaves the old file as it was.
bool replaceWithGroup(const Text& file, const GroupTable& table, int count, int language)
{
    const Text temp = file + u".tmp";
    files().deleteFile(temp);
    bool ok = writeGroup(temp, table, count, language) && files().copyFile(temp, file, false);
    files().deleteFile(temp);
    return ok;
}

// Moves a file under a new name; names that differ only in case go through a
// temporary file, as Windows sees them as one file.
bool moveFile(const Text& from, const Text& to)
{
    if (text::equalsIgnoreCase(from, to)) {
        const Text temp = from + u".tmp";
        if (!files().copyFile(from, temp, false))
            return false;
        files().deleteFile(from);
        const bool ok = files().copyFile(temp, to, false);
        if (ok)
            files().deleteFile(temp);
        else
            files().copyFile(temp, from, false);
        return ok;
    }
    if (!files().copyFile(from, to, false))
        return false;
    files().deleteFile(from);
    return true;
}

// The backup the saves keep beside a group file belongs to that group alone:
// it goes when the group goes and follows a rename, so a group that later takes
// the name never starts from another group's macros.
void dropBackup(const Text& groupFile) { files().deleteFile(platform::backupPathOf(groupFile)); }

void moveBackup(const Text& from, const Text& to)
{
    const Text backup = platform::backupPathOf(from);
    if (!files().exists(backup) || !moveFile(backup, platform::backupPathOf(to)))
        dropBackup(to);
}

bool hasControlCharacter(TextView name)
{
    return std::any_of(name.begin(), name.end(), [](char16_t c) { return c < 0x20 || c == 0x7F; });
}

void clearTable(Library& lib)
{
    for (auto& r : lib.table)
        clearRecord(r);
    lib.currentGroupMacroCount = 0;
}

} // namespace

std::vector<LibraryRow> libraryRows(const Library& lib)
{
    std::vector<LibraryRow> rows;
    for (int g = 0; g < std::min(lib.groupCount, kMaxGroups); ++g) {
        rows.push_back({true, g, -1, lib.opened[g] ? librow::OpenedGroup : librow::ClosedGroup, lib.groupNames[g]});
        if (!lib.opened[g])
            continue;
        for (int m = 0; m < std::clamp(lib.macroCounts[g], 0, kMaxMacrosPerGroup); ++m)
            rows.push_back({false, g, m, librow::Macro, lib.macroNames[g][m]});
    }
    return rows;
}

int rowOf(const std::vector<LibraryRow>& rows, int group, int macro)
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].group == group && rows[i].macro == macro)
            return int(i);
    return -1;
}

void makeGroupCurrent(Library& lib, const LibraryPlace& place, int group)
{
    if (group == lib.currentGroup || group < 0 || group >= lib.groupCount)
        return;
    lib.currentGroup = group;
    lib.currentMacro = 0;
    checkGroupFile(lib, group, true, place.macroFolder, place.language);
}

Outcome newGroup(Library& lib, const LibraryPlace& place, TextView defaultName)
{
    if (lib.groupCount >= kMaxGroups)
        return Outcome::refused(tip::TooManyGroups);
    const Text name =
        makeUniqueName(trimmedName(defaultName), groupNamesExcept(lib, -1), kMaxGroupNameChars, true);
    const auto file = groupFilePath(place.macroFolder, name);
    if (!file)
        return Outcome::refused(tip::BadName);

    const int g = lib.groupCount;
    lib.groupNames[g] = name;
    lib.groupCount = g + 1;
    dropBackup(*file);
    if (!files().writeFile(*file, {}) || !writeGroupList(lib, place.macroFolder)) {
        files().deleteFile(*file);
        lib.groupNames[g].clear();
        lib.groupCount = g;
        writeGroupList(lib, place.macroFolder);
        return Outcome::refused(tip::WriteFailed);
    }
    clearTable(lib);
    lib.currentGroup = g;
    lib.currentMacro = 0;
    lib.macroCounts[g] = 0;
    for (auto& n : lib.macroNames[g])
        n.clear();
    lib.opened[g] = false;
    return Outcome::ok();
}

namespace {

// Puts `r` into the next slot of `group` under `name` made unique there, and saves it.
Outcome appendMacro(Library& lib, const LibraryPlace& place, int group, const MacroRecord& r, TextView name)
{
    if (group < 0 || group >= lib.groupCount)
        return Outcome::refused(tip::Failed);
    makeGroupCurrent(lib, place, group);
    const int n = lib.currentGroupMacroCount;
    if (n >= kMaxMacrosPerGroup)
        return Outcome::refused(tip::Full);
    const auto file = currentGroupFile(lib, place);
    if (!file)
        return Outcome::refused(tip::BadName);

    Text clean(name);
    std::replace_if(clean.begin(), clean.end(), [](char16_t c) { return c < 0x20 || c == 0x7F; }, u' ');
    std::vector<Text> names(lib.macroNames[group].begin(), lib.macroNames[group].begin() + n);
    lib.table[n] = r;
    setRecordName(lib.table[n], makeUniqueName(clean, names, kMaxNameChars, false));
    if (!saveMacro(*file, lib.table, n + 1, n, place.language)) {
        clearRecord(lib.table[n]);
        return Outcome::refused(tip::WriteFailed);
    }
    lib.currentGroupMacroCount = n + 1;
    lib.currentMacro = n;
    readMacroNames(lib, place.macroFolder);
    lib.opened[group] = true;
    return Outcome::ok();
}

} // namespace

Outcome newMacro(Library& lib, const LibraryPlace& place, int group, TextView defaultName)
{
    return appendMacro(lib, place, group, kEmptyRecord, defaultName);
}

Outcome deleteMacro(Library& lib, const LibraryPlace& place, int m)
{
    const int count = lib.currentGroupMacroCount;
    const auto file = currentGroupFile(lib, place);
    if (!file || m < 0 || m >= count)
        return Outcome::refused(tip::Failed);
    const GroupTable before = lib.table;
    std::move(lib.table.begin() + m + 1, lib.table.begin() + count, lib.table.begin() + m);
    clearRecord(lib.table[count - 1]);
    if (!replaceWithGroup(*file, lib.table, count - 1, place.language)) {
        lib.table = before;
        return Outcome::refused(tip::WriteFailed);
    }
    lib.currentGroupMacroCount = count - 1;
    lib.currentMacro = std::max(m - 1, 0);
    readMacroNames(lib, place.macroFolder);
    return Outcome::ok();
}

Outcome deleteGroup(Library& lib, const LibraryPlace& place, int group)
{
    if (lib.groupCount <= 0 || group < 0 || group >= lib.groupCount)
        return Outcome::refused();
    lib.currentMacro = 0;
    if (auto file = groupFilePath(place.macroFolder, lib.groupNames[group])) {
        if (!files().deleteFile(*file) && files().exists(*file)) {
            platform::os().clock->sleepMs(kDeleteRetryMs);
            files().deleteFile(*file);
        }
        dropBackup(*file);
    }
    std::move(lib.groupNames.begin() + group + 1, lib.groupNames.end(), lib.groupNames.begin() + group);
    lib.groupNames.back().clear();
    std::move(lib.opened.begin() + group + 1, lib.opened.end(), lib.opened.begin() + group);
    lib.opened.back() = false;
    --lib.groupCount;
    lib.currentGroup = 0;
    const bool listWritten = writeGroupList(lib, place.macroFolder);
    clearTable(lib);
    if (lib.groupCount > 0)
        checkGroupFile(lib, 0, true, place.macroFolder, place.language);
    readMacroNames(lib, place.macroFolder);
    return listWritten ? Outcome::ok() : Outcome::ok(tip::WriteFailed);
}

Renamed renameGroup(Library& lib, const LibraryPlace& place, int group, TextView typed)
{
    if (group < 0 || group >= lib.groupCount)
        return {Outcome::refused(tip::SelectMacro), Text()};
    makeGroupCurrent(lib, place, group);
    const Text old = lib.groupNames[group];
    const Text wanted = trimmedName(typed);
    if (wanted.empty())
        return {Outcome::refused(), old};
    if (!isSafeGroupName(wanted))
        return {Outcome::refused(tip::BadName), old};
    const Text name = makeUniqueName(wanted, groupNamesExcept(lib, group), kMaxGroupNameChars, true);
    if (name == old)
        return {Outcome::ok(), old};

    const auto from = groupFilePath(place.macroFolder, old);
    const auto to = groupFilePath(place.macroFolder, name);
    if (!to)
        return {Outcome::refused(tip::BadName), old};
    if (!from || !files().exists(*from)) {
        // Nothing to carry over: the name changes and the list says so.
        lib.groupNames[group] = name;
        writeGroupList(lib, place.macroFolder);
        return {Outcome::ok(tip::FileMissing), name};
    }
    if (!moveFile(*from, *to))
        return {Outcome::refused(tip::WriteFailed), old};
    moveBackup(*from, *to);
    lib.groupNames[group] = name;
    if (!writeGroupList(lib, place.macroFolder)) {
        moveFile(*to, *from);
        moveBackup(*to, *from);
        lib.groupNames[group] = old;
        writeGroupList(lib, place.macroFolder);
        return {Outcome::refused(tip::WriteFailed), old};
    }
    return {Outcome::ok(), name};
}

Renamed renameMacro(Library& lib, const LibraryPlace& place, int group, int macro, TextView typed)
{
    if (group < 0 || group >= lib.groupCount)
        return {Outcome::refused(tip::SelectMacro), Text()};
    makeGroupCurrent(lib, place, group);
    if (macro < 0 || macro >= lib.currentGroupMacroCount)
        return {Outcome::refused(tip::SelectMacro), Text()};
    lib.currentMacro = macro;
    MacroRecord& r = lib.table[macro];
    const Text old = recordName(r);
    const size_t first = typed.find_first_not_of(u' ');
    if (first == TextView::npos)
        return {Outcome::refused(), old};
    if (hasControlCharacter(typed))
        return {Outcome::refused(tip::BadName), old};

    std::vector<Text> others;
    for (int i = 0; i < kMaxMacrosPerGroup; ++i)
        if (i != macro)
            others.push_back(lib.macroNames[group][i]);
    const Text name = makeUniqueName(typed, others, kMaxNameChars, false);
    const auto file = currentGroupFile(lib, place);
    if (!file)
        return {Outcome::refused(tip::BadName), old};
    setRecordName(r, name);
    if (!saveMacro(*file, lib.table, lib.currentGroupMacroCount, macro, place.language)) {
        setRecordName(r, old);
        return {Outcome::refused(tip::WriteFailed), old};
    }
    readMacroNames(lib, place.macroFolder);
    return {Outcome::ok(), name};
}

Outcome importGroup(Library& lib, const LibraryPlace& place, const Text& file)
{
    if (lib.groupCount >= kMaxGroups)
        return Outcome::refused(tip::Full);
    for (const char* own : kOwnFiles)
        if (text::equalsIgnoreCase(file, joinPath(place.configFolder, T(own))))
            return Outcome::refused();
    const Text name = trimmedName(importedGroupName(file));
    if (name.empty())
        return Outcome::refused(tip::Failed);
    if (!isSafeGroupName(name) || name.size() > kMaxGroupNameChars)
        return Outcome::refused(tip::BadName);
    for (int i = 0; i < lib.groupCount; ++i)
        if (text::equalsIgnoreCase(lib.groupNames[i], name))
            return Outcome::refused(tip::GroupNameTaken);
    const auto target = groupFilePath(place.macroFolder, name);
    if (!target)
        return Outcome::refused(tip::BadName);
    if (!files().exists(file) || files().isDirectory(file))
        return Outcome::refused(tip::FileMissing);
    if (!text::equalsIgnoreCase(file, *target) && !files().copyFile(file, *target, false))
        return Outcome::refused(tip::WriteFailed);
    dropBackup(*target);

    const int g = lib.groupCount;
    lib.groupNames[g] = name;
    lib.groupCount = g + 1;
    lib.opened[g] = false;
    if (!writeGroupList(lib, place.macroFolder)) {
        lib.groupNames[g].clear();
        lib.groupCount = g;
        files().deleteFile(*target);
        return Outcome::refused(tip::WriteFailed);
    }
    readMacroNames(lib, place.macroFolder);
    lib.currentGroup = -1;
    makeGroupCurrent(lib, place, g);
    return Outcome::ok();
}

Outcome exportGroup(const Library& lib, const LibraryPlace& place, const Text& file)
{
    if (lib.groupCount <= 0)
        return Outcome::refused(tip::Failed);
    if (!replaceWithGroup(file, lib.table, lib.currentGroupMacroCount, place.language))
        return Outcome::refused(tip::WriteFailed);
    return Outcome::ok();
}

namespace {

// A single-macro file is taken in only whole: a version the program knows,
// a well-formed line, and counts a macro can have. Cut, foreign or damaged
// files would otherwise add a macro of noise.
bool isImportableMacroLine(TextView line, int version)
{
    if (version < 0 || version > kFileVersion || !isWellFormedMacroLine(line, version))
        return false;
    const auto token = [&](int t) { return text::toInt(line.substr(size_t(t) * 3, 3)); };
    const auto word = [&](int t) { return token(t) + 256 * token(t + 1); };
    if (word(63) > kMaxEvents || token(73) > kBlockCount || token(74) > kBlockCount)
        return false;
    const std::uint8_t counted[] = {kind::Move, kind::F7, kind::Cpi, kind::FA};
    for (int i = 0; i < 4; ++i)
        if (word(65 + 2 * i) > kindLimit(counted[i]).value_or(kMaxEvents))
            return false;
    return true;
}

} // namespace

Outcome importSingleMacro(Library& lib, const LibraryPlace& place, int group, const Text& file)
{
    if (group < 0 || group >= lib.groupCount)
        return Outcome::refused(tip::Failed);
    makeGroupCurrent(lib, place, group);
    if (lib.currentGroupMacroCount >= kMaxMacrosPerGroup)
        return Outcome::refused(tip::Full);
    if (!files().exists(file))
        return Outcome::refused(tip::FileMissing);
    const int version = readFileVersion(file);
    const Text line = platform::os().profile->getString(file, filekey::Macros, filekey::SingleMacro, Text(),
                                                        lineBufferChars(version));
    if (!isImportableMacroLine(line, version))
        return Outcome::refused(tip::Failed);
    const auto r = std::make_unique<MacroRecord>(decodeMacroLine(line, version, place.language));
    return appendMacro(lib, place, group, *r, recordName(*r));
}

Outcome exportSingleMacro(const Library& lib, const LibraryPlace& place, const Text& file)
{
    if (lib.groupCount <= 0 || lib.currentGroupMacroCount <= 0)
        return Outcome::refused(tip::SelectMacro);
    const int m = std::clamp(lib.currentMacro, 0, kMaxMacrosPerGroup - 1);
    files().deleteFile(file); // a fresh file, not keys merged into an old one
    if (!writeSingle(file, lib.table[m], place.language))
        return Outcome::refused(tip::WriteFailed);
    return Outcome::ok();
}

Outcome resetLibrary(Library& lib, const LibraryPlace& place)
{
    // Without the factory groups a reset would only delete the user's.
    const std::vector<Text> factory = files().listFiles(place.resetFolder);
    if (factory.empty())
        return Outcome::refused(tip::FileMissing);
    bool ok = true;
    for (const Text& name : files().listFiles(place.macroFolder))
        ok = files().deleteFile(joinPath(place.macroFolder, name)) && ok;
    for (const Text& name : factory)
        ok = files().copyFile(joinPath(place.resetFolder, name), joinPath(place.macroFolder, name), false) && ok;

    lib.currentGroup = 0;
    lib.currentMacro = 0;
    const int listTip = readGroupList(lib, place.macroFolder);
    clearTable(lib);
    lib.opened.fill(false);
    if (lib.groupCount > 0)
        checkGroupFile(lib, 0, true, place.macroFolder, place.language);
    readMacroNames(lib, place.macroFolder);
    Outcome reset = ok ? Outcome::ok() : Outcome::ok(tip::WriteFailed);
    reset.listTip = listTip;
    return reset;
}

} // namespace macro
