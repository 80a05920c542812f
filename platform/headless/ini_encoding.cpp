#include "platform/headless/ini_encoding.h"

#include <algorithm>
#include <array>

namespace platform::headless {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five it leaves undefined pass through as
// the control character of the same number.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t fromCp1252(std::uint8_t b) { return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b); }

std::uint8_t toCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return std::uint8_t(c);
    for (size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] == c)
            return std::uint8_t(0x80 + i);
    return '?';
}

void appendUnit(Text& out, char32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(char16_t(0xD800 + (cp >> 10)));
        out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(char16_t(cp));
    }
}

// UTF-8 the way kernel32 decodes it: a broken sequence becomes one U+FFFD for
// the bytes read until it showed itself broken ("ED A0" of an encoded
// surrogate, "E0 80" of an overlong form, "F4 90" past U+10FFFF), and decoding
// goes on from the next byte.
Text decodeUtf8(const std::uint8_t* p, const std::uint8_t* end)
{
    Text out;
    out.reserve(size_t(end - p));
    while (p < end) {
        std::uint8_t lead = *p++;
        if (lead < 0x80) {
            out.push_back(lead);
            continue;
        }
        // C0, C1 and F8..FF lead nothing; F5..F7 fail at their second or third byte.
        const int more = lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xF0 && lead < 0xF8 ? 3 : 0;
        if (more == 0) {
            out.push_back(0xFFFD);
            continue;
        }
        if (end - p < more) { // cut by the end of the file
            out.push_back(0xFFFD);
            break;
        }
        char32_t cp = lead & (more == 1 ? 0x1F : more == 2 ? 0x0F : 0x07);
        bool ok = true;
        for (int left = more - 1; left >= 0 && ok; --left) {
            const std::uint8_t next = *p;
            const char32_t longer = cp << 6 | (next & 0x3F);
            // Past U+10FFFF: the byte that shows it stays for the next character.
            if ((next & 0xC0) != 0x80 || (left == 1 && longer >= 0x110000 >> 6)) {
                ok = false;
                break;
            }
            cp = longer;
            ++p;
            // Overlong forms and surrogates take the byte that shows them along.
            if ((left == 2 && cp < 0x10) || (left == 1 && (cp < 0x20 || (cp >= 0xD800 >> 6 && cp <= 0xDFFF >> 6))) ||
                (left == 0 && cp < 0x80))
                ok = false;
        }
        if (ok)
            appendUnit(out, cp);
        else
            out.push_back(0xFFFD);
    }
    return out;
}

std::vector<std::uint8_t> encodeUtf8(TextView t)
{
    std::vector<std::uint8_t> out;
    out.reserve(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        char32_t cp = t[i];
        if (cp >= 0xD800 && cp < 0xE000) {
            if (cp < 0xDC00 && i + 1 < t.size() && t[i + 1] >= 0xDC00 && t[i + 1] < 0xE000)
                cp = 0x10000 + ((cp - 0xD800) << 10) + (t[++i] - 0xDC00);
            else
                cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        if (cp < 0x80) {
            out.push_back(std::uint8_t(cp));
        } else if (cp < 0x800) {
            out.push_back(std::uint8_t(0xC0 | cp >> 6));
            out.push_back(std::uint8_t(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(std::uint8_t(0xE0 | cp >> 12));
            out.push_back(std::uint8_t(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(std::uint8_t(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(std::uint8_t(0xF0 | cp >> 18));
            out.push_back(std::uint8_t(0x80 | (cp >> 12 & 0x3F)));
            out.push_back(std::uint8_t(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(std::uint8_t(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

Text decodeUtf16(const std::vector<std::uint8_t>& bytes, bool bigEndian)
{
    Text out;
    size_t i = 2;
    for (; i + 1 < bytes.size(); i += 2)
        out.push_back(bigEndian ? char16_t(bytes[i] << 8 | bytes[i + 1]) : char16_t(bytes[i] | bytes[i + 1] << 8));
    // kernel32 reads an odd last byte as a character of its own.
    if (i < bytes.size())
        out.push_back(bytes[i]);
    return out;
}

} // namespace

DecodedIni decodeIni(const std::vector<std::uint8_t>& bytes)
{
    DecodedIni d;
    const size_t n = bytes.size();
    if (n >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        d.encoding = IniEncoding::Utf16LeBom;
        d.text = decodeUtf16(bytes, false);
    } else if (n >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        d.encoding = IniEncoding::Utf16BeBom;
        d.text = decodeUtf16(bytes, true);
    } else if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        d.encoding = IniEncoding::Utf8Bom;
        d.text = decodeUtf8(bytes.data() + 3, bytes.data() + n);
    } else {
        d.text.reserve(n);
        for (std::uint8_t b : bytes)
            d.text.push_back(fromCp1252(b));
    }
    return d;
}

size_t byteOrderMarkSize(IniEncoding encoding)
{
    switch (encoding) {
    case IniEncoding::Utf16LeBom:
    case IniEncoding::Utf16BeBom:
        return 2;
    case IniEncoding::Utf8Bom:
        return 3;
    case IniEncoding::Ansi:
        break;
    }
    return 0;
}

std::vector<std::uint8_t> encodeIni(IniEncoding encoding, TextView text)
{
    std::vector<std::uint8_t> out;
    out.reserve(byteOrderMarkSize(encoding) + encodedSize(encoding, text));
    switch (encoding) {
    case IniEncoding::Utf16LeBom:
        out = {0xFF, 0xFE};
        break;
    case IniEncoding::Utf16BeBom:
        out = {0xFE, 0xFF};
        break;
    case IniEncoding::Utf8Bom:
        out = {0xEF, 0xBB, 0xBF};
        break;
    case IniEncoding::Ansi:
        break;
    }
    appendEncoded(encoding, text, out);
    return out;
}

void appendEncoded(IniEncoding encoding, TextView text, std::vector<std::uint8_t>& out)
{
    const size_t at = out.size();
    switch (encoding) {
    case IniEncoding::Utf16LeBom:
    case IniEncoding::Utf16BeBom: {
        const bool big = encoding == IniEncoding::Utf16BeBom;
        out.resize(at + text.size() * 2);
        std::uint8_t* p = out.data() + at;
        for (char16_t c : text) {
            *p++ = std::uint8_t(big ? c >> 8 : c & 0xFF);
            *p++ = std::uint8_t(big ? c & 0xFF : c >> 8);
        }
        break;
    }
    case IniEncoding::Utf8Bom: {
        const std::vector<std::uint8_t> utf8 = encodeUtf8(text);
        out.insert(out.end(), utf8.begin(), utf8.end());
        break;
    }
    case IniEncoding::Ansi: {
        // Written at every key the profile saves: ASCII, nearly all of it, goes straight through.
        out.resize(at + text.size());
        std::uint8_t* p = out.data() + at;
        for (char16_t c : text)
            *p++ = c < 0x80 ? std::uint8_t(c) : toCp1252(c);
        break;
    }
    }
}

size_t encodedSize(IniEncoding encoding, TextView text)
{
    switch (encoding) {
    case IniEncoding::Utf16LeBom:
    case IniEncoding::Utf16BeBom:
        return text.size() * 2;
    case IniEncoding::Utf8Bom: {
        size_t n = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c < 0x80)
                n += 1;
            else if (c < 0x800)
                n += 2;
            else if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
                n += 4, ++i;
            else
                n += 3; // a lone surrogate is written as U+FFFD
        }
        return n;
    }
    case IniEncoding::Ansi:
        break;
    }
    return text.size();
}

bool encodable(IniEncoding encoding, TextView text)
{
    switch (encoding) {
    case IniEncoding::Utf16LeBom:
    case IniEncoding::Utf16BeBom:
        return true;
    case IniEncoding::Utf8Bom: // a lone surrogate has no UTF-8 form; pairs are left to the slow way too
        return std::none_of(text.begin(), text.end(), [](char16_t c) { return c >= 0xD800 && c < 0xE000; });
    case IniEncoding::Ansi:
        return std::all_of(text.begin(), text.end(), [](char16_t c) { return fromCp1252(toCp1252(c)) == c; });
    }
    return false;
}

} // namespace platform::headless
