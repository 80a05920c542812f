#pragma once
// The three light patterns of the sound-reactive lighting as streams of
// lighting commands (0x13, and the DPI-level colour 0x14 in the flash
// pattern). One pass of a pattern reads the level step, sends a few commands
// with waits between them, and returns; the worker runs passes back to back.
#include "device/commands.h"
#include "lighting/sound_level.h"

#include <atomic>
#include <functional>

namespace lighting {

// The pattern is the region number of its button on the dialog; 1 is
// accepted from the settings but shows nothing.
enum Pattern { kPatternNone = 1, kPatternBar = 2, kPatternFlash = 3, kPatternBreathe = 4 };

// The lighting commands the patterns are made of.
namespace effects {
device::LightingEffect bar(int n);
device::LightingEffect barOff();
device::LightingEffect pulse();
device::LightingEffect flash();
device::LightingEffect flashQuiet();
device::LightingEffect pulseQuiet();
device::LightingEffect breathe(int cycleTime, int brightness);
device::LightingEffect idle();
} // namespace effects

// Cycle time and brightness of the breathing for level steps 1..11.
struct Breath {
    int cycleTime;
    int brightness;
};
Breath breathFor(int step);

// The colours the flash pattern shows the DPI indicator in, in turn (R, G, B).
struct Rgb4 {
    int r, g, b;
};
constexpr Rgb4 kFlashColours[4] = {{0, 15, 15}, {0, 15, 0}, {0, 0, 15}, {15, 15, 0}};

class PatternPlayer {
public:
    // `wait` blocks for the given milliseconds (the worker's wait, a recording
    // one in tests) and returns false when the program ends: from then on the
    // player sends nothing more.
    using Wait = std::function<bool(unsigned)>;
    PatternPlayer(SoundLevel& level, device::ReportChannel& channel, Wait wait);

    std::atomic<int> pattern{kPatternBar};
    std::atomic<bool> displayOn{false};
    // The DPI level the mouse was on when the dialog opened (its indicator flashes).
    std::atomic<int> dpiLevel{0};

    // One pass of the current pattern. False when it neither sent nor waited
    // (no tick yet), so the worker can idle instead of spinning.
    bool runPass();

    int previousStep() const { return previousStep_.load(); }
    bool toggle() const { return toggle_; }

private:
    void passBar();
    // The display switch went off in the middle of the bar: the lights are
    // handed back and the pass ends.
    void handBack(int step);
    void passFlash();
    void passBreathe();
    void send(const device::LightingEffect& e);
    void sendFlashColour();
    void wait(unsigned ms);

    SoundLevel& level_;
    device::ReportChannel& channel_;
    Wait wait_;
    std::atomic<int> previousStep_{0}; // also read by the window while the worker plays
    bool toggle_ = false;
    int colourIndex_ = 0;
    bool active_ = false; // this pass sent or waited
    bool stopped_ = false;
};

} // namespace lighting
