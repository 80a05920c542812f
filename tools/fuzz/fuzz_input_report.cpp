// The status reader handling whatever the mouse sends: the first bytes set up
// the program's buttons (any function, slot or macro a damaged file could
// leave), the rest is a series of input reports of any length. The reader may
// only ask about buttons and configurations that exist.
#include "device/playback_context.h"
#include "device/status_reader.h"
#include "platform/simmouse/sim_hid_bus.h"
#include "platform/simmouse/sim_mouse.h"
#include "tools/fuzz/fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <memory>

namespace {

class FuzzedProgram : public device::PlaybackContext {
public:
    explicit FuzzedProgram(FuzzedDataProvider& in)
    {
        static constexpr int kCodes[] = {0, 1, 6, 18, 19, 22, 23, 32, 33, 40, 41, 49, 50, 255, 256, 3083, 3084,
                                         29999, 30000, 30004, 40000};
        config_ = in.ConsumeIntegralInRange(-1, 4);
        software_ = in.ConsumeBool();
        keyNum_ = in.ConsumeIntegralInRange(-1, 13);
        for (auto& slot : slots_)
            slot = in.ConsumeIntegralInRange(-1, 15);
        for (auto& config : buttons_)
            for (auto& b : config) {
                b.function = in.ConsumeBool() ? in.PickValueInArray(kCodes) : in.ConsumeIntegral<int>();
                b.leftMacro = in.ConsumeBool();
                b.macroColour = in.ConsumeIntegralInRange(-1, 7);
                b.deviceCode = in.ConsumeIntegral<std::uint8_t>();
                b.dpiMark = in.ConsumeBool();
            }
        hasMacro_ = in.ConsumeBool();
        macro_.mode = in.ConsumeIntegral<std::uint8_t>();
        macro_.repeatCount = in.ConsumeIntegralInRange<std::uint16_t>(0, 3);
        macro_.eventCount = in.ConsumeIntegralInRange<std::uint16_t>(0, macro::kMaxEvents);
        macro_.vAdjustSwitch = in.ConsumeIntegralInRange<std::uint8_t>(0, 2);
        macro_.vAdjustValue = in.ConsumeIntegral<std::uint8_t>();
    }

    int currentConfiguration() override { return config_; }
    bool softwareMacros() override { return software_; }
    int buttonCount() override { return keyNum_; }
    int deviceSlotOf(int button) override
    {
        checkButton(button);
        return slots_[size_t(button)];
    }
    int buttonOfSlot(int slot) override
    {
        fuzz::check(slot >= 1 && slot <= device::kPlaybackDeviceSlots, "asked for a device slot that exists");
        for (int b = 0; b < keyNum_ && b < device::kPlaybackButtons; ++b)
            if (slots_[size_t(b)] == slot)
                return b;
        return -1;
    }
    device::PlaybackButton button(int config, int button) override
    {
        checkConfig(config);
        checkButton(button);
        return buttons_[size_t(config)][size_t(button)];
    }
    device::PlaybackLighting lighting() override { return {}; }
    std::optional<macro::MacroRecord> macroFor(int config, int button, int) override
    {
        checkConfig(config);
        checkButton(button);
        return hasMacro_ ? std::optional(macro_) : std::nullopt;
    }
    void setCurrentConfiguration(int config) override
    {
        checkConfig(config);
        config_ = config;
    }
    void configurationChangedByMouse(int config) override { checkConfig(config); }
    void dpiLevelChangedByMouse(int level) override { fuzz::check(level >= 0 && level < 6, "a DPI level that exists"); }
    void saveAdjustedMacro(int, const macro::MacroRecord&) override {}

private:
    static void checkConfig(int config)
    {
        fuzz::check(config >= 0 && config < device::kPlaybackConfigurations, "asked for a configuration that exists");
    }
    static void checkButton(int button)
    {
        fuzz::check(button >= 0 && button < device::kPlaybackButtons, "asked for a button that exists");
    }

    int config_ = 0;
    bool software_ = false;
    int keyNum_ = 0;
    std::array<int, device::kPlaybackButtons> slots_{};
    device::PlaybackButton buttons_[device::kPlaybackConfigurations][device::kPlaybackButtons] = {};
    bool hasMacro_ = false;
    macro::MacroRecord macro_{};
};

// The mouse, found once: discovery and a new mouse's memory cost more than a
// run of reports. Each run gets the mouse back as new and a channel of its own.
struct Rig {
    Rig() : mouse(std::make_shared<platform::sim::SimMouse>()), connection(&bus)
    {
        mouse->attach(&bus);
        bus.plug(mouse);
        connection.connected = connection.discover();
    }
    platform::sim::SimHidBus bus;
    std::shared_ptr<platform::sim::SimMouse> mouse;
    device::HidConnection connection;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::World world;
    FuzzedDataProvider in(data, size);

    static Rig rig;
    fuzz::check(rig.connection.connected, "the mouse is found");
    rig.mouse->reset();
    device::ReportChannel channel(rig.connection);

    FuzzedProgram program(in);
    device::PlaybackState state;
    device::CurrentMacro current;
    device::StatusReader reader(channel, program, state, current);
    reader.loadFirstMacro();
    while (in.remaining_bytes() > 0) {
        std::vector<std::uint8_t> report = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(0, 8));
        // Most reports the mouse sends carry its input report ID.
        if (!report.empty() && in.ConsumeBool())
            report[0] = device::kInputReportId;
        reader.handleReport(report.data(), report.size());
    }
    return 0;
}
