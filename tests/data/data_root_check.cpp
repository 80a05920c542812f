#include "tests/data/data_root_check.h"

#include <algorithm>

namespace datacheck {

int commaCount(const Text& value)
{
    return static_cast<int>(std::count(value.begin(), value.end(), u','));
}

namespace {

std::vector<Text> pieces(const Text& value)
{
    std::vector<Text> out(1);
    for (char16_t c : value) {
        if (c == u',')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

} // namespace

std::array<Text, 7> splitMain(const Text& value)
{
    std::array<Text, 7> f;
    int commas = commaCount(value);
    auto p = pieces(value);
    if (commas >= 5) {
        for (size_t k = 0; k < 7 && k < p.size(); ++k)
            f[k] = p[k];
    } else if (commas == 1 || commas == 2) {
        f[0] = p[0];
        f[1] = p[1];
        // the last of the three fields keeps the rest of the value
        if (p.size() > 2)
            f[2] = value.substr(p[0].size() + p[1].size() + 2);
    } else {
        f[0] = value;
    }
    return f;
}

std::array<Text, 7> splitDialog(const Text& value, bool* tooManyCommas)
{
    std::array<Text, 7> f;
    int commas = commaCount(value);
    if (tooManyCommas)
        *tooManyCommas = commas > 6;
    if (commas == 0) {
        f[0] = value;
        return f;
    }
    // field k runs up to comma k + 1; without that comma the field is empty
    size_t start = 0;
    for (int k = 0; k < 6; ++k) {
        size_t comma = value.find(u',', start);
        if (comma == Text::npos)
            return f;
        f[k] = value.substr(start, comma - start);
        start = comma + 1;
    }
    f[6] = value.substr(start);
    return f;
}

Text languageText(const Text& value)
{
    return splitMain(value)[0];
}

std::optional<PictureSize> pictureSize(const std::vector<std::uint8_t>& b)
{
    auto be16 = [&](size_t i) { return (b[i] << 8) | b[i + 1]; };
    auto be32 = [&](size_t i) {
        return static_cast<int>((std::uint32_t(b[i]) << 24) | (b[i + 1] << 16) | (b[i + 2] << 8) | b[i + 3]);
    };
    static const std::uint8_t pngSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() >= 33 && std::equal(pngSig, pngSig + 8, b.begin())) {
        if (b[12] != 'I' || b[13] != 'H' || b[14] != 'D' || b[15] != 'R')
            return std::nullopt;
        PictureSize s{be32(16), be32(20), b[25] == 6 || b[25] == 4};
        return s;
    }
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return std::nullopt;
    size_t i = 2;
    while (i + 9 < b.size()) {
        if (b[i] != 0xFF)
            return std::nullopt;
        std::uint8_t marker = b[i + 1];
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        size_t len = be16(i + 2);
        bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof)
            return PictureSize{be16(i + 7), be16(i + 5), false};
        i += 2 + len;
    }
    return std::nullopt;
}

namespace {

constexpr int kEvents = 275;
constexpr int kTokens = 2621;

} // namespace

std::optional<DecodedMacro> decodeMacroLine(const std::string& line, std::string* why)
{
    if (line.size() != kTokens * 3) {
        *why = "line of " + std::to_string(line.size()) + " characters, not " + std::to_string(kTokens * 3);
        return std::nullopt;
    }
    std::vector<int> t(kTokens);
    for (int k = 0; k < kTokens; ++k) {
        int v = 0;
        for (int j = 0; j < 3; ++j) {
            char c = line[k * 3 + j];
            if (c < '0' || c > '9') {
                *why = "token " + std::to_string(k) + " is not three digits";
                return std::nullopt;
            }
            v = v * 10 + (c - '0');
        }
        if (v > 255) {
            *why = "token " + std::to_string(k) + " is " + std::to_string(v);
            return std::nullopt;
        }
        t[k] = v;
    }
    DecodedMacro m;
    for (int u = 0; u < 30; ++u) {
        char16_t c = static_cast<char16_t>(t[2 * u] | (t[2 * u + 1] << 8));
        if (c == 0) {
            m.nameTerminated = true;
            break;
        }
        m.name += c;
    }
    auto w16 = [&](int i) { return t[i] | (t[i + 1] << 8); };
    m.mode = t[60];
    m.repeatCount = w16(61);
    m.eventCount = w16(63);
    m.xyCount = w16(65);
    m.f7Count = w16(67);
    m.cpiCount = w16(69);
    m.faCount = w16(71);
    m.ledCount = t[73];
    m.fbCount = t[74];
    m.vAdjustSwitch = t[75];
    m.vAdjustValue = t[76];
    for (int k = 0; k < kEvents; ++k) {
        int b = 81 + 8 * k;
        m.events.push_back({t[b + 1], t[b], w16(b + 2), w16(b + 4), w16(b + 6)});
    }
    for (int blk = 0; blk < 5; ++blk)
        for (int j = 0; j < 68; ++j)
            m.ledBlocks[blk][j] = t[2281 + 68 * blk + j];
    return m;
}

std::vector<std::string> macroProblems(const DecodedMacro& m)
{
    std::vector<std::string> out;
    auto say = [&](const std::string& s) { out.push_back(s); };
    if (!m.nameTerminated)
        say("name has no terminator within 30 units");
    if (m.name.empty())
        say("name is empty");
    if (m.eventCount > kEvents) {
        say("event count " + std::to_string(m.eventCount));
        return out;
    }
    int cycle = m.mode & 3;
    if (cycle == 3 || (m.mode & ~0x0F))
        say("mode " + std::to_string(m.mode));
    if (cycle == 0 && (m.repeatCount < 1 || m.repeatCount > 1000))
        say("repeat count " + std::to_string(m.repeatCount) + " in cycle mode 0");
    if (cycle != 0 && m.repeatCount != 1)
        say("repeat count " + std::to_string(m.repeatCount) + " in cycle mode " + std::to_string(cycle));

    int xy = 0, f7 = 0, cpi = 0, fa = 0, led = 0, fb = 0;
    for (int k = 0; k < m.eventCount; ++k) {
        const MacroEvent& e = m.events[k];
        std::string at = "event " + std::to_string(k) + ": ";
        switch (e.code) {
        case 0xF6:
            ++xy;
            if (e.sub < 3 || e.sub > 6)
                say(at + "XY move direction " + std::to_string(e.sub));
            if (e.x > 100 || e.y > 100)
                say(at + "XY amount above 100");
            break;
        case 0xF7: ++f7; break;
        case 0xF8:
            ++cpi;
            if (e.sub != 9 && e.sub != 10)
                say(at + "CPI sub " + std::to_string(e.sub));
            if (e.sub == 9 && (e.x < 1 || e.x > 15))
                say(at + "CPI level code " + std::to_string(e.x));
            break;
        case 0xF9:
            if (e.x != led)
                say(at + "LED block index " + std::to_string(e.x) + ", expected " + std::to_string(led));
            if (e.sub < 13 || e.sub > 15)
                say(at + "LED sub " + std::to_string(e.sub));
            ++led;
            break;
        case 0xFA: ++fa; break;
        case 0xFB:
            if (e.x != fb)
                say(at + "FB block index " + std::to_string(e.x));
            ++fb;
            break;
        case 0:
            if (e.sub != 0)
                say(at + "pause item with sub " + std::to_string(e.sub));
            break;
        default:
            // keyboard keys (HID usages 4..231) and the mouse buttons 0xF1..0xF5
            if (e.sub != 1 && e.sub != 2)
                say(at + "key event with sub " + std::to_string(e.sub));
            if (e.code < 4 || (e.code > 231 && e.code < 0xF1))
                say(at + "code " + std::to_string(e.code) + " is no key of the mouse");
        }
    }
    auto count = [&](const char* what, int stored, int found, int limit) {
        if (stored != found)
            say(std::string(what) + " count " + std::to_string(stored) + " but " + std::to_string(found) + " events");
        if (found > limit)
            say(std::string(what) + " events above the limit of " + std::to_string(limit));
    };
    count("XY", m.xyCount, xy, 50);
    count("F7", m.f7Count, f7, 5);
    count("CPI", m.cpiCount, cpi, 5);
    count("FA", m.faCount, fa, 5);
    count("LED", m.ledCount, led, 5);
    count("FB", m.fbCount, fb, 5);
    for (int blk = 0; blk < 5; ++blk) {
        const auto& b = m.ledBlocks[blk];
        bool zero = std::all_of(b.begin(), b.end(), [](int v) { return v == 0; });
        if (blk >= m.ledCount && !zero)
            say("LED block " + std::to_string(blk) + " is not empty beyond the LED count");
        if (blk < m.ledCount && blk < 5) {
            if (b[0] != 1)
                say("LED block " + std::to_string(blk) + " has " + std::to_string(b[0]) + " steps");
            if (b[5] < 1 || b[5] > 7)
                say("LED block " + std::to_string(blk) + " colour " + std::to_string(b[5]));
        }
    }
    for (int k = m.eventCount; k < kEvents; ++k) {
        const MacroEvent& e = m.events[k];
        if (e.code || e.sub || e.x || e.y || e.delay) {
            say("slot " + std::to_string(k) + " beyond the event count is not empty");
            break;
        }
    }
    return out;
}

} // namespace datacheck
