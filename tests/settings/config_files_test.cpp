// The configuration files: what a load makes of each key, what a save writes,
// the exact key order and read buffers, factory reset, import and export.
#include "tests/settings/settings_fixture.h"

#include "settings/config_files.h"

#include <sstream>

using namespace settings;
using settingstest::completeConfig;
using settingstest::IniSection;
using settingstest::IniText;
using settingstest::SettingsTest;

namespace {

constexpr int kLanguage = 1;

std::string k(const char* name, int i) { return name + std::to_string(i); }

// Key names in the order they appear in one section of a file's text.
std::vector<std::string> keysInSection(const std::string& fileText, const std::string& section)
{
    std::vector<std::string> keys;
    std::istringstream in(fileText);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inside = line == "[" + section + "]";
            continue;
        }
        size_t eq = line.find('=');
        if (inside && eq != std::string::npos)
            keys.push_back(line.substr(0, eq));
    }
    return keys;
}

std::vector<std::string> expectedConfigSaveOrder(int n)
{
    std::vector<std::string> keys;
    for (int b = 0; b < kButtons; ++b) {
        std::string bs = std::to_string(b);
        keys.insert(keys.end(), {"K" + bs, "LED_REACT_EN" + bs, "LEFT_MAC" + std::to_string(n) + bs,
                                 "MAC_COR" + std::to_string(n) + "_" + bs, "LED_REACT_TYPE" + bs});
    }
    keys.push_back("WHEEL_STATUS");
    return keys;
}

std::vector<std::string> expectedShareSaveOrder()
{
    std::vector<std::string> keys = {"DPI_LEVEL", "LED_USER_COLER_EN", "CYC_7COL_EN"};
    for (int i = 0; i < kDpiLevels; ++i) {
        std::string is = std::to_string(i);
        keys.insert(keys.end(), {"DPI_SET" + is, "DPI_SET_EN" + is, "DPI" + is + "_R", "DPI" + is + "_G", "DPI" + is + "_B"});
    }
    for (int i = 0; i < kUserColours; ++i) {
        std::string is = "LED_USER" + std::to_string(i);
        keys.insert(keys.end(), {is + "_R", is + "_G", is + "_B"});
    }
    keys.push_back("LED_TYPE");
    for (int i = 0; i < kEffectSwitches; ++i)
        keys.push_back(k("LED_TYPE_SW_EN", i));
    keys.insert(keys.end(), {"LED_CYC_TIME", "LED_FEATURE_SCOLOR", "LED_FEATURE_SYMMETRY", "LED_FEATURE_DIREC",
                             "LED_BRIGHT", "LED_CYCTIME", "DPI_SPEED", "WHEEL_SPEED", "USB_SPEED", "FIRE_TIME",
                             "MODE_LIGHT", "SOFT_HARD_MAC"});
    return keys;
}

// (section, key, buffer) of every read of a load of configuration n.
std::vector<std::string> expectedLoadReads(int n)
{
    std::vector<std::string> reads;
    std::string config = "Config" + std::to_string(n) + "/";
    auto add = [&](const std::string& section, const std::string& key, int buffer) {
        reads.push_back(section + key + ":" + std::to_string(buffer));
    };
    for (int b = 0; b < kButtons; ++b) {
        std::string bs = std::to_string(b);
        add(config, "K" + bs, 260);
        add(config, "LEFT_MAC" + std::to_string(n) + bs, 5);
        add(config, "MAC_COR" + std::to_string(n) + "_" + bs, 5);
        add(config, "LED_REACT_EN" + bs, 5);
        add(config, "LED_REACT_TYPE" + bs, 5);
    }
    add(config, "WHEEL_STATUS", 5);
    const std::string share = "ShareData/";
    add(share, "DPI_LEVEL", 5);
    for (int i = 0; i < kDpiLevels; ++i) {
        std::string is = std::to_string(i);
        add(share, "DPI_SET" + is, 10);
        add(share, "DPI_SET_EN" + is, 10);
        add(share, "DPI" + is + "_R", 10);
        add(share, "DPI" + is + "_G", 10);
        add(share, "DPI" + is + "_B", 10);
    }
    add(share, "LED_TYPE", 5);
    for (int i = 0; i < kEffectSwitches; ++i)
        add(share, k("LED_TYPE_SW_EN", i), 5);
    for (const char* key : {"LED_CYCTIME", "LED_USER_COLER_EN", "LED_FEATURE_SCOLOR", "LED_FEATURE_DIREC",
                            "LED_FEATURE_SYMMETRY", "LED_BRIGHT", "MODE_LIGHT", "SOFT_HARD_MAC"})
        add(share, key, 5);
    for (int i = 0; i < kUserColours; ++i) {
        std::string is = "LED_USER" + std::to_string(i);
        add(share, is + "_R", 10);
        add(share, is + "_G", 10);
        add(share, is + "_B", 10);
    }
    for (const char* key : {"CYC_7COL_EN", "DPI_SPEED", "WHEEL_SPEED", "USB_SPEED", "FIRE_TIME"})
        add(share, key, 5);
    return reads;
}

Text shortcutText() { return T(settingstest::kCtrlShiftC); }

} // namespace

// ---------------------------------------------------------------- load

class ConfigLoad : public SettingsTest {};

TEST_F(ConfigLoad, ButtonValuesWithAndWithoutShortcutText)
{
    IniText ini = completeConfig();
    IniSection& c0 = ini.section("Config0");
    c0.set("K5", "33," + std::string(settingstest::kCtrlShiftC));
    c0.set("K3", "7");
    c0.set("K0", "12,left over text");
    c0.set("K1", "33,");
    c0.set("K2", " -4 ");
    c0.set("K4", "abc");
    writeConfig(ini);
    loadConfiguration(*store, folder(), 0, false, kLanguage);

    const ButtonSlot* b = store->buttons[0];
    EXPECT_EQ(b[5].functionCode, 33);
    EXPECT_EQ(b[5].shortcutText, shortcutText());
    EXPECT_EQ(b[3].functionCode, 7);
    EXPECT_EQ(b[3].shortcutText, u"");
    EXPECT_EQ(b[0].functionCode, 12);
    EXPECT_EQ(b[0].shortcutText, u"left over text") << "kept in memory";
    EXPECT_EQ(b[1].functionCode, 33);
    EXPECT_EQ(b[1].shortcutText, u"");
    EXPECT_EQ(b[2].functionCode, -4);
    EXPECT_EQ(b[4].functionCode, 0) << "text without digits";

    saveConfiguration(*store, configFile(), 0);
    EXPECT_EQ(read(configFile(), "Config0", "K5"), T("33,") + shortcutText());
    EXPECT_EQ(read(configFile(), "Config0", "K3"), u"7");
    EXPECT_EQ(read(configFile(), "Config0", "K0"), u"12") << "only code 33 carries its text";
    EXPECT_EQ(read(configFile(), "Config0", "K1"), u"33,");
    EXPECT_EQ(read(configFile(), "Config0", "K2"), u"-4");
}

TEST_F(ConfigLoad, FieldsAreCutClampedAndForcedAsTheFileFormatRequires)
{
    IniText ini = completeConfig();
    IniSection& c0 = ini.section("Config0");
    c0.set("MAC_COR0_3", "9");
    c0.set("MAC_COR0_4", "-2");
    c0.set("LED_REACT_EN6", "0");
    c0.set("WHEEL_STATUS", "5");
    IniSection& share = ini.section("ShareData");
    share.set("DPI_SET2", "300");
    share.set("DPI_SET_EN4", "5");
    share.set("FIRE_TIME", "12345");
    share.set("LED_USER_COLER_EN", "0");
    share.set("LED_FEATURE_SCOLOR", "7");
    share.set("DPI1_R", "123456789012");
    share.set("LED_TYPE", "-1");
    share.set("USB_SPEED", "9");
    share.set("CYC_7COL_EN", "300");
    writeConfig(ini);
    loadConfiguration(*store, folder(), 0, false, kLanguage);

    EXPECT_EQ(store->buttons[0][3].macroColour, 6);
    EXPECT_EQ(store->buttons[0][4].macroColour, 0);
    EXPECT_EQ(store->buttons[0][6].ledReactEnabled, 1);
    EXPECT_EQ(store->dpiIndex[2], 44) << "low 8 bits of 300";
    EXPECT_EQ(store->dpiEnabled[4], 1);
    EXPECT_EQ(store->fireTime, 1234) << "a 5-character buffer";
    EXPECT_EQ(store->userColourEnable, 1);
    EXPECT_EQ(store->featureColour, 0);
    EXPECT_EQ(store->dpiColour[1].red, 123456789 & 0x0F) << "a 10-character buffer, four bits kept";
    EXPECT_EQ(store->ledType, 255);
    EXPECT_EQ(store->reportInterval, 7);
    EXPECT_EQ(store->cycleColours, 44);
    EXPECT_EQ(store->cycleFlags[2], 1);
    EXPECT_EQ(store->cycleFlags[3], 1);
    EXPECT_EQ(store->cycleFlags[5], 1);
    EXPECT_EQ(store->cycleFlags[0], 0);

    saveConfiguration(*store, configFile(), 0);
    EXPECT_EQ(read(configFile(), "Config0", "MAC_COR0_3"), u"6");
    EXPECT_EQ(read(configFile(), "Config0", "WHEEL_STATUS"), u"0");
    EXPECT_EQ(read(configFile(), "ShareData", "DPI_SET2"), u"44");
    EXPECT_EQ(read(configFile(), "ShareData", "DPI_SET_EN4"), u"1");
    EXPECT_EQ(read(configFile(), "ShareData", "FIRE_TIME"), u"1234");
    EXPECT_EQ(read(configFile(), "ShareData", "LED_USER_COLER_EN"), u"1");
    EXPECT_EQ(read(configFile(), "ShareData", "LED_FEATURE_SCOLOR"), u"0");
}

TEST_F(ConfigLoad, DerivedValuesFollowTheLoadedSources)
{
    writeConfig(completeConfig());
    loadConfiguration(*store, folder(), 1, false, kLanguage);
    // DPI2: R 2, G 13, B 9 -> 223, 47, 111
    EXPECT_EQ(store->dpiDisplayColour[2], 223u | 47u << 8 | 111u << 16);
    // LED_USER6: R 8, G 12, B 7 -> 127, 63, 143
    EXPECT_EQ(store->userDisplayColour[6], 127u | 63u << 8 | 143u << 16);
    EXPECT_EQ(store->reportInterval, 1);
    // 93 = 0b1011101
    const int flags[] = {1, 0, 1, 1, 1, 0, 1};
    for (int i = 0; i < kUserColours; ++i)
        EXPECT_EQ(store->cycleFlags[i], flags[i]) << i;
    EXPECT_EQ(store->dpiLevel.load(), 3);
    EXPECT_EQ(store->currentConfigText, u"1");
}

TEST_F(ConfigLoad, AMissingSectionLoadsZerosWithTheReactionSwitchedOn)
{
    IniText ini = completeConfig();
    ini.remove("Config2");
    writeConfig(ini);
    store->buttons[2][4].functionCode = 9;
    store->buttons[2][4].shortcutText = u"stale";
    loadConfiguration(*store, folder(), 2, false, kLanguage);
    for (const ButtonSlot& slot : store->buttons[2]) {
        EXPECT_EQ(slot.functionCode, 0);
        EXPECT_EQ(slot.shortcutText, u"");
        EXPECT_EQ(slot.macroColour, 0);
        EXPECT_EQ(slot.leftMacro, 0);
        EXPECT_EQ(slot.ledReactEnabled, 1);
    }
    EXPECT_TRUE(ui::shownTips().empty());
}

TEST_F(ConfigLoad, AMissingFileAsksForTipFiveAndKeepsTheStore)
{
    store->buttons[1][0].functionCode = 4;
    store->fireTime = 99;
    const LoadResult missing = loadConfiguration(*store, folder(), 1, false, kLanguage);
    EXPECT_EQ(missing, LoadResult::FileMissing);
    EXPECT_EQ(tipFor(missing), 5);
    EXPECT_TRUE(ui::shownTips().empty()) << "the window tells the user, not the load";
    EXPECT_EQ(store->buttons[1][0].functionCode, 4);
    EXPECT_EQ(store->fireTime, 99);
    EXPECT_EQ(store->currentConfigText, u"1") << "the text is set before the file is looked for";

    // config.ini alone does not satisfy a factory load.
    writeConfig(completeConfig());
    EXPECT_EQ(loadConfiguration(*store, folder(), 0, true, kLanguage), LoadResult::FileMissing);
    EXPECT_EQ(store->fireTime, 99);
    EXPECT_EQ(loadConfiguration(*store, folder(), 0, false, kLanguage), LoadResult::Loaded);
    EXPECT_EQ(tipFor(LoadResult::Loaded), 0);
    EXPECT_TRUE(ui::shownTips().empty());
}

TEST_F(ConfigLoad, HugeColourValuesKeepTheFourBitsTheMouseGetsAndShowTheSameColour)
{
    IniText ini = completeConfig();
    IniSection& share = ini.section("ShareData");
    share.set("DPI0_R", "999999999");     // 0x3B9AC9FF
    share.set("DPI0_G", "-16");
    share.set("DPI0_B", "-1");
    share.set("LED_USER6_R", "999999999");
    share.set("LED_USER6_G", "17");
    writeConfig(ini);
    loadConfiguration(*store, folder(), 0, false, kLanguage);

    EXPECT_EQ(store->dpiColour[0].red, 15);
    EXPECT_EQ(store->dpiColour[0].green, 0);
    EXPECT_EQ(store->dpiColour[0].blue, 15);
    EXPECT_EQ(store->userColour[6].red, 15);
    EXPECT_EQ(store->userColour[6].green, 1);
    EXPECT_EQ(store->dpiDisplayColour[0], 0x0FFF0Fu);
    EXPECT_EQ(store->userDisplayColour[6] & 0xFFFFu, 0xEF0Fu);

    saveConfiguration(*store, configFile(), 0);
    EXPECT_EQ(read(configFile(), "ShareData", "DPI0_R"), u"15");
    EXPECT_EQ(read(configFile(), "ShareData", "LED_USER6_G"), u"1");
}

TEST_F(ConfigLoad, GarbledFilesNeverCrashTheLoad)
{
    std::vector<std::uint8_t> binary;
    for (int i = 0; i < 8192; ++i)
        binary.push_back(static_cast<std::uint8_t>((i * 167 + 13) & 0xFF));
    dir.write(u"config.ini", binary);
    loadConfiguration(*store, folder(), 0, false, kLanguage);
    EXPECT_TRUE(ui::shownTips().empty());
    EXPECT_EQ(store->buttons[0][0].ledReactEnabled, 1);

    dir.writeText(u"config.ini", "[Config0]\r\nK0=" + std::string(5000, '7') + "," + std::string(5000, 'x') +
                                     "\r\n[ShareData\r\nDPI_LEVEL=2\r\n==\r\n[]\r\n");
    loadConfiguration(*store, folder(), 0, false, kLanguage);
    EXPECT_EQ(store->buttons[0][0].shortcutText, u"") << "the comma lies beyond the 259 characters read";

    dir.writeText(u"config.ini", "[ShareData]\r\nDPI_LEVEL=9\r\n");
    loadConfiguration(*store, folder(), 3, false, kLanguage);
    EXPECT_EQ(store->dpiLevel.load(), 0) << "a level outside 0..5 would index beyond the six levels";
    dir.writeText(u"config.ini", "[ShareData]\r\nDPI_LEVEL=-1\r\n");
    loadConfiguration(*store, folder(), 3, false, kLanguage);
    EXPECT_EQ(store->dpiLevel.load(), 0);
}

TEST_F(ConfigLoad, AFolderNamedLikeTheFileCountsAsMissing)
{
    platform::os().files->createDirectory(dir.file("config.ini"));
    EXPECT_EQ(loadConfiguration(*store, folder(), 0, false, kLanguage), LoadResult::FileMissing);
}

TEST_F(ConfigLoad, ConfigurationNumbersOutsideZeroToThreeAreIgnored)
{
    writeConfig(completeConfig());
    EXPECT_EQ(loadConfiguration(*store, folder(), 4, false, kLanguage), LoadResult::NoSuchConfiguration);
    EXPECT_EQ(loadConfiguration(*store, folder(), -1, false, kLanguage), LoadResult::NoSuchConfiguration);
    EXPECT_EQ(tipFor(LoadResult::NoSuchConfiguration), 0);
    saveConfiguration(*store, dir.file("out.ini"), 4);
    EXPECT_FALSE(dir.exists(u"out.ini"));
    EXPECT_EQ(store->currentConfigText, u"");
}

TEST_F(ConfigLoad, ReadsEveryKeyInOrderWithItsBuffer)
{
    writeConfig(completeConfig());
    auto& recorder = record();
    loadConfiguration(*store, dir.path(), 2, false, kLanguage); // folder without trailing '\'
    std::vector<std::string> reads;
    for (const auto& call : recorder.calls) {
        ASSERT_FALSE(call.write) << "a load writes nothing";
        reads.push_back(text::toUtf8(call.section) + "/" + text::toUtf8(call.key) + ":" + std::to_string(call.buffer));
    }
    EXPECT_EQ(reads, expectedLoadReads(2));
    EXPECT_EQ(store->buttons[2][0].functionCode, 3) << "the folder was joined with a '\\'";
}

// ---------------------------------------------------------------- save

class ConfigSave : public SettingsTest {};

TEST_F(ConfigSave, WritesEveryKeyInItsOrder)
{
    writeConfig(completeConfig());
    loadConfiguration(*store, folder(), 1, false, kLanguage);
    Text out = dir.file("fresh.ini");
    saveConfiguration(*store, out, 1);
    std::string written = dir.readText(u"fresh.ini");
    EXPECT_EQ(keysInSection(written, "Config1"), expectedConfigSaveOrder(1));
    EXPECT_EQ(keysInSection(written, "ShareData"), expectedShareSaveOrder());
    EXPECT_TRUE(keysInSection(written, "Config0").empty());
    EXPECT_EQ(read(out, "ShareData", "LED_CYC_TIME"), u"4");
    EXPECT_EQ(read(out, "ShareData", "LED_CYCTIME"), u"4");
    EXPECT_EQ(read(out, "Config1", "WHEEL_STATUS"), u"0");
    EXPECT_EQ(read(out, "ShareData", "LED_USER_COLER_EN"), u"1");
    EXPECT_EQ(store->currentConfigText, u"1");
}

TEST_F(ConfigSave, SavingOneConfigurationRewritesTheSharedSection)
{
    writeConfig(completeConfig());
    loadConfiguration(*store, folder(), 0, false, kLanguage);
    store->fireTime = 120;
    store->dpiLevel = 1;
    store->userColourEnable = 0;
    saveConfiguration(*store, configFile(), 1);
    EXPECT_EQ(read(configFile(), "ShareData", "FIRE_TIME"), u"120");
    EXPECT_EQ(read(configFile(), "ShareData", "DPI_LEVEL"), u"1");
    EXPECT_EQ(read(configFile(), "ShareData", "LED_USER_COLER_EN"), u"1");
    EXPECT_EQ(store->userColourEnable, 1);
    EXPECT_EQ(read(configFile(), "Init", "CurConfig"), u"2") << "Init is not the save's business";
}

TEST_F(ConfigSave, RoundTripKeepsEveryKeysValue)
{
    IniText original = completeConfig();
    writeConfig(original);
    for (int n = 0; n < kConfigurations; ++n)
        loadConfiguration(*store, folder(), n, false, kLanguage);
    Text copy = dir.file("copy.ini");
    for (int n = 0; n < kConfigurations; ++n)
        saveConfiguration(*store, copy, n);
    // And the real flow: saved back over the file it came from.
    for (int n = 0; n < kConfigurations; ++n)
        saveConfiguration(*store, configFile(), n);

    int compared = 0;
    for (const auto& section : original.sections) {
        bool stored = section.name == "ShareData" || section.name.rfind("Config", 0) == 0;
        for (const auto& [key, value] : section.keys) {
            if (stored) {
                EXPECT_EQ(read(copy, section.name.c_str(), key.c_str()), text::fromUtf8(value))
                    << section.name << "/" << key;
            }
            EXPECT_EQ(read(configFile(), section.name.c_str(), key.c_str()), text::fromUtf8(value))
                << section.name << "/" << key;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 2 + 2 + 1 + 10 + 4 * 61 + 77);
}

TEST_F(ConfigSave, DpiLevelAloneAndTheCurrentConfiguration)
{
    writeConfig(completeConfig());
    loadConfiguration(*store, folder(), 0, false, kLanguage);
    store->dpiLevel = 5;
    store->fireTime = 10;
    auto& recorder = record();
    saveDpiLevel(*store, configFile(), 2);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].section, u"ShareData");
    EXPECT_EQ(recorder.calls[0].key, u"DPI_LEVEL");
    EXPECT_EQ(recorder.calls[0].value, u"5");
    EXPECT_EQ(store->currentConfigText, u"2");
    EXPECT_EQ(read(configFile(), "ShareData", "FIRE_TIME"), u"275");

    setCurrentConfiguration(*store, 3);
    saveCurrentConfiguration(*store, configFile());
    EXPECT_EQ(read(configFile(), "Init", "CurConfig"), u"3");
}

TEST_F(ConfigSave, TheApplyStepWritesCurConfigThenConfigurationsZeroToThree)
{
    writeConfig(completeConfig());
    for (int n = 0; n < kConfigurations; ++n)
        loadConfiguration(*store, folder(), n, false, kLanguage);
    setCurrentConfiguration(*store, 1);
    auto& recorder = record();
    saveAllConfigurations(*store, configFile());
    std::vector<std::string> order;
    for (const auto& call : recorder.calls)
        if (call.key == u"CurConfig" || call.key == u"K0")
            order.push_back(text::toUtf8(call.section) + "/" + text::toUtf8(call.value));
    EXPECT_EQ(order, (std::vector<std::string>{"Init/1", "Config0/1", "Config1/2", "Config2/3",
                                               "Config3/33," + std::string(settingstest::kCtrlShiftC)}));
}

TEST_F(ConfigSave, DpiLevelReadBackAfterTheSoundLighting)
{
    writeConfig(completeConfig());
    loadDpiLevel(*store, configFile());
    EXPECT_EQ(store->dpiLevel.load(), 3);
    IniText ini = completeConfig();
    ini.section("ShareData").set("DPI_LEVEL", "6");
    writeConfig(ini);
    loadDpiLevel(*store, configFile());
    EXPECT_EQ(store->dpiLevel.load(), 0);
}

// ---------------------------------------------------------------- factory reset

class FactoryReset : public SettingsTest {};

TEST_F(FactoryReset, ReloadsThreeToZeroFromTheFactoryFileAndSavesEach)
{
    IniText factory = completeConfig();
    for (int n = 0; n < kConfigurations; ++n)
        factory.section("Config" + std::to_string(n)).set("K0", std::to_string(10 + n));
    factory.section("ShareData").set("FIRE_TIME", "88");
    writeFactory(factory);
    IniText user = completeConfig();
    user.section("Init").set("CurConfig", "1");
    user.section("Config2").set("K0", "5");
    writeConfig(user);
    setCurrentConfiguration(*store, 1);

    auto& recorder = record();
    EXPECT_TRUE(factoryReset(*store, folder(), kLanguage).empty());
    std::vector<std::string> sectionsWritten;
    for (const auto& call : recorder.calls)
        if (call.write && call.key == u"K0")
            sectionsWritten.push_back(text::toUtf8(call.section));
    EXPECT_EQ(sectionsWritten, (std::vector<std::string>{"Config3", "Config2", "Config1", "Config0"}));

    for (int n = 0; n < kConfigurations; ++n)
        EXPECT_EQ(read(configFile(), ("Config" + std::to_string(n)).c_str(), "K0"), text::fromInt(10 + n));
    EXPECT_EQ(read(configFile(), "ShareData", "FIRE_TIME"), u"88");
    EXPECT_EQ(read(configFile(), "Init", "CurConfig"), u"1");
    EXPECT_EQ(currentConfiguration(*store), 1);
    EXPECT_EQ(store->currentConfigText, u"0");
    EXPECT_EQ(read(dir.file("configReset.ini"), "Config2", "K0"), u"12") << "the factory file is never written";
}

TEST_F(FactoryReset, WithoutAFactoryFileTheSettingsStayAndEachLoadWarns)
{
    writeConfig(completeConfig());
    loadConfiguration(*store, folder(), 0, false, kLanguage);
    EXPECT_EQ(factoryReset(*store, folder(), kLanguage), (std::vector<int>{5, 5, 5, 5}));
    EXPECT_TRUE(ui::shownTips().empty());
    EXPECT_EQ(read(configFile(), "Config0", "K3"), T("33,") + shortcutText());
}

// ---------------------------------------------------------------- import and export

class ImportExport : public SettingsTest {
protected:
    SettingsFileContext context() const
    {
        SettingsFileContext ctx;
        ctx.configFolder = folder();
        ctx.executableFolder = dir.path();
        ctx.productNameEn = u"KVX Gaming Mouse";
        ctx.productNameCn = u"KVX-CN Mouse";
        ctx.language = kLanguage;
        return ctx;
    }
    testsupport::TempFolder elsewhere;
};

TEST_F(ImportExport, ImportAcceptsTheEnglishNameInAnyCaseWhenTheChineseOneIsEmpty)
{
    writeConfig(completeConfig());
    for (int n = 0; n < kConfigurations; ++n)
        loadConfiguration(*store, folder(), n, false, kLanguage);

    IniText other = completeConfig("kvx GAMING mouse", "");
    other.section("Config3").set("K7", "30004");
    other.section("ShareData").set("FIRE_TIME", "42");
    elsewhere.writeText(u"mine.ini", other.str());
    dialog.answer(elsewhere.file("mine.ini"));

    const ImportOutcome imported = importSettingsFile(*store, context());
    EXPECT_EQ(imported, ImportResult::Imported);
    EXPECT_EQ(imported.missingReloads, 0);
    EXPECT_TRUE(tipsFor(imported).empty());
    EXPECT_EQ(store->buttons[3][7].functionCode, 30004);
    EXPECT_EQ(store->fireTime, 42);
    EXPECT_EQ(read(configFile(), "Config3", "K7"), u"30004");
    EXPECT_EQ(read(configFile(), "PRODUCTNAME", "PRODUCTNAME_EN"), u"kvx GAMING mouse") << "the whole file is replaced";

    ASSERT_EQ(dialog.requests().size(), 1u);
    const auto request = dialog.requests()[0];
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.options.filter, u"All Files(*.ini)|*.ini||");
    EXPECT_EQ(request.options.defaultExtension, u"");
    EXPECT_EQ(request.options.initialFolder, dir.path());
}

TEST_F(ImportExport, ImportMatchesTheChineseNameToo)
{
    writeConfig(completeConfig());
    elsewhere.writeText(u"cn.ini", completeConfig("Something else", "kvx-cn MOUSE").str());
    EXPECT_EQ(importSettingsFrom(*store, context(), elsewhere.file("cn.ini")), ImportResult::Imported);
}

TEST_F(ImportExport, ImportOfAnotherProductIsRefusedBeforeAnythingIsCopied)
{
    writeConfig(completeConfig());
    std::string before = dir.readText(u"config.ini");
    elsewhere.writeText(u"other.ini", completeConfig("Other Mouse", "Other CN").str());
    dialog.answer(elsewhere.file("other.ini"));
    const ImportOutcome refused = importSettingsFile(*store, context());
    EXPECT_EQ(refused, ImportResult::WrongProduct);
    EXPECT_EQ(tipsFor(refused), std::vector<int>{9});
    EXPECT_TRUE(ui::shownTips().empty()) << "the window tells the user, not the import";
    EXPECT_EQ(dir.readText(u"config.ini"), before);
    EXPECT_EQ(store->buttons[0][0].functionCode, 0) << "nothing reloaded";
}

TEST_F(ImportExport, AFileWithoutProductNamesNeverMatchesAnEmptyProgramName)
{
    writeConfig(completeConfig());
    std::string before = dir.readText(u"config.ini");
    elsewhere.writeText(u"anything.ini", "[Config0]\r\nK0=0\r\n");
    SettingsFileContext ctx = context();
    ctx.productNameCn.clear(); // e.g. the program's own file had no Chinese name
    EXPECT_EQ(importSettingsFrom(*store, ctx, elsewhere.file("anything.ini")), ImportResult::WrongProduct);
    EXPECT_EQ(dir.readText(u"config.ini"), before);

    // A chosen file that does not exist has no name either.
    const ImportOutcome gone = importSettingsFrom(*store, context(), elsewhere.file("gone.ini"));
    EXPECT_EQ(gone, ImportResult::WrongProduct);
    EXPECT_EQ(tipsFor(gone), std::vector<int>{9});
}

TEST_F(ImportExport, ImportCancelledOrOfConfigIniItself)
{
    writeConfig(completeConfig());
    dialog.cancelNext();
    const ImportOutcome cancelled = importSettingsFile(*store, context());
    EXPECT_EQ(cancelled, ImportResult::Cancelled);
    EXPECT_TRUE(tipsFor(cancelled).empty());
    EXPECT_EQ(store->buttons[0][0].functionCode, 0);

    dialog.answer(configFile());
    EXPECT_EQ(importSettingsFile(*store, context()), ImportResult::Imported);
    EXPECT_EQ(store->buttons[0][0].functionCode, 1) << "reloaded from the unchanged file";
    EXPECT_TRUE(ui::shownTips().empty());
}

TEST_F(ImportExport, ImportThatCannotReplaceConfigIniSaysSo)
{
    // The configuration folder is missing: the copy has nowhere to go.
    elsewhere.writeText(u"mine.ini", completeConfig().str());
    SettingsFileContext ctx = context();
    ctx.configFolder = dir.file("no-such-folder") + u"\\";
    const ImportOutcome failed = importSettingsFrom(*store, ctx, elsewhere.file("mine.ini"));
    EXPECT_EQ(failed, ImportResult::Failed);
    EXPECT_EQ(tipsFor(failed), std::vector<int>{6});
    EXPECT_TRUE(ui::shownTips().empty());
}

TEST_F(ImportExport, ExportCopiesConfigIniAsItIsOnDisk)
{
    writeConfig(completeConfig());
    loadConfiguration(*store, folder(), 0, false, kLanguage);
    store->fireTime = 11; // not saved yet, so not exported
    dialog.answer(elsewhere.file("out.ini"));
    EXPECT_EQ(exportSettingsFile(context()), ExportResult::Exported);
    EXPECT_EQ(elsewhere.readText(u"out.ini"), dir.readText(u"config.ini"));
    EXPECT_TRUE(ui::shownTips().empty());

    ASSERT_EQ(dialog.requests().size(), 1u);
    const auto request = dialog.requests()[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.options.filter, u"All Files(*.ini)|*.ini||");
    EXPECT_EQ(request.options.defaultExtension, u"ini");
    EXPECT_EQ(request.options.initialFolder, dir.path());

    // Overwriting an earlier export.
    writeConfig(completeConfig("Changed", "Changed CN"));
    EXPECT_EQ(exportSettingsTo(context(), elsewhere.file("out.ini")), ExportResult::Exported);
    EXPECT_EQ(elsewhere.readText(u"out.ini"), dir.readText(u"config.ini"));

    dialog.cancelNext();
    EXPECT_EQ(exportSettingsFile(context()), ExportResult::Cancelled);
    EXPECT_EQ(tipFor(ExportResult::Cancelled), 0);
    EXPECT_EQ(tipFor(ExportResult::Exported), 0);
}

TEST_F(ImportExport, ExportFailuresAskForTipSixEvenWhenTheTargetExistedBefore)
{
    writeConfig(completeConfig());
    EXPECT_EQ(exportSettingsTo(context(), elsewhere.file("missing-folder\\out.ini")), ExportResult::Failed);
    EXPECT_EQ(tipFor(ExportResult::Failed), 6);
    EXPECT_TRUE(ui::shownTips().empty()) << "the window tells the user, not the export";

    // No config.ini to copy: an old file at the target is not a success.
    dir.write(u"config.ini", {});
    platform::os().files->deleteFile(configFile());
    elsewhere.writeText(u"old.ini", "old export");
    EXPECT_EQ(exportSettingsTo(context(), elsewhere.file("old.ini")), ExportResult::Failed);
    EXPECT_EQ(elsewhere.readText(u"old.ini"), "old export");
}
