#pragma once
// The one layout of every macro: the user's library, the button key
// combinations, the game presets and the built-in macros all use MacroRecord.
// The files (macro_file.h) and the mouse's memory have encodings of their own;
// this struct is only the in-memory form, copied whole between stores.
#include "macro/outcome.h"
#include "platform/text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace macro {

constexpr int kMaxEvents = 275;
constexpr int kNameUnits = 30;      // UTF-16 units, NUL-terminated
constexpr int kMaxNameChars = kNameUnits - 1;
constexpr int kBlockCount = 5;      // LED blocks, and FB blocks
constexpr int kBlockBytes = 68;
constexpr int kMaxGroups = 12;
constexpr int kMaxMacrosPerGroup = 12;

// Event kinds (the code byte). Every other value is a keyboard key (device key code).
namespace kind {
constexpr std::uint8_t Pause = 0x00;
constexpr std::uint8_t LeftButton = 0xF1;
constexpr std::uint8_t MiddleButton = 0xF2;
constexpr std::uint8_t RightButton = 0xF3;
constexpr std::uint8_t Button4 = 0xF4;
constexpr std::uint8_t Button5 = 0xF5;
constexpr std::uint8_t Move = 0xF6;   // XY move, sub = direction 3..6
constexpr std::uint8_t F7 = 0xF7;
constexpr std::uint8_t Cpi = 0xF8;    // sub 9 set (X = level code), 10 return
constexpr std::uint8_t Led = 0xF9;    // X = index of its LED block
constexpr std::uint8_t FA = 0xFA;     // X = 16-bit usage
constexpr std::uint8_t FB = 0xFB;     // X = index of its FB block
} // namespace kind

namespace sub {
constexpr std::uint8_t Press = 1;
constexpr std::uint8_t Release = 2;
constexpr std::uint8_t CpiSet = 9;
constexpr std::uint8_t CpiReturn = 10;
constexpr std::uint8_t LedStep = 13;
} // namespace sub

// Cycle mode, bits 0..1 of MacroRecord::mode.
namespace cycle {
constexpr std::uint8_t Count = 0;   // play repeatCount times
constexpr std::uint8_t Toggle = 1;
constexpr std::uint8_t WhileHeld = 2;
} // namespace cycle

struct EventParam {
    std::uint16_t x;
    std::uint16_t y;
    bool operator==(const EventParam&) const = default;
};

struct MacroRecord {
    char16_t name[kNameUnits];
    std::uint8_t mode;
    std::uint16_t repeatCount;
    std::uint16_t eventCount;
    std::uint16_t xyCount;
    std::uint16_t f7Count;
    std::uint16_t cpiCount;
    std::uint16_t faCount;
    std::uint8_t ledCount;
    std::uint8_t fbCount;
    std::uint8_t vAdjustSwitch;
    std::uint8_t vAdjustValue;
    std::uint8_t reserved[4];
    std::uint8_t sub[kMaxEvents];
    std::uint8_t code[kMaxEvents];
    EventParam param[kMaxEvents];
    std::uint16_t delay[kMaxEvents];
    std::uint8_t ledBlock[kBlockCount][kBlockBytes];
    std::uint8_t fbBlock[kBlockCount][kBlockBytes];

    // Member-wise, so padding never makes two equal records differ.
    bool operator==(const MacroRecord&) const = default;
};

// Natural alignment: one padding byte after `mode`, none elsewhere.
static_assert(sizeof(EventParam) == 4);
static_assert(offsetof(MacroRecord, mode) == 60);
static_assert(offsetof(MacroRecord, repeatCount) == 62);
static_assert(offsetof(MacroRecord, ledCount) == 74);
static_assert(offsetof(MacroRecord, reserved) == 78);
static_assert(offsetof(MacroRecord, sub) == 82);
static_assert(offsetof(MacroRecord, code) == 82 + kMaxEvents);
static_assert(offsetof(MacroRecord, param) == 82 + 2 * kMaxEvents);
static_assert(offsetof(MacroRecord, ledBlock) == 2282);
static_assert(sizeof(MacroRecord) == 2962);

// The empty record template: every field 0.
inline constexpr MacroRecord kEmptyRecord{};

void clearRecord(MacroRecord& r);

// Name helpers. The field always keeps a terminator: longer names are cut to
// 29 units and the units after the terminator are 0.
Text recordName(const MacroRecord& r);
void setRecordName(MacroRecord& r, TextView name);

// The limit of the kinds that are counted (0xF6..0xFB), none for the others.
std::optional<int> kindLimit(std::uint8_t code);
// The counter of a counted kind as stored in the record (0 for other kinds).
int kindCounter(const MacroRecord& r, std::uint8_t code);

// Inserts one event before the event now at `pos` (pos == eventCount appends),
// with the values a new event of that kind gets. Refused, with the record left
// unchanged, when the record is full (tip 21), the kind is at its limit or the
// record's block indexes are inconsistent (tip 6), or pos is out of range (tip 6).
Outcome insertEvent(MacroRecord& r, int pos, std::uint8_t code, std::uint8_t sub);
// Removes event e, keeping the counters and the LED/FB blocks in step.
// Nothing happens for an empty record or an index past the last event. An
// event whose counter is already 0 is removed with tip 6.
Outcome deleteEvent(MacroRecord& r, int e);

// The current group table: slots 0..11 hold the selected group's macros,
// slot 12 is the empty template and is never written.
constexpr int kTemplateSlot = kMaxMacrosPerGroup;
using GroupTable = std::array<MacroRecord, kMaxMacrosPerGroup + 1>;
// The same operations addressed by slot; slots outside 0..11 are refused.
Outcome insertEvent(GroupTable& table, int slot, int pos, std::uint8_t code, std::uint8_t sub);
Outcome deleteEvent(GroupTable& table, int slot, int e);

// Per configuration (0..3) and button slot (0..13): the macro built from the
// button's key combination (function code 33). Only slots 0..11 are used.
using ShortcutMacros = std::array<std::array<MacroRecord, 14>, 4>;

struct PresetTable {
    int count = 0;
    std::array<MacroRecord, 12> records{};
    std::array<Text, 12> names;
};

struct BuiltInTable {
    int count = 0;
    std::array<MacroRecord, 13> records{};
};

// Button function codes that refer to a macro.
constexpr int kShortcutFunction = 33;
constexpr int kFirstPresetFunction = 50;
constexpr int kLastPresetFunction = 255;
constexpr int kFirstLibraryFunction = 256;
constexpr int kLastLibraryFunction = 29999;

constexpr bool isPresetFunction(int code) { return code >= kFirstPresetFunction && code <= kLastPresetFunction; }
constexpr bool isLibraryFunction(int code) { return code >= kFirstLibraryFunction && code <= kLastLibraryFunction; }
constexpr int libraryFunction(int group, int macro) { return (group + 1) * 256 + macro; }
constexpr int libraryGroupOf(int code) { return code / 256 - 1; }
constexpr int libraryMacroOf(int code) { return code % 256; }

// Whether a preset or library reference points at something that exists.
// Codes that are not such references are always valid.
bool isMacroReferenceValid(int code, int presetCount, int groupCount, std::span<const int> macroCounts);

} // namespace macro
