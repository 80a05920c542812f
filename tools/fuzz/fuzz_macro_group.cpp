// A group file (or "constMacro.dat") as the library loads it: never more
// macros than slots, and a group written back loads as the same macros.
#include "macro/macro_file.h"
#include "tools/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::World world;
    fuzz::MemoryFiles& files = world.files;
    const Text file = u"C:\\kvx\\group.dat";
    const Text copy = u"C:\\kvx\\copy.dat";
    files.writeFile(file, fuzz::bytesOf(data, size));
    const int language = int(size % 30);

    static macro::GroupTable group;
    const int count = macro::loadGroup(group, file, language).value_or(-1);
    fuzz::check(count >= 0 && count <= macro::kMaxMacrosPerGroup, "a group holds at most its slots");
    static macro::BuiltInTable builtIn;
    macro::loadBuiltIn(builtIn, file, language);
    fuzz::check(builtIn.count >= 0 && builtIn.count <= 13, "built-in macros fit their table");

    static macro::GroupTable reread;
    macro::writeGroup(copy, group, count, language);
    fuzz::check(macro::loadGroup(reread, copy, language) == count, "a written group keeps its count");
    for (int i = 0; i < count; ++i) {
        macro::MacroRecord expected = group[size_t(i)];
        for (auto& b : expected.reserved)
            b = 0;
        fuzz::check(reread[size_t(i)] == expected, "a written group reads back the same");
    }

    // Saving one macro into the file itself upgrades an older file first: the
    // macros not saved must read as before.
    if (count > 0) {
        macro::saveMacro(file, group, count, 0, language);
        fuzz::check(macro::readFileVersion(file) == macro::kFileVersion, "a saved file is of the current version");
        fuzz::check(macro::loadGroup(reread, file, language) == count, "saving one macro keeps the count");
        for (int i = 1; i < count; ++i) {
            macro::MacroRecord expected = group[size_t(i)];
            for (auto& b : expected.reserved)
                b = 0;
            macro::MacroRecord got = reread[size_t(i)];
            for (auto& b : got.reserved)
                b = 0;
            fuzz::check(got == expected, "saving one macro leaves the others as they were");
        }
    }
    return 0;
}
