#include "app/function_names.h"

namespace app {

Text ProgramFunctionNames::moreFunctionName(int code)
{
    const ui::MoreFunction* entry = skins_.functions.findKey(text::fromInt(code));
    return entry ? entry->text : Text();
}

Text ProgramFunctionNames::libraryMacroName(int group, int macro)
{
    if (group < 0 || group >= library_.groupCount || macro < 0 || macro >= int(library_.macroNames[0].size()))
        return Text();
    return library_.macroNames[size_t(group)][size_t(macro)];
}

Text ProgramFunctionNames::presetName(int preset)
{
    if (preset < 0 || preset >= presets_.count || preset >= int(presets_.names.size()))
        return Text();
    return presets_.names[size_t(preset)];
}

} // namespace app
