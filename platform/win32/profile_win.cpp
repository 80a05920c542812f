#include "platform/win32/profile_win.h"

#include "platform/win32/win_util.h"

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
