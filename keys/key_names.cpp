#include "keys/key_names.h"

#include <span>

#include "keys/key_tables.h"

namespace keys {
namespace {

struct NameRow {
    int code;
    const char16_t* name;
};

struct KeyNameTable {
    // Names of codes 4..29; null takes the capital Latin letter of the US position.
    const char16_t* const* letters;
    // Names of codes 30..38 (the digit row 1..9).
    const char16_t* digits[9];
    // Codes 39..231 apart from the function keys, which are "F1".."F24" everywhere.
    std::span<const NameRow> rows;
};

// ---- English ----------------------------------------------------------------

constexpr NameRow kEnglishRows[] = {
    {39, u"0)"},          {40, u"KeyPad Enter"}, {41, u"ESCAPE"},     {42, u"BackSpace"},
    {43, u"TAB"},         {44, u"Space"},        {45, u"_-"},         {46, u"=+"},
    {47, u"[{"},          {48, u"]}"},           {49, u"|"},          {51, u";:"},
    {52, u"'"},           {53, u"~"},            {54, u"<"},          {55, u">"},
    {56, u"/?"},          {57, u"CAPS"},         {70, u"PrintSc"},    {71, u"Scroll"},
    {72, u"Pause"},       {73, u"Insert"},       {74, u"Home"},       {75, u"Page Up"},
    {76, u"Delete"},      {77, u"End"},          {78, u"Page Down"},  {79, u"→"},
    {80, u"←"},           {81, u"↓"},            {82, u"↑"},          {83, u"NumLock"},
    {84, u"KeyPad /"},    {85, u"KeyPad *"},     {86, u"KeyPad -"},   {87, u"KeyPad +"},
    {89, u"KeyPad 1"},    {90, u"KeyPad 2"},     {91, u"KeyPad 3"},   {92, u"KeyPad 4"},
    {93, u"KeyPad 5"},    {94, u"KeyPad 6"},     {95, u"KeyPad 7"},   {96, u"KeyPad 8"},
    {97, u"KeyPad 9"},    {98, u"KeyPad 0"},     {99, u"KeyPad ."},   {101, u"App"},
    {116, u"EXECUTE"},    {117, u"HELP"},        {118, u"MENU"},      {119, u"SELECT"},
    {156, u"CLEAR"},      {159, u"SEPARATOR"},   {224, u"L-Ctrl"},    {225, u"L-Shift"},
    {226, u"L-Alt"},      {227, u"L-Win"},       {228, u"R-Ctrl"},    {229, u"R-Shift"},
    {230, u"R-Alt"},      {231, u"RWIN"},
};

constexpr KeyNameTable kEnglish = {
    nullptr,
    {u"1!", u"2@", u"3#", u"4$", u"5%", u"6^", u"7&", u"8*", u"9("},
    kEnglishRows,
};

const KeyNameTable& tableOf(NameTable t)
{
    switch (t) {
    case NameTable::English:
    case NameTable::German:
    case NameTable::Russian:
    case NameTable::Italian: break;
    }
    return kEnglish;
}

constexpr NameTable kTableOfLanguage[] = {
    NameTable::English, // 0 Chinese: key names stay English
    NameTable::English, // 1 English
    NameTable::English, // 2 French
    NameTable::English, // 3 Belgian
    NameTable::German,  // 4 German
    NameTable::English, // 5 Spanish
    NameTable::Italian, // 6 Italian
    NameTable::Russian, // 7 Russian
    NameTable::English, // 8 Turkish
    NameTable::English, // 9 Portuguese
    NameTable::English, // 10 Thai
    NameTable::English, // 11 Korean
    NameTable::English, // 12 Japanese
    NameTable::English, // 13 Arabic
    NameTable::English, // 14 Polish
    NameTable::English, // 15 Czech
    NameTable::English, // 16 Swedish
    NameTable::English, // 17 Dutch
    NameTable::English, // 18 Brazilian Portuguese
    NameTable::English, // 19 Traditional Chinese
    NameTable::English, // 20 Belgian Dutch
    NameTable::English, // 21 Danish
    NameTable::English, // 22 Slovenian
    NameTable::English, // 23 Persian
    NameTable::English, // 24 Ukrainian
    NameTable::English, // 25 (no language)
    NameTable::English, // 26 Hungarian
    NameTable::English, // 27 Indonesian
    NameTable::English, // 28 Vietnamese
    NameTable::English, // 29 Hebrew
};

const char16_t* rowName(const KeyNameTable& table, int code)
{
    for (const NameRow& r : table.rows)
        if (r.code == code)
            return r.name;
    return nullptr;
}

Text pseudoKeyName(int code, int mode, const Text& pseudo1, const Text& pseudo2,
                   const Text& pseudo3, const Text& button4, const Text& button5)
{
    if (mode == kModeButtonsAsVk) {
        switch (code) {
        case kVkLeftButton: return pseudo1;
        case kVkMiddleButton: return pseudo2;
        case kVkRightButton: return pseudo3;
        default: return u"NILL";
        }
    }
    switch (code) {
    case kDeviceLeftButton: return pseudo1;
    case kDeviceMiddleButton: return pseudo2;
    case kDeviceRightButton: return pseudo3;
    case kDeviceButton4: return button4.empty() ? Text(u"Button 4") : button4;
    case kDeviceButton5: return button5.empty() ? Text(u"Button 5") : button5;
    default: return u"NILL";
    }
}

} // namespace

NameTable nameTableOfLanguage(int language)
{
    constexpr int count = static_cast<int>(std::size(kTableOfLanguage));
    if (language < 0 || language >= count)
        return NameTable::English;
    return kTableOfLanguage[language];
}

Text keyName(int language, int code, int mode, const Text& pseudo1, const Text& pseudo2,
             const Text& pseudo3, const Text& button4, const Text& button5)
{
    if (code >= 240 && code <= 245)
        return pseudoKeyName(code, mode, pseudo1, pseudo2, pseudo3, button4, button5);
    if (code < 4 || code > 231)
        return u"NULL";

    const KeyNameTable& table = tableOf(nameTableOfLanguage(language));
    if (code <= 29) {
        if (table.letters)
            return table.letters[code - 4];
        return Text(1, static_cast<char16_t>(code + 61));
    }
    if (code <= 38)
        return table.digits[code - 30];
    if (code >= 58 && code <= 69)
        return u"F" + text::fromInt(code - 57);
    if (code >= 104 && code <= 115)
        return u"F" + text::fromInt(code - 91);
    const char16_t* name = rowName(table, code);
    return name ? Text(name) : Text(u"NULL");
}

} // namespace keys
