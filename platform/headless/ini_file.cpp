#include "platform/headless/ini_file.h"

#include <algorithm>

namespace platform::headless {

namespace {

// ^Z (end of file in DOS text) counts as a blank too.
bool isBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x1A; }

// Names and values are C strings once read: a NUL ends them.
Text upToNul(TextView t) { return Text(t.substr(0, std::min(t.find(u'\0'), t.size()))); }

TextView withoutLeadingBlanks(TextView t)
{
    size_t b = 0;
    while (b < t.size() && isBlank(t[b]))
        ++b;
    return t.substr(b);
}

// Section and key names compare without case in ASCII only.
bool sameName(TextView a, TextView b)
{
    auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                               [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

// A name written as it is read: printable ASCII, no blank at either end, no
// '=' and no '[' to start it (that line could read as a header).
bool plainName(TextView n)
{
    return !n.empty() && n.front() != u'[' && n.front() != u' ' && n.back() != u' ' &&
           std::all_of(n.begin(), n.end(), [](char16_t c) { return c >= 0x20 && c < 0x7F && c != u'='; });
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
    DecodedIni decoded = decodeIni(bytes);
    ini.encoding = decoded.encoding;
    const TextView content = decoded.text;

    size_t start = 0;
    while (start < content.size()) {
        // CR, LF, or any run of them ends a line; blank lines are dropped.
        size_t end = content.find_first_of(u"\r\n", start);
        if (end == TextView::npos)
            end = content.size();
        const Text line = trimmed(content.substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        const size_t close = line.rfind(u']');
        if (line[0] == u'[' && close != Text::npos) {
            // The name runs to the last ']'; what follows it is ignored.
            ini.sections_.push_back(Section{trimmed(upToNul(TextView(line).substr(1, close - 1))), {}});
            continue;
        }
        Entry entry;
        const size_t eq = line.find(u'=');
        // kernel32 keeps a line that starts with '=' only when the key before it
        // in the section has a name: of a run of nameless keys the first stays.
        std::vector<Entry>& entries = ini.sections_.back().entries;
        if (eq == 0 && !entries.empty() && entries.back().name.empty())
            continue;
        if (eq == Text::npos) {
            entry.name = trimmed(upToNul(line));
        } else {
            entry.name = trimmed(upToNul(TextView(line).substr(0, eq)));
            entry.value = trimmed(upToNul(TextView(line).substr(eq + 1)));
        }
        entries.push_back(std::move(entry));
    }
    return ini;
}

// A section without a name has no header, so "[]" does not survive a write.
Text IniFile::headerLine(const Section& section)
{
    return section.name.empty() ? Text() : u"[" + section.name + u"]\r\n";
}

Text IniFile::entryLine(const Entry& entry)
{
    Text line = entry.name;
    if (entry.value)
        line.append(u"=").append(*entry.value);
    return line += u"\r\n";
}

// The bytes of entryLine(entry): each of '=', CR and LF takes as many as a blank.
size_t IniFile::lineSize(const Entry& entry) const
{
    const size_t ascii = encodedSize(encoding, u" ");
    return encodedSize(encoding, entry.name) + (entry.value ? ascii + encodedSize(encoding, *entry.value) : 0) + 2 * ascii;
}

std::vector<std::uint8_t> IniFile::serialize() const
{
    size_t size = 0;
    for (const Section& section : sections_) {
        size += section.name.size() + 4;
        for (const Entry& entry : section.entries)
            size += entry.name.size() + (entry.value ? entry.value->size() + 1 : 0) + 2;
    }
    Text content;
    content.reserve(size);
    for (const Section& section : sections_) {
        if (!section.name.empty())
            content.append(u"[").append(section.name).append(u"]\r\n");
        for (const Entry& entry : section.entries) {
            content += entry.name;
            if (entry.value)
                content.append(u"=").append(*entry.value);
            content += u"\r\n";
        }
    }
    return encodeIni(encoding, content);
}

std::vector<std::uint8_t> IniFile::serializeSection(size_t index) const
{
    const Section& section = sections_.at(index);
    std::vector<std::uint8_t> out;
    appendEncoded(encoding, headerLine(section), out);
    for (const Entry& entry : section.entries)
        appendEncoded(encoding, entryLine(entry), out);
    return out;
}

IniFile::Section* IniFile::findSection(TextView name)
{
    const Text wanted = trimmed(name);
    for (Section& section : sections_)
        if (sameName(section.name, wanted))
            return &section;
    return nullptr;
}

IniFile::Entry* IniFile::findEntry(Section& section, TextView key)
{
    const Text wanted = trimmed(key);
    for (Entry& entry : section.entries)
        if (sameName(entry.name, wanted))
            return &entry;
    return nullptr;
}

std::optional<Text> IniFile::find(TextView section, TextView key) const
{
    Section* s = const_cast<IniFile*>(this)->findSection(section);
    Entry* e = s ? findEntry(*s, key) : nullptr;
    return e ? e->value : std::nullopt;
}

std::vector<std::pair<Text, Text>> IniFile::entries(TextView section) const
{
    std::vector<std::pair<Text, Text>> out;
    if (const Section* s = const_cast<IniFile*>(this)->findSection(section))
        for (const Entry& e : s->entries)
            if (e.value)
                out.emplace_back(e.name, *e.value);
    return out;
}

bool IniFile::set(TextView section, TextView key, TextView value, Edit* edit)
{
    // Leading blanks of names and value are dropped, trailing ones kept until the next read.
    const Text stored(withoutLeadingBlanks(value));
    Section* s = findSection(section);
    const bool newSection = !s;
    if (newSection) {
        sections_.push_back(Section{Text(withoutLeadingBlanks(section)), {}});
        s = &sections_.back();
    }
    Entry* e = findEntry(*s, key);
    if (e && e->value == stored)
        return false;
    if (edit) {
        edit->section = size_t(s - sections_.data());
        edit->offset = s->name.empty() ? 0 : encodedSize(encoding, s->name) + 4 * encodedSize(encoding, u" ");
        for (const Entry* before = s->entries.data(); before != (e ? e : s->entries.data() + s->entries.size()); ++before)
            edit->offset += lineSize(*before);
        edit->removed = e ? lineSize(*e) : 0;
        if (newSection)
            edit->offset = 0;
    }
    if (e)
        e->value = stored;
    else
        e = &s->entries.emplace_back(Entry{Text(withoutLeadingBlanks(key)), stored});
    if (edit) {
        edit->added.clear();
        if (newSection)
            appendEncoded(encoding, headerLine(*s), edit->added);
        appendEncoded(encoding, entryLine(*e), edit->added);
    }
    return true;
}

bool IniFile::setKeepsParse(TextView section, TextView key, TextView value) const
{
    if (!plainName(section) || !plainName(key) || !encodable(encoding, value))
        return false;
    if (!value.empty() && (isBlank(value.front()) || isBlank(value.back())))
        return false;
    return std::none_of(value.begin(), value.end(), [](char16_t c) { return c < 0x20; });
}

bool IniFile::removeKey(TextView section, TextView key)
{
    Section* s = findSection(section);
    Entry* e = s ? findEntry(*s, key) : nullptr;
    if (!e)
        return false;
    s->entries.erase(s->entries.begin() + (e - s->entries.data()));
    return true;
}

bool IniFile::removeSection(TextView section)
{
    Section* s = findSection(section);
    if (!s)
        return false;
    if (s == &sections_.front() && s->name.empty())
        s->entries.clear(); // the part before the first header stays first
    else
        sections_.erase(sections_.begin() + (s - sections_.data()));
    return true;
}

} // namespace platform::headless
