#pragma once
// What the key capture dialogs make of the keys they are sent while the
// keyboard hook holds the keyboard: here the one key for a key event of a
// macro, and what both captures share (settings/shortcut_capture.h has the
// key combination of a button). Pure models; the dialogs in ui/ paint them
// and carry out what they return.
#include "platform/text.h"

#include <cstdint>

namespace keys {

// WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP.
bool isKeyMessage(unsigned message);

// What a capture does with one message of its window's loop.
struct CaptureStep {
    bool changed = false; // the shown key changed: repaint
    bool swallow = false; // kept from the dialog's own handling
};

// The names the captures give device key codes: the language's key names,
// with the language texts of the mouse-button pseudo keys, as the event list
// names them.
struct KeyNaming {
    int language = 1;
    Text leftButton, middleButton, rightButton, button4, button5;

    Text nameOf(int deviceCode) const;
};

// Escape and Enter would end the dialog and F10 open its system menu: they are
// captured like any key but go no further.
bool swallowedWhileCapturing(unsigned message, unsigned virtualKey);

// The key of a macro key event.
class KeyCapture {
public:
    // Starts showing the event's current key.
    KeyCapture(KeyNaming naming, std::uint8_t deviceCode);

    // Presses and releases alike set the key.
    CaptureStep message(unsigned message, unsigned virtualKey);

    const Text& name() const { return name_; }
    std::uint8_t deviceCode() const { return code_; }

private:
    KeyNaming naming_;
    std::uint8_t code_;
    Text name_;
};

// Virtual-key codes of Shift, Ctrl, Alt (either side) and the Windows keys.
bool isModifierKey(unsigned virtualKey);

} // namespace keys
