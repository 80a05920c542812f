// Macro playback timing: how far each event's actual pause (from the start of
// its report to the start of the next) is from the pause stored with it.
// Keyboard events only, so no pause is randomised. Prints `name: value` lines.
#include "device/hid_connection.h"
#include "device/macro_player.h"
#include "device/playback_context.h"
#include "device/report_channel.h"
#include "platform/platform.h"
#include "platform/simmouse/sim_mouse.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr int kMacroFunction = 0x0101;
constexpr int kEvents = 240;
constexpr std::uint16_t kPauses[] = {1, 2, 3, 4, 5, 7, 10, 15, 20};

// The bus, with the time each accepted feature report was started.
class TimedHid : public platform::ForwardingHid {
public:
    TimedHid(platform::Hid& inner, platform::Clock& clock) : platform::ForwardingHid(inner), clock_(clock) {}
    std::vector<std::int64_t> starts;

    bool setFeature(platform::HidHandle h, const std::uint8_t* r, std::size_t n) override
    {
        std::int64_t at = clock_.monotonicUs();
        bool ok = inner_.setFeature(h, r, n);
        if (ok && r[1] == 0x15)
            starts.push_back(at);
        return ok;
    }

private:
    platform::Clock& clock_;
};

// Button 0 in device slot 1 plays the macro.
class BenchContext : public device::PlaybackContext {
public:
    explicit BenchContext(const macro::MacroRecord& m) : macro_(m) {}
    int currentConfiguration() override { return 0; }
    bool softwareMacros() override { return true; }
    int buttonCount() override { return 1; }
    int deviceSlotOf(int button) override { return button == 0 ? 1 : 0; }
    int buttonOfSlot(int slot) override { return slot == 1 ? 0 : -1; }
    device::PlaybackButton button(int, int) override
    {
        device::PlaybackButton b;
        b.function = kMacroFunction;
        b.deviceCode = 0x0D;
        return b;
    }
    device::PlaybackLighting lighting() override { return {}; }
    std::optional<macro::MacroRecord> macroFor(int, int, int) override { return macro_; }
    void setCurrentConfiguration(int) override {}
    void configurationChangedByMouse(int) override {}
    void dpiLevelChangedByMouse(int) override {}
    void saveAdjustedMacro(int, const macro::MacroRecord&) override {}

private:
    macro::MacroRecord macro_;
};

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    std::size_t i = static_cast<std::size_t>(p * double(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// Plays the macro once over a simulated mouse whose reports take
// `latencyUs` each, and prints the error figures under `prefix`.
void run(const char* prefix, unsigned latencyUs)
{
    platform::Clock& clock = *platform::os().clock;
    macro::MacroRecord m{};
    m.repeatCount = 1;
    for (int e = 0; e < kEvents; ++e) {
        m.code[e] = static_cast<std::uint8_t>(0x04 + (e / 2) % 26);
        m.sub[e] = (e % 2) ? 2 : 1;
        m.delay[e] = kPauses[e % std::size(kPauses)];
    }
    m.eventCount = kEvents;

    platform::sim::SimMouseOptions options;
    options.latencyUs = latencyUs;
    auto mouse = std::make_shared<platform::sim::SimMouse>(options);
    platform::sim::SimHidBus bus;
    mouse->attach(&bus);
    bus.plug(mouse);
    TimedHid hid(bus, clock);
    device::HidConnection connection(&hid);
    connection.connected = connection.discover();
    device::ReportChannel channel(connection);
    BenchContext context(m);
    device::PlaybackState state;
    device::CurrentMacro current;
    device::MacroPlayer player(channel, context, state, current, clock);

    state.setTrigger(0xF1);
    player.runPass();

    std::vector<double> errors;
    for (int e = 0; e + 1 < kEvents && e + 1 < int(hid.starts.size()); ++e)
        errors.push_back(double(hid.starts[e + 1] - hid.starts[e] - std::int64_t(m.delay[e]) * 1000) / 1000.0);
    if (errors.empty()) {
        std::printf("%s_events: 0\n", prefix);
        return;
    }
    std::printf("%s_events: %zu\n", prefix, errors.size() + 1);
    std::printf("%s_delay_error_median_ms: %.3f\n", prefix, percentile(errors, 0.5));
    std::printf("%s_delay_error_p99_ms: %.3f\n", prefix, percentile(errors, 0.99));
    std::printf("%s_delay_error_max_ms: %.3f\n", prefix, *std::max_element(errors.begin(), errors.end()));
    // Negative would mean a pause shorter than stored.
    std::printf("%s_delay_error_min_ms: %.3f\n", prefix, *std::min_element(errors.begin(), errors.end()));
}

} // namespace

int main()
{
    platform::installDefault();
    run("playback", 0);
    // Reports that take as long as a USB frame: the pause runs from the start
    // of the report, so the time the report takes is not added to it.
    run("playback_500us_reports", 500);
    return 0;
}
