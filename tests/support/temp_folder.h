#pragma once
// A fresh folder per test, in the form the build's platform expects
// (a Windows path under Wine, a host path natively). Removed afterwards.
#include "platform/text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const Text& path() const { return path_; }
    // path() + '\' + name
    Text file(const Text& name) const;
    Text file(const char* name) const { return file(T(name)); }

    // Direct host-side access, independent of the platform under test.
    void write(const Text& name, const std::vector<std::uint8_t>& bytes) const;
    void writeText(const Text& name, const std::string& utf8) const;
    std::vector<std::uint8_t> read(const Text& name) const;
    std::string readText(const Text& name) const;
    bool exists(const Text& name) const;

private:
    Text path_;
};

// Bytes of a UTF-16LE file with BOM holding the given UTF-8 text.
std::vector<std::uint8_t> utf16LeWithBom(const std::string& utf8);

// The source tree (for the shipped data root), from KVX_SOURCE_DIR.
Text sourceDir();

} // namespace testsupport
