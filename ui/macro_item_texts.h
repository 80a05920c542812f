#pragma once
// The words of the macro lists, taken from the current language's tables.
#include "macro/item_text.h"
#include "ui/language.h"

namespace ui {

macro::ItemTexts macroItemTexts(const LanguageTexts& texts, int language);

// The macro memory gauge: "Macro memory: 1200 / 2847 bytes".
Text macroMemoryText(const LanguageTexts& texts, int required, int capacity);
// The apply step is refused with this tip, followed by the gauge's figures,
// when the macros would not fit.
constexpr int kTipMacrosDoNotFit = 34;
Text macroMemoryFigures(const LanguageTexts& texts, int required, int capacity);

} // namespace ui
