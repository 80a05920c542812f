#pragma once
// A key combination assigned to a button (function code 33) plays as a macro:
// the keys pressed in order and held while the button is held.
#include "macro/macro_record.h"

#include <vector>

namespace macro {

inline const char16_t* const kShortcutSeparator = u"&split&";

// The tokens of a shortcut text, split at every separator.
std::vector<Text> splitShortcutText(TextView shortcutText);

// Fills `r` from a shortcut text of name/virtual-key pairs, e.g. Ctrl with A:
// "Ctrl&split&162&split&Shift&split&&split&Alt&split&&split&Win&split&&split&A&split&65".
// Every pair with a code becomes a key press (device key code of the language)
// with a 4 ms pause; the names joined with "+" name the macro; it repeats while
// the button is held. No release events are stored. Unpaired trailing tokens
// are ignored.
void buildCombinationMacro(MacroRecord& r, TextView shortcutText, int language);

} // namespace macro
