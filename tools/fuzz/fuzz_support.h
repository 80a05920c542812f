#pragma once
// What every fuzz target shares: the headless platform, with files kept in
// memory so a run costs no disk traffic, a clock that never waits, and a reset
// between runs so that nothing one input leaves behind steers the next.
#include "platform/files.h"
#include "platform/text.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <set>
#include <vector>

namespace fuzz {

using Bytes = std::vector<std::uint8_t>;

class MemoryFiles : public platform::Files {
public:
    bool exists(const Text& path) override { return files_.count(path) || folders_.count(path); }
    bool isDirectory(const Text& path) override { return folders_.count(path) > 0; }
    bool copyFile(const Text& from, const Text& to, bool failIfExists) override;
    bool deleteFile(const Text& path) override { return files_.erase(path) > 0; }
    bool createDirectory(const Text& path) override { return folders_.insert(path).second; }
    bool removeDirectory(const Text& path) override { return folders_.erase(path) > 0; }
    std::optional<Bytes> readFile(const Text& path) override;
    bool writeFile(const Text& path, const Bytes& bytes) override;
    std::optional<platform::FileStamp> stamp(const Text& path) override;
    std::optional<std::uint64_t> version(const Text& path) override;
    std::vector<Text> listFiles(const Text& folder) override;
    bool replaceFile(const Text& replacement, const Text& target, const Text& backup) override;

    void clear();

private:
    struct File {
        Bytes bytes;
        std::uint64_t version = 0;
    };
    std::unordered_map<Text, File> files_;
    std::set<Text> folders_;
    // Every change gets a number of its own, so no two contents share one.
    std::uint64_t writes_ = 0;
};

// The platform of one run, installed on first use. Everything a run leaves
// (files, tips and message boxes shown, traces, the profile's parse) goes
// when the run ends: nothing steers the next run, and what a run allocates
// it frees, so libFuzzer only looks for leaks when there is one.
class World {
public:
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    MemoryFiles& files;
};

Bytes bytesOf(const std::uint8_t* data, std::size_t size);

// Stops the run with a report when a property the target checks is broken
// (libFuzzer saves the input as a crash).
void check(bool holds, const char* what);

} // namespace fuzz
