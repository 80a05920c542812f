#include "keys/key_tables.h"

#include <array>
#include <cstdint>
#include <span>

namespace keys {
namespace {

struct Row {
    std::uint8_t vk;
    std::uint8_t code;
};

// US layout rows besides the letter, digit and function-key ranges.
constexpr Row kUsRows[] = {
    {8, 42},    {9, 43},    {12, 156},  {13, 40},   {19, 72},   {20, 57},   {27, 41},
    {32, 44},   {33, 75},   {34, 78},   {35, 77},   {36, 74},   {37, 80},   {38, 82},
    {39, 79},   {40, 81},   {41, 119},  {43, 116},  {44, 70},   {45, 73},   {46, 76},
    {47, 117},  {91, 227},  {92, 231},  {93, 101},
    // numeric pad 0..9
    {96, 98},   {97, 89},   {98, 90},   {99, 91},   {100, 92},  {101, 93},  {102, 94},
    {103, 95},  {104, 96},  {105, 97},
    {106, 85},  {107, 87},  {108, 159}, {109, 86},  {110, 99},  {111, 84},  {144, 83},
    {145, 71},  {160, 225}, {161, 229}, {162, 224}, {163, 228}, {164, 226}, {165, 230},
    {186, 51},  {187, 46},  {188, 54},  {189, 45},  {190, 55},  {191, 56},  {192, 53},
    {219, 47},  {220, 49},  {221, 48},  {222, 52},
    // The extra key of ISO keyboards (VK_OEM_102, "<>" or "\|") is the HID
    // "non-US \ and |" key. Passed through unchanged it would become 226, the
    // left Alt key.
    {226, 100},
};

// The national rows that replace US rows (VK → code).
constexpr Row kFrench[] = {
    {65, 20},  {81, 4},   {87, 29},  {90, 26},  {77, 51},  {186, 48}, {188, 16}, {190, 54},
    {191, 55}, {192, 39}, {219, 45}, {220, 50}, {221, 47}, {222, 53}, {223, 56},
};
constexpr Row kBelgian[] = {
    {65, 20},  {81, 4},   {87, 29},  {90, 26},  {77, 51},  {186, 48}, {187, 56}, {188, 16},
    {189, 46}, {190, 54}, {191, 55}, {192, 52}, {219, 45}, {221, 47}, {222, 53},
};
// The Belgian rows without the one for M.
constexpr Row kBelgianDutch[] = {
    {65, 20},  {81, 4},   {87, 29},  {90, 26},  {186, 48}, {187, 56}, {188, 16},
    {189, 46}, {190, 54}, {191, 55}, {192, 52}, {219, 45}, {221, 47}, {222, 53},
};
constexpr Row kGerman[] = {
    {89, 29},  {90, 28},  {186, 47}, {187, 48}, {189, 56}, {191, 49},
    {192, 51}, {219, 45}, {220, 53}, {221, 46},
};
constexpr Row kCzech[] = {{89, 29}, {90, 28}, {187, 45}, {189, 56}, {191, 46}};
constexpr Row kSpanishItalian[] = {
    {186, 47}, {187, 48}, {189, 56}, {191, 49}, {192, 51}, {219, 45}, {220, 53}, {221, 46},
};
constexpr Row kPortuguese[] = {
    {186, 48}, {187, 47}, {189, 56}, {191, 49}, {192, 51},
    {219, 45}, {220, 53}, {221, 46}, {223, 85},
};
constexpr Row kSwedishDanish[] = {
    {186, 48}, {187, 45}, {189, 56}, {191, 49}, {192, 51}, {219, 46}, {220, 53}, {221, 47},
};
constexpr Row kRussian[] = {{189, 86}, {223, 46}};
constexpr Row kTurkish[] = {{188, 49}, {189, 86}, {190, 56}, {191, 54}, {220, 55}, {223, 85}};
constexpr Row kBrazilian[] = {{223, 85}};
constexpr Row kSlovenian[] = {{189, 56}, {191, 45}, {223, 46}};
constexpr Row kHungarian[] = {{48, 53}, {189, 56}, {191, 45}, {192, 39}, {226, 100}};

constexpr int kVariantCount = static_cast<int>(KeyVariant::Hungarian) + 1;

constexpr std::span<const Row> nationalRows(KeyVariant v)
{
    switch (v) {
    case KeyVariant::Us: return {};
    case KeyVariant::French: return kFrench;
    case KeyVariant::Belgian: return kBelgian;
    case KeyVariant::German: return kGerman;
    case KeyVariant::SpanishItalian: return kSpanishItalian;
    case KeyVariant::Russian: return kRussian;
    case KeyVariant::Turkish: return kTurkish;
    case KeyVariant::Portuguese: return kPortuguese;
    case KeyVariant::Czech: return kCzech;
    case KeyVariant::SwedishDanish: return kSwedishDanish;
    case KeyVariant::Brazilian: return kBrazilian;
    case KeyVariant::BelgianDutch: return kBelgianDutch;
    case KeyVariant::Slovenian: return kSlovenian;
    case KeyVariant::Hungarian: return kHungarian;
    }
    return {};
}

// One variant as two 256-entry tables; -1 = no row (the value passes through).
struct Tables {
    std::array<std::int16_t, 256> toDevice{};
    std::array<std::int16_t, 256> toVk{};
};

constexpr Tables buildTables(KeyVariant v)
{
    Tables t;
    t.toDevice.fill(-1);
    t.toVk.fill(-1);
    for (int vk = 'A'; vk <= 'Z'; ++vk)
        t.toDevice[vk] = static_cast<std::int16_t>(vk - 61);
    for (int vk = '1'; vk <= '9'; ++vk)
        t.toDevice[vk] = static_cast<std::int16_t>(vk - 19);
    t.toDevice['0'] = 39;
    for (int vk = 112; vk <= 123; ++vk) // F1..F12
        t.toDevice[vk] = static_cast<std::int16_t>(vk - 54);
    for (int vk = 124; vk <= 135; ++vk) // F13..F24
        t.toDevice[vk] = static_cast<std::int16_t>(vk - 20);
    for (Row r : kUsRows)
        t.toDevice[r.vk] = r.code;

    auto national = nationalRows(v);
    auto isNational = [&](int vk) {
        for (Row r : national)
            if (r.vk == vk)
                return true;
        return false;
    };
    for (Row r : national)
        t.toDevice[r.vk] = r.code;

    // Untouched US rows first, national rows last so they win a shared code.
    for (int vk = 0; vk < 256; ++vk)
        if (t.toDevice[vk] >= 0 && !isNational(vk))
            t.toVk[t.toDevice[vk]] = static_cast<std::int16_t>(vk);
    for (Row r : national)
        t.toVk[r.code] = r.vk;
    return t;
}

constexpr std::array<Tables, kVariantCount> buildAll()
{
    std::array<Tables, kVariantCount> all{};
    for (int i = 0; i < kVariantCount; ++i)
        all[i] = buildTables(static_cast<KeyVariant>(i));
    return all;
}

constexpr std::array<Tables, kVariantCount> kTables = buildAll();

const Tables& tablesOf(int language)
{
    return kTables[static_cast<int>(variantOfLanguage(language))];
}

constexpr std::uint8_t kPositionVk[kPositionCount] = {
    27,  112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 45,  192, 49,
    50,  51,  52,  53,  54,  55,  56,  57,  48,  189, 187, 8,   46,  9,   81,  87,
    69,  82,  84,  89,  85,  73,  79,  80,  219, 221, 220, 20,  65,  83,  68,  70,
    71,  72,  74,  75,  76,  186, 222, 13,  160, 90,  88,  67,  86,  66,  78,  77,
    188, 190, 191, 161, 162, 164, 91,  32,  92,  165, 163, 37,  38,  39,  40,
};

} // namespace

KeyVariant variantOfLanguage(int language)
{
    switch (language) {
    case 2: return KeyVariant::French;
    case 3: return KeyVariant::Belgian;
    case 4: return KeyVariant::German;
    case 5:
    case 6: return KeyVariant::SpanishItalian;
    case 7: return KeyVariant::Russian;
    case 8: return KeyVariant::Turkish;
    case 9: return KeyVariant::Portuguese;
    case 15: return KeyVariant::Czech;
    case 16:
    case 21: return KeyVariant::SwedishDanish;
    case 18: return KeyVariant::Brazilian;
    case 20: return KeyVariant::BelgianDutch;
    case 22: return KeyVariant::Slovenian;
    case 26: return KeyVariant::Hungarian;
    default: return KeyVariant::Us;
    }
}

int deviceFromVk(int language, int vk, int mode)
{
    if (vk >= kVkLeftButton && vk <= 243) {
        if (mode == kModeButtonsAsVk)
            return vk;
        switch (vk) {
        case kVkLeftButton: return kDeviceLeftButton;
        case kVkRightButton: return kDeviceRightButton;
        case kVkMiddleButton: return kDeviceMiddleButton;
        default: return vk;
        }
    }
    if (vk < 0 || vk > 255)
        return vk;
    int code = tablesOf(language).toDevice[vk];
    return code < 0 ? vk : code;
}

int vkFromDevice(int language, int code, int mode)
{
    if (code >= 240 && code <= 245) {
        if (mode == kModeButtonsAsVk)
            return code;
        switch (code) {
        case kDeviceLeftButton: return kVkLeftButton;
        case kDeviceRightButton: return kVkRightButton;
        case kDeviceMiddleButton: return kVkMiddleButton;
        default: return code;
        }
    }
    if (code < 0 || code > 255)
        return code;
    int vk = tablesOf(language).toVk[code];
    return vk < 0 ? code : vk;
}

int vkOfPosition(int position)
{
    if (position < 0 || position >= kPositionCount)
        return kNoKey;
    return kPositionVk[position];
}

int keyOfPosition(int language, int position)
{
    if (position < 0 || position >= kPositionCount)
        return kNoKey;
    return deviceFromVk(language, kPositionVk[position], kModeKeys);
}

} // namespace keys
