#pragma once
#include "platform/files.h"
#include "platform/headless/ini_file.h"
#include "platform/profile.h"

#include <mutex>

namespace platform::headless {

// Profile functions over any Files implementation (the host file system here).
class HeadlessProfile : public Profile {
public:
    explicit HeadlessProfile(Files& files) : files_(files) {}

    Text getString(const Text& file, const Text& section, const Text& key,
                   const Text& defaultValue, size_t bufferChars) override;
    std::vector<ProfileEntry> getSection(const Text& file, const Text& section, size_t valueChars) override;
    int getInt(const Text& file, const Text& section, const Text& key, int defaultValue) override;
    bool writeString(const Text& file, const Text& section, const Text& key, const Text& value) override;
    bool deleteKey(const Text& file, const Text& section, const Text& key) override;
    bool deleteSection(const Text& file, const Text& section) override;

private:
    // The file as parsed from these bytes: reading a file key by key parses
    // it once, for as long as its bytes stay the same.
    const IniFile& parsed(const Text& file, std::vector<std::uint8_t>&& bytes);

    Files& files_;
    std::mutex mutex_;
    Text parsedFile_;
    std::vector<std::uint8_t> parsedBytes_;
    IniFile parsedIni_;
};

} // namespace platform::headless
