#include "ui/macro_item_texts.h"

namespace ui {

macro::ItemTexts macroItemTexts(const LanguageTexts& texts, int language)
{
    auto other = [&](int i) { return texts.get(TextSection::Other, i); };
    auto devmac = [&](int i) { return texts.get(TextSection::DevMac, i); };
    auto led = [&](int i) { return texts.get(TextSection::Led, i); };
    macro::ItemTexts t;
    t.language = language;
    t.lightMode = other(6);
    t.colour = other(7);
    t.noColour = other(8);
    t.duration = other(9);
    t.cpiReturn = other(11);
    t.pauseUnit = other(12);
    t.ledEvent = other(13);
    t.ledError = other(14);
    t.pauseItem = other(17);
    t.leftButton = devmac(20);
    t.middleButton = devmac(21);
    t.rightButton = devmac(22);
    t.button4 = devmac(41);
    t.button5 = devmac(42);
    t.modeNames = {led(15), led(3), led(4), led(7), led(8)};
    return t;
}

Text macroMemoryFigures(const LanguageTexts& texts, int required, int capacity)
{
    return u" " + text::fromInt(required) + u" / " + text::fromInt(capacity) + u" " +
           texts.get(TextSection::Other, 19);
}

Text macroMemoryText(const LanguageTexts& texts, int required, int capacity)
{
    return texts.get(TextSection::Other, 18) + macroMemoryFigures(texts, required, capacity);
}

} // namespace ui
