#pragma once
// INI files with the Windows profile-function semantics the program relies on:
// one key per call, a fixed read buffer that cuts longer values, defaults for
// missing files, sections and keys, case-insensitive names, and files kept in
// their encoding (UTF-16LE with BOM, or ANSI/UTF-8) when written.
#include "platform/text.h"

namespace platform {

class Profile {
public:
    virtual ~Profile() = default;

    // GetPrivateProfileStringW: at most bufferChars - 1 characters come back.
    // Surrounding blanks are trimmed and one pair of enclosing quotes removed.
    virtual Text getString(const Text& file, const Text& section, const Text& key,
                           const Text& defaultValue, size_t bufferChars) = 0;
    // GetPrivateProfileIntW: the leading decimal number, or the default when the key is missing.
    virtual int getInt(const Text& file, const Text& section, const Text& key, int defaultValue) = 0;
    // WritePrivateProfileStringW: creates file, section and key as needed.
    virtual bool writeString(const Text& file, const Text& section, const Text& key, const Text& value) = 0;
    // WritePrivateProfileStringW with a null value / null key.
    virtual bool deleteKey(const Text& file, const Text& section, const Text& key) = 0;
    virtual bool deleteSection(const Text& file, const Text& section) = 0;
};

} // namespace platform
