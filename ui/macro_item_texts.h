#pragma once
// The words of the macro lists, taken from the current language's tables.
#include "macro/item_text.h"
#include "ui/language.h"

namespace ui {

macro::ItemTexts macroItemTexts(const LanguageTexts& texts, int language);

} // namespace ui
