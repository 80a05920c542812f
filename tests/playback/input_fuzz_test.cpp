#include <gtest/gtest.h>

#include "tests/playback/playback_fixture.h"

#include <random>

using namespace playbacktest;

namespace {

// A program whose settings are whatever a damaged file or a confused mouse
// could leave: slots and buttons out of range, any function code, any macro.
// It checks that the threads only ask it about buttons and configurations
// that exist.
class ChaoticContext : public device::PlaybackContext {
public:
    explicit ChaoticContext(std::uint32_t seed) : random(seed) {}

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
    int anyFunction()
    {
        static const int codes[] = {-7, 0, 1, 6, 17, 18, 19, 22, 23, 26, 32, 33, 40, 41, 49, 50, 255, 256,
                                    0x0203, 3083, 3084, 3327, 29999, 30000, 30004, 40000, 0x7FFFFFFF};
        return pick(0, 3) == 0 ? pick(-100, 40000) : codes[pick(0, std::size(codes) - 1)];
    }

    int currentConfiguration() override { return pick(-2, 5); }
    bool softwareMacros() override { return pick(0, 3) != 0; }
    int buttonCount() override { return pick(-3, 20); }
    int deviceSlotOf(int button) override
    {
        checkButton(button);
        return pick(-2, 17);
    }
    int buttonOfSlot(int slot) override
    {
        if (slot < 1 || slot > 14)
            ADD_FAILURE() << "asked for slot " << slot;
        return pick(-3, 14);
    }
    device::PlaybackButton button(int config, int button) override
    {
        checkConfig(config);
        checkButton(button);
        device::PlaybackButton b;
        b.function = anyFunction();
        b.leftMacro = pick(0, 1);
        b.macroColour = pick(-5, 12);
        b.deviceCode = static_cast<std::uint8_t>(pick(0, 255));
        b.dpiMark = pick(0, 1);
        return b;
    }
    device::PlaybackLighting lighting() override
    {
        device::PlaybackLighting l;
        l.cycleColours = static_cast<std::uint8_t>(pick(0, 255));
        l.effect = pick(-3, 20);
        l.cycleTime = pick(-3, 20);
        l.direction = pick(-3, 9);
        l.brightness = pick(-3, 20);
        return l;
    }
    std::optional<macro::MacroRecord> macroFor(int config, int button, int) override
    {
        checkConfig(config);
        checkButton(button);
        if (pick(0, 4) == 0)
            return std::nullopt;
        macro::MacroRecord r{};
        r.mode = static_cast<std::uint8_t>(pick(0, 255));
        r.repeatCount = static_cast<std::uint16_t>(pick(0, 3));
        r.eventCount = static_cast<std::uint16_t>(pick(0, 3) == 0 ? pick(0, 65535) : pick(0, 8));
        r.vAdjustSwitch = static_cast<std::uint8_t>(pick(0, 2));
        r.vAdjustValue = static_cast<std::uint8_t>(pick(0, 255));
        for (int e = 0; e < macro::kMaxEvents; ++e) {
            r.code[e] = static_cast<std::uint8_t>(pick(0, 255));
            r.sub[e] = static_cast<std::uint8_t>(pick(0, 15));
            r.param[e] = {static_cast<std::uint16_t>(pick(0, 65535)), static_cast<std::uint16_t>(pick(0, 65535))};
            r.delay[e] = static_cast<std::uint16_t>(pick(1, 3));
        }
        return r;
    }
    void setCurrentConfiguration(int config) override { checkConfig(config); }
    void configurationChangedByMouse(int config) override { checkConfig(config); }
    void dpiLevelChangedByMouse(int level) override
    {
        if (level < 0 || level > 5)
            ADD_FAILURE() << "DPI level " << level;
    }
    void saveAdjustedMacro(int, const macro::MacroRecord&) override {}

    std::mt19937 random;

private:
    static void checkConfig(int config)
    {
        if (config < 0 || config > 3)
            ADD_FAILURE() << "asked for configuration " << config;
    }
    static void checkButton(int button)
    {
        if (button < 0 || button > 11)
            ADD_FAILURE() << "asked for button " << button;
    }
};

} // namespace

// Reports of every length and content, each followed by a pass of the
// player. Under the address sanitizer any index past an array fails here.
TEST(InputFuzz, NoReportAndNoSettingMakesTheThreadsLeaveTheirArraysOrTheMousesRanges)
{
    PlaybackRig rig;
    ChaoticContext context(20240611);
    device::PlaybackState state;
    device::CurrentMacro current;
    device::StatusReader reader(rig.channel, context, state, current);
    device::MacroPlayer player(rig.channel, context, state, current, rig.clock);
    player.seedRandom(7);

    // A macro that would run for a long time is stopped after a while, as
    // a press of its key would.
    int sleeps = 0;
    rig.clock.setHook([&](std::int64_t) {
        if (++sleeps > 40)
            state.abort = true;
    });

    std::mt19937 random(99);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int i = 0; i < 4000; ++i) {
        Bytes report(static_cast<std::size_t>(pick(0, 70)));
        for (auto& b : report)
            b = static_cast<std::uint8_t>(pick(0, 255));
        if (!report.empty() && pick(0, 5) != 0)
            report[0] = 6;
        if (report.size() > 1 && pick(0, 2) != 0)
            report[1] = static_cast<std::uint8_t>(pick(0, 1) ? pick(0xF0, 0xFF) : pick(0, 4));
        reader.handleReport(report.data(), report.size());
        if (pick(0, 1))
            reader.handleReport(report.data(), report.size() / 2);
        sleeps = 0;
        player.runPass();
        // Whatever the macro held, the pass ends with nothing held.
        if (player.heldInputs().buttons() != 0xFF || player.heldInputs().keys() != std::array<std::uint8_t, 6>{}) {
            ADD_FAILURE() << "inputs left held after report " << i;
            break;
        }
    }
    reader.handleReport(nullptr, 10);
}

// The mouse's feature length may be longer than anything the commands set;
// the reader reads with the read collection's length, whatever it is.
TEST(InputFuzz, ReadsUseTheReadCollectionsLengthAndSurviveAMouseThatGoesAway)
{
    for (std::uint16_t length : {2, 3, 8, 64, 65}) {
        platform::sim::SimMouseOptions options;
        options.inputReportLength = length;
        auto mouse = std::make_shared<platform::sim::SimMouse>(options);
        platform::sim::SimHidBus bus;
        mouse->attach(&bus);
        bus.plug(mouse);
        device::HidConnection connection(&bus);
        ASSERT_TRUE(connection.discover());
        device::ReportChannel channel(connection);
        ScriptedContext context;
        device::PlaybackState state;
        device::CurrentMacro current;
        device::StatusReader reader(channel, context, state, current);

        mouse->pressSlot(2);
        EXPECT_TRUE(reader.readOnce());
        EXPECT_EQ(state.held, length >= 3) << length;
        bus.unplug(mouse);
        EXPECT_FALSE(reader.readOnce());
        connection.close();
        EXPECT_FALSE(reader.readOnce()) << "no handle: no read";
    }
}
