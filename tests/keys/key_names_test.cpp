#include <gtest/gtest.h>

#include <climits>

#include "keys/key_names.h"
#include "keys/key_tables.h"
#include "keys/mac_vk_and_text.h"

using namespace keys;

namespace {

const Text kLeft = u"Left button";
const Text kMiddle = u"Middle button";
const Text kRight = u"Right button";

Text nameOf(int language, int code, int mode = kModeKeys)
{
    return keyName(language, code, mode, kLeft, kMiddle, kRight);
}


} // namespace

TEST(EnglishKeyNames, KeysShowTheirUsLabel)
{
    struct Case {
        int code;
        const char16_t* name;
    };
    const Case cases[] = {
        {4, u"A"},         {29, u"Z"},         {30, u"1!"},          {35, u"6^"},
        {38, u"9("},       {39, u"0)"},        {40, u"KeyPad Enter"}, {41, u"ESCAPE"},
        {49, u"|"},        {52, u"'"},         {53, u"~"},           {57, u"CAPS"},
        {58, u"F1"},       {65, u"F8"},        {66, u"F9"},          {69, u"F12"},
        {79, u"→"},        {82, u"↑"},         {89, u"KeyPad 1"},    {92, u"KeyPad 4"},
        {97, u"KeyPad 9"}, {98, u"KeyPad 0"},  {99, u"KeyPad ."},    {101, u"App"},
        {104, u"F13"},     {109, u"F18"},      {115, u"F24"},        {156, u"CLEAR"},
        {159, u"SEPARATOR"}, {224, u"L-Ctrl"}, {227, u"L-Win"},      {231, u"RWIN"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nameOf(1, c.code), c.name) << c.code;
}

TEST(EnglishKeyNames, CodesWithoutAKeyAreNull)
{
    std::vector<int> nulls = {-1, 0, 1, 2, 3, 50, 88, 100, 102, 103, 232, 239, 246, 255, 256,
                              INT_MIN, INT_MAX};
    for (int code = 120; code <= 223; ++code)
        if (code != 156 && code != 159)
            nulls.push_back(code);
    for (int code : nulls)
        EXPECT_EQ(nameOf(1, code), u"NULL") << code;
}

TEST(KeyNames, MouseButtonsTakeTheCallersNames)
{
    struct Case {
        int mode;
        int code;
        Text name;
    };
    const Case cases[] = {
        // device numbering
        {2, 240, u"NILL"}, {2, 241, kLeft},  {2, 242, kMiddle}, {2, 243, kRight},
        {2, 244, u"Btn4"}, {2, 245, u"Btn5"}, {0, 241, kLeft},  {3, 243, kRight},
        // VK numbering
        {1, 240, kLeft},   {1, 241, kRight}, {1, 242, kMiddle}, {1, 243, u"NILL"},
        {1, 244, u"NILL"}, {1, 245, u"NILL"},
    };
    for (int language : {1, 4, 6, 7, 25, INT_MAX}) {
        for (const Case& c : cases)
            EXPECT_EQ(keyName(language, c.code, c.mode, kLeft, kMiddle, kRight, u"Btn4",
                              u"Btn5"),
                      c.name)
                << "mode " << c.mode << " code " << c.code;
    }
}

TEST(KeyNames, ButtonsFourAndFiveHaveANameWhenTheCallerGivesNone)
{
    EXPECT_EQ(nameOf(1, kDeviceButton4), u"Button 4");
    EXPECT_EQ(nameOf(1, kDeviceButton5), u"Button 5");
}

TEST(KeyNames, EveryCodeHasAName)
{
    for (int language = -2; language <= 31; ++language) {
        for (int code = -1; code <= 256; ++code) {
            for (int mode = 0; mode <= 3; ++mode)
                EXPECT_FALSE(nameOf(language, code, mode).empty())
                    << "language " << language << " code " << code << " mode " << mode;
        }
    }
}

TEST(KeyNames, LanguagesWithoutATableShowEnglish)
{
    for (int language : {0, 1, 2, 3, 5, 8, 9, 13, 18, 19, 25, 26, 29, -1, 30, INT_MAX}) {
        EXPECT_EQ(nameTableOfLanguage(language), NameTable::English) << language;
        for (int code = 0; code < 256; ++code)
            EXPECT_EQ(nameOf(language, code), nameOf(1, code));
    }
}

// Key capture: the key pressed is shown by the name of the code it converts to.
TEST(MacVkAndText, ConvertsAndNamesInItsLanguage)
{
    MacVkAndText keys(1);
    EXPECT_EQ(keys.deviceFromVk('Y'), 28);
    EXPECT_EQ(keys.keyName(keys.deviceFromVk(13), kModeKeys, kLeft, kMiddle, kRight),
              u"KeyPad Enter");
    EXPECT_EQ(keys.keyName(keys.deviceFromVk(27), kModeKeys, kLeft, kMiddle, kRight),
              u"ESCAPE");
    EXPECT_EQ(keys.vkFromDevice(224), 162);
    EXPECT_EQ(keys.keyOfPosition(0), 41);
    EXPECT_EQ(keys.keyOfPosition(79), kNoKey);

    keys.setLanguage(4);
    EXPECT_EQ(keys.language(), 4);
    EXPECT_EQ(keys.deviceFromVk('Y'), 29);
    EXPECT_EQ(keys.deviceFromVk(kVkLeftButton, kModeButtonsAsVk), kVkLeftButton);
    EXPECT_EQ(keys.vkFromDevice(kDeviceRightButton), kVkRightButton);
    EXPECT_EQ(keys.keyName(kDeviceButton4, kModeKeys, kLeft, kMiddle, kRight, u"B4", u"B5"),
              u"B4");
}

TEST(NationalKeyNames, ShippedLanguagesHaveTheirOwnTable)
{
    EXPECT_EQ(nameTableOfLanguage(4), NameTable::German);
    EXPECT_EQ(nameTableOfLanguage(6), NameTable::Italian);
    EXPECT_EQ(nameTableOfLanguage(7), NameTable::Russian);
}

TEST(NationalKeyNames, TellingRows)
{
    struct Case {
        int language;
        int code;
        const char16_t* name;
    };
    const Case cases[] = {
        {4, 39, u"0="},  {4, 40, u"Ziff.-Block Enter"}, {4, 41, u"Esc"},
        {4, 44, u"Leerzeichen"}, {4, 45, u"?ß"}, {4, 47, u"Ü"}, {4, 51, u"Ö"}, {4, 52, u"Ä"},
        {4, 31, u"2\""}, {4, 32, u"3§"}, {4, 4, u"A"}, {4, 28, u"Z"}, {4, 29, u"Y"},
        {7, 40, u"Клавиатура Enter"}, {7, 47, u"Х"}, {7, 48, u"Ъ"}, {7, 51, u"Ж"},
        {7, 52, u"Э"}, {7, 54, u"Б"}, {7, 55, u"Ю"}, {7, 32, u"3№"}, {7, 28, u"Y"},
        {6, 40, u"Tastierino Invio"}, {6, 32, u"3£"}, {6, 47, u"èé"}, {6, 28, u"Y"},
        {6, 58, u"F1"}, {4, 115, u"F24"}, {7, 69, u"F12"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nameOf(c.language, c.code), c.name)
            << "language " << c.language << " code " << c.code;
}

// Each table names the same keys as the English one, plus the ISO <> key.
TEST(NationalKeyNames, TablesNameTheSameKeysAsEnglish)
{
    for (int language : {4, 6, 7}) {
        for (int code = 0; code < 256; ++code) {
            bool english = nameOf(1, code) != u"NULL";
            bool national = nameOf(language, code) != u"NULL";
            if (code == 100)
                EXPECT_TRUE(national) << "language " << language;
            else
                EXPECT_EQ(national, english) << "language " << language << " code " << code;
        }
    }
}

// With the keyboard layout of the language, the key pressed shows the label
// printed on it.
TEST(NationalKeyNames, APressedKeyShowsItsLabel)
{
    struct Case {
        int language;
        int vk;
        const char16_t* name;
    };
    const Case cases[] = {
        {4, 'Z', u"Z"},    {4, 'Y', u"Y"},     {4, 186, u"Ü"},    {4, 192, u"Ö"},
        {4, 222, u"Ä"},    {4, 219, u"?ß"},    {4, 221, u"´`"},   {4, 187, u"+*"},
        {4, 191, u"#'"},   {4, 220, u"^°"},    {4, 189, u"-_"},   {4, 226, u"<>"},
        {6, 186, u"èé"},   {6, 187, u"+*"},    {6, 191, u"ù§"},   {6, 192, u"òç"},
        {6, 222, u"à°"},   {6, 219, u"'?"},    {6, 220, u"\\|"},  {6, 221, u"ì^"},
        {6, 189, u"-_"},   {6, 188, u",;"},    {6, 226, u"<>"},
        {7, 219, u"Х"},    {7, 221, u"Ъ"},     {7, 186, u"Ж"},    {7, 222, u"Э"},
        {7, 188, u"Б"},    {7, 190, u"Ю"},     {7, 192, u"Ё"},    {7, 191, u".,"},
        {1, 192, u"~"},    {1, 'Y', u"Y"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nameOf(c.language, deviceFromVk(c.language, c.vk, kModeKeys)), c.name)
            << "language " << c.language << " vk " << c.vk;
    for (int language : {1, 4, 6, 7})
        for (int vk = 'A'; vk <= 'Z'; ++vk)
            EXPECT_EQ(nameOf(language, deviceFromVk(language, vk, kModeKeys)),
                      Text(1, static_cast<char16_t>(vk)))
                << "language " << language;
}
