#include <gtest/gtest.h>

#include "app/kvx_gmouse_app.h"
#include "app/paths.h"
#include "app/startup.h"
#include "platform/headless/windows_headless.h"
#include "platform/headless/process_headless.h"
#include "platform/platform.h"
#include "tests/support/temp_folder.h"

using testsupport::TempFolder;

namespace {

// A headless process of its own per test, swapped in for the default one.
struct ProcessRig {
    ProcessRig()
    {
        saved = platform::os().process;
        platform::os().process = &process;
        process.exePath = dir.path() + u"\\KVX_GMouse.exe";
        platform::headless::windows().modalRuns.clear();
        dir.writeText(u"skins\\config\\config.ini",
                      "[Init]\r\nVER_SEL=1\r\nCurConfig=1\r\n[PRODUCTNAME]\r\nPRODUCTNAME_CN=CN Title\r\n"
                      "PRODUCTNAME_EN=EN Title\r\n");
    }
    ~ProcessRig() { platform::os().process = saved; }

    TempFolder dir;
    platform::headless::HeadlessProcess process;
    platform::Process* saved;
};

} // namespace

TEST(Instance, FirstStartOwnsTheMutexAndRunsTheMainDialog)
{
    ProcessRig rig;
    rig.process.cmdLine = u"KVX_GMouse.exe -HIDE";
    auto& ws = platform::headless::windows();
    ws.modalRuns.clear();
    Text title;
    bool minimised = false;
    ws.setModalDriver([&](platform::Window& w) {
        if (w.templateId() == 102) {
            title = w.text();
            minimised = w.isIconic();
            w.send(platform::msg::Close); // the close sequence ends it
        }
    });
    CKVX_GMouseApp app;
    EXPECT_EQ(app.executableFolder(), rig.dir.path());
    EXPECT_FALSE(app.InitInstance());
    ws.setModalDriver(nullptr);
    EXPECT_TRUE(rig.process.heldMutexes.count(u"CKVX_GMouseM9X4App"));
    ASSERT_FALSE(ws.modalRuns.empty());
    EXPECT_EQ(ws.modalRuns.back().templateId, 102);
    EXPECT_FALSE(ws.modalRuns.back().unanswered);
    EXPECT_EQ(title, u"EN Title");
    EXPECT_TRUE(minimised) << "-HIDE minimises at the first background erase";
    EXPECT_EQ(app::paths().macroFolder, rig.dir.path() + u"\\skins\\1_INI_EN\\macro\\");
}

TEST(Instance, SecondStartRestoresTheFirstWindowAndCreatesNothing)
{
    ProcessRig rig;
    rig.process.heldMutexes.insert(u"CKVX_GMouseM9X4App");
    rig.process.windowsByTitle[u"EN Title"] = 0x1234;
    CKVX_GMouseApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(rig.process.restored, std::vector<platform::WindowHandle>{0x1234});
    EXPECT_TRUE(platform::headless::windows().modalRuns.empty());
}

TEST(Instance, SecondStartWithoutAWindowToFindExitsSilently)
{
    ProcessRig rig;
    rig.process.heldMutexes.insert(u"CKVX_GMouseM9X4App");
    rig.dir.writeText(u"skins\\config\\config.ini", "[Init]\r\nVER_SEL=0\r\n[PRODUCTNAME]\r\nPRODUCTNAME_EN=EN Title\r\n");
    rig.process.windowsByTitle[u"EN Title"] = 0x1234; // VER_SEL 0 looks for the Chinese title, which is empty
    CKVX_GMouseApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(rig.process.restored.empty());
    EXPECT_TRUE(platform::headless::windows().modalRuns.empty());
}
