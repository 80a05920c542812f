#pragma once
// The configuration store: the four configurations the mouse keeps, their
// button slots, and the settings all four share. One process-wide object that
// every page, the download and the status reader read and write in place.
#include "macro/macro_record.h"
#include "platform/text.h"

#include <atomic>
#include <cstdint>

namespace settings {

inline constexpr int kConfigurations = 4;
inline constexpr int kButtons = 12;          // button slots per configuration
inline constexpr int kDeviceSlots = 14;      // the mouse numbers its keys 1..14
inline constexpr int kDpiLevels = 6;
inline constexpr int kDpiTableSize = 23;
inline constexpr int kUserColours = 7;
inline constexpr int kEffectSwitches = 10;

inline constexpr int kMinFireTime = 8;
inline constexpr int kMaxFireTime = 300;

// A colour as the mouse takes it: three 4-bit steps down from full intensity.
struct ColourNibbles {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
};

struct ButtonSlot {
    std::int32_t functionCode = 0;
    Text shortcutText;               // only meaningful with function code 33
    std::int32_t leftMacro = 0;      // 1: the macro is armed by this button and played by device slot 1
    std::int32_t macroColour = 0;    // 0..6, lighting while the left-button macro is armed
    std::int32_t ledReactEnabled = 0;
    std::int32_t ledReactType = 0;   // 0..3
};

// Which device slot each button is, read once at start-up.
struct ButtonCatalogue {
    int keyNum = 0;                            // buttons 0..keyNum-1 are real, at most kButtons
    int deviceSlot[kButtons] = {};             // 1..kDeviceSlots; 0 = the button has no slot
    int buttonOfSlot[kDeviceSlots + 1] = {};   // inverse map by device slot; -1 = no button
};

// An atomic that copies as its value.
template <class T>
struct CopyableAtomic : std::atomic<T> {
    CopyableAtomic(T value = T{}) : std::atomic<T>(value) {}
    CopyableAtomic(const CopyableAtomic& other) : std::atomic<T>(other.load()) {}
    CopyableAtomic& operator=(const CopyableAtomic& other)
    {
        this->store(other.load());
        return *this;
    }
    using std::atomic<T>::operator=;
};

// The main window's store is only touched on its thread; the download and the
// device threads work on copies the window takes.
struct ConfigStore {
    ConfigStore();

    // Atomic: other threads may read these two while the window changes them.
    CopyableAtomic<std::int32_t> currentConfig{0};
    // Decimal text of the configuration last loaded or saved (not necessarily the current one).
    Text currentConfigText;

    ButtonSlot buttons[kConfigurations][kButtons];
    // Built from the shortcut texts, never saved: record b is button b's key
    // combination when its code is 33.
    macro::ShortcutMacros shortcutMacros{};

    CopyableAtomic<std::int32_t> dpiLevel{0};
    std::uint8_t dpiIndex[kDpiLevels] = {};    // into the DPI table, 0..22
    std::uint8_t dpiEnabled[kDpiLevels] = {};  // 0 or 1
    ColourNibbles dpiColour[kDpiLevels];
    std::uint32_t dpiDisplayColour[kDpiLevels] = {};

    std::uint8_t ledType = 0;                  // lighting effect 0..13
    std::int32_t effectSwitches[kEffectSwitches] = {}; // kept only to be written back
    std::uint8_t effectSpeed = 0;              // 0..5
    std::int32_t userColourEnable = 1;         // always 1
    std::int32_t featureColour = 0;            // always 0
    std::int32_t effectDirection = 0;          // 0..3
    std::int32_t effectSymmetry = 0;           // 0 or 1
    std::int32_t brightness = 0;               // 0..7
    std::int32_t soundLighting = 0;            // 1 while the sound-reactive lighting owns the lights
    std::int32_t softwareMacros = 0;           // 1: the program plays macros the mouse reports

    ColourNibbles userColour[kUserColours];
    std::uint32_t userDisplayColour[kUserColours] = {};
    std::uint8_t cycleColours = 0;             // packed form of cycleFlags, bit k = colour k
    std::int32_t cycleFlags[kUserColours] = {};

    std::uint8_t pointerSpeed = 0;             // 1..11
    std::uint8_t wheelSpeed = 0;               // 1..11
    std::uint8_t reportRate = 0;               // 0..3
    std::uint8_t reportInterval = 0;           // derived: 7, 3, 1, 0
    std::int32_t fireTime = 50;                // 8..300

    ButtonCatalogue catalogue;
};

// The process's one store.
ConfigStore& store();

// --- current configuration ---
int currentConfiguration(const ConfigStore& s);
// Values outside 0..3 (a garbled CurConfig, say) select configuration 0.
void setCurrentConfiguration(ConfigStore& s, int config);
bool isValidConfiguration(int config);
// The current configuration's slot of button `button`; button must be 0..11.
ButtonSlot& currentSlot(ConfigStore& s, int button);

// --- DPI levels ---
// The current DPI level, always a valid index into the per-level arrays.
int currentDpiLevel(const ConfigStore& s);
// Makes `level` current only if it is enabled.
void selectDpiLevel(ConfigStore& s, int level);
// Never leaves the mouse without an enabled level, and keeps the current level enabled.
void toggleDpiLevelEnabled(ConfigStore& s, int level);
void setDpiIndexOfCurrentLevel(ConfigStore& s, int index);

// Device code of a DPI table index (1..10, 12..24). Indexes beyond the table
// (a file may hold any byte) give the nearest end of the table.
int dpiDeviceCode(int index);
// The DPI the interface shows for a device code.
int dpiDisplayValue(int deviceCode);

// --- colours ---
// An 8-bit component from the colour dialog to its nibble: 255 -> 0, 0 -> 15.
std::int32_t colourNibble(int component);
// Display colour (red | green << 8 | blue << 16) rebuilt from nibbles.
std::uint32_t displayColour(const ColourNibbles& n);
void setDpiLevelColour(ConfigStore& s, int level, int red, int green, int blue);
void setUserColour(ConfigStore& s, int colour, int red, int green, int blue);

// --- cycle colours ---
// A set flag is cleared only while another one stays set.
void toggleCycleColour(ConfigStore& s, int colour);
// The seven cycle switches as a bit mask (switch k = bit k).
std::uint8_t cycleColourMask(const ConfigStore& s);
std::uint8_t packCycleColours(ConfigStore& s);
void unpackCycleColours(ConfigStore& s);

// --- other shared settings ---
std::uint8_t reportIntervalFor(int reportRate);
void setReportRate(ConfigStore& s, int reportRate);
// A new effect starts in direction 0.
void setLightingEffect(ConfigStore& s, int effect);
// The advanced-page slider gives 1..300; the mouse takes nothing below 8.
void setFireTime(ConfigStore& s, int value);

// Display colours, cycle flags and report interval from their sources.
void recomputeDerived(ConfigStore& s);

} // namespace settings
