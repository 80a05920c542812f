// The headless profile files: any bytes parse, a file written out parses to
// what it was, and a key written reads back while the other keys keep their
// values.
#include "platform/headless/ini_file.h"
#include "tools/fuzz/fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

using platform::headless::IniFile;

namespace {

// A name or value the profile functions can store as one line.
Text storable(FuzzedDataProvider& in, bool name)
{
    std::string raw = in.ConsumeRandomLengthString(24);
    Text t;
    for (unsigned char c : raw)
        if (c != '\r' && c != '\n' && c != 0 && !(name && (c == '=' || c == ']')))
            t += char16_t(c);
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const Text section = platform::headless::trimmed(storable(in, true));
    const Text key = platform::headless::trimmed(storable(in, true));
    const Text value = storable(in, false);
    const Text other = platform::headless::trimmed(storable(in, true));
    const std::vector<std::uint8_t> bytes = in.ConsumeRemainingBytes<std::uint8_t>();

    IniFile ini = IniFile::parse(bytes);
    const std::vector<std::uint8_t> once = ini.serialize();
    fuzz::check(IniFile::parse(once).serialize() == once, "a written file reads back as written");

    const auto otherBefore = ini.find(section, other);
    // A key that starts a comment or a header line cannot be found again.
    const bool findable = !key.empty() && key[0] != u';' && key[0] != u'[' && !section.empty();
    ini.set(section, key, value);
    if (findable) {
        fuzz::check(ini.find(section, key) == platform::headless::trimmed(value), "a written key reads back");
        if (!text::equalsIgnoreCase(key, other))
            fuzz::check(ini.find(section, other) == otherBefore, "writing a key leaves the others alone");
    }
    IniFile reread = IniFile::parse(ini.serialize());
    if (findable)
        fuzz::check(reread.find(section, key) == platform::headless::trimmed(value), "a written key survives the file");
    reread.removeKey(section, other);
    reread.removeSection(other);
    return 0;
}
