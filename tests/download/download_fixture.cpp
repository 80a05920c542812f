#include "tests/download/download_fixture.h"

#include "macro/macro_file.h"
#include "settings/button_catalogue.h"
#include "tests/download/macro_builders.h"
#include "ui/tips.h"

namespace dltest {

std::optional<int> FakeSystemSettings::mouseSpeed()
{
    std::lock_guard lock(mutex);
    return queriesFail ? std::nullopt : std::optional<int>(10);
}

bool FakeSystemSettings::setMouseSpeed(int speed)
{
    std::lock_guard lock(mutex);
    speedSets.push_back(speed);
    return true;
}

std::optional<int> FakeSystemSettings::wheelScrollLines()
{
    std::lock_guard lock(mutex);
    return queriesFail ? std::nullopt : std::optional<int>(3);
}

bool FakeSystemSettings::setWheelScrollLines(int lines)
{
    std::lock_guard lock(mutex);
    wheelSets.push_back(lines);
    return true;
}

int buttonInSlot(int slot)
{
    for (int b = 0; b < kKeyNum; ++b)
        if (kSlotOfButton[b] == slot)
            return b;
    return -1;
}

namespace {

const char16_t* const kCtrlC = u"Ctrl&split&162&split&Shift&split&&split&Alt&split&&split&Win&split&&split&C&split&67";
const char16_t* const kCtrlShiftS =
    u"Ctrl&split&162&split&Shift&split&160&split&Alt&split&&split&Win&split&&split&S&split&83";

void setButton(settings::ConfigStore& s, int c, int b, int function, int leftMacro = 0, const Text& shortcut = {})
{
    s.buttons[c][b].functionCode = function;
    s.buttons[c][b].leftMacro = leftMacro;
    s.buttons[c][b].shortcutText = shortcut;
}

} // namespace

void fillStore(settings::ConfigStore& s)
{
    s.catalogue.keyNum = kKeyNum;
    for (int b = 0; b < kKeyNum; ++b) {
        s.catalogue.deviceSlot[b] = kSlotOfButton[b];
        s.catalogue.buttonOfSlot[kSlotOfButton[b]] = b;
    }
    for (int c = 0; c < 4; ++c)
        for (int b = 0; b < settings::kButtons; ++b) {
            settings::ButtonSlot& slot = s.buttons[c][b];
            slot.functionCode = b < 6 ? b + 1 : 0;
            slot.ledReactEnabled = (b + c) % 2;
            slot.ledReactType = (b + c) % 4;
            slot.macroColour = (b + c) % 7;
        }
    // Configuration 0: every class of function once.
    setButton(s, 0, 3, 15);
    setButton(s, 0, 4, 12);
    setButton(s, 0, 5, 19);
    setButton(s, 0, 6, 26);
    setButton(s, 0, 7, macro::libraryFunction(0, 1));
    setButton(s, 0, 8, 33, 0, kCtrlC);
    setButton(s, 0, 9, 6);
    // Configuration 1: presets, left-button macros, marks, specials, a missing group.
    setButton(s, 1, 1, 51);
    setButton(s, 1, 2, macro::libraryFunction(1, 3), 1);
    setButton(s, 1, 3, 18);
    setButton(s, 1, 4, 16);
    setButton(s, 1, 5, 17);
    setButton(s, 1, 6, 30000);
    setButton(s, 1, 7, 40000);
    setButton(s, 1, 8, macro::libraryFunction(0, 1));
    setButton(s, 1, 9, macro::libraryFunction(5, 0));
    // Configuration 2: an empty macro, two key combinations, a while-held library macro.
    setButton(s, 2, 1, 34);
    setButton(s, 2, 2, 30003);
    setButton(s, 2, 3, 33, 0, kCtrlShiftS);
    setButton(s, 2, 4, 22);
    setButton(s, 2, 5, 27);
    setButton(s, 2, 6, 33, 0, kCtrlC);
    setButton(s, 2, 7, macro::libraryFunction(2, 0));
    setButton(s, 2, 8, macro::libraryFunction(0, 0));
    // Configuration 3: a preset beyond the table, a shared preset, a macro past a group's end.
    setButton(s, 3, 1, 60);
    setButton(s, 3, 2, 51);
    setButton(s, 3, 3, macro::libraryFunction(0, 7));
    setButton(s, 3, 4, 50);
    setButton(s, 3, 9, 30004);
    settings::rebuildShortcutMacros(s, kLanguage);

    const int dpiIndex[6] = {0, 9, 10, 22, 5, 15};
    const int enabled[6] = {1, 1, 0, 1, 1, 0};
    for (int n = 0; n < 6; ++n) {
        s.dpiIndex[n] = static_cast<std::uint8_t>(dpiIndex[n]);
        s.dpiEnabled[n] = static_cast<std::uint8_t>(enabled[n]);
        s.dpiColour[n] = {n, 15 - n, (3 * n) % 16};
    }
    s.dpiLevel = 3;
    for (int i = 0; i < 7; ++i)
        s.userColour[i] = {(i * 5) % 16, (i * 2 + 1) % 16, 15 - i};
    s.ledType = 5;
    s.effectSpeed = 3;
    s.effectDirection = 2;
    s.effectSymmetry = 1;
    s.brightness = 5;
    s.userColourEnable = 1;
    const int flags[7] = {1, 0, 1, 1, 0, 1, 0};
    for (int k = 0; k < 7; ++k)
        s.cycleFlags[k] = flags[k];
    s.cycleColours = 0x2D;
    s.pointerSpeed = 3;
    s.wheelSpeed = 7;
    s.reportRate = 2;
    s.reportInterval = settings::reportIntervalFor(2);
    s.fireTime = 300;
    s.softwareMacros = 0;
    s.soundLighting = 0;
    s.currentConfig = 2;
}

std::vector<std::vector<macro::MacroRecord>> standardLibrary()
{
    using namespace macro::kind;
    auto g0m0 = makeMacro({{0x04, 1, 10}, {0x04, 2, 300}}, macro::cycle::Count, 3);
    auto g0m1 = makeMacro({{LeftButton, 1, 60}, {Move, 6, 20, 4, 9}, {LeftButton, 2, 254}}, macro::cycle::WhileHeld);
    auto g0m2 = typingMacro(3, 40);
    auto g1m0 = typingMacro(1, 5);
    auto g1m1 = makeMacro({{Cpi, 9, 10, 7}, {Pause, 0, 1000}, {Cpi, 10, 10}});
    auto g1m2 = typingMacro(2, 128);
    auto g1m3 = makeMacro({{Led, 13, 100}, {0x1E, 1, 10}, {Led, 14, 500}, {0x1E, 2, 0}}, macro::cycle::Toggle);
    g1m3.ledBlock[0][4] = 3;
    g1m3.ledBlock[0][5] = 2;
    g1m3.ledBlock[0][6] = 10;
    g1m3.ledBlock[1][0] = 2;
    g1m3.ledBlock[1][4] = 1;
    g1m3.ledBlock[1][5] = 7;
    g1m3.ledBlock[1][8] = 4;
    g1m3.ledBlock[1][9] = 5;
    auto g2m0 = makeMacro({{0x2C, 1, 15}, {Move, 3, 15, 1, 2}, {0x2C, 2, 15}}, macro::cycle::WhileHeld);
    g2m0.vAdjustSwitch = 1;
    g2m0.vAdjustValue = 10;
    return {{g0m0, g0m1, g0m2}, {g1m0, g1m1, g1m2, g1m3}, {g2m0}};
}

void fillPresets(macro::PresetTable& presets)
{
    using namespace macro::kind;
    presets.count = 3;
    presets.records[0] = makeMacro({{Move, 4, 8, 0, 12}, {Move, 4, 8, 0, 14}}, macro::cycle::WhileHeld);
    presets.records[0].vAdjustSwitch = 1;
    presets.records[0].vAdjustValue = 12;
    presets.records[1] = makeMacro({{LeftButton, 1, 30}, {Move, 4, 30, 1, 20}, {LeftButton, 2, 30}}, 0, 5);
    presets.records[2] = makeMacro({{0x05, 1, 1}, {0x05, 2, 1}}, macro::cycle::WhileHeld);
}

DownloadWorld::DownloadWorld(platform::sim::SimMouseOptions options)
    : rig(options), savedSystem_(platform::os().systemSettings)
{
    platform::servicesStorage().systemSettings = &system;
    ui::clearShownTips();
    fillStore(*store);
    fillPresets(presets);
    writeLibrary(standardLibrary());
}

DownloadWorld::~DownloadWorld()
{
    platform::servicesStorage().systemSettings = savedSystem_;
}

void DownloadWorld::writeLibrary(const std::vector<std::vector<macro::MacroRecord>>& groups)
{
    library = macro::Library{};
    library.groupCount = static_cast<int>(groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        library.groupNames[g] = u"group" + text::fromInt(static_cast<int>(g));
        library.macroCounts[g] = static_cast<int>(groups[g].size());
        auto table = std::make_unique<macro::GroupTable>();
        for (std::size_t m = 0; m < groups[g].size(); ++m)
            (*table)[m] = groups[g][m];
        macro::writeGroup(*macro::groupFilePath(folder.path(), library.groupNames[g]), *table,
                          library.macroCounts[g], kLanguage);
    }
    macro::writeGroupList(library, folder.path());
}

device::DownloadSources DownloadWorld::sources()
{
    device::DownloadSources s;
    s.store = store.get();
    s.macros.presets = &presets;
    s.macros.library = &library;
    s.macros.macroFolder = folder.path();
    s.macros.language = kLanguage;
    return s;
}

device::DownloadResult DownloadWorld::download() { return engine.run(sources(), host); }

macro::MacroRecord DownloadWorld::libraryMacro(int function) const
{
    return macro::readGroupMacro(folder.path(), macro::libraryGroupOf(function), macro::libraryMacroOf(function),
                                 kLanguage);
}

macro::MacroRecord DownloadWorld::buttonMacro(int config, int button) const
{
    const int f = store->buttons[config][button].functionCode;
    if (f == 33)
        return store->shortcutMacros[config][button];
    if (macro::isPresetFunction(f))
        return presets.records[f - 50];
    if (macro::isLibraryFunction(f))
        return libraryMacro(f);
    return macro::kEmptyRecord;
}

void expectImageMatches(const platform::sim::MemoryImage& image, const DownloadWorld& world)
{
    const settings::ConfigStore& s = *world.store;
    const auto decoded = platform::sim::decodeSettings(image);
    const int config = settings::currentConfiguration(s);
    EXPECT_EQ(decoded.headerConfiguration, config);
    EXPECT_TRUE(decoded.fixedBytesValid);

    for (int c = 0; c < 4; ++c) {
        for (int k = 1; k <= 14; ++k) {
            SCOPED_TRACE(testing::Message() << "configuration " << c << " slot " << k);
            const int b = buttonInSlot(k);
            const auto entry = platform::sim::decodeDirectoryEntry(image, c, k);
            if (b < 0) {
                if (k <= 12) {
                    EXPECT_EQ(decoded.buttons[c][k - 1], platform::sim::ImageButton{});
                }
                EXPECT_FALSE(entry.present);
                continue;
            }
            const settings::ButtonSlot& slot = s.buttons[c][b];
            const macro::MacroRecord r = world.buttonMacro(c, b);
            const int code = settings::deviceFunctionCode(slot.functionCode, slot.leftMacro, r.mode);
            if (k <= 12) {
                EXPECT_EQ(decoded.buttons[c][k - 1].deviceFunction, code);
                EXPECT_EQ(decoded.buttons[c][k - 1].reactionSwitch, slot.ledReactEnabled);
                EXPECT_EQ(decoded.buttons[c][k - 1].reactionType, slot.ledReactType);
            }
            if (k <= 11 && c == config) {
                EXPECT_EQ(decoded.macroColours[k - 1], slot.macroColour);
            }
            const bool consumer = slot.functionCode >= 23 && slot.functionCode <= 32;
            const bool plays = settings::isMacroFunction(slot.functionCode);
            ASSERT_EQ(entry.present, consumer || plays);
            if (consumer) {
                EXPECT_EQ(entry.consumerUsage, settings::consumerUsage(slot.functionCode));
                continue;
            }
            if (!plays)
                continue;
            EXPECT_EQ(entry.whileHeld, (r.mode & 3) == 2);
            EXPECT_EQ(entry.toggle, (r.mode & 3) == 1);
            EXPECT_EQ(entry.vAdjustSwitch, r.vAdjustSwitch);
            EXPECT_EQ(entry.vAdjustValue, r.vAdjustValue);
            const auto m = platform::sim::decodeMacro(image, entry);
            ASSERT_TRUE(m);
            EXPECT_FALSE(m->runsOffMemory);
            EXPECT_EQ(m->playCount, (r.mode & 3) == 1 || (r.mode & 3) == 2 ? 1 : r.repeatCount);
            EXPECT_EQ(platform::sim::timelineOf(*m), expectedTimeline(r));
        }
    }

    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE(testing::Message() << "DPI level " << n);
        EXPECT_EQ(settings::dpiDisplayValue(decoded.dpiCodes[n]),
                  settings::dpiDisplayValue(settings::dpiDeviceCode(s.dpiIndex[n])));
        EXPECT_EQ(decoded.dpiEnabled[n], s.dpiEnabled[n]);
        EXPECT_EQ(decoded.dpiColours[n], (platform::sim::ImageColour{s.dpiColour[n].red, s.dpiColour[n].green,
                                                                    s.dpiColour[n].blue}));
    }
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(decoded.userColours[i], (platform::sim::ImageColour{s.userColour[i].red, s.userColour[i].green,
                                                                     s.userColour[i].blue}))
            << "user colour " << i;
    }
    EXPECT_EQ(decoded.dpiLevel, settings::currentDpiLevel(s));
    EXPECT_EQ(decoded.fireTime, s.fireTime);
    EXPECT_EQ(decoded.cycleTime, s.effectSpeed);
    EXPECT_EQ(decoded.userColourEnable, s.userColourEnable);
    int packed = 0;
    for (int k = 0; k < 7; ++k)
        if (s.cycleFlags[k])
            packed |= 1 << k;
    EXPECT_EQ(decoded.cycleColours, packed);
    EXPECT_EQ(decoded.reportInterval, settings::reportIntervalFor(s.reportRate));
    EXPECT_EQ(decoded.symmetry, s.effectSymmetry);
    EXPECT_EQ(decoded.direction, s.effectDirection);
    EXPECT_EQ(decoded.brightness, s.brightness);
    EXPECT_EQ(decoded.effectMask, 0x3FFF);

    const auto tables = platform::sim::decodeLightingTables(image);
    EXPECT_TRUE(tables.pointerBlocksValid);
    EXPECT_EQ(tables.configuration, config);
    EXPECT_EQ(tables.soundLighting, s.soundLighting);
    for (int t = 0; t < 5; ++t)
        EXPECT_TRUE(tables.tablesEmpty[t]) << "lighting table " << t;
}

} // namespace dltest
