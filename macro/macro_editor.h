#pragma once
// The macro editor as a model: the commands of the macro page's insert menu
// and row menus, the in-place edits of event, pause and lighting rows, the
// cycle mode and repeat count, and the saves of the edited macro into its
// group file. The page owns the lists and shows the tips these return.
//
// Rows are event-list rows: row 2k is event k, row 2k + 1 the pause after it.
#include "macro/macro_library.h"
#include "macro/outcome.h"

namespace macro {

// Items of the insert menu.
namespace insertitem {
constexpr int BeforeLeftPress = 0xF1, BeforeLeftRelease = 0xF2;
constexpr int BeforeMiddlePress = 0xF3, BeforeMiddleRelease = 0xF4;
constexpr int BeforeRightPress = 0xF5, BeforeRightRelease = 0xF6;
constexpr int AfterLeftPress = 0xF7, AfterLeftRelease = 0xF8;
constexpr int AfterMiddlePress = 0xF9, AfterMiddleRelease = 0xFA;
constexpr int AfterRightPress = 0xFB, AfterRightRelease = 0xFC;
constexpr int AfterMoveUpLeft = 0xFD;     // sub 3; 0xFE..0x100 sub 4..6
constexpr int AfterMoveDownRight = 0x100;
constexpr int AfterSetCpi = 0x101, AfterReturnCpi = 0x102;
constexpr int AfterLed = 0x91;
constexpr int AfterPause = 0x92;
constexpr int Delete = 0x93;
} // namespace insertitem

// What the row menu's "modify" does with a row.
enum class ModifyAction { EditDelay, EditParameters, CaptureKey, Nothing };

constexpr int kMaxPause = 10000;
constexpr int kMaxMoveAmount = 100;
constexpr int kMaxRepeatCount = 1000;
constexpr int kMaxLedValue = 100;

class MacroEditor {
public:
    MacroEditor(Library& library, Text macroFolder, int language);

    void setPlace(Text macroFolder, int language);
    const Text& macroFolder() const { return folder_; }
    int language() const { return language_; }
    Library& library() { return lib_; }

    // While a recording runs every command is ignored.
    bool recording = false;

    // The macro shown in the event list: the current macro's slot, kept within 0..11.
    int currentSlot() const;
    MacroRecord& current();
    const MacroRecord& current() const;
    int rowCount() const { return 2 * current().eventCount; }

    // A command of the insert menu (including its delete item) on the selected
    // row. On success `row` becomes the row to select.
    Outcome runInsertItem(int item, int& row);
    // Deletes the event of `row`; the selection moves up two rows.
    Outcome deleteEventAt(int& row);

    ModifyAction modifyAction(int row) const;
    // Whether a row may be edited in place: the parameters of a mouse button,
    // move, CPI or other counted event (even rows), a pause (odd rows).
    bool canEditParameters(int row) const;
    bool canEditDelay(int row) const;
    // The key capture chose `deviceCode` for the key event of `row`.
    Outcome replaceKey(int row, std::uint8_t deviceCode);

    // The text of an event-list row edited in place. Stays in memory until
    // the macro is saved next. A CPI not in the list stores 800 and returns
    // the message of the valid values.
    Outcome eventRowEdited(int row, TextView text, TextView pauseUnit);
    // The text of value row v of the LED event of `row`; saved at once.
    Outcome valueRowEdited(int row, int v, TextView text);

    // The repeat box's text changed: the number it should show (1..1000).
    // With a macro row selected the number is the macro's repeat count and is saved.
    struct RepeatChange {
        Text shown;
        Outcome saved;
    };
    RepeatChange repeatTextChanged(TextView text, bool macroRowSelected);

    // Cycle mode 0, 1 or 2 of the current macro, saved at once. Modes 1 and 2
    // play once per press or hold, so their repeat count is 1.
    Outcome setCycleMode(int mode);
    // Whether the repeat box takes input, and what it shows.
    bool repeatBoxEnabled() const;
    Text repeatBoxText() const;

    // SaveMacro of the current macro into the current group's file.
    Outcome saveCurrent();

private:
    Outcome insertAt(int pos, std::uint8_t code, std::uint8_t sub, int& row, bool listWasEmpty);
    bool hasEvent(int row) const;

    Library& lib_;
    Text folder_;
    int language_;
};

// Parsing rules of the edited rows, for the editor and its tests.
bool isAllDigits(TextView t);
// CPI level code of a CPI value, 0 when the value is not one the mouse has.
int cpiLevelOf(int cpi);
// The message shown for a CPI value not in the list.
Text cpiValuesMessage();

} // namespace macro
