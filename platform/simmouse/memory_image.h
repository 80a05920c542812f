#pragma once
// The simulated mouse's reading of its own memory: the settings area
// (0x00..0x9F), the macro directory (0xA0..0x2CF), the macro streams it
// points to and the lighting tables. It reads the image the way the firmware
// would, so tests can say "configuration 2, slot 5 plays Ctrl+C" instead of
// comparing bytes.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::sim {

using MemoryImage = std::array<std::uint8_t, 65536>;

constexpr int kImageConfigurations = 4;
constexpr int kImageDeviceSlots = 14;
constexpr int kImageStoredSlots = 12;    // slots 13 and 14 have no button byte

struct ImageColour {
    int red = 0, green = 0, blue = 0;    // nibbles 0..15
    bool operator==(const ImageColour&) const = default;
};

struct ImageButton {
    int deviceFunction = 0;    // bits 0..4
    int reactionSwitch = 0;    // bit 5
    int reactionType = 0;      // bits 6..7
    bool operator==(const ImageButton&) const = default;
};

struct ImageSettings {
    bool headerValid = false;           // 5A .. A5 40 15 FA 30 10
    int headerConfiguration = 0;        // bits 5..6 of header byte 1
    std::uint8_t headerByte1 = 0;
    // Configuration c, device slot k (1..12) at [c][k - 1].
    std::array<std::array<ImageButton, kImageStoredSlots>, kImageConfigurations> buttons{};
    std::array<int, 6> dpiCodes{};      // 5 bits each, high bit from the high-bits byte
    int dpiLevel = 0;
    std::array<int, 6> dpiEnabled{};
    int fireTime = 0;
    int lightingMode = 0;               // 0..15 (bit 3 from 0x30)
    int lightingFlag = 0;
    int cycleTime = 0;
    int userColourEnable = 0;
    int cycleColours = 0;               // bits 0..6
    int reportInterval = 0;
    std::array<ImageColour, 7> userColours{};
    std::array<ImageColour, 6> dpiColours{};
    int effectMask = 0;                 // 14 bits
    int symmetry = 0;
    int direction = 0;
    int brightness = 0;
    std::array<int, 11> macroColours{}; // device slots 1..11 of the header's configuration
    // The fixed bytes the firmware expects, all where they belong.
    bool fixedBytesValid = false;
};

struct ImageDirectoryEntry {
    bool present = false;               // any byte non-zero
    std::array<std::uint8_t, 10> bytes{};
    int delayUnit = 1;                  // ms
    bool whileHeld = false;
    bool toggle = false;
    bool modeBit2 = false;
    bool modeBit3 = false;
    int entryCount = 0;
    int keyCode = 255;
    int consumerUsage = 0;
    int address = 0;
    int vAdjustSwitch = 0;
    int vAdjustValue = 0;
};

// One item of a macro stream, as the firmware steps through them.
struct ImageItem {
    int delay = 0;          // ms, 0..127
    int code = 0;
    bool press = false;     // bit 7 of the delay byte on keys and buttons; "set" on CPI
    int dx = 0, dy = 0;     // movement, signed
    int cpiCode = 0;
    int ledType = 0;        // 0..2
    int ledAddress = 0;
    std::vector<std::uint8_t> ledRecord;   // step count n, then 4n + 3 bytes, as in the macro
};

struct ImageMacro {
    int address = 0;
    int playCount = 0;
    std::vector<ImageItem> items;
    bool runsOffMemory = false;   // the stream or a record reaches past the 64 KiB
};

// What the mouse does over time: one entry per action, with the time it then
// waits. Pauses and delay fillers only lengthen the wait of the action before
// them; pauses at the start are the lead-in.
struct TimedAction {
    int code = 0;
    bool press = false;
    int dx = 0, dy = 0;
    int cpiCode = 0;
    int ledType = 0;
    std::vector<std::uint8_t> ledRecord;
    int waitMs = 0;
    bool operator==(const TimedAction&) const = default;
};
struct Timeline {
    int leadInMs = 0;
    std::vector<TimedAction> actions;
    bool operator==(const Timeline&) const = default;
};
Timeline timelineOf(const ImageMacro& m);

struct ImageLightingTables {
    int end = 0;                         // E, from 0x6E
    std::array<int, 5> addresses{};      // T0 = E, T1..T3 from 0x70, T4 from 0x78
    int soundLighting = 0;               // 0x76 bit 7
    int configuration = 0;               // 0x76 bits 0..1
    bool pointerBlocksValid = false;     // 0x76 bit 6, 0x77 = 0x71, 0x78 = 0, 0x7F = 0
    std::array<bool, 5> tablesEmpty{};   // FF 00 00 00 at each address
};

ImageSettings decodeSettings(const MemoryImage& m);
// Configuration 0..3, device slot 1..14.
ImageDirectoryEntry decodeDirectoryEntry(const MemoryImage& m, int configuration, int deviceSlot);
// The stream an entry points to; nullopt for an entry without one (no entry,
// or no items to walk).
std::optional<ImageMacro> decodeMacro(const MemoryImage& m, const ImageDirectoryEntry& e);
// The same into `macro`, whose storage serves again (a macro can hold tens of
// thousands of items); false, and `macro` left as it was, where there is none.
bool decodeMacro(const MemoryImage& m, const ImageDirectoryEntry& e, ImageMacro& macro);
ImageLightingTables decodeLightingTables(const MemoryImage& m);

} // namespace platform::sim
