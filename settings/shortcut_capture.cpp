#include "settings/shortcut_capture.h"

#include "keys/key_tables.h"
#include "macro/combination_macro.h"

namespace settings {

namespace {

constexpr const char16_t* kModifierNames[kModifierCount] = {u"Ctrl", u"Shift", u"Alt", u"Win"};

// The modifier a token names, or -1.
int modifierOf(TextView name)
{
    for (int m = 0; m < kModifierCount; ++m)
        if (name == kModifierNames[m])
            return m;
    return -1;
}

Text joined(const std::vector<Text>& parts, TextView separator)
{
    Text out;
    for (const Text& p : parts) {
        if (!out.empty())
            out += separator;
        out += p;
    }
    return out;
}

} // namespace

const char16_t* modifierName(Modifier m) { return kModifierNames[size_t(m)]; }

void ShortcutCapture::prefill(int functionCode, const Text& shortcutText)
{
    clear();
    if (functionCode != function::KeyCombination)
        return;
    const auto pairs = shortcutPairs(shortcutText);
    for (size_t i = 0; i < pairs.size(); ++i) {
        const auto& [name, value] = pairs[i];
        if (const int m = modifierOf(name); m >= 0) {
            on_[size_t(m)] = !value.empty();
        } else if (i + 1 == pairs.size()) {
            // A key only counts with both its name and a code the dialog could have sent.
            const int vk = text::toInt(value);
            if (!name.empty() && vk > 0 && vk < kNoMainKey) {
                mainName_ = name;
                mainVk_ = vk;
            }
        }
    }
}

keys::CaptureStep ShortcutCapture::message(unsigned message, unsigned virtualKey)
{
    keys::CaptureStep step;
    if (!keys::isKeyMessage(message))
        return step;
    step.changed = true;
    step.swallow = keys::swallowedWhileCapturing(message, virtualKey);
    const unsigned vk = virtualKey & 0xFF;
    if (keys::isModifierKey(vk))
        return step;
    mainVk_ = int(vk);
    mainName_ = naming_.nameOf(keys::deviceFromVk(naming_.language, int(vk), keys::kModeKeys));
    return step;
}

void ShortcutCapture::clear()
{
    on_.fill(false);
    mainVk_ = kNoMainKey;
    mainName_.clear();
}

bool ShortcutCapture::empty() const
{
    return mainName_.empty() && !on_[0] && !on_[1] && !on_[2] && !on_[3];
}

Text ShortcutCapture::modifiersShown() const
{
    std::vector<Text> names;
    for (int m = 0; m < kModifierCount; ++m)
        if (on_[size_t(m)])
            names.emplace_back(kModifierNames[m]);
    return joined(names, u"+");
}

Text ShortcutCapture::combinationText() const
{
    std::vector<Text> parts;
    for (int m = 0; m < kModifierCount; ++m)
        if (on_[size_t(m)])
            parts.emplace_back(kModifierNames[m]);
    if (!mainName_.empty())
        parts.push_back(mainName_);
    return joined(parts, macro::kShortcutSeparator);
}

Combination combinationFromCapture(const Text& combinationText, int mainVk)
{
    Combination c;
    std::vector<Text> tokens = macro::splitShortcutText(combinationText);
    // The main key comes last; its name may be anything the key names hold.
    const bool hasKey = mainVk > 0 && mainVk < kNoMainKey && !tokens.empty() && !combinationText.empty();
    if (hasKey) {
        c.keyName = tokens.back();
        c.vk = mainVk;
        tokens.pop_back();
    }
    for (const Text& t : tokens) {
        switch (modifierOf(t)) {
        case 0: c.ctrl = true; break;
        case 1: c.shift = true; break;
        case 2: c.alt = true; break;
        case 3: c.win = true; break;
        default: break;
        }
    }
    return c;
}

} // namespace settings
