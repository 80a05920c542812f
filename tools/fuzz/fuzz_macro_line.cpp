// One token line of a macro file, as any version and language decodes it:
// the record stays inside its arrays, and writing it out and reading it back
// gives the same record.
#include "macro/macro_file.h"
#include "tools/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    fuzz::World world;
    const int version = data[0] & 1 ? macro::kFileVersion : data[0] >> 1;
    const int language = data[1] % 30;
    Text line(data + 2, data + size);

    macro::MacroRecord r = macro::decodeMacroLine(line, version, language);
    fuzz::check(r.eventCount <= macro::kMaxEvents, "event count within the events");
    fuzz::check(r.ledCount <= macro::kBlockCount && r.fbCount <= macro::kBlockCount, "block counts within the blocks");
    macro::decodeMacroName(line);

    const Text written = macro::encodeMacroLine(r, language);
    fuzz::check(written.size() == size_t(macro::kTokenCountV3) * 3, "a written line has every token");
    macro::MacroRecord again = macro::decodeMacroLine(written, macro::kFileVersion, language);
    // Reserved bytes are written as zeros whatever the line held.
    for (auto& b : r.reserved)
        b = 0;
    fuzz::check(again == r, "a written record reads back the same");

    if (version != macro::kFileVersion) {
        macro::MacroRecord upgraded = macro::decodeMacroLine(macro::upgradeMacroLine(line), macro::kFileVersion, language);
        fuzz::check(upgraded == r, "an upgraded older line reads as it did");
    }
    return 0;
}
