#pragma once
// The settings read before anything else: language, current configuration,
// product names (the window title, which is also how a second start finds
// the first), and the command-line switch.
#include "platform/text.h"

namespace app {

struct StartupValues {
    int language = 0;            // VER_SEL, cut to 8 bits
    int currentConfig = 0;       // CurConfig as a number
    Text currentConfigText;      // CurConfig as written
    Text sectionName = u"Config"; // "Config" + CurConfig text
    Text productNameCn;
    Text productNameEn;
    bool hideAtStart = false;

    Text windowTitle() const { return language == 0 ? productNameCn : productNameEn; }
};

// Reads PRODUCTNAME_CN/EN (50), CurConfig (5) and VER_SEL (5) from the
// configuration file. A missing file or key leaves empty text and zeros.
void readStartupValues(const Text& configFile, StartupValues& out);

// The four characters after the last '-' (the first four when there is no
// '-') must be exactly "HIDE".
bool commandLineAsksHide(TextView commandLine);

// The process-wide values.
StartupValues& startup();

} // namespace app
