#pragma once
// What the windows of the program draw with: the data root, the current
// language and its folder, the display scale, the language texts, the main
// window's skin tables and the fonts. The main window owns one.
#include "ui/fonts.h"
#include "ui/language.h"
#include "ui/skin_tables.h"

namespace ui {

struct Appearance {
    SkinPlace place; // data root, language folder, display scale
    int language = 0;
    LanguageTexts texts;
    MainSkinTables skins;
    Fonts fonts;

    std::shared_ptr<platform::Font> font(int size) const { return fonts.get(size, language); }

    // The language texts and the four page skin files (the main window's
    // initialisation reads them in this order); false when a skin file is missing.
    bool loadTextsAndPageSkins();
    // LBWarning.ini and mac_color.ini.
    bool loadWarningSkins() { return ui::loadWarningSkins(place, skins); }

    // Switching the language: the index and its folder, VER_SEL of section
    // Init written to configFile, then the texts and all six skin files read
    // again. False when a skin file is missing.
    bool applyLanguage(int index, const Text& configFile);
};

} // namespace ui
