#pragma once
// The lighting commands the simulated mouse received, and the waits between
// them, as readable steps ("bar 3", "wait 196", "dpi 2: 0 15 15").
#include "lighting/sound_patterns.h"
#include "tests/device/sim_fixture.h"

#include <string>
#include <vector>

namespace lighttest {

inline std::string effectName(const std::vector<std::uint8_t>& r)
{
    using namespace lighting::effects;
    const std::array<std::uint8_t, 6> got{r[2], r[3], r[4], r[5], r[6], r[7]};
    for (int n = 0; n <= 15; ++n)
        if (got == device::lightingBytes(bar(n)))
            return "bar " + std::to_string(n);
    const std::pair<const char*, device::LightingEffect> named[] = {
        {"bar off", barOff()}, {"pulse", pulse()}, {"flash", flash()}, {"flash quiet", flashQuiet()},
        {"pulse quiet", pulseQuiet()}, {"idle", idle()}};
    for (const auto& [name, e] : named)
        if (got == device::lightingBytes(e))
            return name;
    for (int c = 0; c <= 7; ++c)
        for (int b = 0; b <= 7; ++b)
            if (got == device::lightingBytes(breathe(c, b)))
                return "breathe " + std::to_string(c) + " " + std::to_string(b);
    return "unknown 0x13";
}

inline std::string describe(const std::vector<std::uint8_t>& r)
{
    if (r[1] == device::cmd::Lighting)
        return effectName(r);
    if (r[1] == device::cmd::DpiColour)
        return "dpi " + std::to_string(r[2] >> 5) + ": " + std::to_string(r[3] >> 4) + " " +
               std::to_string(r[2] & 15) + " " + std::to_string(r[3] & 15);
    return "command " + std::to_string(r[1]);
}

// A player on the simulated mouse whose waits are recorded, not waited.
struct PlayerRig {
    PlayerRig()
        : player(level, rig.channel, [this](unsigned ms) {
              flushReports();
              steps.push_back("wait " + std::to_string(ms));
              if (switchOffInWait)
                  player.displayOn = false;
              return !stopAfterWait;
          })
    {
        rig.connect();
        player.displayOn = true;
    }
    void flushReports()
    {
        auto received = rig.mouse->received();
        for (; seen < received.size(); ++seen)
            steps.push_back(describe(received[seen]));
    }
    // The steps of one pass.
    std::vector<std::string> pass()
    {
        steps.clear();
        flushReports();
        steps.clear();
        player.runPass();
        flushReports();
        return steps;
    }
    void at(int current, int step) { level.force(current, step); }

    SimMouseRig rig;
    lighting::SoundLevel level;
    lighting::PatternPlayer player;
    std::vector<std::string> steps;
    std::size_t seen = 0;
    bool stopAfterWait = false;
    bool switchOffInWait = false; // the display switch goes off during the next wait
};

using Steps = std::vector<std::string>;

} // namespace lighttest
