#pragma once
// A portable reading and editing of INI files with the rules of the Windows
// profile functions as kernel32 applies them: the file is read into sections
// of entries and written back whole, one "name=value" line per entry.
#include "platform/headless/ini_encoding.h"
#include "platform/text.h"

#include <optional>
#include <vector>

namespace platform::headless {

class IniFile {
public:
    static IniFile parse(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> serialize() const;

    // The value (trimmed, quotes kept), or nothing when the section or key is
    // missing or the key is a name without '='.
    std::optional<Text> find(TextView section, TextView key) const;
    // The keys with a value of the first section of that name, in file order.
    std::vector<std::pair<Text, Text>> entries(TextView section) const;
    // What set() changed in the bytes serialize() writes: in section number
    // `section` (one past the last when set() added it), `removed` bytes at
    // `offset` from the section's first byte gave way to `added`.
    struct Edit {
        size_t section = 0;
        size_t offset = 0;
        size_t removed = 0;
        std::vector<std::uint8_t> added;
    };
    // False when the key already held this value, so nothing needs writing.
    bool set(TextView section, TextView key, TextView value, Edit* edit = nullptr);
    // True when, after set() with these, the file written out parses back to
    // exactly what is held (plain ASCII names, a value without blanks at its
    // ends or control characters that the encoding can hold). Called on a file
    // that already does; other writes need the file parsed again.
    bool setKeepsParse(TextView section, TextView key, TextView value) const;
    bool removeKey(TextView section, TextView key);
    bool removeSection(TextView section);

    size_t sectionCount() const { return sections_.size(); }
    // The bytes serialize() writes for one section, without a byte-order mark.
    std::vector<std::uint8_t> serializeSection(size_t index) const;

    IniEncoding encoding = IniEncoding::Ansi;

private:
    struct Entry {
        Text name;
        std::optional<Text> value; // none for a line without '='
    };
    struct Section {
        Text name;
        std::vector<Entry> entries;
    };

    static Text headerLine(const Section& section);
    static Text entryLine(const Entry& entry);
    size_t lineSize(const Entry& entry) const;

    // The first of several with the same name counts.
    Section* findSection(TextView name);
    static Entry* findEntry(Section& section, TextView key);

    // The first holds what comes before any header; it has no name.
    std::vector<Section> sections_{Section{}};
};

// Trims the blanks of the profile functions from both ends.
Text trimmed(TextView t);

} // namespace platform::headless
