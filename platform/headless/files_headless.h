#pragma once
#include "platform/files.h"

#include <filesystem>

namespace platform::headless {

// Windows paths mapped onto the host: '\' becomes '/'.
std::filesystem::path hostPath(const Text& windowsPath);

class HeadlessFiles : public Files {
public:
    bool exists(const Text& path) override;
    bool isDirectory(const Text& path) override;
    bool copyFile(const Text& from, const Text& to, bool failIfExists) override;
    bool deleteFile(const Text& path) override;
    bool createDirectory(const Text& path) override;
    bool removeDirectory(const Text& path) override;
    std::optional<std::vector<std::uint8_t>> readFile(const Text& path) override;
    bool writeFile(const Text& path, const std::vector<std::uint8_t>& bytes) override;
    bool replaceFile(const Text& replacement, const Text& target, const Text& backup) override;
    std::optional<FileStamp> stamp(const Text& path) override;
    std::vector<Text> listFiles(const Text& folder) override;
};

} // namespace platform::headless
