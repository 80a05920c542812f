#pragma once
// The region tables the main window reads from the skin files of the current
// language, and the button-function names of skin_main.ini.
#include "ui/skin.h"

#include <array>
#include <vector>

namespace ui {

// An entry of the more-functions sub-menu: key string, display text, row position.
struct MoreFunction {
    Text key;
    Text text;
    int position = 0;
};

struct FunctionNames {
    static constexpr int kCount = 48;
    std::array<Text, kCount> names;
    std::vector<MoreFunction> moreFunctions; // in the order they were added
    int extraCount = 0;                      // special functions (keys 30000 to 30004) added
    int skipped = 0;                         // entries left out while building the list

    // Name i, empty outside 0..47.
    const Text& name(int i) const;
    const MoreFunction* findKey(TextView key) const;
    const MoreFunction* atPosition(int position) const;
};

// FUN_STRING of skin_main.ini; function name 0 becomes `functionZeroName`
// (text 1 of UniqueName_Other).
FunctionNames loadFunctionNames(const SkinPlace& place, const Text& functionZeroName);

struct MainSkinTables {
    std::array<SkinRegion, 255> main;      // skin_main.ini; 0..19 common to all pages
    std::array<SkinRegion, 138> advanced;  // skin_advance.ini
    std::array<SkinRegion, 103> color;     // skin_color.ini (LED page)
    std::array<SkinRegion, 20> mac;        // skin_mac.ini
    std::array<Rect, 3> macEdit{};         // skin_mac.ini EDIT 0, 1, 2
    std::array<Rect, 3> macDisplay{};      // skin_mac.ini MACRODISPLAY 1, 2, 3
    std::array<SkinRegion, 13> warning;    // LBWarning.ini
    std::array<SkinRegion, 11> macColor;   // mac_color.ini
    Text region19Text;                     // main region 19's text, kept apart from the table
    FunctionNames functions;
};

// skin_main.ini, skin_color.ini, skin_advance.ini and skin_mac.ini, in that
// order. Each missing file is reported with tip 5; false when any was missing.
bool loadPageSkins(const SkinPlace& place, MainSkinTables& tables, const Text& functionZeroName);
// LBWarning.ini and mac_color.ini, read a little later.
bool loadWarningSkins(const SkinPlace& place, MainSkinTables& tables);

} // namespace ui
