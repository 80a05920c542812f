// The simulated mouse reading any memory image: settings, every directory
// entry and the macro stream it points to, the lighting tables. Memory past
// the input is zero: erased bytes (0xFF) would make every directory entry a
// macro of 65,535 items and each run take long.
#include "platform/simmouse/memory_image.h"
#include "tools/fuzz/fuzz_support.h"

#include <algorithm>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace platform::sim;
    static auto image = std::make_unique<MemoryImage>();
    image->fill(0);
    std::copy_n(data, std::min(size, image->size()), image->begin());

    decodeSettings(*image);
    decodeLightingTables(*image);
    // One macro serves every entry of every run: an entry can hold tens of
    // thousands of items, and fresh memory for them cost most of a run.
    static ImageMacro macro;
    for (int c = 0; c < kImageConfigurations; ++c)
        for (int slot = 1; slot <= kImageDeviceSlots; ++slot) {
            ImageDirectoryEntry e = decodeDirectoryEntry(*image, c, slot);
            if (decodeMacro(*image, e, macro))
                timelineOf(macro);
        }
    return 0;
}
