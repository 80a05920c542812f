// The headless profile files: any bytes parse, a file written out settles
// after the second write, and a key written reads back while the other keys
// keep their values.
#include "platform/headless/ini_file.h"
#include "platform/headless/profile_headless.h"
#include "tools/fuzz/fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

using platform::headless::IniFile;

namespace {

// A name or value the profile functions can store as one line, in any of a
// file's encodings: bytes are read as Windows-1252 characters (a leading blank
// keeps them from being taken for a byte-order mark).
Text storable(FuzzedDataProvider& in, bool name)
{
    const std::string raw = " " + in.ConsumeRandomLengthString(24);
    const Text decoded = platform::headless::decodeIni({raw.begin(), raw.end()}).text;
    Text t;
    for (char16_t c : TextView(decoded).substr(1))
        if (c != u'\r' && c != u'\n' && c != 0 && !(name && (c == u'=' || c == u']')))
            t += c;
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
    const auto otherBefore = ini.find(section, other);
    // As with kernel32, the second write may still change a file (a name a
    // NUL emptied was written as a blank line, which it drops, and of nameless
    // keys that then follow each other it keeps the first); later ones do not.
    // Only an ANSI file can change its encoding, once: when a write makes its
    // text begin with what reads as a byte-order mark.
    const std::vector<std::uint8_t> once = ini.serialize();
    const IniFile onceRead = IniFile::parse(once);
    std::vector<std::uint8_t> file = once;
    platform::headless::IniEncoding encoding = ini.encoding;
    int encodingChanges = 0;
    for (int writes = 1;; ++writes) { // writes since the encoding last changed
        const IniFile read = IniFile::parse(file);
        if (read.encoding != encoding) {
            fuzz::check(++encodingChanges == 1 && encoding == platform::headless::IniEncoding::Ansi,
                        "only an ANSI file changes its encoding, once");
            encoding = read.encoding;
            writes = 0;
        }
        std::vector<std::uint8_t> rewritten = read.serialize();
        if (writes >= 2) {
            fuzz::check(rewritten == file, "a file written twice reads back as written");
            break;
        }
        file = std::move(rewritten);
    }
    // A named key reads the same after the first write, unless that changed the
    // file's encoding.
    if (otherBefore && !other.empty() && onceRead.encoding == ini.encoding)
        fuzz::check(onceRead.find(section, other) == otherBefore, "a value survives the first write");

    // A key that starts a comment or a header line cannot be found again.
    const bool findable = !key.empty() && key[0] != u';' && key[0] != u'[' && !section.empty();
    ini.set(section, key, value);
    if (findable) {
        // Until the file is read again only the value's leading blanks are gone.
        const auto found = ini.find(section, key);
        fuzz::check(found && value.ends_with(*found) &&
                        platform::headless::trimmed(*found) == platform::headless::trimmed(value),
                    "a written key reads back");
        if (!text::equalsIgnoreCase(key, other))
            fuzz::check(ini.find(section, other) == otherBefore, "writing a key leaves the others alone");
    }
    IniFile reread = IniFile::parse(ini.serialize());
    if (findable && reread.encoding == ini.encoding)
        fuzz::check(reread.find(section, key) == platform::headless::trimmed(value), "a written key survives the file");
    reread.removeKey(section, other);
    reread.removeSection(other);

    // The profile edits the parse it holds in place for plain writes: what it
    // then reads must be what a fresh read of the file gives.
    fuzz::World world;
    const Text path = u"C:\\kvx\\a.ini";
    world.files.writeFile(path, bytes);
    platform::headless::HeadlessProfile held(world.files);
    // It also writes only the line that changed: the file must be what the
    // whole file written out again gives.
    const Text keys[] = {key, other, u"CurConfig"};
    auto write = [&](const Text& s, const Text& k, const Text& v) {
        const std::vector<std::uint8_t> before = *world.files.readFile(path);
        IniFile whole = IniFile::parse(before);
        const std::vector<std::uint8_t> expected = whole.set(s, k, v) ? whole.serialize() : before;
        held.writeString(path, s, k, v);
        fuzz::check(world.files.readFile(path) == expected, "a write changes the file as writing it whole would");
    };
    for (const Text& k : keys)
        write(section, k, value);
    write(u"Init", u"CurConfig", u"2");
    write(section, key, u"1");
    platform::headless::HeadlessProfile fresh(world.files);
    for (const Text& s : {section, Text(u"Init")})
        for (const Text& k : keys)
            fuzz::check(held.getString(path, s, k, u"-", 64) == fresh.getString(path, s, k, u"-", 64),
                        "the profile reads what the file holds after its writes");
    return 0;
}
