#include "platform/headless/profile_headless.h"

#include "platform/headless/ini_file.h"

namespace platform::headless {

namespace {

Text cutToBuffer(Text value, size_t bufferChars)
{
    if (bufferChars == 0)
        return Text();
    if (value.size() > bufferChars - 1)
        value.resize(bufferChars - 1);
    return value;
}

Text withoutQuotes(Text v)
{
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
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
    if (!bytes)
        return cutToBuffer(def, bufferChars);
    auto value = IniFile::parse(*bytes).find(section, key);
    return cutToBuffer(value ? withoutQuotes(*value) : def, bufferChars);
}

int HeadlessProfile::getInt(const Text& file, const Text& section, const Text& key, int defaultValue)
{
    Text value = getString(file, section, key, Text(), 1024);
    if (value.empty())
        return defaultValue;
    return text::toInt(value);
}

bool HeadlessProfile::writeString(const Text& file, const Text& section, const Text& key, const Text& value)
{
    std::lock_guard lock(mutex_);
    auto bytes = files_.readFile(file);
    IniFile ini = bytes ? IniFile::parse(*bytes) : IniFile();
    ini.set(section, key, value);
    return files_.writeFile(file, ini.serialize());
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
