#pragma once
// The program's one string type: UTF-16 code units in every build, converted
// to wchar_t / UTF-8 only at the platform edge.
#include <cstdint>
#include <string>
#include <string_view>

using Text = std::u16string;
using TextView = std::u16string_view;

namespace text {

// ASCII/UTF-8 literal to Text (for names and keys written in source).
Text fromUtf8(std::string_view utf8);
std::string toUtf8(TextView t);
// Latin-1 bytes to Text, used when a byte string is not valid UTF-8.
Text fromLatin1(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);

// Decimal conversion the way the C runtime's _wtoi does it: leading blanks,
// optional sign, digits up to the first non-digit; nothing numeric gives 0.
// Out-of-range values saturate instead of wrapping.
long toLong(TextView t);
int toInt(TextView t);
Text fromInt(long long v); // "%d"

bool equalsIgnoreCase(TextView a, TextView b);
char16_t toUpper(char16_t c);

} // namespace text

// Shorthand for ASCII names in source: T("Init").
inline Text T(std::string_view ascii) { return text::fromUtf8(ascii); }
