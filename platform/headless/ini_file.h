#pragma once
// A portable reading and editing of INI files with the rules of the Windows
// profile functions. The file is kept as its lines, so writing one key leaves
// every other line (comments, blank lines, order) as it was.
#include "platform/text.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::headless {

enum class IniEncoding { Ansi, Utf8Bom, Utf16LeBom };

class IniFile {
public:
    static IniFile parse(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> serialize() const;

    // The raw (untrimmed of quotes) value, or nullopt when section or key is missing.
    std::optional<Text> find(TextView section, TextView key) const;
    void set(TextView section, TextView key, TextView value);
    bool removeKey(TextView section, TextView key);
    bool removeSection(TextView section);

    IniEncoding encoding = IniEncoding::Ansi;

private:
    // Index of the section header line, or -1.
    int findSection(TextView section) const;
    // End of a section's body: the next header or the end of the file.
    int sectionEnd(int header) const;
    int findKey(int header, TextView key) const;

    std::vector<Text> lines_;
};

// Trims blanks from both ends.
Text trimmed(TextView t);

} // namespace platform::headless
