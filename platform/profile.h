#pragma once
// INI files with the Windows profile-function semantics the program relies on:
// one key per call, a fixed read buffer that cuts longer values, defaults for
// missing files, sections and keys, case-insensitive names, and files kept in
// their encoding (UTF-16LE with BOM, or ANSI/UTF-8) when written.
#include "platform/text.h"

#include <vector>

namespace platform {

struct ProfileEntry {
    Text key;
    Text value;
};

// A value as the profile functions hand it out through a buffer of
// bufferChars: one pair of enclosing quotes removed, cut to the buffer (a
// quoted value that exactly fills it loses its last character instead).
Text profileValueInBuffer(TextView trimmedValue, size_t bufferChars);

class Profile {
public:
    virtual ~Profile() = default;

    // GetPrivateProfileStringW: at most bufferChars - 1 characters come back.
    // Surrounding blanks are trimmed and one pair of enclosing quotes removed.
    virtual Text getString(const Text& file, const Text& section, const Text& key,
                           const Text& defaultValue, size_t bufferChars) = 0;
    // GetPrivateProfileSectionW: every key of the section that has a value, in
    // file order (a repeated key more than once: the first is the one
    // getString finds), each value as getString would give it through a
    // buffer of valueChars. One read for a section of many keys.
    virtual std::vector<ProfileEntry> getSection(const Text& file, const Text& section, size_t valueChars) = 0;
    // GetPrivateProfileIntW: the leading decimal number, or the default when the key is missing.
    virtual int getInt(const Text& file, const Text& section, const Text& key, int defaultValue) = 0;
    // WritePrivateProfileStringW: creates file, section and key as needed.
    virtual bool writeString(const Text& file, const Text& section, const Text& key, const Text& value) = 0;
    // WritePrivateProfileStringW with a null value / null key.
    virtual bool deleteKey(const Text& file, const Text& section, const Text& key) = 0;
    virtual bool deleteSection(const Text& file, const Text& section) = 0;
};

} // namespace platform
