#pragma once
// The user's macro library: up to 12 groups of up to 12 macros. Each group is a
// group file (name + ".dat") in the macro folder; "macroGrp.ini" in the same
// folder lists the groups in order. The macros of the selected group are kept
// in the current group table, the others are read from their files when needed.
#include "macro/macro_file.h"
#include "macro/macro_names.h"
#include "macro/macro_record.h"

#include <array>
#include <optional>
#include <span>

namespace macro {

inline const char16_t* const kGroupListFile = u"macroGrp.ini";
inline const char16_t* const kGroupFileExtension = u".dat";
constexpr size_t kGroupNameBufferChars = 60; // names of at most 59 characters

struct Library {
    int groupCount = 0;
    std::array<Text, kMaxGroups> groupNames;
    std::array<int, kMaxGroups> macroCounts{};
    std::array<std::array<Text, kMaxMacrosPerGroup>, kMaxGroups> macroNames;
    std::array<bool, kMaxGroups> opened{};
    int currentGroup = 0;
    int currentMacro = 0;
    int currentGroupMacroCount = 0;
    GroupTable table{}; // the current group's macros; slot 12 stays empty
};

// The group's file, or nothing when the name could leave the macro folder.
std::optional<Text> groupFilePath(const Text& macroFolder, TextView groupName);

// Group names never begin or end with blanks: the profile functions drop them
// when "macroGrp.ini" is read back, and the group would lose its file.
Text trimGroupName(TextView name);
// The name a new group (group -1) or renamed group gets from what was typed:
// trimmed, cut to what the list file keeps, and made unique among the other
// groups' names. Empty when only blanks were typed.
Text groupNameFor(const Library& lib, TextView typed, int group = -1);
// The group an imported file becomes: its file name without folder and
// ".dat", trimmed. The import is refused when groupNameTaken() says so.
Text importedGroupName(TextView chosenFile);
// Whether another group than `except` already has this name (ignoring case).
bool groupNameTaken(const Library& lib, TextView name, int except = -1);

// Reads "macroGrp.ini": the group count and names. A group whose file is
// missing but exists under its name with blanks around it (written so by an
// older version) gets its file renamed to the name; other groups whose file is
// missing (or whose name is no safe file name) are dropped and the list file
// is written again. A missing list file gives an empty library. Returns the
// tip the user should see: tip::FileMissing when the list file or a group's
// file was missing, else 0.
int readGroupList(Library& lib, const Text& macroFolder);
// Writes the group count and all twelve name keys (empty past the count).
bool writeGroupList(const Library& lib, const Text& macroFolder);

// Whether group i's file exists; with load set, its macros are loaded into the
// current group table and the current group macro count is set.
bool checkGroupFile(Library& lib, int group, bool load, const Text& macroFolder, int language);

// Re-reads every group's macro count and macro names from the group files.
void readMacroNames(Library& lib, const Text& macroFolder);

// The library as the program opens it at start-up and after a language
// change: the group list, the current group's macros in the table, and the
// macro count and names of every group. The download judges the buttons'
// library macros by those counts, so they must never lag the group list.
// Returns the tip of reading the group list (0 for none).
int openLibrary(Library& lib, const Text& macroFolder, int language);

// Makes a new or changed name unique among `others` (the other group names, or
// the other macro names of the group). Leading spaces are removed; a name of
// spaces only gives an empty text. A name equal to another becomes its base
// (the name without two trailing digits) followed by the next free two-digit
// number, never longer than maxLength. Group names name files, so they compare
// without regard to case.
Text makeUniqueName(TextView name, std::span<const Text> others, size_t maxLength, bool ignoreCase);

// Macro m of group g, read from the files: nothing when g is not a group of
// "macroGrp.ini" or m not a macro of its file.
std::optional<MacroRecord> findGroupMacro(const Text& macroFolder, int group, int macro, int language);
// The same, with the all-zero record when there is no such macro.
MacroRecord readGroupMacro(const Text& macroFolder, int group, int macro, int language);

// The macro a button function code plays: the button's key-combination macro
// for 33, an empty macro for 34..49, a preset for 50..255, a library macro for
// 256..29999. Nothing for other codes and for references whose target is gone.
std::optional<MacroRecord> resolveButtonMacro(int functionCode, const MacroRecord& buttonShortcut,
                                              const PresetTable& presets, const Text& macroFolder,
                                              int language);

} // namespace macro
