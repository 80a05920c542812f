#include "macro/macro_file.h"

#include "keys/key_tables.h"
#include "platform/atomic_save.h"
#include "platform/platform.h"

#include <algorithm>

namespace macro {

namespace {

constexpr size_t kNumberBufferChars = 3; // DAT_VER and macroNum: two digits
constexpr int kNameTokens = 2 * kNameUnits;
constexpr int kEventTokens = 8;
constexpr int kEventBlockTokens = kMaxEvents * kEventTokens;  // 2200
constexpr int kLedTokens = kBlockCount * kBlockBytes;           // 340
constexpr int kBuiltInSlots = 13;

// Mouse buttons 0xF1..0xF3 and keyboard keys change numbering between file
// and memory; pauses and the other pseudo kinds keep their code.
bool keepsItsCode(int code) { return code == 0 || (code >= kind::Button4 && code <= kind::FB); }

std::uint8_t fileCodeOf(std::uint8_t deviceCode, int language)
{
    if (keepsItsCode(deviceCode))
        return deviceCode;
    return std::uint8_t(keys::vkFromDevice(language, deviceCode, keys::kModeKeys));
}

std::uint8_t deviceCodeOf(int fileCode, int language)
{
    if (keepsItsCode(fileCode))
        return std::uint8_t(fileCode);
    return std::uint8_t(keys::deviceFromVk(language, fileCode, keys::kModeKeys));
}

// A number of 0..999 in three digits.
void appendDigits(Text& line, unsigned value)
{
    const char16_t digits[3] = {char16_t(u'0' + value / 100), char16_t(u'0' + value / 10 % 10),
                                char16_t(u'0' + value % 10)};
    line.append(digits, 3);
}

void appendToken(Text& line, unsigned value) { appendDigits(line, value & 0xFF); }

void append16(Text& line, unsigned value)
{
    appendToken(line, value & 0xFF);
    appendToken(line, value >> 8);
}

// Token t: the decimal number the three characters at 3t start with. Past the
// end of the line, empty or not starting with a digit: 0.
class TokenReader {
public:
    explicit TokenReader(TextView line) : line_(line) {}

    int operator[](int t) const
    {
        const size_t at = size_t(t) * 3;
        const size_t end = std::min(at + 3, line_.size());
        int value = 0;
        // A line holds thousands of tokens: one comparison per character.
        for (size_t i = at; i < end; ++i) {
            const unsigned digit = unsigned(line_[i]) - u'0';
            if (digit > 9)
                break;
            value = value * 10 + int(digit);
        }
        return value;
    }
    std::uint8_t byte(int t) const { return std::uint8_t((*this)[t]); }
    // A pair: the first token sets the value, the second adds 256 times itself.
    std::uint16_t word(int t) const { return std::uint16_t((*this)[t] + (*this)[t + 1] * 256); }

private:
    TextView line_;
};

void decodeName(const TokenReader& tokens, char16_t (&name)[kNameUnits])
{
    bool ended = false;
    for (int u = 0; u < kNameUnits; ++u) {
        char16_t unit = char16_t(tokens.byte(2 * u) | tokens.byte(2 * u + 1) << 8);
        // The field always ends in a terminator with zeros after it, whatever
        // the file held.
        if (unit == 0 || u == kNameUnits - 1)
            ended = true;
        name[u] = ended ? 0 : unit;
    }
}

Text fileNumber(const Text& file, const char16_t* section, const char16_t* key)
{
    return platform::os().profile->getString(file, section, key, Text(), kNumberBufferChars);
}

bool writeVersion(const Text& file)
{
    // DAT_VER covers every line of the file: lines written before in an older
    // layout would be misread once it says 3.
    bool ok = upgradeMacroFile(file);
    return platform::os().profile->writeString(file, filekey::Init, filekey::Version, text::fromInt(kFileVersion)) && ok;
}

} // namespace

Text encodeMacroLine(const MacroRecord& r, int language)
{
    Text line;
    line.reserve(kTokenCountV3 * 3);
    for (char16_t unit : r.name) {
        appendToken(line, unit & 0xFF);
        appendToken(line, unit >> 8);
    }
    appendToken(line, r.mode);
    append16(line, r.repeatCount);
    append16(line, r.eventCount);
    append16(line, r.xyCount);
    append16(line, r.f7Count);
    append16(line, r.cpiCount);
    append16(line, r.faCount);
    appendToken(line, r.ledCount);
    appendToken(line, r.fbCount);
    appendToken(line, r.vAdjustSwitch);
    appendToken(line, r.vAdjustValue);
    for (int i = 0; i < 4; ++i)
        appendToken(line, 0); // reserved
    for (int k = 0; k < kMaxEvents; ++k) {
        appendToken(line, r.sub[k]);
        appendToken(line, fileCodeOf(r.code[k], language));
        append16(line, r.param[k].x);
        append16(line, r.param[k].y);
        append16(line, r.delay[k]);
    }
    for (const auto& block : r.ledBlock)
        for (std::uint8_t b : block)
            appendToken(line, b);
    return line;
}

MacroRecord decodeMacroLine(TextView line, int version, int language)
{
    const TokenReader tokens(line);
    const int h = headerTokens(version);
    MacroRecord r{};
    decodeName(tokens, r.name);
    r.mode = tokens.byte(60);
    r.repeatCount = tokens.word(61);
    // Counts that index arrays stay within them, whatever the file says.
    r.eventCount = std::min<std::uint16_t>(tokens.word(63), kMaxEvents);
    r.xyCount = tokens.word(65);
    r.f7Count = tokens.word(67);
    r.cpiCount = tokens.word(69);
    r.faCount = tokens.word(71);
    r.ledCount = std::min<std::uint8_t>(tokens.byte(73), kBlockCount);
    r.fbCount = std::min<std::uint8_t>(tokens.byte(74), kBlockCount);
    if (h == headerTokens(kFileVersion)) {
        r.vAdjustSwitch = tokens.byte(75);
        r.vAdjustValue = tokens.byte(76);
        for (int i = 0; i < 4; ++i)
            r.reserved[i] = tokens.byte(77 + i);
    }
    for (int k = 0; k < kMaxEvents; ++k) {
        const int t = h + k * kEventTokens;
        r.sub[k] = tokens.byte(t);
        r.code[k] = deviceCodeOf(tokens.byte(t + 1), language);
        r.param[k].x = tokens.word(t + 2);
        r.param[k].y = tokens.word(t + 4);
        r.delay[k] = tokens.word(t + 6);
    }
    const int ledStart = h + kEventBlockTokens;
    for (int i = 0; i < kLedTokens; ++i)
        r.ledBlock[i / kBlockBytes][i % kBlockBytes] = tokens.byte(ledStart + i);
    return r;
}

Text decodeMacroName(TextView line)
{
    const TokenReader tokens(line);
    char16_t name[kNameUnits];
    decodeName(tokens, name);
    return Text(name, std::find(name, name + kNameUnits, char16_t(0)));
}

Text upgradeMacroLine(TextView older)
{
    // Token by token: a token cut by the end of the line reads as the number
    // it starts with, so it is written again as that number in three digits
    // ("65" stays 65, where padding with '0' would make it 650). Tokens past
    // the record are dropped; the reader ignores them anyway.
    const TokenReader tokens(older);
    const int header = headerTokens(0);
    const int present = int(std::min<size_t>((older.size() + 2) / 3, size_t(header + kEventBlockTokens + kLedTokens)));
    Text line;
    line.reserve(size_t(std::max(present, header) + 6) * 3);
    // 0..999: three digits keep what the reader saw.
    auto appendAsRead = [&](int t) { appendDigits(line, unsigned(tokens[t])); };
    for (int t = 0; t < header; ++t)
        appendAsRead(t);
    line += u"000000000000000000"; // vAdjustSwitch, vAdjustValue, four reserved
    for (int t = header; t < present; ++t)
        appendAsRead(t);
    return line;
}

bool upgradeMacroFile(const Text& file)
{
    if (!platform::os().files->exists(file) || readFileVersion(file) == kFileVersion)
        return true;
    auto& profile = *platform::os().profile;
    const int version = readFileVersion(file);
    // Group files hold up to 12 lines, "constMacro.dat" 13, single files "Macro";
    // macroNum has at most two digits.
    const int lines = std::clamp(readMacroCount(file), 13, 100);
    bool ok = true;
    auto upgrade = [&](const Text& key) {
        Text line = profile.getString(file, filekey::Macros, key, Text(), lineBufferChars(version));
        if (!line.empty())
            ok = profile.writeString(file, filekey::Macros, key, upgradeMacroLine(line)) && ok;
    };
    for (int i = 0; i < lines; ++i)
        upgrade(text::fromInt(i));
    upgrade(filekey::SingleMacro);
    return ok;
}

int readFileVersion(const Text& file)
{
    return text::toInt(fileNumber(file, filekey::Init, filekey::Version));
}

int readMacroCount(const Text& file)
{
    return text::toInt(fileNumber(file, filekey::Macros, filekey::MacroCount));
}

MacroRecord readMacroLine(const Text& file, int index, int version, int language)
{
    Text line = platform::os().profile->getString(file, filekey::Macros, text::fromInt(index), Text(),
                                                  lineBufferChars(version));
    return decodeMacroLine(line, version, language);
}

namespace {

// The first `limit` macros of a file into records, from one read of its
// [Macros] section: macroNum, but never more than limit. Each value is what
// reading its key alone gives.
template <typename Records>
int readMacros(Records& records, const Text& file, int limit, int language)
{
    const int version = readFileVersion(file);
    const auto entries = platform::os().profile->getSection(file, filekey::Macros, lineBufferChars(version));
    auto value = [&](TextView key) -> TextView {
        for (const platform::ProfileEntry& e : entries)
            if (text::equalsIgnoreCase(e.key, key))
                return e.value;
        return {};
    };
    // A file may claim more macros than there are slots.
    const int count = std::clamp(text::toInt(value(filekey::MacroCount).substr(0, kNumberBufferChars - 1)), 0, limit);
    for (int i = 0; i < count; ++i)
        records[size_t(i)] = decodeMacroLine(value(text::fromInt(i)), version, language);
    return count;
}

} // namespace

std::optional<int> loadGroup(GroupTable& table, const Text& file, int language)
{
    const bool exists = platform::os().files->exists(file);
    int count = 0;
    if (exists)
        count = readMacros(table, file, kMaxMacrosPerGroup, language);
    for (int i = count; i < kMaxMacrosPerGroup; ++i)
        clearRecord(table[i]);
    if (!exists)
        return std::nullopt;
    return count;
}

bool loadBuiltIn(BuiltInTable& table, const Text& file, int language)
{
    table.count = 0;
    for (auto& r : table.records)
        clearRecord(r);
    if (!platform::os().files->exists(file))
        return false;
    table.count = readMacros(table.records, file, kBuiltInSlots, language);
    return true;
}

bool saveMacro(const Text& groupFile, const GroupTable& table, int macroCount, int slot, int language)
{
    if (slot < 0 || slot >= kMaxMacrosPerGroup)
        return false;
    return platform::saveAtomically(groupFile, [&](const Text& file) {
        auto& profile = *platform::os().profile;
        bool ok = writeVersion(file);
        ok = profile.writeString(file, filekey::Macros, filekey::MacroCount, text::fromInt(macroCount)) && ok;
        ok = profile.writeString(file, filekey::Macros, text::fromInt(slot), encodeMacroLine(table[slot], language)) && ok;
        return ok;
    });
}

bool writeGroup(const Text& groupFile, const GroupTable& table, int macroCount, int language)
{
    macroCount = std::clamp(macroCount, 0, kMaxMacrosPerGroup);
    return platform::saveAtomically(groupFile, [&](const Text& file) {
        auto& profile = *platform::os().profile;
        bool ok = writeVersion(file);
        ok = profile.writeString(file, filekey::Macros, filekey::MacroCount, text::fromInt(macroCount)) && ok;
        for (int i = 0; i < macroCount; ++i)
            ok = profile.writeString(file, filekey::Macros, text::fromInt(i), encodeMacroLine(table[i], language)) && ok;
        return ok;
    });
}

bool writeSingle(const Text& file, const MacroRecord& r, int language)
{
    bool ok = writeVersion(file);
    return platform::os().profile->writeString(file, filekey::Macros, filekey::SingleMacro,
                                               encodeMacroLine(r, language)) && ok;
}

bool restoreMacroFile(const Text& file)
{
    // Every file the program writes has its macro count or single line.
    return platform::restoreFromBackup(file, [](const Text& path) {
        auto& profile = *platform::os().profile;
        return !profile.getString(path, filekey::Macros, filekey::MacroCount, Text(), kNumberBufferChars).empty() ||
               !profile.getString(path, filekey::Macros, filekey::SingleMacro, Text(), 2).empty();
    });
}

Text joinPath(const Text& folder, TextView name)
{
    Text path = folder;
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/')
        path += u'\\';
    path += name;
    return path;
}

} // namespace macro
