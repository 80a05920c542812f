#include "device/device_change.h"
#include "settings/button_catalogue.h"
#include "tests/download/download_fixture.h"
#include "tests/download/macro_builders.h"
#include "ui/tips.h"

#include <future>
#include <thread>

using namespace dltest;

namespace {

std::vector<std::uint16_t> addressesOf(const std::vector<WrittenBlock>& blocks)
{
    std::vector<std::uint16_t> out;
    for (const auto& b : blocks)
        out.push_back(b.address);
    return out;
}

const WrittenBlock* blockAt(const std::vector<WrittenBlock>& blocks, std::uint16_t address)
{
    for (const auto& b : blocks)
        if (b.address == address)
            return &b;
    return nullptr;
}

std::uint8_t slotByte(const platform::sim::MemoryImage& m, int config, int slot)
{
    // Where each configuration keeps its keys (see the settings area table).
    static const int base[4][12] = {
        {0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x3B, 0x3C, 0x3D},
        {0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F},
        {0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B},
        {0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B},
    };
    return m[base[config][slot - 1]];
}

int functionInSlot(const platform::sim::MemoryImage& m, int config, int slot) { return slotByte(m, config, slot) & 0x1F; }

class ConnectedWorld : public DownloadWorld {
public:
    explicit ConnectedWorld(std::uint16_t productId = platform::sim::kProductIdModel1)
        : DownloadWorld(options(productId))
    {
        EXPECT_TRUE(rig.connect());
    }
    static platform::sim::SimMouseOptions options(std::uint16_t productId)
    {
        platform::sim::SimMouseOptions o;
        o.productId = productId;
        return o;
    }
};

} // namespace

// --- the whole image ---

TEST(ConfigDownload, AWholeDownloadReadsBackAsTheStore)
{
    for (std::uint16_t pid : {platform::sim::kProductIdModel1, platform::sim::kProductIdModel0}) {
        SCOPED_TRACE(pid);
        ConnectedWorld world(pid);
        ASSERT_EQ(world.download(), device::DownloadResult::Written);
        const auto image = world.rig.memory();
        expectImageMatches(image, world);
        EXPECT_TRUE(ui::shownTips().empty());
        EXPECT_EQ(world.rig.mouse->applied().finishCount, 1);
        EXPECT_FALSE(world.engine.isRunning());
        EXPECT_EQ(world.host.leftMacroOffs.load(), 1);
        EXPECT_EQ(world.host.notedDpiLevel.load(), 3);
    }
}

TEST(ConfigDownload, BlocksGoInTheirOrderThenTheFinishRequest)
{
    ConnectedWorld world;
    world.download();
    const auto steps = world.rig.steps();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), get()) << "one status fetch first";
    const auto blocks = writtenBlocks(steps);
    const auto addresses = addressesOf(blocks);

    std::vector<std::uint16_t> expected = {0x01, 0x08, 0x10, 0x18, 0x20, 0x28, 0x30, 0x38, 0x40,
                                           0x48, 0x50, 0x58, 0x60, 0x68, 0x98};
    for (int i = 0; i < 70; ++i)
        expected.push_back(static_cast<std::uint16_t>(0xA0 + 8 * i));
    expected.insert(expected.end(), {0x6E, 0x70, 0x78, 0x7F});
    ASSERT_GE(addresses.size(), expected.size() + 5);
    EXPECT_EQ(std::vector<std::uint16_t>(addresses.begin(), addresses.begin() + expected.size()), expected);

    // Lengths: 1-byte header, 8-byte rows, six bytes at 0x68, then 2, 8, 3, 1.
    EXPECT_EQ(blocks[0].bytes.size(), 1u);
    EXPECT_EQ(blocks[13].bytes.size(), 6u);
    EXPECT_EQ(blocks[14].bytes.size(), 8u);
    EXPECT_EQ(blocks[85].bytes.size(), 2u);
    EXPECT_EQ(blocks[86].bytes.size(), 8u);
    EXPECT_EQ(blocks[87].bytes.size(), 3u);
    EXPECT_EQ(blocks[88].bytes.size(), 1u);

    // Macros rise from 0x400, the five lighting tables close the series.
    const std::uint16_t end = static_cast<std::uint16_t>(blocks[85].bytes[0] | blocks[85].bytes[1] << 8);
    for (std::size_t i = expected.size(); i + 5 < blocks.size(); ++i) {
        EXPECT_GE(blocks[i].address, 0x400);
        EXPECT_LT(blocks[i].address, end);
    }
    for (int t = 0; t < 5; ++t) {
        const WrittenBlock& table = blocks[blocks.size() - 5 + t];
        EXPECT_EQ(table.address, end + 8 * t);
        EXPECT_EQ(table.bytes, bytesOf({0xFF, 0, 0, 0}));
    }
    const std::size_t finish = finishStep(steps);
    ASSERT_LT(finish, steps.size());
    EXPECT_GT(finish, blocks.back().programStep);
    EXPECT_EQ(std::vector<Step>(steps.begin() + finish + 1, steps.begin() + finish + 3),
              (std::vector<Step>{wait(5), mem(0, 0, 0, 0, 0)}));
}

TEST(ConfigDownload, HeaderPerModel)
{
    {
        ConnectedWorld first;   // product ID 0x1540: only byte 1
        first.download();
        auto blocks = writtenBlocks(first.rig.steps());
        EXPECT_EQ(blocks[0].address, 0x01);
        EXPECT_EQ(blocks[0].bytes, bytesOf({0x43})) << "configuration 2";
        EXPECT_EQ(first.rig.memory()[0], 0xFF) << "the rest of the header is the mouse's own";
    }
    {
        ConnectedWorld second(platform::sim::kProductIdModel0);   // 0x1E01: all 8 bytes, first model's IDs
        second.store->currentConfig = 0;
        second.download();
        auto blocks = writtenBlocks(second.rig.steps());
        EXPECT_EQ(blocks[0].address, 0x00);
        EXPECT_EQ(blocks[0].bytes, bytesOf({0x5A, 0x03, 0xA5, 0x40, 0x15, 0xFA, 0x30, 0x10}));
        EXPECT_TRUE(platform::sim::decodeSettings(second.rig.memory()).headerValid);
    }
    for (int config = 0; config < 4; ++config)
        EXPECT_EQ(device::headerBlock(device::Model1, config).bytes[0], ((config << 5) & 0x60) + 3);
}

TEST(ConfigDownload, DpiCodesSkipElevenAndCarryTheirHighBitApart)
{
    ConnectedWorld world;   // DPI indexes 0, 9, 10, 22, 5, 15
    world.download();
    const auto blocks = writtenBlocks(world.rig.steps());
    const auto* row = blockAt(blocks, 0x10);
    ASSERT_TRUE(row);
    // Codes 1, 10, 12, 24, 6, 17: 24 and 17 have bit 4 (levels 3 and 5).
    EXPECT_EQ(std::vector<std::uint8_t>(row->bytes.begin() + 1, row->bytes.end()),
              bytesOf({0, 0, 0x28, 0x0A, 0x1A, 0xC8, 0x61}));
    const auto decoded = platform::sim::decodeSettings(world.rig.memory());
    EXPECT_EQ(decoded.dpiCodes, (std::array<int, 6>{1, 10, 12, 24, 6, 17}));
}

TEST(ConfigDownload, SharedSettingsRows)
{
    ConnectedWorld world;
    world.download();
    const auto blocks = writtenBlocks(world.rig.steps());
    // Level 3, levels 0, 1, 3, 4 enabled, fire time 300, effect 5 cycle 3,
    // user colours on with cycle colours 0, 2, 3, 5, 1 ms reports (interval 1).
    EXPECT_EQ(blockAt(blocks, 0x18)->bytes, bytesOf({0x1B, 0x1B, 0x2C, 0x01, 0xD3, 0x80 | 0x2D, 1, 0}));
    // U0: user (0, 1, 15) over DPI level 0 (0, 15, 0).
    EXPECT_EQ(std::vector<std::uint8_t>(blockAt(blocks, 0x20)->bytes.begin(), blockAt(blocks, 0x20)->bytes.begin() + 3),
              bytesOf({0x00, 0x1F, 0xF0}));
    // U5.G, U5.B: user (9, 11, 10) over DPI level 5 (5, 10, 15); all 14 effects listed.
    EXPECT_EQ(blockAt(blocks, 0x30)->bytes, bytesOf({0xBA, 0xAF, 0xFF, 0x3F, 0, 0, 0, 0}));
    // Symmetry 1, direction 2: 0x40 + 0x20 + 10. User colour 6 (14, 13, 9), brightness 5.
    const auto& row38 = blockAt(blocks, 0x38)->bytes;
    EXPECT_EQ(row38[0], 0);
    EXPECT_EQ(row38[1], 0);
    EXPECT_EQ(row38[2], 0x6A);
    EXPECT_EQ(row38[6], 0xED);
    EXPECT_EQ(row38[7], 0x59);
    EXPECT_EQ(std::vector<std::uint8_t>(blockAt(blocks, 0x40)->bytes.begin(), blockAt(blocks, 0x40)->bytes.begin() + 4),
              bytesOf({0, 1, 2, 0x6E}));
    EXPECT_EQ(std::vector<std::uint8_t>(blockAt(blocks, 0x58)->bytes.begin() + 4, blockAt(blocks, 0x58)->bytes.end()),
              bytesOf({1, 2, 1, 2}));
    EXPECT_EQ(std::vector<std::uint8_t>(blockAt(blocks, 0x68)->bytes.begin() + 4, blockAt(blocks, 0x68)->bytes.end()),
              bytesOf({1, 2}));
}

TEST(ConfigDownload, MacroColoursOfTheCurrentConfiguration)
{
    ConnectedWorld world;
    for (int b = 0; b < kKeyNum; ++b)
        world.store->buttons[2][b].macroColour = b % 7;
    world.store->buttons[2][9].macroColour = 6;   // slot 11
    world.download();
    // Slots 1..11 hold buttons 0, 1, 2, 4, 3, 5, 6, -, 7, 8, 9.
    EXPECT_EQ(blockAt(writtenBlocks(world.rig.steps()), 0x98)->bytes,
              bytesOf({0 + 1 * 8, 2 + 4 * 8, 3 + 5 * 8, 6 + 0 * 8, 0 + 1 * 8, 6, 0, 0}));
}

TEST(ConfigDownload, ButtonBytesCarryReactionAndDeviceFunction)
{
    ConnectedWorld world;
    world.store->buttons[0][3].ledReactType = 2;
    world.store->buttons[0][3].ledReactEnabled = 1;
    world.download();
    // Button 3 of configuration 0 sits in device slot 5: function 15 -> 0x15.
    EXPECT_EQ(slotByte(world.rig.memory(), 0, 5), (2 << 6) + (1 << 5) + 0x15);
    EXPECT_EQ(slotByte(world.rig.memory(), 0, 8), 0) << "no button in slot 8";
    EXPECT_EQ(slotByte(world.rig.memory(), 0, 12), 0);
}

// --- device function codes ---

TEST(DeviceFunctionCodes, ExamplesFromTheButtonCatalogue)
{
    ConnectedWorld world;
    world.download();
    const auto m = world.rig.memory();
    EXPECT_EQ(functionInSlot(m, 0, 5), 0x15) << "function 15";
    EXPECT_EQ(functionInSlot(m, 0, 4), 7) << "function 12";
    EXPECT_EQ(functionInSlot(m, 0, 6), 0x17) << "function 19";
    EXPECT_EQ(functionInSlot(m, 0, 7), 0x0F) << "consumer key";
    EXPECT_EQ(functionInSlot(m, 0, 9), 0x0E) << "while-held library macro";
    EXPECT_EQ(functionInSlot(m, 0, 10), 0x0E) << "key combination (while held)";
    EXPECT_EQ(functionInSlot(m, 1, 2), 0x1E) << "preset 1, counted";
    EXPECT_EQ(functionInSlot(m, 1, 3), 0x1E) << "toggle library macro with the left-button flag";
    EXPECT_EQ(functionInSlot(m, 1, 5), 0x14) << "function 18";
    EXPECT_EQ(functionInSlot(m, 1, 4), 0x0B) << "function 16";
    EXPECT_EQ(functionInSlot(m, 1, 6), 0x0C) << "function 17";
    EXPECT_EQ(functionInSlot(m, 1, 7), 0x0A) << "30000";
    EXPECT_EQ(functionInSlot(m, 1, 9), 0x16) << "40000";
    EXPECT_EQ(functionInSlot(m, 2, 2), 0x0D) << "34: an empty macro";
    EXPECT_EQ(functionInSlot(m, 2, 3), 0x1B) << "30003";
    EXPECT_EQ(functionInSlot(m, 2, 4), 0x1A) << "function 22";
    EXPECT_EQ(functionInSlot(m, 2, 10), 0x0D) << "counted library macro";
    EXPECT_EQ(functionInSlot(m, 3, 4), 0x1F) << "while-held preset 0";
    EXPECT_EQ(functionInSlot(m, 3, 11), 0x1C) << "30004";
}

TEST(DeviceFunctionCodes, PresetSixtyAndGroupMacro0x0203FollowTheirMode)
{
    ConnectedWorld world;
    world.presets.count = 11;
    world.presets.records[10] = makeMacro({{0x04, 1, 10}}, macro::cycle::WhileHeld);
    world.store->buttons[0][3].functionCode = 60;
    world.store->buttons[0][4].functionCode = 0x0203;
    world.download();
    EXPECT_EQ(functionInSlot(world.rig.memory(), 0, 5), 0x1F);
    EXPECT_EQ(functionInSlot(world.rig.memory(), 0, 4), 0x0D) << "group 1 macro 3 is a toggle";

    world.presets.records[10].mode = macro::cycle::Toggle;
    auto library = standardLibrary();
    library[1][3].mode = macro::cycle::WhileHeld;
    world.writeLibrary(library);
    world.download();
    EXPECT_EQ(functionInSlot(world.rig.memory(), 0, 5), 0x1E);
    EXPECT_EQ(functionInSlot(world.rig.memory(), 0, 4), 0x0E);
}

TEST(DeviceFunctionCodes, MissingMacrosBecomeFunctionZeroAndStaySo)
{
    ConnectedWorld world;   // configuration 1 button 9: group 5 of 3; configuration 3 button 1: preset 10 of 3
    world.download();
    EXPECT_EQ(world.store->buttons[1][9].functionCode, 0);
    EXPECT_EQ(world.store->buttons[3][1].functionCode, 0);
    EXPECT_EQ(world.store->buttons[3][3].functionCode, 0) << "macro 7 of a group of 3";
    EXPECT_EQ(world.store->buttons[1][8].functionCode, 0x0101) << "valid references stay";
    EXPECT_EQ(world.store->buttons[3][4].functionCode, 50);
    EXPECT_EQ(functionInSlot(world.rig.memory(), 1, 11), 0);
    EXPECT_FALSE(platform::sim::decodeDirectoryEntry(world.rig.memory(), 1, 11).present);
    EXPECT_TRUE(ui::shownTips().empty());
}

TEST(DeviceFunctionCodes, MarksForTheStatusReader)
{
    ConnectedWorld world;
    world.download();
    const auto t = world.engine.functions();
    EXPECT_TRUE(t.function18Mark[1][3]);
    EXPECT_TRUE(t.dpiMark[0][9]) << "function 6";
    EXPECT_TRUE(t.dpiMark[1][4]) << "function 16";
    EXPECT_TRUE(t.dpiMark[1][5]) << "function 17";
    int marks18 = 0, dpiMarks = 0;
    for (int c = 0; c < 4; ++c)
        for (int b = 0; b < 12; ++b) {
            marks18 += t.function18Mark[c][b];
            dpiMarks += t.dpiMark[c][b];
        }
    EXPECT_EQ(marks18, 1);
    EXPECT_EQ(dpiMarks, 4) << "and button 5 (function 6) of configuration 3";
    EXPECT_TRUE(t.dpiMark[3][5]);
    EXPECT_EQ(t.bySlot[0][4], 0x15) << "device slot 5 is button 3";
    EXPECT_EQ(t.code[0][3], 0x15);
    EXPECT_EQ(t.bySlot[0][7], 0) << "slot 8 has no button";
}

// --- lighting ---

TEST(ConfigDownload, LightingModeByte)
{
    ConnectedWorld world;
    auto modeByte = [&] { return blockAt(writtenBlocks(world.rig.steps()), 0x18)->bytes[4]; };
    auto effectBit3 = [&] { return blockAt(writtenBlocks(world.rig.steps()), 0x30)->bytes[3] >> 7; };

    world.store->ledType = 12;
    world.store->effectSpeed = 4;
    world.download();
    EXPECT_EQ(modeByte(), 0x80 + 0x10 + 0x08 + 4);

    world.store->ledType = 9;
    world.rig.log.clear();
    world.download();
    EXPECT_EQ(modeByte(), 0x80 + 0x10 + 4);
    EXPECT_EQ(effectBit3(), 1);

    world.store->ledType = 13;   // keeps the mode the mouse has, cycles with 7
    world.rig.log.clear();
    world.download();
    EXPECT_EQ(modeByte(), 0x80 + 0x10 + 7);
    EXPECT_EQ(effectBit3(), 1);
    EXPECT_EQ(platform::sim::decodeSettings(world.rig.memory()).lightingMode, 9);

    device::ConfigDownload fresh(world.rig.channel);   // nothing sent before: mode 0
    world.rig.log.clear();
    fresh.run(world.sources(), world.host);
    EXPECT_EQ(modeByte(), 0x80 + 7);
}

// --- after the image ---

TEST(ConfigDownload, WindowsPointerSpeedAndWheelLines)
{
    EXPECT_EQ(device::windowsPointerSpeed(0), 0);
    EXPECT_EQ(device::windowsPointerSpeed(3), 4);
    EXPECT_EQ(device::windowsPointerSpeed(11), 20);
    EXPECT_EQ(device::windowsPointerSpeed(12), 6);
    EXPECT_EQ(device::windowsPointerSpeed(-1), 6);

    ConnectedWorld world;
    world.download();
    EXPECT_EQ(world.system.speedSets, std::vector<int>{4});
    EXPECT_EQ(world.system.wheelSets, std::vector<int>{7});

    world.store->pointerSpeed = 12;
    world.system.queriesFail = true;
    world.download();
    EXPECT_EQ(world.system.speedSets, std::vector<int>{4}) << "a setting Windows does not answer for is left alone";
    world.system.queriesFail = false;
    world.download();
    EXPECT_EQ(world.system.speedSets, (std::vector<int>{4, 6}));
}

TEST(ConfigDownload, SoftwareMacroModeHandsMacroButtonsToTheProgramAfterTheFinish)
{
    ConnectedWorld world;
    world.store->softwareMacros = 1;
    world.store->buttons[2][0].functionCode = 18;
    world.download();
    // Configuration 2: function 18 (button 0, slot 1) and two library macros
    // (buttons 7, 8: slots 9, 10). Shortcuts (33), 34 and the special function
    // 30003 (slot 3) stay with the mouse.
    const auto applied = world.rig.mouse->applied();
    for (int slot = 1; slot <= 14; ++slot) {
        const bool handed = slot == 1 || slot == 9 || slot == 10;
        EXPECT_EQ(applied.keyOverride[slot], handed ? 0 : -1) << "slot " << slot;
    }
    const auto steps = world.rig.steps();
    const std::size_t finish = finishStep(steps);
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (steps[i].kind == Step::Set && steps[i].bytes[0] == 0x10) {
            EXPECT_GT(i, finish);
        }

    ConnectedWorld hardware;
    hardware.download();
    for (int slot = 1; slot <= 14; ++slot)
        EXPECT_EQ(hardware.rig.mouse->applied().keyOverride[slot], -1);
}

TEST(ConfigDownload, WithoutMacrosTheAreaEndsWhereItStarts)
{
    ConnectedWorld world;
    for (int c = 0; c < 4; ++c)
        for (int b = 0; b < 12; ++b)
            if (world.store->buttons[c][b].functionCode >= 23)
                world.store->buttons[c][b].functionCode = 2;
    world.download();
    const auto m = world.rig.memory();
    const auto tables = platform::sim::decodeLightingTables(m);
    EXPECT_EQ(tables.end, 0x400);
    EXPECT_EQ(tables.addresses[1], 0x408);
    EXPECT_EQ(tables.addresses[4], 0x420);
    EXPECT_EQ(std::vector<std::uint8_t>(m.begin() + 0x400, m.begin() + 0x404), bytesOf({0xFF, 0, 0, 0}));
    for (int c = 0; c < 4; ++c)
        for (int k = 1; k <= 14; ++k)
            EXPECT_FALSE(platform::sim::decodeDirectoryEntry(m, c, k).present);
}

TEST(ConfigDownload, AMacroUsedTwiceIsWrittenOnce)
{
    ConnectedWorld world;   // 0x0101 in configuration 0 (slot 9) and 1 (slot 10)
    world.download();
    const auto m = world.rig.memory();
    const auto a = platform::sim::decodeDirectoryEntry(m, 0, 9);
    const auto b = platform::sim::decodeDirectoryEntry(m, 1, 10);
    EXPECT_EQ(a.address, b.address);
    int written = 0;
    for (const auto& block : writtenBlocks(world.rig.steps()))
        written += block.address == a.address;
    EXPECT_EQ(written, 1);
    // The two Ctrl+C buttons (configurations 0 and 2) each have their own copy.
    EXPECT_NE(platform::sim::decodeDirectoryEntry(m, 0, 10).address, platform::sim::decodeDirectoryEntry(m, 2, 7).address);
}

TEST(ConfigDownload, AnLedEventWithoutItsRecordIsReportedAndTheDownloadGoesOn)
{
    ConnectedWorld world;
    auto library = standardLibrary();
    library[0][1].sub[1] = 1;   // turn the move into ...
    library[0][1].code[1] = macro::kind::Led;   // ... an LED event with a sub byte no LED event has
    world.writeLibrary(library);
    EXPECT_EQ(world.download(), device::DownloadResult::Written);
    EXPECT_EQ(world.host.invalidRecords, 1) << "once: the macro is shared and written once";
    EXPECT_TRUE(ui::shownTips().empty()) << "the caller tells the user, not the download";
    EXPECT_EQ(world.rig.mouse->applied().finishCount, 1);
}

// --- a macro area that does not fit ---

namespace {

// Twelve different 280-entry macros: far more than the 2847 bytes there are.
void overfill(DownloadWorld& world)
{
    std::vector<std::vector<macro::MacroRecord>> groups(2);
    for (int m = 0; m < 12; ++m)
        groups[0].push_back(typingMacro(70, 130, static_cast<std::uint8_t>(4 + m)));
    groups[1] = standardLibrary()[1];
    world.writeLibrary(groups);
    for (int b = 6; b < kKeyNum; ++b)
        world.store->buttons[0][b].functionCode = macro::libraryFunction(0, b);
}

class TipWatcher : public ui::TipSink {
public:
    explicit TipWatcher(device::ConfigDownload& d) : download(d) { ui::setTipSink(this); }
    ~TipWatcher() override { ui::setTipSink(nullptr); }
    void showTip(int number, const Text&) override
    {
        tips.push_back(number);
        runningAtTip.push_back(download.isRunning());
    }
    device::ConfigDownload& download;
    std::vector<int> tips;
    std::vector<bool> runningAtTip;
};

} // namespace

TEST(ConfigDownloadFull, StopsAfterTheSettingsBlocksAndSaysSo)
{
    ConnectedWorld world;
    ASSERT_EQ(world.download(), device::DownloadResult::Written);
    const auto before = world.rig.memory();
    world.rig.log.clear();
    world.system.speedSets.clear();

    overfill(world);
    TipWatcher watcher(world.engine);
    EXPECT_EQ(world.download(), device::DownloadResult::AreaFull);
    EXPECT_TRUE(watcher.tips.empty()) << "the caller shows tip 29";
    EXPECT_FALSE(world.engine.isRunning()) << "the flag is clear before the caller warns";

    const auto steps = world.rig.steps();
    EXPECT_EQ(finishStep(steps), steps.size()) << "no finish request";
    EXPECT_EQ(addressesOf(writtenBlocks(steps)).back(), 0x98) << "nothing after the settings blocks";
    EXPECT_TRUE(world.system.speedSets.empty()) << "no Windows settings";
    EXPECT_EQ(world.rig.mouse->applied().finishCount, 1);

    // What the mouse had of its macros stays whole: directory, macros, E and its tables.
    const auto after = world.rig.memory();
    EXPECT_TRUE(std::equal(before.begin() + 0x6E, before.begin() + 0x80, after.begin() + 0x6E));
    EXPECT_TRUE(std::equal(before.begin() + 0xA0, before.begin() + 0x2D0, after.begin() + 0xA0));
    EXPECT_TRUE(std::equal(before.begin() + 0x400, before.begin() + 0x1000, after.begin() + 0x400));
}

TEST(ConfigDownloadFull, TheGaugeSaysBeforehandWhatTheDownloadFinds)
{
    ConnectedWorld world;
    const device::MacroAreaUse fitting = device::macroAreaUse(world.sources());
    EXPECT_TRUE(fitting.fits());
    EXPECT_GT(fitting.required, 0);
    overfill(world);
    const device::MacroAreaUse over = device::macroAreaUse(world.sources());
    EXPECT_FALSE(over.fits());
    EXPECT_EQ(over.capacity, 3871 - 0x400);
    EXPECT_EQ(world.download(), device::DownloadResult::AreaFull);
}

TEST(ConfigDownloadFull, TouchesNoFile)
{
    ConnectedWorld world;
    overfill(world);
    auto snapshot = [&] {
        std::vector<std::vector<std::uint8_t>> files;
        files.push_back(world.folder.read(u"macroGrp.ini"));
        files.push_back(world.folder.read(u"group0.dat"));
        files.push_back(world.folder.read(u"group1.dat"));
        return files;
    };
    const auto before = snapshot();
    ASSERT_FALSE(before[1].empty());
    EXPECT_EQ(world.download(), device::DownloadResult::AreaFull);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(world.library.groupCount, 2);
    EXPECT_EQ(world.store->buttons[0][9].functionCode, macro::libraryFunction(0, 9)) << "the buttons keep their macros";
}

TEST(ConfigDownloadFull, ADownloadThatFitsAgainWritesEverything)
{
    ConnectedWorld world;
    overfill(world);
    world.download();
    world.writeLibrary(standardLibrary());
    fillStore(*world.store);
    ui::clearShownTips();
    EXPECT_EQ(world.download(), device::DownloadResult::Written);
    expectImageMatches(world.rig.memory(), world);
}
