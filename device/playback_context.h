#pragma once
// The program as the status reader and the macro player see it: the button
// settings they act on, the marks of the last download, the macros buttons
// refer to, and the few changes they hand back to the main window.
//
// Every function is called on one of the two device threads. The reads must
// not wait for the main thread; the notifications must not do their work on
// the calling thread when it touches window state or the configuration files:
// they post it to the main thread and return.
#include "macro/macro_record.h"

#include <cstdint>
#include <optional>

namespace device {

constexpr int kPlaybackConfigurations = 4;
constexpr int kPlaybackButtons = 12;
constexpr int kPlaybackDeviceSlots = 14;

// One button slot of one configuration.
struct PlaybackButton {
    int function = 0;            // button function code
    bool leftMacro = false;      // the button arms a left-button macro
    int macroColour = 0;         // 0..6, lit while its left-button macro is armed
    std::uint8_t deviceCode = 0; // device function code written by the last download
    bool dpiMark = false;        // the last download gave the slot a DPI function
};

// The stored lighting, for restoring it after the macro colour.
struct PlaybackLighting {
    bool enable = true;          // LED_USER_COLER_EN
    std::uint8_t cycleColours = 0x7F;
    int effect = 0;              // LED_TYPE
    int cycleTime = 0;           // LED_CYCTIME
    bool startColour = false;
    bool symmetry = false;
    int direction = 0;
    int brightness = 0;
};

class PlaybackContext {
public:
    virtual ~PlaybackContext() = default;

    // --- what the threads read ---
    virtual int currentConfiguration() = 0;          // 0..3
    virtual bool softwareMacros() = 0;               // SOFT_HARD_MAC is 1
    virtual int buttonCount() = 0;                   // KeyNum, 0..12
    virtual int deviceSlotOf(int button) = 0;        // 1..14, 0 when the button has none
    virtual int buttonOfSlot(int slot) = 0;          // -1 when no button has the slot
    virtual PlaybackButton button(int config, int button) = 0;
    virtual PlaybackLighting lighting() = 0;
    // The macro a button's function plays: the button's key-combination macro
    // for 33..40, a game preset for 50..255, a library macro from 256 up, an
    // empty macro for 41..49. Nothing when the reference points at a macro
    // that does not exist. May read the macro files.
    virtual std::optional<macro::MacroRecord> macroFor(int config, int button, int function) = 0;

    // --- what the threads change ---
    // The mouse changed its configuration; the current configuration becomes
    // `config` at once (the reader acts on it from the next report).
    virtual void setCurrentConfiguration(int config) = 0;
    // Then, on the main thread: write CurConfig, reload that configuration
    // from config.ini and redraw.
    virtual void configurationChangedByMouse(int config) = 0;
    // The mouse reports DPI level `level` (0..5): make it current, redraw,
    // write DPI_LEVEL and remember it as the mouse's level.
    virtual void dpiLevelChangedByMouse(int level) = 0;
    // The vertical-adjust key was released: keep the adjusted macro of
    // `function` in its file.
    virtual void saveAdjustedMacro(int function, const macro::MacroRecord& record) = 0;
};

} // namespace device
