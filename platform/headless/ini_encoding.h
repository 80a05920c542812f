#pragma once
// How the Windows profile functions turn an INI file's bytes into text and
// back: the byte-order mark chooses UTF-16 (either order) or UTF-8, anything
// else is the ANSI code page, here Windows-1252 as on a Western system.
#include "platform/text.h"

#include <cstdint>
#include <vector>

namespace platform::headless {

enum class IniEncoding { Ansi, Utf8Bom, Utf16LeBom, Utf16BeBom };

struct DecodedIni {
    IniEncoding encoding = IniEncoding::Ansi;
    Text text;
};

DecodedIni decodeIni(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> encodeIni(IniEncoding encoding, TextView text);
// The same without the byte-order mark, appended to out: a part of a file.
void appendEncoded(IniEncoding encoding, TextView text, std::vector<std::uint8_t>& out);
size_t byteOrderMarkSize(IniEncoding encoding);
// How many bytes appendEncoded() makes of the text.
size_t encodedSize(IniEncoding encoding, TextView text);
// Whether the text reads back as it is once written in this encoding.
bool encodable(IniEncoding encoding, TextView text);

} // namespace platform::headless
