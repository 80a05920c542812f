// Configuration download pacing: the wall time of a whole download (four
// configurations, a dozen macros, the settings area, directory and lighting
// tables) against the sum of the waits the transfer protocol prescribes.
// Above 1.0 is the cost of the reports themselves and of waits that overrun;
// below 1.0 would mean a wait came back early. Prints `name: value` lines.
//
// The simulated mouse answers every report at once: its per-report latency
// option sleeps, and a sleep of a few microseconds takes ten times that on a
// busy machine, which would measure the host rather than the download. The
// `outside_waits` figure is the download's own cost (reports, image, macros);
// `wait_overrun` is what the clock adds to every wait.
#include "device/config_download.h"
#include "device/hid_connection.h"
#include "device/report_channel.h"
#include "macro/macro_record.h"
#include "platform/platform.h"
#include "platform/simmouse/sim_mouse.h"
#include "settings/button_catalogue.h"
#include "settings/config_store.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The build's clock, with the sum of the waits asked of it.
class CountingClock : public platform::Clock {
public:
    explicit CountingClock(platform::Clock& inner) : inner_(inner) {}
    void sleepMs(unsigned ms) override
    {
        waitedMs += ms;
        ++waits;
        const std::int64_t start = inner_.monotonicUs();
        inner_.sleepMs(ms);
        sleptUs += static_cast<unsigned long long>(inner_.monotonicUs() - start);
    }
    std::uint32_t tickMs() override { return inner_.tickMs(); }
    std::int64_t monotonicUs() override { return inner_.monotonicUs(); }
    platform::SystemTime systemTime() override { return inner_.systemTime(); }

    std::atomic<unsigned long long> waitedMs{0};
    std::atomic<unsigned long long> waits{0};
    std::atomic<unsigned long long> sleptUs{0};   // what the waits really took

private:
    platform::Clock& inner_;
};

class CountingHid : public platform::ForwardingHid {
public:
    explicit CountingHid(platform::Hid& inner) : platform::ForwardingHid(inner) {}
    bool setFeature(platform::HidHandle h, const std::uint8_t* r, std::size_t n) override
    {
        ++reports;
        return inner_.setFeature(h, r, n);
    }
    bool getFeature(platform::HidHandle h, std::uint8_t* r, std::size_t n) override
    {
        ++reports;
        return inner_.getFeature(h, r, n);
    }

    unsigned long long reports = 0;
};

macro::MacroRecord keyMacro(int keys, int delay, std::uint8_t mode, std::uint8_t firstKey)
{
    macro::MacroRecord r{};
    for (int k = 0; k < keys; ++k)
        for (std::uint8_t sub : {macro::sub::Press, macro::sub::Release}) {
            const int i = r.eventCount;
            macro::insertEvent(r, i, static_cast<std::uint8_t>(firstKey + k % 26), sub);
            r.delay[i] = static_cast<std::uint16_t>(delay);
        }
    r.mode = mode;
    r.repeatCount = 1;
    return r;
}

macro::MacroRecord recoilMacro(int steps, int strength)
{
    macro::MacroRecord r{};
    for (int s = 0; s < steps; ++s) {
        macro::insertEvent(r, s, macro::kind::Move, 4);
        r.param[s] = {0, static_cast<std::uint16_t>(strength + s % 3)};
        r.delay[s] = 9;
    }
    r.mode = macro::cycle::WhileHeld;
    r.vAdjustSwitch = 1;
    r.vAdjustValue = static_cast<std::uint8_t>(strength);
    return r;
}

void fill(settings::ConfigStore& s, macro::PresetTable& presets)
{
    s.catalogue.keyNum = 10;
    for (int b = 0; b < 10; ++b) {
        s.catalogue.deviceSlot[b] = b + 1;
        s.catalogue.buttonOfSlot[b + 1] = b;
    }
    presets.count = 8;
    for (int p = 0; p < 8; ++p)
        presets.records[p] = p % 2 ? recoilMacro(20 + 4 * p, 6 + p) : keyMacro(6 + p, 30 + 40 * p, 0, 4);
    const char16_t* combination = u"Ctrl&split&162&split&Shift&split&&split&Alt&split&&split&Win&split&&split&C&split&67";
    for (int c = 0; c < 4; ++c) {
        for (int b = 0; b < 10; ++b) {
            settings::ButtonSlot& slot = s.buttons[c][b];
            slot.functionCode = b < 3 ? b + 1 : 0;
            slot.ledReactEnabled = 1;
            slot.ledReactType = b % 4;
        }
        // Two presets of its own and one shared by all, a key combination, a consumer key.
        s.buttons[c][3].functionCode = 50 + 2 * c;
        s.buttons[c][4].functionCode = 51 + 2 * c;
        s.buttons[c][5].functionCode = 50;
        s.buttons[c][6].functionCode = 33;
        s.buttons[c][6].shortcutText = combination;
        s.buttons[c][7].functionCode = 26;
        s.buttons[c][8].functionCode = 19 + c;
        s.buttons[c][9].functionCode = 6;
    }
    settings::rebuildShortcutMacros(s, 1);
    for (int n = 0; n < 6; ++n) {
        s.dpiIndex[n] = static_cast<std::uint8_t>(3 * n);
        s.dpiEnabled[n] = 1;
    }
    s.ledType = 3;
    s.effectSpeed = 2;
    s.pointerSpeed = 5;
    s.wheelSpeed = 3;
    s.fireTime = 50;
}

struct Figures {
    double wallMs = 0;
    double waitsMs = 0;
    double sleptMs = 0;
    unsigned long long reports = 0;
    unsigned long long waits = 0;
};

Figures downloadOnce(CountingClock& clock)
{
    auto mouse = std::make_shared<platform::sim::SimMouse>();
    platform::sim::SimHidBus bus;
    mouse->attach(&bus);
    bus.plug(mouse);
    CountingHid hid(bus);
    device::HidConnection connection(&hid);
    connection.connected = connection.discover();
    device::ReportChannel channel(connection);
    device::ConfigDownload download(channel);

    auto store = std::make_unique<settings::ConfigStore>();
    auto presets = std::make_unique<macro::PresetTable>();
    fill(*store, *presets);
    macro::Library library;
    device::DownloadSources sources;
    sources.store = store.get();
    sources.macros.presets = presets.get();
    sources.macros.library = &library;
    device::DownloadHost host;

    hid.reports = 0;
    clock.waitedMs = 0;
    clock.waits = 0;
    clock.sleptUs = 0;
    const std::int64_t start = clock.monotonicUs();
    const auto result = download.run(sources, host);
    const std::int64_t end = clock.monotonicUs();
    if (result != device::DownloadResult::Written)
        std::fprintf(stderr, "download did not complete\n");

    Figures f;
    f.wallMs = double(end - start) / 1000.0;
    f.waitsMs = double(clock.waitedMs.load());
    f.reports = hid.reports;
    f.waits = clock.waits.load();
    f.sleptMs = double(clock.sleptUs.load()) / 1000.0;
    return f;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void run(CountingClock& clock, int rounds)
{
    std::vector<double> ratios, walls, overruns, rest;
    Figures last;
    for (int i = 0; i < rounds; ++i) {
        last = downloadOnce(clock);
        ratios.push_back(last.wallMs / last.waitsMs);
        walls.push_back(last.wallMs);
        overruns.push_back((last.sleptMs - last.waitsMs) / double(last.waits));
        rest.push_back(last.wallMs - last.sleptMs);
    }
    std::printf("download_reports: %llu\n", last.reports);
    std::printf("download_waits: %llu\n", last.waits);
    std::printf("download_protocol_wait_ms: %.0f\n", last.waitsMs);
    std::printf("download_wall_ms: %.1f\n", median(walls));
    // Where the time above the waits goes: waits that overrun, and the rest
    // (reports, building the image, reading macros).
    std::printf("download_wait_overrun_us_per_wait: %.0f\n", median(overruns) * 1000.0);
    std::printf("download_outside_waits_ms: %.1f\n", median(rest));
    std::printf("download_wall_over_waits: %.3f\n", median(ratios));
    std::printf("download_wall_over_waits_min: %.3f\n", *std::min_element(ratios.begin(), ratios.end()));
    std::printf("download_wall_over_waits_max: %.3f\n", *std::max_element(ratios.begin(), ratios.end()));
}

} // namespace

int main()
{
    platform::installDefault();
    CountingClock clock(*platform::os().clock);
    platform::servicesStorage().clock = &clock;
    // The Windows settings are the user's: leave them alone.
    platform::servicesStorage().systemSettings = nullptr;

    run(clock, 7);
    return 0;
}
