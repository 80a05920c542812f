#pragma once
// The texts of the macro page's event list and value list: one row per event
// and one per pause in the event list, the lighting values of one LED block in
// the value list. Words come from the language tables (the page fills
// ItemTexts); numbers and markers are fixed.
#include "macro/macro_record.h"

#include <array>
#include <vector>

namespace macro {

// Row kinds of the event list; the kind is also the row's icon.
namespace rowkind {
constexpr int Plain = 0;     // pauses, pause items, events that are neither press nor release
constexpr int Press = 1;
constexpr int Release = 2;
constexpr int Move = 3;
constexpr int Led = 4;
constexpr int Cpi = 5;
constexpr int None = -1;     // value list rows
} // namespace rowkind

// The words of the current language the two lists use.
struct ItemTexts {
    int language = 1;
    Text lightMode;        // Other 6
    Text colour;           // Other 7
    Text noColour;         // Other 8
    Text duration;         // Other 9
    Text cpiReturn;        // Other 11
    Text pauseUnit;        // Other 12
    Text ledEvent;         // Other 13
    Text ledError;         // Other 14
    Text pauseItem;        // Other 17
    Text leftButton;       // DevMac 20
    Text middleButton;     // DevMac 21
    Text rightButton;      // DevMac 22
    Text button4;          // DevMac 41
    Text button5;          // DevMac 42
    // Names of the lighting mode codes 1, 2, 3 and 6, then the one every other
    // code shows (LED 15, 3, 4, 7, 8).
    std::array<Text, 5> modeNames;
};

struct ListRow {
    Text text;
    int kind = rowkind::Plain;
    bool operator==(const ListRow&) const = default;
};

// "%d" + pause unit: the row under every event.
Text pauseRowText(int delay, const ItemTexts& t);
// The row of event k (k below eventCount).
ListRow eventRow(const MacroRecord& r, int k, const ItemTexts& t);

struct EventRows {
    std::vector<ListRow> rows;   // row 2k: event k, row 2k+1: its pause
    int pressRows = 0;
    int releaseRows = 0;
};
// Every row of a macro's event list.
EventRows eventRows(const MacroRecord& r, const ItemTexts& t);

struct ValueRows {
    std::vector<Text> rows;      // row v stands for byte v + 4 of the block
    int shownMode = 0;           // the block's lighting mode code after the fixes below
};
// The value rows of one LED block. A mode code without a name of its own
// becomes 7 and a colour number 0 becomes 1, in the block as well.
ValueRows ledValueRows(std::uint8_t (&block)[kBlockBytes], const ItemTexts& t);

// Lighting mode codes that take no colour.
constexpr bool modeHasNoColour(int mode) { return mode == 6 || mode == 7; }

} // namespace macro
