#include "platform/win32/profile_win.h"

#include "platform/win32/win_util.h"

#include <algorithm>
#include <vector>

namespace platform::win32 {

Text Win32Profile::getString(const Text& file, const Text& section, const Text& key,
                           const Text& defaultValue, size_t bufferChars)
{
    if (bufferChars == 0)
        return Text();
    // The profile functions take a DWORD size; nothing the program reads comes near it.
    DWORD size = bufferChars > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(bufferChars);
    std::vector<wchar_t> buffer(size, L'\0');
    DWORD n = GetPrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), wide(defaultValue).c_str(),
                                       buffer.data(), size, wide(file).c_str());
    if (n >= size)
        n = size - 1;
    return fromWide(buffer.data(), n);
}

namespace {

bool isBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

TextView trimmed(TextView t)
{
    while (!t.empty() && isBlank(wchar_t(t.front())))
        t.remove_prefix(1);
    while (!t.empty() && isBlank(wchar_t(t.back())))
        t.remove_suffix(1);
    return t;
}

} // namespace

std::vector<ProfileEntry> Win32Profile::getSection(const Text& file, const Text& section, size_t valueChars)
{
    // The whole section as "key=value" strings, each ended by a NUL; the call
    // answers the buffer size less two when the section does not fit.
    const std::wstring s = wide(section), f = wide(file);
    std::vector<wchar_t> buffer(size_t(1) << 16);
    DWORD n = 0;
    for (;;) {
        n = GetPrivateProfileSectionW(s.c_str(), buffer.data(), DWORD(buffer.size()), f.c_str());
        if (n + 2 < buffer.size() || buffer.size() >= (size_t(1) << 26))
            break;
        buffer.assign(buffer.size() * 2, L'\0');
    }
    std::vector<ProfileEntry> entries;
    for (size_t at = 0; at < n;) {
        const size_t end = std::find(buffer.begin() + at, buffer.begin() + n, L'\0') - buffer.begin();
        const Text line = fromWide(buffer.data() + at, end - at);
        if (const size_t eq = line.find(u'='); eq != Text::npos)
            entries.push_back({Text(trimmed(TextView(line).substr(0, eq))),
                               profileValueInBuffer(trimmed(TextView(line).substr(eq + 1)), valueChars)});
        at = end + 1;
    }
    return entries;
}

int Win32Profile::getInt(const Text& file, const Text& section, const Text& key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntW(wide(section).c_str(), wide(key).c_str(), defaultValue,
                                                  wide(file).c_str()));
}

bool Win32Profile::writeString(const Text& file, const Text& section, const Text& key, const Text& value)
{
    return WritePrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), wide(value).c_str(),
                                      wide(file).c_str()) != FALSE;
}

bool Win32Profile::deleteKey(const Text& file, const Text& section, const Text& key)
{
    return WritePrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), nullptr, wide(file).c_str()) !=
           FALSE;
}

bool Win32Profile::deleteSection(const Text& file, const Text& section)
{
    return WritePrivateProfileStringW(wide(section).c_str(), nullptr, nullptr, wide(file).c_str()) != FALSE;
}

} // namespace platform::win32
