#pragma once
// The two key numberings the program deals with, and their conversion by
// language. Keys typed on the PC arrive as Windows virtual-key codes (VK),
// which depend on the keyboard layout; the mouse works with USB HID keyboard
// usages (page 0x07), which name a key position. Everything the program stores
// in a macro or key combination is a device key code. The conversion is chosen
// by the interface language, on the assumption that the keyboard layout
// matches it.
//
// Every function takes any int for language, vk, code and position: values
// outside the tables pass through or give "no key", they never index out of
// bounds.

namespace keys {

// The program's own VKs for the mouse buttons of macros (what macro files hold).
inline constexpr int kVkLeftButton = 240;
inline constexpr int kVkRightButton = 241;
inline constexpr int kVkMiddleButton = 242;

// Device pseudo keys of macros.
inline constexpr int kDeviceLeftButton = 0xF1;
inline constexpr int kDeviceMiddleButton = 0xF2;
inline constexpr int kDeviceRightButton = 0xF3;
inline constexpr int kDeviceButton4 = 0xF4;
inline constexpr int kDeviceButton5 = 0xF5;

// Conversion modes. In mode 1 the mouse-button codes 240..243 pass through
// unconverted (both sides use the VK numbering); every other mode converts
// them between the VK and the device numbering. The program uses mode 2.
inline constexpr int kModeButtonsAsVk = 1;
inline constexpr int kModeKeys = 2;

// Keyboard positions of the macro directory's key functions.
inline constexpr int kPositionCount = 79;
// "No key" from the position table.
inline constexpr int kNoKey = 255;

// The conversion tables that exist. A variant is the US one with the rows of
// the keys that sit elsewhere on that national layout replaced. Swedish and
// Danish keyboards share their rows.
enum class KeyVariant {
    Us,
    French,          // language 2
    Belgian,         // language 3
    German,          // language 4
    SpanishItalian,  // languages 5 and 6
    Russian,         // language 7
    Turkish,         // language 8
    Portuguese,      // language 9
    Czech,           // language 15
    SwedishDanish,   // languages 16 and 21
    Brazilian,       // language 18
    BelgianDutch,    // language 20
    Slovenian,       // language 22
    Hungarian,       // language 26
};

// The variant of a language index. Indexes without a language of their own
// (25, negative, 30 and above) use the US variant.
KeyVariant variantOfLanguage(int language);

// VK → device key code. A VK no rule or row converts is returned unchanged.
int deviceFromVk(int language, int vk, int mode);

// Device key code → VK: the inverse of the same language's VK → device rows.
// A code no row converts is returned unchanged. Where a national row and an
// untouched US row lead to the same code, the national row's VK is the one
// given back, so a code always converts back to a VK that gives that code.
int vkFromDevice(int language, int code, int mode);

// The VK of a keyboard position (0..78), independent of language; kNoKey
// outside that range.
int vkOfPosition(int position);

// The device key code of a keyboard position for the language: the position's
// VK converted in mode 2. kNoKey outside 0..78.
int keyOfPosition(int language, int position);

} // namespace keys
