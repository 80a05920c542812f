// A save that dies at any change to the disk leaves the old settings or the
// new ones after the next start, never a mixture and never nothing.
#include "platform/atomic_save.h"
#include "settings/config_files.h"
#include "tests/settings/settings_fixture.h"
#include "tests/support/dying_files.h"

#include <limits>

using namespace settings;
using settingstest::completeConfig;
using settingstest::SettingsTest;

namespace {

constexpr int kLanguage = 1;

// What the next start finds: config.ini after it fell back on its backup if it had to.
std::string startAgain(const testsupport::TempFolder& dir)
{
    restoreConfigFile(dir.file("config.ini"));
    return dir.readText(u"config.ini");
}

class DyingSave : public SettingsTest {
protected:
    static void changeEverything(ConfigStore& s)
    {
        setCurrentConfiguration(s, 3);
        for (int n = 0; n < kConfigurations; ++n)
            for (ButtonSlot& b : s.buttons[n]) {
                b.functionCode = 20 + n;
                b.macroColour = 5;
            }
        s.dpiLevel = 1;
        s.dpiIndex[5] = 77;
        s.fireTime = 9;
        s.userColour[6].blue = 3;
    }


    // Runs the save to the end, then again dying at each change it makes to
    // the disk (every `stride`-th one, and each of the last few): every start
    // after it finds the settings before or after the save.
    void expectOldOrNew(const std::function<void()>& save, const char* what, int stride = 1)
    {
        const std::string before = completeConfig().str();
        writeConfig(completeConfig());
        const int changes = testsupport::runDyingAt(std::numeric_limits<int>::max(), save);
        const std::string after = startAgain(dir);
        EXPECT_NE(after, before) << what << " changed nothing";
        EXPECT_GE(changes, 3) << what;
        for (int dieAt = 0; dieAt < changes; ++dieAt) {
            if (dieAt % stride != 0 && dieAt < changes - 5)
                continue;
            writeConfig(completeConfig());
            EXPECT_EQ(testsupport::runDyingAt(dieAt, save), -1);
            const std::string found = startAgain(dir);
            EXPECT_TRUE(found == before || found == after) << what << " died at change " << dieAt;
        }
    }
};

TEST_F(DyingSave, EverySaveOfConfigIniLeavesOldOrNewSettings)
{
    writeConfig(completeConfig());
    for (int n = 0; n < kConfigurations; ++n)
        loadConfiguration(*store, folder(), n, false, kLanguage);
    changeEverything(*store);
    auto factory = completeConfig();
    factory.section("ShareData").set("FIRE_TIME", "88");
    writeFactory(factory);
    testsupport::TempFolder elsewhere;
    auto imported = completeConfig();
    imported.section("ShareData").set("FIRE_TIME", "42");
    elsewhere.writeText(u"mine.ini", imported.str());
    SettingsFileContext ctx;
    ctx.configFolder = folder();
    ctx.productNameEn = u"KVX Gaming Mouse";
    ctx.productNameCn = u"KVX-CN Mouse";

    // Each of the four configurations is written the same way: a sample of their writes will do.
    expectOldOrNew([&] { saveAllConfigurations(*store, configFile()); }, "the apply step", 25);
    expectOldOrNew([&] { saveConfiguration(*store, configFile(), 2); }, "one configuration");
    expectOldOrNew([&] { saveDpiLevel(*store, configFile(), 2); }, "the DPI level");
    expectOldOrNew([&] { saveCurrentConfiguration(*store, configFile()); }, "CurConfig");
    expectOldOrNew([&] { factoryReset(*store, folder(), kLanguage); }, "the factory reset", 25);
    expectOldOrNew([&] { importSettingsFrom(*store, ctx, elsewhere.file("mine.ini")); }, "an import");
}

TEST_F(DyingSave, StartUpFallsBackOnTheBackupWhenConfigIniIsBroken)
{
    writeConfig(completeConfig());
    saveCurrentConfiguration(*store, configFile()); // keeps the file before as backup
    ASSERT_TRUE(dir.exists(u"config.ini.bak"));
    const std::string good = dir.readText(u"config.ini.bak");

    dir.writeText(u"config.ini", ""); // renamed in, but the data never reached the disk
    EXPECT_TRUE(restoreConfigFile(configFile()));
    EXPECT_EQ(dir.readText(u"config.ini"), good);
    EXPECT_FALSE(restoreConfigFile(configFile())) << "a good file stays";

    dir.writeText(u"config.ini", "[Init]\r\nCurConfig=1\r\n");
    EXPECT_TRUE(restoreConfigFile(configFile())) << "no product name: not ours";
    EXPECT_EQ(dir.readText(u"config.ini.bak"), good) << "the backup stays for next time";

    dir.writeText(u"config.ini.bak", "");
    dir.writeText(u"config.ini", "garbage");
    EXPECT_FALSE(restoreConfigFile(configFile())) << "a broken backup is no better";
    EXPECT_EQ(dir.readText(u"config.ini"), "garbage");
}

} // namespace
