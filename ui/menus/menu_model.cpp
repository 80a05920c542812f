#include "ui/menus/menu_model.h"

#include "settings/button_catalogue.h"
#include "settings/config_store.h"

#include <algorithm>

namespace ui::menus {

namespace {

MenuRow row(Text t, int value = 0)
{
    MenuRow r;
    r.text = std::move(t);
    r.value = value;
    return r;
}

const Text& emptyText()
{
    static const Text empty;
    return empty;
}

const Text& text(const MenuSources& src, TextSection section, int index)
{
    return src.texts ? src.texts->get(section, index) : emptyText();
}

const Text& functionName(const MenuSources& src, int number)
{
    return src.functions ? src.functions->name(number) : emptyText();
}

std::vector<MenuRow> textRows(const MenuSources& src, TextSection section, std::initializer_list<int> indexes)
{
    std::vector<MenuRow> rows;
    for (int i : indexes)
        rows.push_back(row(text(src, section, i)));
    return rows;
}

std::vector<MenuRow> functionRows(const MenuSources& src, int first, int count)
{
    std::vector<MenuRow> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(row(functionName(src, first + i)));
    return rows;
}

int groupCount(const MenuSources& src)
{
    return src.library ? std::clamp(src.library->groupCount, 0, macro::kMaxGroups) : 0;
}

int presetCount(const macro::PresetTable* presets)
{
    return presets ? std::clamp(presets->count, 0, int(presets->records.size())) : 0;
}

int macroCount(const macro::Library& lib, int group)
{
    if (group < 0 || group >= std::clamp(lib.groupCount, 0, macro::kMaxGroups))
        return 0;
    return std::clamp(lib.macroCounts[size_t(group)], 0, macro::kMaxMacrosPerGroup);
}

MenuSpec listMenu(int id, Text base, std::vector<MenuRow> rows)
{
    MenuSpec spec;
    spec.id = id;
    spec.pictureBase = base;
    spec.maskBase = std::move(base);
    spec.windowRows = int(rows.size());
    spec.rows = std::move(rows);
    return spec;
}

// The macro page's menus are as tall as their mask, in rows of 20 pixels.
MenuSpec macroPageMenu(int id, Text base, Text variant, std::vector<MenuRow> rows)
{
    MenuSpec spec;
    spec.id = id;
    spec.pictureBase = base;
    spec.maskBase = std::move(base);
    spec.variant = std::move(variant);
    spec.fixedRowHeight = kMacroPageRowHeight;
    spec.rows = std::move(rows);
    return spec;
}

MenuSpec subMenu(int id, Text base, Text maskBase, std::vector<MenuRow> rows)
{
    MenuSpec spec = listMenu(id, std::move(base), std::move(rows));
    spec.maskBase = std::move(maskBase);
    spec.level = Level::SubMenu;
    spec.stickyHover = true;
    return spec;
}

std::vector<MenuRow> groupRows(const MenuSources& src)
{
    std::vector<MenuRow> rows;
    for (int g = 0; g < groupCount(src); ++g)
        rows.push_back(row(src.library->groupNames[size_t(g)]));
    return rows;
}

} // namespace

MenuSpec describeMenu(int k, const MenuSources& src)
{
    switch (k) {
    case kind::Configuration: {
        MenuSpec spec = listMenu(k, u"Profile", functionRows(src, 19, 4));
        spec.maskRows = 4;
        return spec;
    }
    case kind::Button: {
        // Rows 12 and 13 put gun presets and library macros on a button as
        // left-button macros; the picture has room for them.
        std::vector<MenuRow> rows = functionRows(src, 1, 11);
        rows.push_back(row(text(src, TextSection::Other, 15)));
        rows.push_back(row(text(src, TextSection::Other, 16)));
        return listMenu(k, u"menu1", std::move(rows));
    }
    case kind::LightingEffect: {
        std::vector<MenuRow> rows;
        for (int e : src.effects)
            rows.push_back(row(text(src, TextSection::Led, e + 1), e));
        return listMenu(k, u"led_menu", std::move(rows));
    }
    case kind::ReactionType: {
        MenuSpec spec = listMenu(k, u"menu", textRows(src, TextSection::Led, {2, 4, 6, 5}));
        spec.align = TextAlign::Left2;
        return spec;
    }
    case kind::LightingMode:
        return listMenu(k, u"menu", textRows(src, TextSection::Led, {15, 3, 4, 7, 8}));
    case kind::Colour: {
        std::vector<MenuRow> rows(7);
        for (size_t i = 0; i < rows.size() && i < src.userColours.size(); ++i)
            rows[i].swatch = src.userColours[i];
        return listMenu(k, u"menu", std::move(rows));
    }
    case kind::Weapon: {
        std::vector<MenuRow> rows;
        for (int p = 0; p < presetCount(src.presets); ++p)
            rows.push_back(row(src.presets->names[size_t(p)]));
        return listMenu(k, u"menu2", std::move(rows));
    }
    case kind::Language: {
        // Without a list the menu is its picture alone, two rows tall.
        std::vector<MenuRow> rows(std::max<size_t>(src.languageFolders.size(), 2));
        for (size_t i = 0; i < src.languageFolders.size(); ++i)
            rows[i].picturePrefix = src.languageFolders[i].substr(src.languageFolders[i].starts_with(u"\\") ? 1 : 0) + u"\\ver";
        MenuSpec spec = listMenu(k, u"menu2", std::move(rows));
        spec.rowPictures = !src.languageFolders.empty();
        return spec;
    }
    case kind::Library:
        return macroPageMenu(k, u"MacMenu\\MacG", Text(), textRows(src, TextSection::DevMac, {1, 2, 3, 4, 5, 6, 7, 19}));
    case kind::MacroRow:
        return macroPageMenu(k, u"MacMenu\\MacR", Text(), textRows(src, TextSection::DevMac, {32, 17, 19, 18}));
    case kind::Event:
        return macroPageMenu(k, u"MacMenu\\MacR", u"2", textRows(src, TextSection::DevMac, {16, 17}));
    case kind::Insert:
        return macroPageMenu(k, u"MacMenu\\Insert", Text(),
                             textRows(src, TextSection::DevMac, {10, 11, 12, 13, 14, 15, 17}));
    default: {
        MenuSpec spec;
        spec.id = kind::Empty;
        return spec;
    }
    }
}

MenuSpec describeSubMenu(int s, const MenuSources& src)
{
    switch (s) {
    case source::MoreFunctions: {
        // Row i is the entry at position i; an entry at position 0 (the skin
        // naming function 0) has no row, which leaves the last row empty.
        size_t count = src.functions ? src.functions->moreFunctions.size() : 0;
        std::vector<MenuRow> rows(count);
        for (size_t i = 0; i < count; ++i)
            if (const MoreFunction* f = src.functions->atPosition(int(i) + 1))
                rows[i] = row(f->text, text::toInt(f->key));
        return subMenu(s, u"menu2", u"menu2", std::move(rows));
    }
    case source::Multimedia:
        return subMenu(s, u"menu2", u"menu2", functionRows(src, 23, 10));
    case source::ConfigSwitch:
        return subMenu(s, u"menu2", u"menu2", functionRows(src, 19, 4));
    case source::Groups:
    case source::LeftGroups: {
        MenuSpec spec = subMenu(s, u"Macro_menu", u"menu2", groupRows(src));
        spec.leftMacro = s == source::LeftGroups ? 1 : 0;
        return spec;
    }
    case source::Presets: {
        std::vector<MenuRow> rows;
        for (int p = 0; p < presetCount(src.presets); ++p)
            rows.push_back(row(src.presets->names[size_t(p)]));
        return subMenu(s, u"menu2", u"menu2", std::move(rows));
    }
    case source::InsertBefore:
    case source::InsertAfter: {
        std::vector<MenuRow> rows = textRows(src, TextSection::DevMac, {20, 20, 21, 21, 22, 22});
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].arrow = i % 2 == 0 ? Arrow::Down : Arrow::Up;
        MenuSpec spec = subMenu(s, u"MacMenu\\Insert2th", u"MacMenu\\Insert2th", std::move(rows));
        spec.fixedRowHeight = kMacroPageRowHeight;
        return spec;
    }
    case source::Move: {
        MenuSpec spec = subMenu(s, u"MacMenu\\Insert3th", u"MacMenu\\Insert3th",
                                textRows(src, TextSection::DevMac, {23, 24, 25, 26}));
        spec.fixedRowHeight = kMacroPageRowHeight;
        return spec;
    }
    case source::Cpi: {
        MenuSpec spec = subMenu(s, u"MacMenu\\MacR", u"MacMenu\\MacR", textRows(src, TextSection::DevMac, {27, 28}));
        spec.variant = u"2";
        spec.fixedRowHeight = kMacroPageRowHeight;
        return spec;
    }
    default: {
        MenuSpec spec;
        spec.level = Level::SubMenu;
        spec.id = s;
        return spec;
    }
    }
}

MenuSpec describeMacroChoice(int group, int leftMacro, const MenuSources& src)
{
    std::vector<MenuRow> rows;
    if (src.library)
        for (int m = 0; m < macroCount(*src.library, group); ++m)
            rows.push_back(row(src.library->macroNames[size_t(group)][size_t(m)]));
    MenuSpec spec = subMenu(group, u"menu2", u"menu2", std::move(rows));
    spec.level = Level::MacroChoice;
    spec.pressedLook = false;
    spec.extraHeight = spec.rows.empty() ? 0 : 1;
    spec.leftMacro = leftMacro;
    return spec;
}

MenuGeometry menuGeometry(const MenuSpec& spec, platform::Size mask)
{
    MenuGeometry g;
    g.width = std::max(mask.width, 0);
    g.rowHeight = spec.fixedRowHeight > 0 ? spec.fixedRowHeight : std::max(mask.height, 0) / std::max(spec.maskRows, 1);
    if (g.rowHeight <= 0 || g.width <= 0)
        return MenuGeometry{};
    if (spec.fixedRowHeight > 0 && spec.level == Level::Menu) {
        g.height = mask.height;
        g.rows = mask.height / g.rowHeight;
    } else {
        g.rows = spec.windowRows;
        g.height = spec.windowRows * g.rowHeight + spec.extraHeight;
    }
    g.rows = std::min(g.rows, kMaxRows);
    return g;
}

platform::Rect rowRect(const MenuGeometry& g, int row, int scale)
{
    return platform::Rect::fromXywh(0, (row - 1) * g.rowHeight * scale, g.width * scale, g.rowHeight * scale);
}

std::vector<SkinRegion> rowRegions(const MenuGeometry& g, int scale)
{
    std::vector<SkinRegion> rows;
    for (int r = 1; r <= g.rows; ++r) {
        const platform::Rect rect = rowRect(g, r, scale);
        rows.push_back({rect.left, rect.top, rect.width(), rect.height(), Text()});
    }
    return rows;
}

namespace {

bool listed(const MenuSpec& spec, int row) { return row >= 1 && row <= int(spec.rows.size()); }

MenuChoice closing(Action a, int value = 0, std::optional<OwnerMessage> m = std::nullopt)
{
    MenuChoice c;
    c.action = a;
    c.value = value;
    c.message = m;
    c.close = true;
    return c;
}

MenuChoice assign(int code, int leftMacro)
{
    MenuChoice c = closing(Action::AssignFunction);
    c.code = code;
    c.leftMacro = leftMacro;
    return c;
}

OwnerMessage macroPageCommand(int menu, int item, bool posted)
{
    return {msg::MacroPageMenu, std::uintptr_t(menu), item, posted};
}

MenuChoice chooseInMenu(const MenuSpec& spec, int r)
{
    switch (spec.id) {
    case kind::Configuration:
        if (listed(spec, r))
            return closing(Action::SetConfiguration, r - 1, OwnerMessage{msg::MenuChosen, 0, 0});
        break;
    case kind::Button:
        if (r >= 1 && r <= 6)
            return assign(r, 0);
        if (r == 10)
            return closing(Action::Message, 0, OwnerMessage{msg::OpenShortcutCapture, 0, 0, true});
        break;
    case kind::LightingEffect:
        if (listed(spec, r)) {
            MenuChoice c = closing(Action::LightingEffect, spec.rows[size_t(r - 1)].value);
            c.repaintOwner = true;
            return c;
        }
        break;
    case kind::ReactionType:
        if (listed(spec, r)) {
            MenuChoice c = closing(Action::ReactionType, r - 1);
            c.repaintOwner = true;
            return c;
        }
        break;
    case kind::LightingMode: {
        static constexpr int codes[] = {1, 2, 3, 6, 7};
        if (r >= 1 && r <= 5)
            return closing(Action::LightingMode, codes[r - 1],
                           OwnerMessage{msg::LedEventValues1, std::uintptr_t(r - 1), 0});
        break;
    }
    case kind::Colour:
        if (r >= 1 && r <= 7)
            return closing(Action::Colour, r, OwnerMessage{msg::LedEventValues2, std::uintptr_t(r), 0});
        break;
    case kind::Weapon:
        if (listed(spec, r))
            return closing(Action::Preset, r - 1);
        break;
    case kind::Language:
        if (listed(spec, r))
            return closing(Action::Language, r, OwnerMessage{msg::MenuChosen, 1, r});
        break;
    case kind::Library:
    case kind::MacroRow:
    case kind::Event:
        if (listed(spec, r))
            return closing(Action::Message, 0, macroPageCommand(spec.id, r, true));
        break;
    case kind::Insert:
        if (r >= 5 && r <= 7)
            return closing(Action::Message, 0, macroPageCommand(kind::Insert, 140 + r, false));
        break;
    default:
        break;
    }
    return {};
}

MenuChoice chooseInSubMenu(const MenuSpec& spec, int r)
{
    if (!listed(spec, r))
        return {};
    switch (spec.id) {
    case source::MoreFunctions: {
        // Rows without an entry (see describeSubMenu) choose nothing.
        const Text& t = spec.rows[size_t(r - 1)].text;
        if (t.empty())
            return {};
        return assign(spec.rows[size_t(r - 1)].value, 0);
    }
    case source::Multimedia:
        return assign(settings::multimediaCode(r), 0);
    case source::ConfigSwitch:
        return assign(settings::configSwitchCode(r), 0);
    case source::Presets:
        return assign(settings::presetCode(r), 1);
    case source::InsertBefore:
        return closing(Action::Message, 0, macroPageCommand(kind::Insert, 240 + r, false));
    case source::InsertAfter:
        return closing(Action::Message, 0, macroPageCommand(kind::Insert, 246 + r, false));
    case source::Move:
        return closing(Action::Message, 0, macroPageCommand(kind::Insert, 252 + r, false));
    case source::Cpi:
        return closing(Action::Message, 0, macroPageCommand(kind::Insert, 256 + r, false));
    default:
        return {}; // group lists: hovering opens the macros, a release does nothing
    }
}

} // namespace

MenuChoice choose(const MenuSpec& spec, int row)
{
    switch (spec.level) {
    case Level::Menu:
        return chooseInMenu(spec, row);
    case Level::SubMenu:
        return chooseInSubMenu(spec, row);
    case Level::MacroChoice: {
        if (!listed(spec, row))
            return {};
        MenuChoice c = closing(Action::AssignMacro, row - 1, OwnerMessage{msg::MenuChosen, 2, 0});
        c.code = spec.id;
        c.leftMacro = spec.leftMacro;
        return c;
    }
    }
    return {};
}

std::optional<OwnerMessage> carryOut(const MenuChoice& c, ChoiceTarget& t)
{
    settings::ConfigStore* s = t.store;
    switch (c.action) {
    case Action::Nothing:
        return std::nullopt;
    case Action::AssignFunction:
        if (s)
            settings::assignFromSubMenu(*s, settings::currentConfiguration(*s), t.editedButton, c.code, c.leftMacro);
        break;
    case Action::AssignMacro:
        if (s) {
            // The menu showed the names as they were when it opened; the file decides now.
            bool exists = macro::findGroupMacro(t.macroFolder, c.code, c.value, t.language).has_value();
            int code = exists ? settings::libraryMacroCode(c.code + 1, c.value + 1) : settings::function::None;
            settings::assignFromSubMenu(*s, settings::currentConfiguration(*s), t.editedButton, code, c.leftMacro);
        }
        break;
    case Action::SetConfiguration:
        if (s)
            settings::setCurrentConfiguration(*s, c.value);
        break;
    case Action::LightingEffect:
        if (s)
            settings::setLightingEffect(*s, c.value);
        break;
    case Action::ReactionType:
        if (s && t.reactionButton >= 0 && t.reactionButton < settings::kButtons)
            settings::currentSlot(*s, t.reactionButton).ledReactType = c.value;
        break;
    case Action::LightingMode:
        if (t.ledMode)
            *t.ledMode = std::uint8_t(c.value);
        break;
    case Action::Colour:
        if (t.ledColour)
            *t.ledColour = std::uint8_t(c.value);
        break;
    case Action::Preset:
        if (t.currentPreset && *t.currentPreset != c.value) {
            int previous = *t.currentPreset;
            *t.currentPreset = c.value;
            return OwnerMessage{msg::PresetDialog, std::uintptr_t(previous), 0};
        }
        return std::nullopt;
    case Action::Language:
    case Action::Message:
        break;
    }
    return c.message;
}

std::optional<SubMenuPlace> subMenuFor(const MenuSpec& menu, int row, const MenuGeometry& g, int groupCount)
{
    if (menu.level != Level::Menu || g.rowHeight <= 0)
        return std::nullopt;
    const int h = g.rowHeight;
    if (menu.id == kind::Button) {
        const platform::Size size{300, 400};
        switch (row) {
        case 7: return SubMenuPlace{source::MoreFunctions, {g.width, 4 * h}, size};
        case 8: return SubMenuPlace{source::Multimedia, {g.width, 1 * h}, size};
        case 9: return SubMenuPlace{source::Groups, {g.width, (9 - groupCount) * h}, size};
        case 11: return SubMenuPlace{source::ConfigSwitch, {g.width, 9 * h}, size};
        case 12: return SubMenuPlace{source::Presets, {g.width, 11 * h}, size};
        case 13: return SubMenuPlace{source::LeftGroups, {g.width, (13 - groupCount) * h}, size};
        default: return std::nullopt;
        }
    }
    if (menu.id == kind::Insert && row >= 1 && row <= 4)
        return SubMenuPlace{140 + row, {g.width, (row - 1) * h}, {300, 721}};
    return std::nullopt;
}

std::optional<SubMenuPlace> macroChoiceFor(const MenuSpec& groupList, int row, const MenuGeometry& g,
                                           const macro::Library& lib)
{
    if (groupList.level != Level::SubMenu ||
        (groupList.id != source::Groups && groupList.id != source::LeftGroups) || g.rowHeight <= 0)
        return std::nullopt;
    if (row < 1 || row > std::clamp(lib.groupCount, 0, macro::kMaxGroups))
        return std::nullopt;
    // Its bottom lines up with the bottom of the hovered group's row.
    return SubMenuPlace{row - 1, {g.width, (row - macroCount(lib, row - 1)) * g.rowHeight}, {300, 400}};
}

} // namespace ui::menus

namespace ui::menus {

platform::Rect contextMenuRect(int k, platform::Point cursor, int valueListLeft, int macGWidth, int maskWidth,
                               int scale)
{
    using platform::Rect;
    const int height = 360 * scale;
    switch (k) {
    case kind::Library:
        return Rect::fromXywh(cursor.x, cursor.y, macGWidth * scale, height);
    case kind::LightingMode:
        return Rect::fromXywh(valueListLeft, cursor.y + 10 * scale, maskWidth * scale, height);
    case kind::Colour:
        return Rect::fromXywh(valueListLeft + 2 - 2 * scale, cursor.y + 10 * scale, maskWidth * scale, height);
    default: // the macro row and event menus
        return Rect::fromXywh(cursor.x, cursor.y, std::max(macGWidth - 80, 0) * scale, height);
    }
}

platform::Rect weaponListRect(const platform::Rect& presetDialog, const platform::Rect& region5, int scale)
{
    return platform::Rect::fromXywh(presetDialog.left + region5.left, presetDialog.top + region5.bottom,
                                    160 * scale, 360 * scale);
}

} // namespace ui::menus
