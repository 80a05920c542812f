// config.ini as the program loads and saves it: any file loads, and what one
// load saves loads again into the same settings (the second save writes the
// same file as the first).
#include "settings/button_catalogue.h"
#include "platform/headless/ini_encoding.h"
#include "settings/config_files.h"
#include "tools/fuzz/fuzz_support.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::World world;
    fuzz::MemoryFiles& files = world.files;
    const Text folder = u"C:\\kvx\\skins\\config\\";
    const Text file = settings::configFilePath(folder, settings::kConfigFileName);
    files.writeFile(file, fuzz::bytesOf(data, size));
    const int language = int(size % 30);

    auto loadAll = [&] {
        auto s = std::make_unique<settings::ConfigStore>();
        settings::readButtonCatalogue(*s, file);
        for (int c = 0; c < settings::kConfigurations; ++c)
            settings::loadConfiguration(*s, folder, c, false, language);
        return s;
    };
    auto first = loadAll();
    settings::saveAllConfigurations(*first, file);
    const auto once = files.readFile(file);

    auto second = loadAll();
    fuzz::check(second->shortcutMacros == first->shortcutMacros, "key combinations load again the same");
    settings::saveAllConfigurations(*second, file);
    // As with kernel32, an ANSI file whose text comes to begin with "\xFF\xFE"
    // or "\xFE\xFF" once a write has dropped the lines before it reads as
    // UTF-16 from then on, halfway through the save: what the rest of that save
    // wrote is new to the next load.
    const bool encodingChanged = platform::headless::decodeIni(fuzz::bytesOf(data, size)).encoding !=
                                 platform::headless::decodeIni(*once).encoding;
    fuzz::check(encodingChanged || files.readFile(file) == once, "the settings saved load again the same");
    return 0;
}
