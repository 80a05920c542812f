#pragma once
// What the popup menus show and what choosing a row does, as data: one
// description per menu kind (pictures, row height, rows with their texts),
// the hovered-row tracking every menu window shares, and the choice a row
// stands for. Nothing here touches a window; skinned_menu.* draws these
// descriptions and carries the choices out.
#include "macro/macro_library.h"
#include "platform/geometry.h"
#include "ui/language.h"
#include "ui/messages.h"
#include "ui/skin_tables.h"

#include <optional>
#include <span>
#include <vector>

namespace settings {
struct ConfigStore;
}

namespace ui::menus {

using platform::Color;

// Kinds of the main menu window; the macro page and the preset dialog use the same numbers.
namespace kind {
constexpr int Configuration = 0;
constexpr int Button = 1;
constexpr int LightingEffect = 4;
constexpr int ReactionType = 5;
constexpr int LightingMode = 6;
constexpr int Colour = 7;
constexpr int Weapon = 9;
constexpr int Language = 10;
constexpr int Library = 11;
constexpr int MacroRow = 12;
constexpr int Event = 13;
constexpr int Insert = 14;
constexpr int Empty = 15;
} // namespace kind

// Sub-menus, named after the row of the menu that opens them.
namespace source {
constexpr int MoreFunctions = 7;
constexpr int Multimedia = 8;
constexpr int Groups = 9;
constexpr int ConfigSwitch = 11;
constexpr int Presets = 12;     // button menu row 12: gun presets (left-button macros)
constexpr int LeftGroups = 13;  // button menu row 13: library macros as left-button macros
constexpr int InsertBefore = 141;
constexpr int InsertAfter = 142;
constexpr int Move = 143;
constexpr int Cpi = 144;
} // namespace source

enum class Level { Menu, SubMenu, MacroChoice };

constexpr int kNoRow = 255;
constexpr int kMaxRows = 14;        // rows a menu hit-tests
constexpr int kRowsPerMask = 15;    // menus whose row height is a fifteenth of the mask
constexpr int kMacroPageRowHeight = 20;

// Where a row's text is drawn.
enum class TextAlign { Centred, Left2 };
// The arrow the insert sub-menus draw before a row's text.
enum class Arrow { None, Down, Up };

struct MenuRow {
    Text text;
    std::optional<Color> swatch;  // colour menu: the row is filled with it
    Text picturePrefix;           // language menu: the language's folder picture ("...\ver"), + "_normal.jpg"/"_over.jpg"
    Arrow arrow = Arrow::None;
    int value = 0;                // what the row stands for (effect, language position)
};

struct MenuSpec {
    Level level = Level::Menu;
    int id = kind::Empty;         // kind, sub-menu source, or group for the macro choice menu
    Text pictureBase;             // under the data root, e.g. u"menu1" or u"MacMenu\\MacR"
    Text variant;                 // "2" for the event and CPI menus' pictures
    Text maskBase;                // picture whose size gives the width and rows (maskBase + "_mask" + variant + ".jpg")
    int maskRows = kRowsPerMask;  // the row height is the mask height divided by this...
    int fixedRowHeight = 0;       // ...unless this is set
    int windowRows = 0;           // rows the window is tall; 0: as the mask holds
    int extraHeight = 0;          // the macro choice menu is one pixel taller
    std::vector<MenuRow> rows;    // rows 1.. (index + 1); rows past the list show nothing
    TextAlign align = TextAlign::Centred;
    bool pressedLook = true;      // the down picture while the left button is held
    bool stickyHover = false;     // sub-menus keep their row while the mouse is elsewhere
    bool rowPictures = false;     // language menu: rows are the languages' own pictures
    int leftMacro = 0;            // macro lists: the left-button macro flag their macros get

    Text picture(const Text& state) const { return pictureBase + u"_" + state + variant + u".jpg"; }
    Text mask() const { return maskBase + u"_mask" + variant + u".jpg"; }
};

// What the menus are built from. Anything missing gives rows without text.
struct MenuSources {
    const LanguageTexts* texts = nullptr;
    const FunctionNames* functions = nullptr;
    const macro::Library* library = nullptr;
    const macro::PresetTable* presets = nullptr;
    std::vector<int> effects;           // lighting effect list, in menu order
    std::vector<Text> languageFolders;  // language menu: folder of each offered language ("\1_INI_EN"); empty: plain menu
    std::span<const std::uint32_t> userColours; // display colours of the seven user colours
};

MenuSpec describeMenu(int kind, const MenuSources& src);
MenuSpec describeSubMenu(int source, const MenuSources& src);
// The macros of group `group` (0-based) of the library, chosen with that left-button macro flag.
MenuSpec describeMacroChoice(int group, int leftMacro, const MenuSources& src);

// Sizes in picture pixels (scale 1) once the mask is known.
struct MenuGeometry {
    int width = 0;
    int rowHeight = 0;
    int height = 0;   // the window's height
    int rows = 0;     // rows that can be hovered and chosen
};
MenuGeometry menuGeometry(const MenuSpec& spec, platform::Size mask);

// Row r (from 1) in window coordinates at the display scale.
platform::Rect rowRect(const MenuGeometry& g, int row, int scale);

// The rows as skin regions in window coordinates, for hit-testing and hover
// painting (row r is region r - 1).
std::vector<SkinRegion> rowRegions(const MenuGeometry& g, int scale);

// --- choices ---

struct OwnerMessage {
    unsigned id = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    bool posted = false;
    friend bool operator==(const OwnerMessage&, const OwnerMessage&) = default;
};

enum class Action {
    Nothing,          // the row does nothing; the menu stays open
    AssignFunction,   // the edited button gets `code` with left-button macro flag `leftMacro`
    AssignMacro,      // library macro (group, macro): checked against the files first
    SetConfiguration, // value = configuration
    LightingEffect,   // value = effect
    ReactionType,     // value = type
    LightingMode,     // value = lighting mode code
    Colour,           // value = colour number
    Preset,           // value = preset index
    Language,         // value = row (the list position + 1)
    Message,          // only the message
};

struct MenuChoice {
    Action action = Action::Nothing;
    int code = 0;       // AssignFunction; AssignMacro: group (0-based)
    int value = 0;      // AssignMacro: macro (0-based)
    int leftMacro = 0;
    std::optional<OwnerMessage> message;
    bool close = false; // the menu closes (a sub-menu choice closes its menu too)
    bool repaintOwner = false;
};

// What releasing the left button on row `row` of a menu does. Rows beyond
// what the menu lists choose nothing.
MenuChoice choose(const MenuSpec& spec, int row);

// The state a choice changes besides the store.
struct ChoiceTarget {
    settings::ConfigStore* store = nullptr;
    int editedButton = -1;         // button menu and its sub-menus
    int reactionButton = -1;       // LED reaction type menu
    std::uint8_t* ledMode = nullptr;   // LED block of the selected LED event (lighting mode, colour menus)
    std::uint8_t* ledColour = nullptr;
    int* currentPreset = nullptr;  // weapon list
    Text macroFolder;              // library macros are checked against the group files
    int language = 0;
};

// Carries a choice out on the target and gives the message for the owner, if
// any. A library macro that is no longer in its group file gives code 0.
std::optional<OwnerMessage> carryOut(const MenuChoice& choice, ChoiceTarget& target);

// Where a sub-menu of row `row` opens, relative to its menu's top-left corner,
// in picture pixels of the menu (multiply by the scale); nothing for rows
// without a sub-menu.
struct SubMenuPlace {
    int source = 0;
    platform::Point offset;
    platform::Size size;      // the window size the opener gives, at scale 1
};
std::optional<SubMenuPlace> subMenuFor(const MenuSpec& menu, int row, const MenuGeometry& g, int groupCount);
// Where the macro choice menu of hovered group row `row` opens beside the group list.
std::optional<SubMenuPlace> macroChoiceFor(const MenuSpec& groupList, int row, const MenuGeometry& g,
                                           const macro::Library& lib);

} // namespace ui::menus

namespace ui::menus {

// Screen rectangles of the menus the macro page opens at the cursor (kinds 6,
// 7, 11, 12, 13; `valueListLeft` is the screen left of the value list's client
// area) and of the preset dialog's weapon list (kind 9, under the dialog's
// region 5). `macGWidth` is the width of the library menu's mask and
// `maskWidth` that of the menu itself, at scale 1.
platform::Rect contextMenuRect(int kind, platform::Point cursor, int valueListLeft, int macGWidth, int maskWidth,
                               int scale);
platform::Rect weaponListRect(const platform::Rect& presetDialog, const platform::Rect& region5, int scale);

} // namespace ui::menus
