#include "platform/headless/ini_file.h"

namespace platform::headless {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// "[name]" → name, trimmed; nullopt when the line is not a section header.
std::optional<Text> headerName(TextView line)
{
    Text t = trimmed(line);
    if (t.empty() || t[0] != u'[')
        return std::nullopt;
    size_t close = t.find(u']');
    if (close == Text::npos)
        return std::nullopt;
    return trimmed(TextView(t).substr(1, close - 1));
}

// Splits "key = value" at the first '='; nullopt for lines without one.
std::optional<std::pair<Text, Text>> keyValue(TextView line)
{
    size_t eq = line.find(u'=');
    if (eq == TextView::npos)
        return std::nullopt;
    return std::make_pair(trimmed(line.substr(0, eq)), trimmed(line.substr(eq + 1)));
}

bool isComment(TextView line)
{
    Text t = trimmed(line);
    return !t.empty() && t[0] == u';';
}

} // namespace

Text trimmed(TextView t)
{
    size_t b = 0, e = t.size();
    while (b < e && isBlank(t[b]))
        ++b;
    while (e > b && isBlank(t[e - 1]))
        --e;
    return Text(t.substr(b, e - b));
}

IniFile IniFile::parse(const std::vector<std::uint8_t>& bytes)
{
    IniFile ini;
    Text content;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        ini.encoding = IniEncoding::Utf16LeBom;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            content.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    } else {
        std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (raw.size() >= 3 && raw.substr(0, 3) == "\xEF\xBB\xBF") {
            ini.encoding = IniEncoding::Utf8Bom;
            raw.remove_prefix(3);
        }
        content = text::isValidUtf8(raw) ? text::fromUtf8(raw) : text::fromLatin1(raw);
    }
    // A NUL ends the text, as it would for the C string the OS reads.
    size_t nul = content.find(u'\0');
    if (nul != Text::npos)
        content.resize(nul);

    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find(u'\n', start);
        if (end == Text::npos)
            end = content.size();
        Text line = content.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r')
            line.pop_back();
        ini.lines_.push_back(std::move(line));
        start = end + 1;
    }
    return ini;
}

std::vector<std::uint8_t> IniFile::serialize() const
{
    Text content;
    for (const Text& line : lines_) {
        content += line;
        content += u"\r\n";
    }
    std::vector<std::uint8_t> out;
    if (encoding == IniEncoding::Utf16LeBom) {
        out.reserve(2 + content.size() * 2);
        out.push_back(0xFF);
        out.push_back(0xFE);
        for (char16_t c : content) {
            out.push_back(static_cast<std::uint8_t>(c & 0xFF));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        return out;
    }
    if (encoding == IniEncoding::Utf8Bom)
        out = {0xEF, 0xBB, 0xBF};
    std::string utf8 = text::toUtf8(content);
    out.insert(out.end(), utf8.begin(), utf8.end());
    return out;
}

int IniFile::findSection(TextView section) const
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = headerName(lines_[i]);
        if (name && text::equalsIgnoreCase(*name, trimmed(section)))
            return static_cast<int>(i);
    }
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    size_t i = header + 1;
    while (i < lines_.size() && !headerName(lines_[i]))
        ++i;
    return static_cast<int>(i);
}

int IniFile::findKey(int header, TextView key) const
{
    int end = sectionEnd(header);
    Text wanted = trimmed(key);
    for (int i = header + 1; i < end; ++i) {
        if (isComment(lines_[i]))
            continue;
        auto kv = keyValue(lines_[i]);
        if (kv && text::equalsIgnoreCase(kv->first, wanted))
            return i;
    }
    return -1;
}

std::optional<Text> IniFile::find(TextView section, TextView key) const
{
    int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    int line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    return keyValue(lines_[line])->second;
}

void IniFile::set(TextView section, TextView key, TextView value)
{
    Text entry = trimmed(key) + u"=" + Text(value);
    int header = findSection(section);
    if (header < 0) {
        lines_.push_back(u"[" + trimmed(section) + u"]");
        lines_.push_back(entry);
        return;
    }
    int line = findKey(header, key);
    if (line >= 0) {
        lines_[line] = entry;
        return;
    }
    // New key after the section's last non-blank line.
    int end = sectionEnd(header);
    int at = end;
    while (at > header + 1 && trimmed(lines_[at - 1]).empty())
        --at;
    lines_.insert(lines_.begin() + at, entry);
}

bool IniFile::removeKey(TextView section, TextView key)
{
    int header = findSection(section);
    if (header < 0)
        return false;
    int line = findKey(header, key);
    if (line < 0)
        return false;
    lines_.erase(lines_.begin() + line);
    return true;
}

bool IniFile::removeSection(TextView section)
{
    int header = findSection(section);
    if (header < 0)
        return false;
    lines_.erase(lines_.begin() + header, lines_.begin() + sectionEnd(header));
    return true;
}

} // namespace platform::headless
