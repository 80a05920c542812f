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
    auto bytes = files_.readFile(file);
    std::optional<Text> value = bytes ? parsed(file, std::move(*bytes)).ini.find(section, key) : std::nullopt;
    if (!value)
        return Text(TextView(def).substr(0, bufferChars ? bufferChars - 1 : 0));
    return copyToBuffer(*value, bufferChars);
}

std::vector<ProfileEntry> HeadlessProfile::getSection(const Text& file, const Text& section, size_t valueChars)
{
    std::lock_guard lock(mutex_);
    std::vector<ProfileEntry> out;
    auto bytes = files_.readFile(file);
    if (!bytes)
        return out;
    for (const auto& [key, value] : parsed(file, std::move(*bytes)).ini.entries(section))
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

HeadlessProfile::Held& HeadlessProfile::parsed(const Text& file, std::vector<std::uint8_t>&& bytes)
{
    auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.file == file; });
    if (it == held_.end()) {
        // A save writes a copy and puts it in the file's place: the copy's
        // parse serves the file it became.
        auto same = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.bytes == bytes; });
        const bool parsedAlready = same != held_.end();
        Held entry{file, {}, {}, {}};
        if (parsedAlready) {
            entry.ini = same->ini;
            entry.writesBack = same->writesBack;
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
    it->writesBack.reset();
    return *it;
}

void HeadlessProfile::forget(const Text& file)
{
    std::erase_if(held_, [&](const Held& h) { return h.file == file; });
}

bool HeadlessProfile::writeString(const Text& file, const Text& section, const Text& key, const Text& value)
{
    std::lock_guard lock(mutex_);
    auto bytes = files_.readFile(file);
    if (!bytes) {
        IniFile ini;
        ini.set(section, key, value);
        return files_.writeFile(file, ini.serialize());
    }
    Held& held = parsed(file, std::move(*bytes));
    if (!held.writesBack)
        held.writesBack = held.ini.serialize() == held.bytes;
    const bool keepsParse = *held.writesBack && held.ini.setKeepsParse(section, key, value);
    if (!held.ini.set(section, key, value))
        return true; // the same value is not written again
    std::vector<std::uint8_t> written = held.ini.serialize();
    if (!keepsParse) {
        forget(file); // what is held differs from what the file now reads
        return files_.writeFile(file, written);
    }
    held.bytes = written;
    if (!files_.writeFile(file, written)) {
        forget(file);
        return false;
    }
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
