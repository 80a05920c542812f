#pragma once
// What the preset dialog does to the game presets, without the window: which
// numbers its three boxes show for a weapon, the two cycle-mode buttons, OK,
// and switching weapons, which saves the weapon left behind. Each operation
// says what became of it; the dialog shows the messages.
#include "macro/presets.h"

namespace macro {

// The dialog's fixed messages (program texts, not language data).
inline const char16_t* const kPresetContentErrorText = u"\u5B8F\u5185\u5BB9\u51FA\u9519!";   // 宏内容出错!
inline const char16_t* const kWeaponPictureMissingText =
    u"\u67AA\u68B0\u56FE\u7247\u4E22\u5931\uFF0C\u672A\u80FD\u5BF9\u5E94!";                // 枪械图片丢失，未能对应!

// Box limits in characters.
constexpr int kRepeatDigits = 3;
constexpr int kStrengthDigits = 2;
constexpr int kIntervalDigits = 4;

// The three boxes as the dialog shows them.
struct PresetBoxes {
    bool repeatEnabled = true;
    Text repeat;
    Text strength;
    Text interval;
};

// The numbers the user typed (a box's text read as a number, empty as 0).
struct PresetNumbers {
    int repeat = 0;
    int strength = 0;
    int interval = 0;
};

enum class PresetSwitch {
    Switched,      // the previous weapon was saved and the new one is current
    Unchanged,     // the entry is the current weapon or no weapon
    PreviousBad,   // the previous weapon is not a preset: kPresetContentErrorText
    SaveRefused,   // switched, but the previous one could not be written (see `write`)
};

class PresetEditor {
public:
    PresetEditor(PresetTable& presets, Text languageFolder, int language);

    int current() const { return current_; }
    int cycleMode() const; // of the current preset, 0..3
    // Fills the boxes with preset p; boxes a preset has nothing for keep their text.
    void show(int p, PresetBoxes& boxes) const;

    // Region 9: repeat while held (repeat count 1, box disabled showing "1").
    void holdMode(PresetBoxes& boxes);
    // Region 8: play a number of times (box enabled with the count; 0 becomes 1).
    void countMode(PresetBoxes& boxes);

    // OK: repeat count, interval (first two pauses), strength (1..99, also the
    // vertical adjust, switched on) into the current preset, which is saved.
    PresetWrite ok(const PresetNumbers& typed);

    // Entry `entry` (1-based) of the weapon list. The previous weapon keeps its
    // typed repeat count and strength and is saved; `write` tells how.
    PresetSwitch choose(int entry, const PresetNumbers& typed, PresetBoxes& boxes, PresetWrite& write);
    // The same once the weapon list has made its entry current itself
    // (through currentSlot()) and named the weapon it left.
    PresetSwitch switchedFrom(int previous, const PresetNumbers& typed, PresetBoxes& boxes, PresetWrite& write);
    int* currentSlot() { return &current_; }

private:
    PresetTable& presets_;
    Text languageFolder_;
    int language_;
    int current_ = 0;
};

} // namespace macro
