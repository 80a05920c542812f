#pragma once
// What the main window's popup menus are built from and act on: the
// appearance, the store, the library and presets, the effect and language
// lists, and the button a menu edits.
#include "ui/menus/skinned_menu.h"
#include "ui/popup_placement.h"

namespace app {

class CKVX_GMouseDlg;

struct MenuOpening {
    int kind = ui::menus::kind::Empty;
    bool withLanguageList = false; // the language menu of common region 4
    int button = -1;               // the button of a button or reaction type menu
    int ledBlock = -1;             // the LED block the lighting mode and colour menus change
};

// The menu a region's popup request stands for.
MenuOpening menuOpening(const ui::PopupRequest& request);

ui::menus::MenuContext menuContext(CKVX_GMouseDlg& dlg, const MenuOpening& opening);

} // namespace app
