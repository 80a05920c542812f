#pragma once
#include "platform/files.h"
#include "platform/profile.h"

#include <mutex>

namespace platform::headless {

// Profile functions over any Files implementation (the host file system here).
class HeadlessProfile : public Profile {
public:
    explicit HeadlessProfile(Files& files) : files_(files) {}

    Text getString(const Text& file, const Text& section, const Text& key,
                   const Text& defaultValue, size_t bufferChars) override;
    int getInt(const Text& file, const Text& section, const Text& key, int defaultValue) override;
    bool writeString(const Text& file, const Text& section, const Text& key, const Text& value) override;
    bool deleteKey(const Text& file, const Text& section, const Text& key) override;
    bool deleteSection(const Text& file, const Text& section) override;

private:
    Files& files_;
    std::mutex mutex_;
};

} // namespace platform::headless
