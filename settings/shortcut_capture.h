#pragma once
// The key combination a button gets through the shortcut capture dialog:
// four modifier switches and one main key, the last non-modifier key the
// dialog was sent. Modifiers are chosen with the switches only, so pressing
// Ctrl changes nothing. The dialog hands over the combination text; the
// main window turns it into the button's shortcut text (button_catalogue.h).
#include "keys/key_capture.h"
#include "settings/button_catalogue.h"

#include <array>

namespace settings {

enum class Modifier { Ctrl, Shift, Alt, Win };
constexpr int kModifierCount = 4;
// "Ctrl", "Shift", "Alt", "Win".
const char16_t* modifierName(Modifier m);

constexpr int kNoMainKey = 255;

class ShortcutCapture {
public:
    explicit ShortcutCapture(keys::KeyNaming naming) : naming_(std::move(naming)) {}

    // What the button has: its shortcut text when its function is the key
    // combination, otherwise nothing.
    void prefill(int functionCode, const Text& shortcutText);

    keys::CaptureStep message(unsigned message, unsigned virtualKey);
    void toggle(Modifier m) { on_[size_t(m)] = !on_[size_t(m)]; }
    void clear();

    bool isOn(Modifier m) const { return on_[size_t(m)]; }
    int mainVk() const { return mainVk_; }
    const Text& mainName() const { return mainName_; }
    bool empty() const;
    // The switched-on modifiers joined by "+", as the dialog shows them.
    Text modifiersShown() const;
    // The switched-on modifier names (Ctrl, Shift, Alt, Win order), then the
    // main key's name, joined by "&split&"; empty when nothing is chosen.
    Text combinationText() const;

private:
    keys::KeyNaming naming_;
    std::array<bool, kModifierCount> on_{};
    int mainVk_ = kNoMainKey;
    Text mainName_;
};

// The combination a confirmed capture sent (its text and the main key's VK,
// kNoMainKey for none) as the parts of the button's shortcut text.
Combination combinationFromCapture(const Text& combinationText, int mainVk);

} // namespace settings
