#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <vector>

#include "keys/key_tables.h"

using namespace keys;

namespace {

constexpr int kEnglish = 1;
// Every language index that exists, plus ones that do not.
std::vector<int> allLanguages()
{
    std::vector<int> v;
    for (int l = 0; l <= 29; ++l)
        v.push_back(l);
    for (int l : {-1, 30, 31, 255, 256, INT_MIN, INT_MAX})
        v.push_back(l);
    return v;
}

} // namespace

TEST(KeyVariantSelection, EachLanguageUsesItsLayoutsTable)
{
    const std::map<int, KeyVariant> expected = {
        {0, KeyVariant::Us},           {1, KeyVariant::Us},
        {2, KeyVariant::French},       {3, KeyVariant::Belgian},
        {4, KeyVariant::German},       {5, KeyVariant::SpanishItalian},
        {6, KeyVariant::SpanishItalian}, {7, KeyVariant::Russian},
        {8, KeyVariant::Turkish},      {9, KeyVariant::Portuguese},
        {10, KeyVariant::Us},          {11, KeyVariant::Us},
        {12, KeyVariant::Us},          {13, KeyVariant::Us},
        {14, KeyVariant::Us},          {15, KeyVariant::Czech},
        {16, KeyVariant::SwedishDanish}, {17, KeyVariant::Us},
        {18, KeyVariant::Brazilian},   {19, KeyVariant::Us},
        {20, KeyVariant::BelgianDutch}, {21, KeyVariant::SwedishDanish},
        {22, KeyVariant::Slovenian},   {23, KeyVariant::Us},
        {24, KeyVariant::Us},          {25, KeyVariant::Us},
        {26, KeyVariant::Hungarian},   {27, KeyVariant::Us},
        {28, KeyVariant::Us},          {29, KeyVariant::Us},
        {-1, KeyVariant::Us},          {30, KeyVariant::Us},
        {INT_MIN, KeyVariant::Us},     {INT_MAX, KeyVariant::Us},
    };
    for (auto [language, variant] : expected)
        EXPECT_EQ(variantOfLanguage(language), variant) << "language " << language;
}

// The US rows checked against the HID keyboard usages of the keys the VKs name.
TEST(UsKeyTable, VirtualKeysBecomeTheHidUsageOfTheirKey)
{
    struct Case {
        int vk;
        int usage;
        const char* key;
    };
    const Case cases[] = {
        {'A', 0x04, "A"},         {'M', 0x10, "M"},           {'Z', 0x1D, "Z"},
        {'1', 0x1E, "1"},         {'9', 0x26, "9"},           {'0', 0x27, "0"},
        {0x0D, 0x28, "Enter"},    {0x1B, 0x29, "Escape"},     {0x08, 0x2A, "Backspace"},
        {0x09, 0x2B, "Tab"},      {0x20, 0x2C, "Space"},      {0xBD, 0x2D, "- _"},
        {0xBB, 0x2E, "= +"},      {0xDB, 0x2F, "[ {"},        {0xDD, 0x30, "] }"},
        {0xDC, 0x31, "\\ |"},     {0xBA, 0x33, "; :"},        {0xDE, 0x34, "' \""},
        {0xC0, 0x35, "` ~"},      {0xBC, 0x36, ", <"},        {0xBE, 0x37, ". >"},
        {0xBF, 0x38, "/ ?"},      {0x14, 0x39, "Caps Lock"},  {0x70, 0x3A, "F1"},
        {0x7B, 0x45, "F12"},      {0x2C, 0x46, "Print Screen"}, {0x91, 0x47, "Scroll Lock"},
        {0x13, 0x48, "Pause"},    {0x2D, 0x49, "Insert"},     {0x24, 0x4A, "Home"},
        {0x21, 0x4B, "Page Up"},  {0x2E, 0x4C, "Delete"},     {0x23, 0x4D, "End"},
        {0x22, 0x4E, "Page Down"}, {0x27, 0x4F, "Right"},     {0x25, 0x50, "Left"},
        {0x28, 0x51, "Down"},     {0x26, 0x52, "Up"},         {0x90, 0x53, "Num Lock"},
        {0x6F, 0x54, "Pad /"},    {0x6A, 0x55, "Pad *"},      {0x6D, 0x56, "Pad -"},
        {0x6B, 0x57, "Pad +"},    {0x61, 0x59, "Pad 1"},      {0x69, 0x61, "Pad 9"},
        {0x60, 0x62, "Pad 0"},    {0x6E, 0x63, "Pad ."},      {0x5D, 0x65, "Application"},
        {0x7C, 0x68, "F13"},      {0x87, 0x73, "F24"},        {0x2B, 0x74, "Execute"},
        {0x2F, 0x75, "Help"},     {0x29, 0x77, "Select"},     {0x0C, 0x9C, "Clear"},
        {0x6C, 0x9F, "Separator"}, {0xA2, 0xE0, "Left Ctrl"}, {0xA0, 0xE1, "Left Shift"},
        {0xA4, 0xE2, "Left Alt"}, {0x5B, 0xE3, "Left Win"},   {0xA3, 0xE4, "Right Ctrl"},
        {0xA1, 0xE5, "Right Shift"}, {0xA5, 0xE6, "Right Alt"}, {0x5C, 0xE7, "Right Win"},
        {0xE2, 0x64, "ISO <> key"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(deviceFromVk(kEnglish, c.vk, kModeKeys), c.usage) << c.key;
        EXPECT_EQ(vkFromDevice(kEnglish, c.usage, kModeKeys), c.vk) << c.key;
    }
}

TEST(UsKeyTable, WholeRangesConvertBothWays)
{
    for (int vk = 'A'; vk <= 'Z'; ++vk)
        EXPECT_EQ(deviceFromVk(0, vk, kModeKeys), vk - 61);
    for (int vk = '1'; vk <= '9'; ++vk)
        EXPECT_EQ(deviceFromVk(0, vk, kModeKeys), vk - 19);
    for (int vk = 112; vk <= 123; ++vk)
        EXPECT_EQ(deviceFromVk(0, vk, kModeKeys), vk - 54);
    for (int vk = 124; vk <= 135; ++vk)
        EXPECT_EQ(deviceFromVk(0, vk, kModeKeys), vk - 20);
    for (int code = 4; code <= 29; ++code)
        EXPECT_EQ(vkFromDevice(0, code, kModeKeys), code + 61);
    for (int code = 104; code <= 115; ++code)
        EXPECT_EQ(vkFromDevice(0, code, kModeKeys), code + 20);
}

TEST(UsKeyTable, UnknownValuesPassThroughUnchanged)
{
    // VKs without a row: mouse-button VKs 1..6, generic Shift/Ctrl/Alt (the
    // hook reports the left/right ones), browser and media keys, OEM 8.
    for (int vk : {0, 1, 2, 4, 16, 17, 18, 166, 173, 176, 223, 255})
        EXPECT_EQ(deviceFromVk(kEnglish, vk, kModeKeys), vk) << vk;
    // Codes no VK produces.
    for (int code : {0, 1, 3, 50, 88, 102, 120, 200, 232, 239, 246, 255})
        EXPECT_EQ(vkFromDevice(kEnglish, code, kModeKeys), code) << code;
    // Outside the 8-bit range nothing is looked up.
    for (int v : {-1, 256, 1000, INT_MIN, INT_MAX}) {
        for (int language : allLanguages()) {
            EXPECT_EQ(deviceFromVk(language, v, kModeKeys), v);
            EXPECT_EQ(vkFromDevice(language, v, kModeKeys), v);
        }
    }
}

// What a key gives on each national layout: the letters that move and a few
// punctuation keys, as device codes (HID usages of the US position).
TEST(NationalKeyTables, LettersAndPunctuationLandOnTheirPosition)
{
    struct Case {
        int language;
        int vk;
        int code;
    };
    const Case cases[] = {
        // Z/Y swap of QWERTZ layouts
        {4, 'Z', 28}, {4, 'Y', 29}, {15, 'Z', 28}, {15, 'Y', 29},
        {1, 'Z', 29}, {1, 'Y', 28}, {6, 'Z', 29}, {7, 'Y', 28},
        // AZERTY: A/Q and W/Z swapped, M beside L
        {2, 'A', 20}, {2, 'Q', 4}, {2, 'W', 29}, {2, 'Z', 26}, {2, 'M', 51},
        {3, 'A', 20}, {3, 'Q', 4}, {3, 'W', 29}, {3, 'Z', 26}, {3, 'M', 51},
        {20, 'A', 20}, {20, 'Q', 4}, {20, 'W', 29}, {20, 'Z', 26}, {20, 'M', 16},
        // letters that stay
        {4, 'A', 4}, {5, 'Q', 20}, {16, 'W', 26}, {26, 'Z', 29},
        // punctuation
        {2, 188, 16}, {2, 192, 39}, {2, 220, 50}, {2, 223, 56}, {2, 189, 45},
        {3, 187, 56}, {3, 192, 52}, {3, 220, 49},
        {4, 186, 47}, {4, 219, 45}, {4, 220, 53}, {4, 222, 52}, {4, 188, 54},
        {5, 186, 47}, {6, 191, 49}, {6, 222, 52}, {6, 223, 223},
        {7, 189, 86}, {7, 223, 46}, {7, 186, 51},
        {8, 188, 49}, {8, 190, 56}, {8, 191, 54}, {8, 220, 55}, {8, 223, 85},
        {9, 186, 48}, {9, 187, 47}, {9, 223, 85},
        {15, 187, 45}, {15, 191, 46}, {15, 186, 51},
        {16, 187, 45}, {16, 219, 46}, {21, 221, 47}, {21, 186, 48},
        {18, 223, 85}, {18, 186, 51},
        {22, 189, 56}, {22, 191, 45}, {22, 223, 46},
        {26, '0', 53}, {26, 192, 39}, {26, 191, 45}, {26, 226, 100},
        {0, 223, 223},
    };
    for (const Case& c : cases)
        EXPECT_EQ(deviceFromVk(c.language, c.vk, kModeKeys), c.code)
            << "language " << c.language << " vk " << c.vk;
}

TEST(NationalKeyTables, SwedishAndDanishShareTheirRows)
{
    for (int vk = 0; vk < 256; ++vk)
        EXPECT_EQ(deviceFromVk(16, vk, kModeKeys), deviceFromVk(21, vk, kModeKeys)) << vk;
}

TEST(NationalKeyTables, LanguagesWithoutALayoutTableConvertAsUs)
{
    for (int language : {0, 10, 11, 12, 13, 14, 17, 19, 23, 24, 25, 27, 28, 29, -1, 30, 255,
                         INT_MIN, INT_MAX}) {
        for (int v = 0; v < 256; ++v) {
            EXPECT_EQ(deviceFromVk(language, v, kModeKeys), deviceFromVk(kEnglish, v, kModeKeys));
            EXPECT_EQ(vkFromDevice(language, v, kModeKeys), vkFromDevice(kEnglish, v, kModeKeys));
        }
    }
    // The unused index converts A both ways instead of storing 0 in macro files.
    EXPECT_EQ(deviceFromVk(25, 65, kModeKeys), 4);
    EXPECT_EQ(vkFromDevice(25, 4, kModeKeys), 65);
}

// Macro files store VKs: whatever code the program holds must read back as
// the same code after being written as a VK.
TEST(KeyTableRoundTrip, EveryCodeAKeyGivesReadsBackFromItsVk)
{
    for (int language : allLanguages()) {
        std::set<int> produced;
        for (int vk = 0; vk < 256; ++vk) {
            int code = deviceFromVk(language, vk, kModeKeys);
            if (code != vk && (code < 240 || code > 245))
                produced.insert(code);
        }
        for (int code : produced) {
            int vk = vkFromDevice(language, code, kModeKeys);
            EXPECT_EQ(deviceFromVk(language, vk, kModeKeys), code)
                << "language " << language << " code " << code << " vk " << vk;
        }
    }
}

TEST(KeyTableRoundTrip, AKeysVkComesBackUnlessAnotherKeySharesItsCode)
{
    for (int language : allLanguages()) {
        std::map<int, std::vector<int>> sources; // code -> VKs giving it
        for (int vk = 0; vk < 240; ++vk) {
            int code = deviceFromVk(language, vk, kModeKeys);
            if (code != vk)
                sources[code].push_back(vk);
        }
        for (auto& [code, vks] : sources) {
            if (vks.size() == 1) {
                EXPECT_EQ(vkFromDevice(language, code, kModeKeys), vks[0])
                    << "language " << language << " code " << code;
            }
        }
    }
}

// Where a national key takes the code of a key the US rows keep, the code
// reads back as the national key.
TEST(KeyTableRoundTrip, SharedCodesReadBackAsTheNationalKey)
{
    struct Case {
        int language;
        int otherVk; // the US row that gives the same code
        int nationalVk;
        int code;
    };
    const Case cases[] = {
        {7, 109, 189, 86},  // Russian minus and keypad minus
        {8, 106, 223, 85},  // Turkish * and keypad *
        {9, 106, 223, 85},
        {18, 106, 223, 85},
        {2, '0', 192, 39},  // French
        {2, 189, 219, 45},
        {20, 'M', 188, 16}, // Belgian Dutch keeps M at the US place
        {7, 187, 223, 46},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(deviceFromVk(c.language, c.otherVk, kModeKeys), c.code);
        EXPECT_EQ(deviceFromVk(c.language, c.nationalVk, kModeKeys), c.code);
        EXPECT_EQ(vkFromDevice(c.language, c.code, kModeKeys), c.nationalVk)
            << "language " << c.language << " code " << c.code;
    }
    // A code whose US key moved away and that nothing else gives is returned as is.
    EXPECT_EQ(vkFromDevice(20, 51, kModeKeys), 51);
}

TEST(PseudoKeys, MouseButtonsConvertOnlyOutsideMode1)
{
    struct Case {
        int mode;
        int vk;
        int code;
    };
    // VK → device
    const Case toDevice[] = {
        {1, 240, 240}, {1, 241, 241}, {1, 242, 242}, {1, 243, 243},
        {2, 240, 241}, {2, 241, 243}, {2, 242, 242}, {2, 243, 243},
        {0, 240, 241}, {3, 241, 243}, {2, 244, 244}, {2, 245, 245},
    };
    // device → VK
    const Case toVk[] = {
        {1, 240, 240}, {1, 241, 241}, {1, 242, 242}, {1, 243, 243}, {1, 244, 244},
        {2, 240, 240}, {2, 240, 241}, {2, 242, 242}, {2, 241, 243}, {2, 244, 244},
        {2, 245, 245}, {0, 241, 243},
    };
    for (int language : allLanguages()) {
        for (const Case& c : toDevice)
            EXPECT_EQ(deviceFromVk(language, c.vk, c.mode), c.code)
                << "language " << language << " mode " << c.mode << " vk " << c.vk;
        for (const Case& c : toVk)
            EXPECT_EQ(vkFromDevice(language, c.code, c.mode), c.vk)
                << "language " << language << " mode " << c.mode << " code " << c.code;
    }
}

TEST(PseudoKeys, TheThreeButtonsRoundTripInBothModes)
{
    for (int mode : {kModeButtonsAsVk, kModeKeys})
        for (int vk : {kVkLeftButton, kVkRightButton, kVkMiddleButton})
            EXPECT_EQ(vkFromDevice(4, deviceFromVk(4, vk, mode), mode), vk);
}

TEST(KeyboardPositions, PositionsGiveTheirKeyInTheLanguagesLayout)
{
    struct Case {
        int language;
        int position;
        int code;
    };
    const Case cases[] = {
        {1, 0, 41},   {1, 1, 58},   {1, 12, 69},  {1, 13, 73},  {1, 14, 53},
        {1, 24, 39},  {1, 44, 4},   {3, 44, 20},  {2, 30, 4},   {1, 30, 20},
        {4, 35, 29},  {4, 57, 28},  {1, 57, 29},  {1, 56, 225}, {1, 55, 40},
        {1, 71, 44},  {1, 75, 80},  {1, 78, 81},  {26, 24, 53}, {25, 44, 4},
        {INT_MAX, 0, 41},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyOfPosition(c.language, c.position), c.code)
            << "language " << c.language << " position " << c.position;
}

TEST(KeyboardPositions, OnlyPositions0To78Exist)
{
    for (int language : allLanguages()) {
        for (int position : {-1, 79, 80, 255, 1000, INT_MIN, INT_MAX})
            EXPECT_EQ(keyOfPosition(language, position), kNoKey);
        for (int position = 0; position < kPositionCount; ++position) {
            int code = keyOfPosition(language, position);
            EXPECT_GE(code, 4) << "language " << language << " position " << position;
            EXPECT_LE(code, 231) << "language " << language << " position " << position;
        }
    }
    EXPECT_EQ(vkOfPosition(-1), kNoKey);
    EXPECT_EQ(vkOfPosition(79), kNoKey);
}

TEST(KeyboardPositions, EveryPositionIsADifferentKey)
{
    std::set<int> vks;
    for (int position = 0; position < kPositionCount; ++position)
        vks.insert(vkOfPosition(position));
    EXPECT_EQ(vks.size(), static_cast<size_t>(kPositionCount));
    std::set<int> codes;
    for (int position = 0; position < kPositionCount; ++position)
        codes.insert(keyOfPosition(kEnglish, position));
    EXPECT_EQ(codes.size(), static_cast<size_t>(kPositionCount));
}
