// Buttons and their functions: the catalogue from config.ini, device function
// bytes, assignment with the primary click rule, key combinations and their
// macros, dropped macro references and display names.
#include "tests/settings/settings_fixture.h"

#include "settings/button_catalogue.h"
#include "settings/config_files.h"

using namespace settings;
using settingstest::completeConfig;
using settingstest::IniText;
using settingstest::SettingsTest;

namespace {

constexpr int kLanguage = 1;

// ---- catalogue

class Catalogue : public SettingsTest {
protected:
    const ButtonCatalogue& readWith(const std::string& keynum, const std::vector<std::string>& maps)
    {
        IniText ini;
        ini.section("KEYNUM").set("KeyNum", keynum);
        for (size_t i = 0; i < maps.size(); ++i)
            ini.section("KEYMAP").set("K" + std::to_string(i + 1) + "_MAP", maps[i]);
        writeConfig(ini);
        readButtonCatalogue(*store, configFile());
        return store->catalogue;
    }
};

TEST_F(Catalogue, MapsButtonsToDeviceSlotsAndBack)
{
    writeConfig(completeConfig());
    readButtonCatalogue(*store, configFile());
    const ButtonCatalogue& c = store->catalogue;
    EXPECT_EQ(c.keyNum, 10);
    const int slots[] = {1, 2, 3, 4, 5, 8, 9, 10, 6, 7};
    for (int b = 0; b < 10; ++b) {
        EXPECT_EQ(deviceSlotOf(c, b), slots[b]);
        EXPECT_EQ(buttonOfDeviceSlot(c, slots[b]), b);
    }
    EXPECT_EQ(deviceSlotOf(c, 10), 0);
    for (int slot : {11, 12, 13, 14})
        EXPECT_EQ(buttonOfDeviceSlot(c, slot), -1);
    for (int slot : {0, 15, -1, 1000})
        EXPECT_EQ(buttonOfDeviceSlot(c, slot), -1);
    for (int button : {-1, 12, 99})
        EXPECT_EQ(deviceSlotOf(c, button), 0);
}

TEST_F(Catalogue, KeyNumAboveTwelveIsCutToTwelveAndBelowZeroIsNoButtons)
{
    std::vector<std::string> maps;
    for (int i = 1; i <= 14; ++i)
        maps.push_back(std::to_string(i));
    const ButtonCatalogue& c = readWith("13", maps);
    EXPECT_EQ(c.keyNum, 12);
    EXPECT_EQ(buttonOfDeviceSlot(c, 12), 11);
    EXPECT_EQ(buttonOfDeviceSlot(c, 13), -1) << "K13_MAP belongs to no button slot";

    EXPECT_EQ(readWith("-3", maps).keyNum, 0);
    EXPECT_EQ(buttonOfDeviceSlot(store->catalogue, 1), -1) << "the previous catalogue is gone";
    EXPECT_EQ(readWith("99999999999999", maps).keyNum, 12);
}

TEST_F(Catalogue, SlotsOutsideOneToFourteenAreIgnored)
{
    const ButtonCatalogue& c = readWith("6", {"0", "15", "-1", "abc", "14", "3"});
    for (int b = 0; b < 4; ++b)
        EXPECT_EQ(deviceSlotOf(c, b), 0) << "button " << b;
    EXPECT_EQ(deviceSlotOf(c, 4), 14);
    EXPECT_EQ(buttonOfDeviceSlot(c, 14), 4);
    EXPECT_EQ(buttonOfDeviceSlot(c, 3), 5);
    for (int slot = 1; slot <= 14; ++slot) {
        if (slot != 3 && slot != 14) {
            EXPECT_EQ(buttonOfDeviceSlot(c, slot), -1) << "slot " << slot;
        }
    }
}

TEST_F(Catalogue, MissingFileMeansNoButtons)
{
    readButtonCatalogue(*store, dir.file("none.ini"));
    EXPECT_EQ(store->catalogue.keyNum, 0);
    EXPECT_TRUE(ui::shownTips().empty());
}

// ---- device function bytes

struct FunctionRow {
    int code;
    int leftMacro;
    int mode;
    int device;
};

TEST(DeviceFunctionCode, EveryClassOfCode)
{
    const FunctionRow rows[] = {
        {0, 0, 0, 0}, {1, 0, 0, 1}, {6, 1, 0, 6},
        {7, 0, 0, 2}, {11, 0, 0, 6}, {12, 0, 0, 7}, {14, 0, 0, 9},
        {15, 0, 0, 0x15}, {16, 0, 0, 11}, {17, 0, 0, 12}, {18, 0, 0, 0x14},
        {19, 0, 0, 0x17}, {22, 0, 0, 0x1A},
        {23, 0, 0, 0x0F}, {32, 0, 0, 0x0F},
        // Macros: one-shot or while held, and the second pair for presets and left-button macros.
        {33, 0, 2, 0x0E}, {33, 0, 0, 0x0D}, {33, 1, 2, 0x1F}, {33, 1, 1, 0x1E},
        {34, 0, 0, 0x0D}, {49, 0, 0, 0x0D},
        {50, 0, 2, 0x1F}, {60, 0, 0, 0x1E}, {255, 0, 1, 0x1E},
        {0x0203, 0, 0, 0x0D}, {0x0203, 0, 2, 0x0E}, {0x0203, 1, 0, 0x1E}, {29999, 0, 2, 0x0E},
        {256, 0, 6, 0x0E}, // only the low two mode bits are the cycle mode
        {256, 2, 0, 0x0D}, // a flag other than 1 is no left-button macro
        {30000, 0, 0, 0x0A}, {30001, 0, 0, 0}, {30002, 0, 0, 0x10}, {30003, 0, 0, 0x1B}, {30004, 0, 0, 0x1C},
        {30005, 0, 0, 0}, {40000, 0, 0, 0x16}, {39999, 0, 0, 0}, {-1, 0, 0, 0}, {-30000, 1, 2, 0},
    };
    for (const FunctionRow& r : rows)
        EXPECT_EQ(deviceFunctionCode(r.code, r.leftMacro, static_cast<std::uint8_t>(r.mode)), r.device)
            << "code " << r.code << " left " << r.leftMacro << " mode " << r.mode;
}

TEST(DeviceFunctionCode, ConsumerUsagesOfTheMultimediaCodes)
{
    const int usages[] = {0x223, 0x183, 0x18A, 0xE9, 0xEA, 0xB6, 0xB5, 0xE2, 0xCD, 0x192};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(consumerUsage(23 + i), usages[i]);
    for (int code : {22, 33, 0, -1, 30000})
        EXPECT_EQ(consumerUsage(code), 0) << code;
}

// ---- assignment

class Assignment : public ::testing::Test {
protected:
    void SetUp() override
    {
        s->catalogue.keyNum = 6;
        for (int b = 0; b < kButtons; ++b)
            s->buttons[0][b].functionCode = 2;
    }
    std::unique_ptr<ConfigStore> s = std::make_unique<ConfigStore>();
    int code(int config, int button) const { return s->buttons[config][button].functionCode; }
};

TEST_F(Assignment, TheOnlyPrimaryClickCannotBeReassignedThroughItsMenu)
{
    s->buttons[0][0].functionCode = 1;
    EXPECT_FALSE(anotherButtonHasPrimaryClick(*s, 0));
    EXPECT_TRUE(anotherButtonHasPrimaryClick(*s, 3));
    for (int item = 1; item <= 6; ++item) {
        assignFromButtonMenu(*s, 0, 3, item);
        EXPECT_EQ(code(0, 3), item);
        EXPECT_EQ(code(0, 0), 1);
    }
    // A code 1 beyond KeyNum does not count.
    s->buttons[0][0].functionCode = 2;
    s->buttons[0][8].functionCode = 1;
    EXPECT_FALSE(anotherButtonHasPrimaryClick(*s, 3));
}

TEST_F(Assignment, TheGuardLooksAtTheCurrentConfiguration)
{
    s->buttons[0][0].functionCode = 1;
    setCurrentConfiguration(*s, 2);
    EXPECT_FALSE(anotherButtonHasPrimaryClick(*s, 3)) << "configuration 2 has no code 1";
    s->buttons[2][5].functionCode = 1;
    EXPECT_TRUE(anotherButtonHasPrimaryClick(*s, 3));
}

TEST_F(Assignment, LosingTheLastPrimaryClickGivesItToTheNextButton)
{
    s->buttons[0][3].leftMacro = 1;
    assignFromSubMenu(*s, 0, 2, 30002, 0);
    EXPECT_EQ(code(0, 2), 30002);
    EXPECT_EQ(code(0, 3), 1);
    EXPECT_EQ(s->buttons[0][3].leftMacro, 1) << "the flag of the receiving slot is left alone";
}

TEST_F(Assignment, TheLastButtonKeepsThePrimaryClickItself)
{
    s->buttons[0][5].leftMacro = 1;
    assignFromSubMenu(*s, 0, 5, libraryMacroCode(1, 1), 1);
    EXPECT_EQ(code(0, 5), 1);
    EXPECT_EQ(s->buttons[0][5].leftMacro, 1);
    EXPECT_EQ(code(0, 6), 2) << "beyond KeyNum nothing changes";

    // A slot beyond the real buttons hands it to the last real button.
    for (int b = 0; b < kButtons; ++b)
        s->buttons[0][b].functionCode = 2;
    assignFromSubMenu(*s, 0, 9, 3, 0);
    EXPECT_EQ(code(0, 9), 3);
    EXPECT_EQ(code(0, 5), 1);
}

TEST_F(Assignment, ConfigurationsOneToThreeGetNoProtection)
{
    setCurrentConfiguration(*s, 1);
    assignFromButtonMenu(*s, 1, 2, 4);
    EXPECT_EQ(code(1, 2), 4);
    for (int b = 0; b < kButtons; ++b) {
        EXPECT_NE(code(1, b), 1);
        EXPECT_NE(code(0, b), 1) << "configuration 0 is looked after only while it is current";
    }
}

TEST_F(Assignment, MenuAndSubMenuCodes)
{
    s->buttons[0][0].functionCode = 1;
    s->buttons[0][4].leftMacro = 1;
    assignFromButtonMenu(*s, 0, 4, 5);
    EXPECT_EQ(s->buttons[0][4].leftMacro, 0) << "every interface assignment clears the flag";

    EXPECT_EQ(libraryMacroCode(3, 5), 772);
    EXPECT_EQ(macro::libraryGroupOf(772), 2);
    EXPECT_EQ(macro::libraryMacroOf(772), 4);
    EXPECT_EQ(multimediaCode(1), 23);
    EXPECT_EQ(multimediaCode(10), 32);
    EXPECT_EQ(configSwitchCode(1), 19);
    EXPECT_EQ(configSwitchCode(4), 22);
    EXPECT_EQ(presetCode(1), 50);

    assignFromSubMenu(*s, 0, 4, presetCode(3), 1);
    EXPECT_EQ(code(0, 4), 52);
    EXPECT_EQ(s->buttons[0][4].leftMacro, 1);
}

TEST_F(Assignment, OutOfRangeRequestsChangeNothing)
{
    s->buttons[0][0].functionCode = 1;
    assignFromButtonMenu(*s, 0, 3, 7);
    assignFromButtonMenu(*s, 0, 3, 0);
    EXPECT_EQ(code(0, 3), 2);
    assignFromSubMenu(*s, 4, 3, 5, 0);
    assignFromSubMenu(*s, -1, 3, 5, 0);
    assignFromSubMenu(*s, 0, 12, 5, 0);
    assignFromSubMenu(*s, 0, -1, 5, 0);
    for (int n = 0; n < kConfigurations; ++n)
        for (int b = 0; b < kButtons; ++b)
            EXPECT_NE(code(n, b), 5);
}

TEST_F(Assignment, KeyCombinationFromTheMenuOrForAnExistingCombination)
{
    s->buttons[0][1].functionCode = 1;
    Combination ctrlA{true, false, false, false, u"A", 65};
    assignKeyCombination(*s, 1, shortcutText(ctrlA), true, kLanguage);
    EXPECT_EQ(code(0, 1), 33);
    EXPECT_EQ(s->buttons[0][1].shortcutText, shortcutText(ctrlA));
    for (int b = 0; b < 6; ++b)
        EXPECT_NE(code(0, b), 1) << "the primary click rule is not applied here";
    EXPECT_EQ(macro::recordName(s->shortcutMacros[0][1]), u"Ctrl+A");

    // Not from the menu: the code stays, only the text changes.
    assignKeyCombination(*s, 2, shortcutText(ctrlA), false, kLanguage);
    EXPECT_EQ(code(0, 2), 2);
    EXPECT_EQ(s->buttons[0][2].shortcutText, shortcutText(ctrlA));
    EXPECT_EQ(s->shortcutMacros[0][2], macro::kEmptyRecord);

    setCurrentConfiguration(*s, 3);
    assignKeyCombination(*s, 11, u"Win&split&91", true, kLanguage);
    EXPECT_EQ(code(3, 11), 33);
    EXPECT_EQ(s->shortcutMacros[3][11].eventCount, 1);
    assignKeyCombination(*s, 12, u"Win&split&91", true, kLanguage);
}

// ---- key combinations

TEST(ShortcutText, FivePairsInTheirFixedOrder)
{
    EXPECT_EQ(shortcutText({true, false, false, false, u"A", 65}),
              u"Ctrl&split&162&split&Shift&split&&split&Alt&split&&split&Win&split&&split&A&split&65");
    EXPECT_EQ(shortcutText({true, true, true, true, u"F5", 116}),
              u"Ctrl&split&162&split&Shift&split&160&split&Alt&split&164&split&Win&split&91&split&F5&split&116");
    EXPECT_EQ(shortcutText({false, true, false, false, u"ignored", 0}),
              u"Ctrl&split&&split&Shift&split&160&split&Alt&split&&split&Win&split&&split&&split&");
}

TEST(ShortcutText, PairsAreSplitAndAnUnmatchedTokenIsDropped)
{
    auto pairs = shortcutPairs(shortcutText({false, false, true, false, u"Space", 32}));
    ASSERT_EQ(pairs.size(), 5u);
    EXPECT_EQ(pairs[2], (std::pair<Text, Text>{u"Alt", u"164"}));
    EXPECT_EQ(pairs[3], (std::pair<Text, Text>{u"Win", u""}));
    EXPECT_EQ(pairs[4], (std::pair<Text, Text>{u"Space", u"32"}));

    pairs = shortcutPairs(u"Ctrl&split&162&split&Shift");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_TRUE(shortcutPairs(u"").empty());
    EXPECT_TRUE(shortcutPairs(u"no separator").empty());
    pairs = shortcutPairs(u"&split&");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0], (std::pair<Text, Text>{u"", u""}));
}

// The shortcut macro a button of configuration 2 gets from its text.
const macro::MacroRecord& builtMacro(ConfigStore& s, const Text& text, int language, int code = 33)
{
    s.buttons[2][7].functionCode = code;
    s.buttons[2][7].shortcutText = text;
    rebuildShortcutMacros(s, language);
    return s.shortcutMacros[2][7];
}

TEST(CombinationMacro, CtrlWithCIsTwoPressesFourMillisecondsApart)
{
    auto s = std::make_unique<ConfigStore>();
    const macro::MacroRecord& r = builtMacro(*s, shortcutText({true, false, false, false, u"C", 67}), kLanguage);
    EXPECT_EQ(macro::recordName(r), u"Ctrl+C");
    EXPECT_EQ(r.mode, macro::cycle::WhileHeld);
    EXPECT_EQ(r.repeatCount, 1);
    ASSERT_EQ(r.eventCount, 2);
    EXPECT_EQ(r.code[0], 224) << "left Ctrl";
    EXPECT_EQ(r.code[1], 6) << "C";
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(r.sub[i], macro::sub::Press);
        EXPECT_EQ(r.delay[i], 4);
    }
    EXPECT_EQ(r.code[2], 0);
}

TEST(CombinationMacro, KeysFollowTheLanguageAndEmptyValuesAreSkipped)
{
    auto s = std::make_unique<ConfigStore>();
    const macro::MacroRecord& r = builtMacro(*s, shortcutText({false, false, false, false, u"Z", 90}), 4);
    ASSERT_EQ(r.eventCount, 1);
    EXPECT_EQ(r.code[0], 28) << "German keyboards have Z where US ones have Y";
    EXPECT_EQ(macro::recordName(r), u"Z");

    builtMacro(*s, shortcutText({false, false, false, false, u"", 0}), kLanguage);
    EXPECT_EQ(r.eventCount, 0);
    EXPECT_EQ(macro::recordName(r), u"");
    EXPECT_EQ(r.mode, macro::cycle::WhileHeld);
    EXPECT_EQ(r.repeatCount, 1);
    EXPECT_EQ(r.code[0], 0) << "the earlier contents are cleared";

    builtMacro(*s, shortcutText({true, false, false, false, u"A", 65}), kLanguage, 12);
    EXPECT_EQ(r, macro::kEmptyRecord) << "a text without code 33 builds nothing";
}

TEST(CombinationMacro, OversizedTextsFromFilesStayInsideTheRecord)
{
    auto s = std::make_unique<ConfigStore>();
    Text longNames;
    for (int i = 0; i < 8; ++i)
        longNames += u"LongName&split&65&split&";
    const macro::MacroRecord& r = builtMacro(*s, longNames, kLanguage);
    EXPECT_EQ(r.eventCount, 8);
    Text name = macro::recordName(r);
    EXPECT_EQ(name.size(), size_t(macro::kMaxNameChars));
    EXPECT_EQ(name.substr(0, 18), u"LongName+LongName+");
    EXPECT_EQ(r.name[macro::kNameUnits - 1], 0) << "the name keeps its terminator";

    Text many;
    for (int i = 0; i < 400; ++i)
        many += u"A&split&65&split&";
    builtMacro(*s, many, kLanguage);
    EXPECT_EQ(r.eventCount, macro::kMaxEvents);
}

class ShortcutMacros : public SettingsTest {};

TEST_F(ShortcutMacros, ALoadedCombinationBuildsItsMacroAndSavesBackUnchanged)
{
    IniText ini = completeConfig();
    const std::string ctrlC = "Ctrl&split&162&split&Shift&split&&split&Alt&split&&split&Win&split&&split&C&split&67";
    ini.section("Config0").set("K5", "33," + ctrlC);
    ini.section("Config0").set("K0", "12," + ctrlC);
    writeConfig(ini);
    loadConfiguration(*store, folder(), 0, false, kLanguage);

    const macro::MacroRecord& r = store->shortcutMacros[0][5];
    EXPECT_EQ(macro::recordName(r), u"Ctrl+C");
    EXPECT_EQ(r.eventCount, 2);
    EXPECT_EQ(store->shortcutMacros[0][0], macro::kEmptyRecord) << "only code 33 has a macro";
    EXPECT_EQ(store->shortcutMacros[0][12], macro::kEmptyRecord);
    EXPECT_EQ(store->shortcutMacros[0][13], macro::kEmptyRecord);

    saveConfiguration(*store, dir.file("out.ini"), 0);
    EXPECT_EQ(read(dir.file("out.ini"), "Config0", "K5"), T("33," + ctrlC));
    EXPECT_EQ(read(dir.file("out.ini"), "Config0", "K0"), u"12");
}

TEST_F(ShortcutMacros, EveryLoadRebuildsAllConfigurations)
{
    writeConfig(completeConfig());
    for (int n = 0; n < kConfigurations; ++n)
        loadConfiguration(*store, folder(), n, false, kLanguage);
    // completeConfig puts the combination on button (3 - n) mod 12 of configuration n.
    for (int n = 0; n < kConfigurations; ++n)
        EXPECT_EQ(macro::recordName(store->shortcutMacros[n][(15 - n) % 12]), u"Ctrl+Shift+C") << n;

    // A "33" that lost its text no longer plays the old combination.
    IniText ini = completeConfig();
    ini.section("Config1").set("K2", "33");
    writeConfig(ini);
    loadConfiguration(*store, folder(), 1, false, kLanguage);
    EXPECT_EQ(store->buttons[1][2].functionCode, 33);
    EXPECT_EQ(store->shortcutMacros[1][2].eventCount, 0);
    EXPECT_EQ(macro::recordName(store->shortcutMacros[0][3]), u"Ctrl+Shift+C") << "the other configurations stay built";
}

// ---- dropped references

TEST(MacroReferences, MissingGroupsMacrosAndPresetsBecomeZero)
{
    auto s = std::make_unique<ConfigStore>();
    s->catalogue.keyNum = 11;
    const int codes[] = {256, 257, 258, 512, 772, 1024, 20000, 50, 61, 62, 33};
    for (int n = 0; n < kConfigurations; ++n) {
        for (int b = 0; b < 11; ++b)
            s->buttons[n][b].functionCode = codes[b];
        s->buttons[n][11].functionCode = 20000; // beyond KeyNum
    }
    const int macroCounts[] = {2, 0, 5};
    dropMissingMacroReferences(*s, 12, 3, macroCounts);
    const int expected[] = {256, 257, 0, 0, 772, 0, 0, 50, 61, 0, 33};
    for (int n = 0; n < kConfigurations; ++n) {
        for (int b = 0; b < 11; ++b)
            EXPECT_EQ(s->buttons[n][b].functionCode, expected[b]) << "config " << n << " button " << b;
        EXPECT_EQ(s->buttons[n][11].functionCode, 20000);
    }

    dropMissingMacroReferences(*s, 0, 0, {});
    EXPECT_EQ(s->buttons[2][0].functionCode, 0);
    EXPECT_EQ(s->buttons[2][7].functionCode, 0);
    EXPECT_EQ(s->buttons[2][10].functionCode, 33);
}

// ---- display names

class FakeNames : public FunctionNames {
public:
    Text skinFunctionName(int number) override { return u"skin" + text::fromInt(number); }
    Text moreFunctionName(int code) override { return code == 30003 ? u"Sniper" : Text(); }
    Text libraryMacroName(int group, int macro) override
    {
        if (group == 2 && macro == 4)
            return u"A macro named rather long";
        return u"m" + text::fromInt(group) + u"." + text::fromInt(macro);
    }
    Text presetName(int preset) override { return preset < 12 ? u"preset" + text::fromInt(preset) : Text(); }
};

TEST(DisplayName, EachCodeClassTakesItsNameFromItsSource)
{
    auto s = std::make_unique<ConfigStore>();
    FakeNames names;
    auto nameOf = [&](int code) {
        s->buttons[1][4].functionCode = code;
        return buttonDisplayName(*s, 4, names);
    };
    setCurrentConfiguration(*s, 1);
    EXPECT_EQ(nameOf(0), u"skin0");
    EXPECT_EQ(nameOf(5), u"skin5");
    EXPECT_EQ(nameOf(47), u"skin47");
    EXPECT_EQ(nameOf(48), u"");
    EXPECT_EQ(nameOf(49), u"");
    EXPECT_EQ(nameOf(-7), u"") << "no skin name has a negative number";
    EXPECT_EQ(nameOf(30003), u"Sniper");
    EXPECT_EQ(nameOf(30009), u"");
    EXPECT_EQ(nameOf(40000), u"");
    EXPECT_EQ(nameOf(257), u"m0.1");
    EXPECT_EQ(nameOf(772), u"A macro named ra...") << "16 characters and an ellipsis";
    EXPECT_EQ(nameOf(61), u"preset11");
    EXPECT_EQ(nameOf(62), u"");

    s->buttons[1][4].shortcutText = shortcutText({true, false, true, false, u"Delete", 46});
    rebuildShortcutMacros(*s, kLanguage);
    s->buttons[1][4].functionCode = 33;
    rebuildShortcutMacros(*s, kLanguage);
    EXPECT_EQ(buttonDisplayName(*s, 4, names), u"Ctrl+Alt+Delete");
    EXPECT_EQ(buttonDisplayName(*s, 12, names), u"");
}

TEST(DisplayName, SixteenCharactersAreNotCut)
{
    auto s = std::make_unique<ConfigStore>();
    class Exact : public FakeNames {
        Text skinFunctionName(int) override { return u"0123456789abcdef"; }
    } names;
    s->buttons[0][0].functionCode = 3;
    EXPECT_EQ(buttonDisplayName(*s, 0, names), u"0123456789abcdef");
}

} // namespace
