#include "app/kvx_gmouse_app.h"

#include "app/main_dialog.h"

#include "app/paths.h"
#include "app/startup.h"
#include "platform/platform.h"

CKVX_GMouseApp::CKVX_GMouseApp()
    : executableFolder_(app::executableFolderOf(platform::os().process->executablePath()))
{
}

bool CKVX_GMouseApp::InitInstance()
{
    auto& process = *platform::os().process;
    if (process.createInstanceMutex(kInstanceMutex) == platform::MutexResult::AlreadyExisted) {
        restoreFirstInstance();
        return false;
    }
    runMainWindow();
    return false;
}

void CKVX_GMouseApp::restoreFirstInstance()
{
    auto& profile = *platform::os().profile;
    Text configFile = executableFolder_ + u"\\skins" + u"\\config\\config.ini";
    int language = profile.getInt(configFile, u"Init", u"VER_SEL", 0);
    Text title = profile.getString(configFile, u"PRODUCTNAME", language != 0 ? u"PRODUCTNAME_EN" : u"PRODUCTNAME_CN",
                                   Text(), 50);
    auto& process = *platform::os().process;
    if (platform::WindowHandle window = process.findWindow(title))
        process.restoreToFront(window);
}

void CKVX_GMouseApp::runMainWindow()
{
    app::paths().executableFolder = executableFolder_;
    {
        app::CKVX_GMouseDlg dlg;
        dlg.doModal();
    }
    // The device threads end with the process; parked, they touch nothing
    // while the process takes itself apart.
    app::deviceWork().suspendThreads();
}

namespace kvx {

CKVX_GMouseApp& theApp()
{
    static CKVX_GMouseApp app;
    return app;
}

int runApplication()
{
    theApp().InitInstance();
    return 0;
}

} // namespace kvx
