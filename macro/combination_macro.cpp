#include "macro/combination_macro.h"

#include "keys/key_tables.h"

namespace macro {

namespace {
constexpr std::uint16_t kComboKeyDelay = 4;
}

std::vector<Text> splitShortcutText(TextView s)
{
    const TextView sep = kShortcutSeparator;
    std::vector<Text> tokens;
    size_t start = 0;
    for (;;) {
        const size_t at = s.find(sep, start);
        tokens.emplace_back(s.substr(start, at == TextView::npos ? TextView::npos : at - start));
        if (at == TextView::npos)
            return tokens;
        start = at + sep.size();
    }
}

void buildCombinationMacro(MacroRecord& r, TextView shortcutText, int language)
{
    clearRecord(r);
    const std::vector<Text> tokens = splitShortcutText(shortcutText);
    Text displayName;
    int k = 0;
    for (size_t i = 0; i + 1 < tokens.size() && k < kMaxEvents; i += 2) {
        const Text& vk = tokens[i + 1];
        if (vk.empty())
            continue;
        if (!displayName.empty())
            displayName += u'+';
        displayName += tokens[i];
        r.code[k] = std::uint8_t(keys::deviceFromVk(language, text::toInt(vk), keys::kModeKeys));
        r.sub[k] = sub::Press;
        r.delay[k] = kComboKeyDelay;
        ++k;
    }
    setRecordName(r, displayName);
    r.mode = cycle::WhileHeld;
    r.repeatCount = 1;
    r.eventCount = std::uint16_t(k);
}

} // namespace macro
