#include "app/menu_context.h"

#include "app/main_dialog.h"
#include "app/paths.h"

#include <algorithm>

namespace app {

MenuOpening menuOpening(const ui::PopupRequest& request)
{
    namespace kind = ui::menus::kind;
    MenuOpening o;
    o.button = request.button;
    switch (request.kind) {
    case ui::PopupKind::ConfigurationMenu: o.kind = kind::Configuration; break;
    case ui::PopupKind::ButtonMenu: o.kind = kind::Button; break;
    case ui::PopupKind::EmptyMenu: o.kind = kind::Empty; break;
    case ui::PopupKind::PlainLanguageMenu: o.kind = kind::Language; break;
    case ui::PopupKind::LanguageMenu:
        o.kind = kind::Language;
        o.withLanguageList = true;
        break;
    case ui::PopupKind::EffectMenu: o.kind = kind::LightingEffect; break;
    case ui::PopupKind::ReactionTypeMenu: o.kind = kind::ReactionType; break;
    case ui::PopupKind::InsertMenu: o.kind = kind::Insert; break;
    case ui::PopupKind::LibraryMenu:
    case ui::PopupKind::MacroRowMenu:
    case ui::PopupKind::EventMenu:
    case ui::PopupKind::LightingModeMenu:
    case ui::PopupKind::ColourMenu:
        o.kind = ui::menuKindAtCursor(request.kind);
        o.ledBlock = request.ledBlock;
        break;
    }
    return o;
}

ui::menus::MenuContext menuContext(CKVX_GMouseDlg& dlg, const MenuOpening& opening)
{
    settings::ConfigStore& s = dlg.store();
    ui::menus::MenuContext c;
    c.look = &dlg.appearance();
    c.sources.texts = &dlg.appearance().texts;
    c.sources.functions = &dlg.appearance().skins.functions;
    c.sources.presets = &dlg.presets();
    c.sources.userColours = s.userDisplayColour;
    for (int e = 0; e < 14; ++e)
        if (dlg.effectMask() & (1u << e))
            c.sources.effects.push_back(e);
    if (opening.withLanguageList)
        for (int language : ui::kOfferedLanguages)
            c.sources.languageFolders.push_back(languageFolder(language));
    c.library = &dlg.library();
    c.owner = &dlg;
    c.target.store = &s;
    c.target.editedButton = opening.kind == ui::menus::kind::Button ? opening.button : -1;
    c.target.reactionButton = opening.kind == ui::menus::kind::ReactionType ? opening.button : -1;
    // The value menus change the LED block of the event selected in the current macro.
    if (opening.ledBlock >= 0 && opening.ledBlock < macro::kBlockCount) {
        macro::Library& lib = dlg.library();
        auto& block = lib.table[size_t(std::clamp(lib.currentMacro, 0, macro::kMaxMacrosPerGroup - 1))]
                          .ledBlock[opening.ledBlock];
        c.target.ledMode = &block[4];
        c.target.ledColour = &block[5];
    }
    c.target.macroFolder = paths().macroFolder;
    c.target.language = dlg.appearance().language;
    return c;
}

} // namespace app
