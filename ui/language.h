#pragma once
// The texts of the current language: six sections of LanguageText.ini in the
// language folder, 50 entries each.
#include "ui/skin.h"

#include <array>

namespace ui {

enum class TextSection { Tip, MouseKey, DevMac, Led, Other, ShortCut };
constexpr int kTextsPerSection = 50;

// INI section name of a text table.
Text sectionName(TextSection s);

class LanguageTexts {
public:
    // Reads LanguageText.ini of the language folder. When the file is missing a
    // message box says so, every text is empty and false is returned.
    bool load(const SkinPlace& place);

    // Entry `index` of a section; empty for an index outside 0..49.
    const Text& get(TextSection section, int index) const;
    const Text& tip(int index) const { return get(TextSection::Tip, index); }
    // The name of language `index` (UniqueName_Other 20 + index).
    const Text& languageName(int index) const { return get(TextSection::Other, 20 + index); }

    void set(TextSection section, int index, const Text& value);

private:
    std::array<std::array<Text, kTextsPerSection>, 6> tables_;
};

// The languages the language menu offers, in menu order.
constexpr std::array<int, 2> kOfferedLanguages{1, 6};

} // namespace ui
