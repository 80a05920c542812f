#include "app/startup.h"

#include "platform/platform.h"
#include "settings/config_files.h"

namespace app {

void readStartupValues(const Text& configFile, StartupValues& out)
{
    // A save cut short by a power cut can leave it empty; the last good one is kept beside it.
    settings::restoreConfigFile(configFile);
    auto& profile = *platform::os().profile;
    out.productNameCn = profile.getString(configFile, u"PRODUCTNAME", u"PRODUCTNAME_CN", Text(), 50);
    out.productNameEn = profile.getString(configFile, u"PRODUCTNAME", u"PRODUCTNAME_EN", Text(), 50);
    out.currentConfigText = profile.getString(configFile, u"Init", u"CurConfig", Text(), 5);
    out.sectionName = u"Config" + out.currentConfigText;
    out.currentConfig = text::toInt(out.currentConfigText);
    // Every configuration array has four entries; a hand-edited value outside
    // them must not index past the end.
    if (out.currentConfig < 0 || out.currentConfig > 3)
        out.currentConfig = 0;
    Text language = profile.getString(configFile, u"Init", u"VER_SEL", Text(), 5);
    out.language = static_cast<unsigned char>(text::toInt(language));
}

bool commandLineAsksHide(TextView commandLine)
{
    size_t dash = commandLine.rfind(u'-');
    TextView rest = dash == TextView::npos ? commandLine : commandLine.substr(dash + 1);
    return rest.substr(0, 4) == u"HIDE";
}

StartupValues& startup()
{
    static StartupValues values;
    return values;
}

} // namespace app
