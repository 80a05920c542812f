// The files a language folder holds, each of them the same fuzzed bytes: the
// skin tables of the main window and the dialogs, the language texts and the
// fonts they name. Loading any of them must not crash, and a point tested
// against the loaded regions must find at most a region that exists.
#include "tools/fuzz/fuzz_support.h"
#include "ui/fonts.h"
#include "ui/language.h"
#include "ui/skin_tables.h"

#include <array>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::World world;
    fuzz::MemoryFiles& files = world.files;
    // Odd sizes read at display scale 2, so both scales see every kind of file.
    const ui::SkinPlace place{u"C:\\kvx\\skins", u"\\1_INI_EN", size % 2 ? 2 : 1};
    for (const char16_t* name : {u"skin_main.ini", u"skin_color.ini", u"skin_advance.ini", u"skin_mac.ini",
                                 u"LBWarning.ini", u"mac_color.ini", u"skin_keyset.ini", u"LanguageText.ini"})
        files.writeFile(place.languageFile(name), fuzz::bytesOf(data, size));

    auto tables = std::make_unique<ui::MainSkinTables>();
    ui::loadPageSkins(place, *tables, u"Left");
    ui::loadWarningSkins(place, *tables);
    std::array<ui::SkinRegion, 40> dialog;
    ui::loadRegionTable(place, u"skin_keyset.ini", u"BUTTONPOS", 0, dialog, ui::SkinReader::Dialog);
    ui::loadRectangle(place, u"skin_keyset.ini", u"EDIT", 0, ui::SkinReader::Dialog);

    for (ui::Point p : {ui::Point{0, 0}, ui::Point{100, 60}, ui::Point{-5, 700}}) {
        const int hit = ui::hitTest(p, tables->main);
        fuzz::check(hit == ui::kNoRegion || (hit >= 0 && hit < int(tables->main.size())), "a hit is a region");
        ui::hitTest(p, dialog);
    }

    ui::LanguageTexts texts;
    texts.load(place);
    ui::Fonts fonts;
    for (int language : {0, 1, 13})
        fonts.create(place, language, ui::fontBaseValue(96 * place.scale));
    return 0;
}
