// What the mouse reports through the device threads, handled on the main
// thread: a configuration switch, a DPI level change, and macros whose
// vertical adjust changed while they played.
#include "app/main_dialog.h"
#include "app/paths.h"
#include "app/playback_link.h"
#include "macro/macro_file.h"
#include "platform/atomic_save.h"
#include "platform/platform.h"
#include "settings/config_files.h"
#include "ui/tips.h"

namespace app {

std::intptr_t CKVX_GMouseDlg::onConfigFromMouse(std::uintptr_t config, std::intptr_t)
{
    configurationChangedByMouse(int(config));
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onDpiFromMouse(std::uintptr_t level, std::intptr_t)
{
    dpiLevelChangedByMouse(int(level));
    return 0;
}

std::intptr_t CKVX_GMouseDlg::onSaveAdjusted(std::uintptr_t, std::intptr_t)
{
    saveAdjustedMacros();
    return 0;
}

void CKVX_GMouseDlg::configurationChangedByMouse(int config)
{
    if (!settings::isValidConfiguration(config))
        return;
    settings::ConfigStore& s = store();
    settings::setCurrentConfiguration(s, config);
    platform::writeKeyAtomically(paths().configFile, u"Init", u"CurConfig", text::fromInt(config));
    ui::showTipIfAny(settings::tipFor(settings::loadConfiguration(s, paths().configFolder, config, false, look_->language)));
    redraw();
}

void CKVX_GMouseDlg::dpiLevelChangedByMouse(int level)
{
    if (level < 0 || level >= settings::kDpiLevels)
        return;
    settings::ConfigStore& s = store();
    s.dpiLevel = level;
    redraw();
    settings::saveDpiLevel(s, paths().configFile, settings::currentConfiguration(s));
    mouseDpiLevel_ = level;
}

void CKVX_GMouseDlg::saveAdjustedMacros()
{
    macro::Library& lib = *library_;
    const Text& folder = paths().macroFolder;
    for (auto& adjusted : playbackContext().takeAdjustedMacros()) {
        const int f = adjusted.function;
        if (f < macro::kFirstLibraryFunction || f > macro::kLastLibraryFunction)
            continue; // only library macros have a group file to go back to
        const int group = f / 256 - 1;
        const int item = f % 256;
        if (group >= lib.groupCount || item >= macro::kMaxMacrosPerGroup)
            continue;
        auto file = macro::groupFilePath(folder, lib.groupNames[size_t(group)]);
        if (!file)
            continue;
        if (group == lib.currentGroup) {
            if (item >= lib.currentGroupMacroCount)
                continue;
            lib.table[size_t(item)] = adjusted.record;
            macro::saveMacro(*file, lib.table, lib.currentGroupMacroCount, item, look_->language);
        } else {
            auto table = std::make_unique<macro::GroupTable>();
            const std::optional<int> count = macro::loadGroup(*table, *file, look_->language);
            if (!count)
                ui::showTip(macro::tip::FileMissing);
            if (!count || item >= *count)
                continue;
            (*table)[size_t(item)] = adjusted.record;
            macro::saveMacro(*file, *table, *count, item, look_->language);
        }
    }
}

} // namespace app
