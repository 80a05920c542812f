#pragma once
// Macro files: INI files whose values are token lines, a record written as
// three-digit decimal tokens (0..255) without separators. Group files, the
// built-in macros, the game presets and single-macro files all use it:
//
//   [Init]   DAT_VER=3
//   [Macros] macroNum=<n>, "0".."n-1"=<line>   (single-macro files: Macro=<line>)
//
// Key events hold Windows virtual-key codes in files and device key codes in
// memory; both directions convert with the tables of the interface language.
#include "macro/macro_record.h"

#include <optional>
#include <string_view>

namespace macro {

// The format the program writes. Files of any other version (older ones, or
// without DAT_VER) have the 75-token header without the vertical adjust and
// reserved tokens.
constexpr int kFileVersion = 3;
constexpr int kTokenCountV3 = 2621;

// Header length in tokens of a file version.
constexpr int headerTokens(int version) { return version == kFileVersion ? 81 : 75; }
// The read buffer of a macro line, in characters, as the program sizes it.
constexpr size_t lineBufferChars(int version) { return size_t(headerTokens(version) + 2880) * 9; }

// Key names, as the files spell them.
namespace filekey {
inline const char16_t* const Init = u"Init";
inline const char16_t* const Version = u"DAT_VER";
inline const char16_t* const Macros = u"Macros";
inline const char16_t* const MacroCount = u"macroNum";
inline const char16_t* const SingleMacro = u"Macro";
} // namespace filekey

// The token line of a record in the current format: 2621 tokens.
Text encodeMacroLine(const MacroRecord& r, int language);

// A record from a line of the given file version. Missing, empty or
// non-numeric tokens read as 0 and tokens past the record are ignored, so any
// text gives a record whose counts stay within the arrays. Fields a line does
// not carry (the FB blocks; the vertical adjust and reserved bytes before
// version 3) are 0.
MacroRecord decodeMacroLine(TextView line, int version, int language);
// Just the name (tokens 0..59), as the library list shows it.
Text decodeMacroName(TextView line);

// The same line in the current format: older lines lack six header tokens
// (vertical adjust and reserved), which are inserted as zeros. Token for token,
// so no key code is translated on the way.
Text upgradeMacroLine(TextView olderLine);

// Before any line of an older file is written: its existing lines are upgraded
// and DAT_VER becomes 3, so the lines not written stay readable.
bool upgradeMacroFile(const Text& file);

// DAT_VER and macroNum of a file (0 when missing).
int readFileVersion(const Text& file);
int readMacroCount(const Text& file);

// The line of macro `index` of a file, decoded with the file's own version.
MacroRecord readMacroLine(const Text& file, int index, int version, int language);

// Fills slots 0..11 of the table with the macros of a group file and returns
// how many it holds: macroNum, but never more than the 12 slots. Slots past
// the count are cleared; the template slot is left alone. A missing file
// clears the slots and gives nothing: the caller tells the user (tip 5).
std::optional<int> loadGroup(GroupTable& table, const Text& file, int language);

// Fills the built-in table from "constMacro.dat" (up to 13 macros). A missing
// file leaves the table empty. Returns whether the file exists: without it the
// caller tells the user (tip 5).
bool loadBuiltIn(BuiltInTable& table, const Text& file, int language);

// Writes DAT_VER, macroNum = macroCount and the line of slot `slot`.
bool saveMacro(const Text& file, const GroupTable& table, int macroCount, int slot, int language);
// Writes DAT_VER, macroNum and lines 0..macroCount-1.
bool writeGroup(const Text& file, const GroupTable& table, int macroCount, int language);
// Writes DAT_VER and the single "Macro" line of a ".sdat" file.
bool writeSingle(const Text& file, const MacroRecord& r, int language);

// At start-up: a macro file that cannot be read gives way to the copy its
// last save kept (saves replace the file in one step, keeping the old one).
bool restoreMacroFile(const Text& file);

// folder + '\' + name, without doubling a separator the folder already ends with.
Text joinPath(const Text& folder, TextView name);

} // namespace macro
