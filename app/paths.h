#pragma once
// Where everything lives: the executable folder, the data root "skins" beside
// it, the configuration files and the language folders.
#include "platform/text.h"

namespace app {

// "\1_INI_EN" for language 1 and so on; empty for 25, negative and above 29,
// so that paths built with it fall back to the data root itself.
Text languageFolder(int language);

// The full module path cut before its last '\' (the backslash dropped).
Text executableFolderOf(TextView modulePath);

struct Paths {
    Text executableFolder;
    Text dataRoot;          // executable folder + "\skins"
    Text configFile;        // data root + "\config\config.ini"
    Text configFolder;      // data root + "\config\"
    Text macroFolder;       // data root + language folder + "\macro\"
    Text macroResetFolder;  // data root + language folder + "\macroReset\"

    void setDataRoot(const Text& exeFolder);
    // Called at start-up and again by the language switch.
    void setMacroFolders(int language);
};

// The process-wide paths.
Paths& paths();

} // namespace app
