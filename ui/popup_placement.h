#pragma once
// Where the main window's popup menus open. A region opens a menu; the menu
// knows its own height (its mask picture), the main window knows the region
// and where the window is. placePopup joins the two into the screen
// rectangle the menu is shown at.
#include "ui/skin.h"

namespace ui {

enum class PopupKind {
    ConfigurationMenu,  // common 10
    ButtonMenu,         // main 20 + b
    EmptyMenu,          // main 101, 102
    PlainLanguageMenu,  // common 17 (without the language list)
    LanguageMenu,       // common 4 (with the language list)
    EffectMenu,         // LED 35
    ReactionTypeMenu,   // LED 66 + b
    InsertMenu,         // macro 5
    // The macro page's menus at the cursor, opened by a right click in its lists.
    LibraryMenu,        // a group row, the empty list or below the last row
    MacroRowMenu,       // a macro row
    EventMenu,          // an event or pause row
    LightingModeMenu,   // value row 0 of an LED event
    ColourMenu,         // value row 1 of an LED event
};

// Whether a kind opens at the cursor rather than beside a region.
constexpr bool opensAtCursor(PopupKind k) { return k >= PopupKind::LibraryMenu; }
// The menu kind (menus::kind) of a menu at the cursor.
int menuKindAtCursor(PopupKind k);

// The main window as placement sees it, in screen pixels.
struct PopupGeometry {
    Rect window;            // GetWindowRect of the main window
    Point clientOrigin;     // client (0, 0) on the screen
    int scale = 1;
    int fullScreenHeight = 0; // SM_CYFULLSCREEN
};

struct PopupRequest {
    PopupKind kind = PopupKind::ConfigurationMenu;
    int region = kNoRegion;  // the region that opens it, in its page's table
    int button = -1;         // the button of a button or reaction type menu
    SkinRegion at;           // that region (window pixels)
    PopupGeometry geometry;

    // Menus at the cursor (screen pixels): where the right button was
    // released, the left edge of the value list's client area, and the LED
    // block of the selected event the value menus change.
    Point cursor;
    int valueListLeft = 0;
    int ledBlock = -1;
    int libraryMenuWidth = 0; // the library menu's mask width at scale 1, read at each opening
};

// The screen rectangle of a popup. `ownSize` is the popup's size at scale 1
// from its own pictures: its height places button and empty menus, and the
// insert menu takes its whole size; the other menus have fixed heights.
// Menus at the cursor take their width from their own mask (the value
// menus) or from the library menu's.
Rect placePopup(const PopupRequest& request, Size ownSize);

} // namespace ui
