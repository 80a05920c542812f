#pragma once
// Files and folders. Paths are Windows paths ('\' separators); the headless
// implementation maps them onto the host file system.
#include "platform/text.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// What tells one version of a file from another without reading it.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0; // last write time, in the system's own units
    bool operator==(const FileStamp&) const = default;
};

class Files {
public:
    virtual ~Files() = default;

    virtual bool exists(const Text& path) = 0;          // file or folder
    virtual bool isDirectory(const Text& path) = 0;
    // CopyFileW: with failIfExists an existing target is left alone and false returned.
    virtual bool copyFile(const Text& from, const Text& to, bool failIfExists) = 0;
    virtual bool deleteFile(const Text& path) = 0;
    virtual bool createDirectory(const Text& path) = 0; // one level, like CreateDirectoryW
    virtual bool removeDirectory(const Text& path) = 0; // empty folders only
    virtual std::optional<std::vector<std::uint8_t>> readFile(const Text& path) = 0;
    virtual bool writeFile(const Text& path, const std::vector<std::uint8_t>& bytes) = 0;
    // Puts `replacement` in the place of `target` in one step, written through
    // to the disk: a reader finds the old file or the new one, never a part.
    // The old target becomes `backup` (none when empty); both lie in the
    // target's folder. The replacement's name is gone afterwards.
    virtual bool replaceFile(const Text& replacement, const Text& target, const Text& backup) = 0;
    // Size and last write time of a plain file; nothing when there is none.
    virtual std::optional<FileStamp> stamp(const Text& path) = 0;
    // A number that changes with every change of the file, so what a reader
    // made of the file stays good while the number does. Nothing when there
    // is no such number: a time stamp can miss two writes in one tick, and
    // other programs write files too.
    virtual std::optional<std::uint64_t> version(const Text& /*path*/) { return std::nullopt; }
    // Names (not paths) of the plain files directly inside a folder, sorted.
    virtual std::vector<Text> listFiles(const Text& folder) = 0;
};

} // namespace platform
