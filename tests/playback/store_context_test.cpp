#include <gtest/gtest.h>

#include "device/store_playback_context.h"
#include "macro/macro_file.h"
#include "macro/presets.h"
#include "platform/platform.h"
#include "settings/config_files.h"
#include "tests/playback/playback_fixture.h"
#include "tests/support/temp_folder.h"

#include <deque>

using namespace playbacktest;

namespace {

constexpr int kLanguage = 1;

class QueuedWindow : public device::PlaybackWindow {
public:
    void postToMainThread(std::function<void()> task) override { tasks.push_back(std::move(task)); }
    void redraw() override { ++redraws; }
    void noteMouseDpiLevel(int level) override { noted.push_back(level); }
    void runTasks()
    {
        while (!tasks.empty()) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            task();
        }
    }
    std::deque<std::function<void()>> tasks;
    int redraws = 0;
    std::vector<int> noted;
};

// A configuration folder with config.ini, a macro folder with two groups and
// a language folder with two presets, all in one temporary folder.
struct StoreRig {
    StoreRig()
    {
        store->catalogue.keyNum = 3;
        int slots[3] = {1, 2, 5};
        for (int b = 0; b < 3; ++b) {
            store->catalogue.deviceSlot[b] = slots[b];
            store->catalogue.buttonOfSlot[slots[b]] = b;
        }
        for (int c = 0; c < 4; ++c)
            settings::saveConfiguration(*store, configFile(), c);

        library->groupCount = 2;
        library->groupNames[0] = u"First";
        library->groupNames[1] = u"Second";
        macro::writeGroupList(*library, dir.path());
        auto table = std::make_unique<macro::GroupTable>();
        (*table)[0] = named(u"g0m0", 10);
        (*table)[1] = named(u"g0m1", 11);
        macro::writeGroup(groupFile(0), *table, 2, kLanguage);
        (*table)[0] = named(u"g1m0", 20);
        macro::writeGroup(groupFile(1), *table, 1, kLanguage);
        (*table)[0] = named(u"gun0", 30);
        (*table)[1] = named(u"gun1", 31);
        macro::writeGroup(dir.file(macro::kPresetFileName), *table, 2, kLanguage);
        macro::loadPresets(*presets, dir.path(), kLanguage);
    }

    static macro::MacroRecord named(const char16_t* name, std::uint8_t strength)
    {
        auto m = makeMacro(2, 1, {{0xF6, 6, 10, 0, strength}});
        macro::setRecordName(m, name);
        m.vAdjustValue = strength;
        return m;
    }
    Text configFile() { return dir.file(settings::kConfigFileName); }
    Text groupFile(int g) { return dir.file(library->groupNames[g] + u".dat"); }
    macro::MacroRecord lineOf(const Text& file, int index)
    {
        return macro::readMacroLine(file, index, macro::readFileVersion(file), kLanguage);
    }
    Text value(const char* section, const char* key)
    {
        return platform::os().profile->getString(configFile(), T(section), T(key), u"<none>", 100);
    }

    testsupport::TempFolder dir;
    std::unique_ptr<settings::ConfigStore> store = std::make_unique<settings::ConfigStore>();
    std::unique_ptr<macro::PresetTable> presets = std::make_unique<macro::PresetTable>();
    std::unique_ptr<macro::Library> library = std::make_unique<macro::Library>();
    QueuedWindow window;
    device::StorePlaybackContext context{*store, *presets, *library, window,
                                         device::PlaybackSources{dir.path(), dir.path(), dir.path(), kLanguage}};
};

} // namespace

TEST(StorePlaybackContext, ButtonsComeFromTheStoreAndTheLastDownload)
{
    StoreRig rig;
    auto& slot = rig.store->buttons[2][1];
    slot.functionCode = 0x0102;
    slot.leftMacro = 1;
    slot.macroColour = 9;
    std::array<std::array<std::uint8_t, 12>, 4> codes{};
    std::array<std::array<bool, 12>, 4> marks{};
    codes[2][1] = 0x1E;
    marks[2][2] = true;
    rig.context.setDownloadedFunctions(codes, marks);

    auto b = rig.context.button(2, 1);
    EXPECT_EQ(b.function, 0x0102);
    EXPECT_TRUE(b.leftMacro);
    EXPECT_EQ(b.macroColour, 6);
    EXPECT_EQ(b.deviceCode, 0x1E);
    EXPECT_FALSE(b.dpiMark);
    EXPECT_TRUE(rig.context.button(2, 2).dpiMark);
    EXPECT_EQ(rig.context.button(4, 1).function, 0) << "no such configuration";
    EXPECT_EQ(rig.context.button(2, 12).function, 0) << "no such button";

    EXPECT_EQ(rig.context.buttonCount(), 3);
    EXPECT_EQ(rig.context.buttonOfSlot(5), 2);
    EXPECT_EQ(rig.context.buttonOfSlot(3), -1);
    EXPECT_EQ(rig.context.buttonOfSlot(15), -1);
    EXPECT_EQ(rig.context.deviceSlotOf(2), 5);

    rig.store->cycleFlags[1] = rig.store->cycleFlags[4] = 1;
    rig.store->cycleColours = 0x7F;
    EXPECT_EQ(rig.context.lighting().cycleColours, 0x12);
    EXPECT_EQ(rig.store->cycleColours, 0x7F) << "packed without writing the store";
}

TEST(StorePlaybackContext, MacrosComeFromCombinationsPresetsAndGroupFiles)
{
    StoreRig rig;
    rig.store->shortcutMacros[1][2] = makeMacro(2, 1, {{0xE0, 1, 4}});
    EXPECT_EQ(rig.context.macroFor(1, 2, 33), rig.store->shortcutMacros[1][2]);
    EXPECT_EQ(rig.context.macroFor(1, 0, 36), macro::kEmptyRecord);
    EXPECT_EQ(rig.context.macroFor(1, 0, 45), macro::kEmptyRecord);
    EXPECT_EQ(macro::recordName(*rig.context.macroFor(0, 0, 51)), u"gun1");
    EXPECT_FALSE(rig.context.macroFor(0, 0, 52)) << "only two presets";
    EXPECT_EQ(macro::recordName(*rig.context.macroFor(0, 0, 0x0101)), u"g0m1");
    EXPECT_EQ(macro::recordName(*rig.context.macroFor(0, -1, 0x0200)), u"g1m0");
    EXPECT_FALSE(rig.context.macroFor(0, 0, 0x0201));
    EXPECT_FALSE(rig.context.macroFor(0, 0, 0x0300)) << "no third group";
    EXPECT_FALSE(rig.context.macroFor(0, 0, 26));
}

TEST(StorePlaybackContext, AConfigurationTheMouseSwitchedToIsWrittenAndReloadedOnTheMainThread)
{
    StoreRig rig;
    rig.store->buttons[2][1].functionCode = 7;
    settings::saveConfiguration(*rig.store, rig.configFile(), 2);
    rig.store->buttons[2][1].functionCode = 99; // an edit that was never applied

    rig.context.setCurrentConfiguration(2);
    EXPECT_EQ(settings::currentConfiguration(*rig.store), 2) << "at once, for the next report";
    rig.context.configurationChangedByMouse(2);
    EXPECT_EQ(rig.value("Init", "CurConfig"), u"<none>");
    EXPECT_EQ(rig.store->buttons[2][1].functionCode, 99);

    rig.window.runTasks();
    EXPECT_EQ(rig.value("Init", "CurConfig"), u"2");
    EXPECT_EQ(rig.store->buttons[2][1].functionCode, 7);
    EXPECT_EQ(rig.window.redraws, 1);
}

TEST(StorePlaybackContext, TheMousesDpiLevelIsCurrentAtOnceAndSavedOnTheMainThread)
{
    StoreRig rig;
    rig.context.dpiLevelChangedByMouse(4);
    EXPECT_EQ(rig.store->dpiLevel, 4);
    EXPECT_EQ(rig.value("ShareData", "DPI_LEVEL"), u"0");
    rig.context.dpiLevelChangedByMouse(6);
    rig.window.runTasks();
    EXPECT_EQ(rig.value("ShareData", "DPI_LEVEL"), u"4");
    EXPECT_EQ(rig.window.noted, std::vector<int>{4});
    EXPECT_EQ(rig.store->dpiLevel, 4);
}

TEST(StorePlaybackContext, AnAdjustedMacroIsSavedIntoItsOwnFile)
{
    StoreRig rig;
    auto adjusted = [](std::uint8_t value) {
        auto m = makeMacro(0, 9, {}); // only the vertical adjust is taken from it
        m.vAdjustSwitch = 1;
        m.vAdjustValue = value;
        return m;
    };
    // A group that is not open in the editor: its file line.
    rig.context.saveAdjustedMacro(0x0101, adjusted(44));
    // The open group: the editor's copy, with its unsaved name, and the file.
    macro::loadGroup(rig.library->table, rig.groupFile(1), kLanguage);
    rig.library->currentGroup = 1;
    rig.library->currentGroupMacroCount = 1;
    macro::setRecordName(rig.library->table[0], u"renamed");
    rig.context.saveAdjustedMacro(0x0200, adjusted(55));
    // A game preset: its line of the preset file and the preset table.
    rig.context.saveAdjustedMacro(51, adjusted(66));
    // References to nothing change nothing.
    rig.context.saveAdjustedMacro(0x0300, adjusted(77));
    rig.context.saveAdjustedMacro(0x0105, adjusted(77));
    rig.context.saveAdjustedMacro(53, adjusted(77));
    EXPECT_EQ(rig.lineOf(rig.groupFile(0), 1).vAdjustValue, 11) << "not before the main thread runs it";
    rig.window.runTasks();

    auto g0m1 = rig.lineOf(rig.groupFile(0), 1);
    EXPECT_EQ(macro::recordName(g0m1), u"g0m1");
    EXPECT_EQ(g0m1.vAdjustSwitch, 1);
    EXPECT_EQ(g0m1.vAdjustValue, 44);
    EXPECT_EQ(g0m1.param[0].y, 11);
    EXPECT_EQ(rig.lineOf(rig.groupFile(0), 0).vAdjustValue, 10);
    EXPECT_EQ(macro::readMacroCount(rig.groupFile(0)), 2);

    EXPECT_EQ(rig.library->table[0].vAdjustValue, 55);
    auto g1m0 = rig.lineOf(rig.groupFile(1), 0);
    EXPECT_EQ(macro::recordName(g1m0), u"renamed");
    EXPECT_EQ(g1m0.vAdjustValue, 55);

    EXPECT_EQ(rig.presets->records[1].vAdjustValue, 66);
    auto gun1 = rig.lineOf(rig.dir.file(macro::kPresetFileName), 1);
    EXPECT_EQ(macro::recordName(gun1), u"gun1");
    EXPECT_EQ(gun1.vAdjustValue, 66);
    EXPECT_EQ(gun1.param[0].y, 31) << "the strength of the moves is the preset dialog's";
    EXPECT_EQ(macro::readMacroCount(rig.dir.file(macro::kPresetFileName)), 2);
    EXPECT_FALSE(rig.dir.exists(u"Third.dat"));
}
