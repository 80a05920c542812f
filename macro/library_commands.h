#pragma once
// The commands of the macro library's list menus: new, rename, delete,
// import and export of groups and macros, and the factory reset. Each keeps
// the library state, "macroGrp.ini" and the group files in step, and reports
// what the user should be told. Button assignments that a delete leaves
// dangling are cleared by the caller (it owns the configurations).
#include "macro/macro_library.h"
#include "macro/outcome.h"

#include <vector>

namespace macro {

// Where the library lives for the current language.
struct LibraryPlace {
    Text macroFolder;   // the user's groups
    Text resetFolder;   // the factory groups
    Text configFolder;  // the program's own macro files, never imported as a group
    int language = 1;
};

// Rows of the library list: each group, and under an opened group its macros.
namespace librow {
constexpr int ClosedGroup = 0;
constexpr int OpenedGroup = 1;
constexpr int Macro = 2;
} // namespace librow

struct LibraryRow {
    bool isGroup = true;
    int group = 0;
    int macro = -1;    // -1 for group rows
    int kind = librow::ClosedGroup;
    Text text;
};
std::vector<LibraryRow> libraryRows(const Library& lib);
// The row of a group, or of one of its macros; -1 when it is not shown.
int rowOf(const std::vector<LibraryRow>& rows, int group, int macro = -1);

// Makes `group` the current group, loading its macros when it changes.
void makeGroupCurrent(Library& lib, const LibraryPlace& place, int group);

// New group named `defaultName` (made unique) at the end, current, closed, empty.
Outcome newGroup(Library& lib, const LibraryPlace& place, TextView defaultName);
// New empty macro named `defaultName` (made unique) at the end of `group`;
// the group is opened and becomes current.
Outcome newMacro(Library& lib, const LibraryPlace& place, int group, TextView defaultName);
// Removes macro `macro` of the current group and rewrites its file.
Outcome deleteMacro(Library& lib, const LibraryPlace& place, int macro);
// Removes `group` and its file; group 0 becomes current.
Outcome deleteGroup(Library& lib, const LibraryPlace& place, int group);

struct Renamed {
    Outcome outcome;
    Text shown;   // what the row shows afterwards
};
// A group takes the typed name (leading blanks dropped, made unique) and its
// file follows. Empty names keep the old one; names that cannot be file names
// are refused.
Renamed renameGroup(Library& lib, const LibraryPlace& place, int group, TextView typed);
Renamed renameMacro(Library& lib, const LibraryPlace& place, int group, int macro, TextView typed);

// Copies a ".dat" file into the macro folder as a new group named after the file.
Outcome importGroup(Library& lib, const LibraryPlace& place, const Text& file);
// Writes the current group to `file`.
Outcome exportGroup(const Library& lib, const LibraryPlace& place, const Text& file);
// Adds the macro of a ".sdat" file to the end of `group`, under a unique name.
Outcome importSingleMacro(Library& lib, const LibraryPlace& place, int group, const Text& file);
// Writes the current macro to a ".sdat" file.
Outcome exportSingleMacro(const Library& lib, const LibraryPlace& place, const Text& file);
// Replaces the user's groups with the factory groups; group 0 becomes current.
Outcome resetLibrary(Library& lib, const LibraryPlace& place);

} // namespace macro
