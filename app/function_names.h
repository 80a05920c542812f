#pragma once
// Where the main page finds the names of button functions: the skin's
// function names and more-functions entries, the macro library and the game
// presets, all owned by the main window.
#include "macro/macro_library.h"
#include "settings/button_catalogue.h"
#include "ui/skin_tables.h"

namespace app {

class ProgramFunctionNames : public settings::FunctionNames {
public:
    ProgramFunctionNames(const ui::MainSkinTables& skins, const macro::Library& library,
                         const macro::PresetTable& presets)
        : skins_(skins), library_(library), presets_(presets)
    {
    }

    Text skinFunctionName(int number) override { return skins_.functions.name(number); }
    Text moreFunctionName(int code) override;
    Text libraryMacroName(int group, int macro) override;
    Text presetName(int preset) override;

private:
    const ui::MainSkinTables& skins_;
    const macro::Library& library_;
    const macro::PresetTable& presets_;
};

} // namespace app
