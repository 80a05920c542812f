#include "app/menu_context.h"

#include "app/main_dialog.h"
#include "app/paths.h"

namespace app {

ui::menus::MenuContext menuContext(CKVX_GMouseDlg& dlg, const MenuOpening& opening)
{
    settings::ConfigStore& s = dlg.store();
    ui::menus::MenuContext c;
    c.look = &dlg.look();
    c.sources.texts = &dlg.look().texts;
    c.sources.functions = &dlg.look().skins.functions;
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
    c.target.macroFolder = paths().macroFolder;
    c.target.language = dlg.look().language;
    return c;
}

} // namespace app
