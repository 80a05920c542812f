#include "platform/headless/profile_headless.h"

#include "platform/headless/ini_file.h"

#include <algorithm>
#include <cstdint>

namespace platform::headless {

namespace {

Text copyToBuffer(TextView value, size_t bufferChars) { return profileValueInBuffer(value, bufferChars); }

// kernel32 reads a number through a 30-character buffer.
constexpr size_t kIntBufferChars = 30;

// GetPrivateProfileIntW converts like RtlUnicodeStringToInteger with base 0:
// leading blanks, a sign, then "0x", "0o" or "0b" (lower case only) choose
// the base; digits up to the first that does not fit; 32-bit wrap-around.
int profileInt(TextView v)
{
    size_t i = 0;
    while (i < v.size() && v[i] <= u' ')
        ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == u'+' || v[i] == u'-'))
        negative = v[i++] == u'-';
    unsigned base = 10;
    if (i + 1 < v.size() && v[i] == u'0') {
        if (v[i + 1] == u'x')
            base = 16;
        else if (v[i + 1] == u'o')
            base = 8;
        else if (v[i + 1] == u'b')
            base = 2;
        if (base != 10)
            i += 2;
    }
    std::uint32_t value = 0;
    for (; i < v.size(); ++i) {
        char16_t c = v[i];
        unsigned digit = c >= u'0' && c <= u'9'   ? c - u'0'
                         : c >= u'a' && c <= u'f' ? c - u'a' + 10
                         : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                  : 99;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return static_cast<int>(negative ? 0u - value : value);
}

} // namespace

Text HeadlessProfile::getString(const Text& file, const Text& section, const Text& key,
                                const Text& defaultValue, size_t bufferChars)
{
    std::lock_guard lock(mutex_);
    // Windows drops trailing blanks of the default too.
    Text def = defaultValue;
    while (!def.empty() && def.back() == u' ')
        def.pop_back();
    const Held* held = current(file);
    std::optional<Text> value = held ? held->ini.find(section, key) : std::nullopt;
    if (!value)
        return Text(TextView(def).substr(0, bufferChars ? bufferChars - 1 : 0));
    return copyToBuffer(*value, bufferChars);
}

std::vector<ProfileEntry> HeadlessProfile::getSection(const Text& file, const Text& section, size_t valueChars)
{
    std::lock_guard lock(mutex_);
    std::vector<ProfileEntry> out;
    if (const Held* held = current(file))
        for (const auto& [key, value] : held->ini.entries(section))
            out.push_back({key, copyToBuffer(value, valueChars)});
    return out;
}

int HeadlessProfile::getInt(const Text& file, const Text& section, const Text& key, int defaultValue)
{
    Text value = getString(file, section, key, Text(), kIntBufferChars);
    if (value.empty())
        return defaultValue;
    return profileInt(value);
}

HeadlessProfile::Held* HeadlessProfile::current(const Text& file)
{
    // Taken before the read: a write in between makes it older than the bytes, never newer.
    const std::optional<std::uint64_t> version = files_.version(file);
    if (version) {
        auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.file == file; });
        if (it != held_.end() && it->version == version) {
            std::rotate(held_.begin(), it, it + 1);
            return &held_.front();
        }
    }
    auto bytes = files_.readFile(file);
    if (!bytes)
        return nullptr;
    Held& held = parsed(file, std::move(*bytes));
    held.version = version;
    return &held;
}

HeadlessProfile::Held& HeadlessProfile::parsed(const Text& file, std::vector<std::uint8_t>&& bytes)
{
    auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.file == file; });
    if (it == held_.end()) {
        // A save writes a copy and puts it in the file's place: the copy's
        // parse serves the file it became.
        auto same = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.bytes == bytes; });
        const bool parsedAlready = same != held_.end();
        Held entry{file, {}, {}, {}, {}};
        if (parsedAlready) {
            entry.ini = same->ini;
            entry.sectionEnds = same->sectionEnds;
            entry.bytes = std::move(bytes);
        }
        if (held_.size() >= kHeldFiles)
            held_.pop_back();
        it = held_.insert(held_.begin(), std::move(entry));
        if (parsedAlready)
            return *it;
    } else {
        std::rotate(held_.begin(), it, it + 1);
        it = held_.begin();
        if (it->bytes == bytes)
            return *it;
    }
    it->ini = IniFile::parse(bytes);
    it->bytes = std::move(bytes);
    it->sectionEnds.reset();
    return *it;
}

const std::vector<size_t>& HeadlessProfile::layOut(Held& held)
{
    if (held.sectionEnds)
        return *held.sectionEnds;
    std::vector<size_t> ends;
    size_t at = byteOrderMarkSize(held.ini.encoding);
    bool same = at <= held.bytes.size();
    for (size_t i = 0; same && i < held.ini.sectionCount(); ++i) {
        const std::vector<std::uint8_t> part = held.ini.serializeSection(i);
        same = part.size() <= held.bytes.size() - at && std::equal(part.begin(), part.end(), held.bytes.begin() + at);
        at += part.size();
        ends.push_back(at);
    }
    if (!same || at != held.bytes.size())
        ends.clear();
    return *(held.sectionEnds = std::move(ends));
}

void HeadlessProfile::forget(const Text& file)
{
    std::erase_if(held_, [&](const Held& h) { return h.file == file; });
}

bool HeadlessProfile::writeString(const Text& file, const Text& section, const Text& key, const Text& value)
{
    std::lock_guard lock(mutex_);
    Held* held = current(file);
    if (!held) {
        IniFile ini;
        ini.set(section, key, value);
        return files_.writeFile(file, ini.serialize());
    }
    const bool keepsParse = !layOut(*held).empty() && held->ini.setKeepsParse(section, key, value);
    IniFile::Edit edit;
    if (!held->ini.set(section, key, value, keepsParse ? &edit : nullptr))
        return true; // the same value is not written again
    if (!keepsParse) {
        std::vector<std::uint8_t> written = held->ini.serialize();
        forget(file); // what is held differs from what the file now reads
        return files_.writeFile(file, written);
    }
    std::vector<size_t>& ends = *held->sectionEnds;
    if (edit.section == ends.size())
        ends.push_back(held->bytes.size());
    const size_t at = (edit.section ? ends[edit.section - 1] : byteOrderMarkSize(held->ini.encoding)) + edit.offset;
    auto& bytes = held->bytes;
    const auto removedEnd = bytes.begin() + std::ptrdiff_t(at + edit.removed);
    const size_t common = std::min(edit.removed, edit.added.size());
    std::copy_n(edit.added.begin(), common, bytes.begin() + std::ptrdiff_t(at));
    if (edit.added.size() > edit.removed)
        bytes.insert(removedEnd, edit.added.begin() + std::ptrdiff_t(common), edit.added.end());
    else
        bytes.erase(bytes.begin() + std::ptrdiff_t(at + common), removedEnd);
    for (size_t i = edit.section; i < ends.size(); ++i)
        ends[i] = ends[i] + edit.added.size() - edit.removed;
    if (!files_.writeFile(file, bytes)) {
        forget(file);
        return false;
    }
    held->version = files_.version(file);
    return true;
}

bool HeadlessProfile::deleteKey(const Text& file, const Text& section, const Text& key)
{
    std::lock_guard lock(mutex_);
    auto bytes = files_.readFile(file);
    if (!bytes)
        return true;
    IniFile ini = IniFile::parse(*bytes);
    if (!ini.removeKey(section, key))
        return true;
    return files_.writeFile(file, ini.serialize());
}

bool HeadlessProfile::deleteSection(const Text& file, const Text& section)
{
    std::lock_guard lock(mutex_);
    auto bytes = files_.readFile(file);
    if (!bytes)
        return true;
    IniFile ini = IniFile::parse(*bytes);
    if (!ini.removeSection(section))
        return true;
    return files_.writeFile(file, ini.serialize());
}

} // namespace platform::headless
