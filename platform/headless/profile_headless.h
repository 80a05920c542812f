#pragma once
#include "platform/files.h"
#include "platform/headless/ini_file.h"
#include "platform/profile.h"

#include <mutex>
#include <optional>

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
    // A file as parsed from these bytes: reading files key by key parses each
    // once, for as long as its bytes stay the same.
    struct Held {
        Text file;
        std::vector<std::uint8_t> bytes;
        IniFile ini;
        // The file's version when bytes were read or written, when the files
        // can tell one: while it stays, the file need not be read again.
        std::optional<std::uint64_t> version;
        // Where each of ini's sections ends in bytes, when ini writes out as
        // the very bytes it came from (empty when it does not; nothing until a
        // write asks). A plain write then replaces just its line in bytes
        // instead of writing out the whole file again at each key.
        std::optional<std::vector<size_t>> sectionEnds;
    };
    static constexpr size_t kHeldFiles = 4; // a save's copy and its file, and what is read beside them

    // The file's parse, read again only when it has changed; null without a file.
    Held* current(const Text& file);
    Held& parsed(const Text& file, std::vector<std::uint8_t>&& bytes);
    void forget(const Text& file);
    static const std::vector<size_t>& layOut(Held& held);

    Files& files_;
    std::mutex mutex_;
    std::vector<Held> held_; // the last used first
};

} // namespace platform::headless
