#pragma once
#include "platform/profile.h"

namespace platform::win32 {

// The kernel32 profile functions.
class Win32Profile : public Profile {
public:
    Text getString(const Text& file, const Text& section, const Text& key,
                   const Text& defaultValue, size_t bufferChars) override;
    std::vector<ProfileEntry> getSection(const Text& file, const Text& section, size_t valueChars) override;
    int getInt(const Text& file, const Text& section, const Text& key, int defaultValue) override;
    bool writeString(const Text& file, const Text& section, const Text& key, const Text& value) override;
    bool deleteKey(const Text& file, const Text& section, const Text& key) override;
    bool deleteSection(const Text& file, const Text& section) override;
};

} // namespace platform::win32
