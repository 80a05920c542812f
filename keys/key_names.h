#pragma once
// Display names of device key codes, by interface language.
#include "platform/text.h"

namespace keys {

// The name tables that exist. Languages without a table of their own show the
// English names (see nameTableOfLanguage).
enum class NameTable {
    English,
    German,
    Russian,
    Italian,
};

NameTable nameTableOfLanguage(int language);

// The name of device key code `code`:
//  - 4..231: the key's name in the language's table, "NULL" for codes without one;
//  - the mouse-button pseudo keys take the names the caller passes in (language
//    texts). Mode 1 (VK numbering): 240 → pseudo1, 242 → pseudo2, 241 → pseudo3.
//    Any other mode (device numbering): 241 → pseudo1, 242 → pseudo2,
//    243 → pseudo3, 244 → button4, 245 → button5. Other codes of 240..245
//    give "NILL";
//  - anything else "NULL".
// button4 and button5 are the language's names of mouse buttons 4 and 5; when
// the caller passes none, "Button 4" / "Button 5" stand in so a real key is
// never shown without a name.
Text keyName(int language, int code, int mode, const Text& pseudo1, const Text& pseudo2,
             const Text& pseudo3, const Text& button4 = Text(), const Text& button5 = Text());

} // namespace keys
