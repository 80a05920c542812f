// The simulated mouse reading any memory image: settings, every directory
// entry and the macro stream it points to, the lighting tables. The input
// repeats over the whole memory, so every address a directory entry or a
// table names holds fuzzed bytes.
#include "platform/simmouse/memory_image.h"
#include "tools/fuzz/fuzz_support.h"

#include <algorithm>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace platform::sim;
    static auto image = std::make_unique<MemoryImage>();
    if (size == 0)
        return 0;
    for (std::size_t at = 0; at < image->size(); at += size)
        std::copy_n(data, std::min(size, image->size() - at), image->begin() + at);

    decodeSettings(*image);
    decodeLightingTables(*image);
    for (int c = 0; c < kImageConfigurations; ++c)
        for (int slot = 1; slot <= kImageDeviceSlots; ++slot) {
            ImageDirectoryEntry e = decodeDirectoryEntry(*image, c, slot);
            if (auto m = decodeMacro(*image, e))
                timelineOf(*m);
        }
    return 0;
}
