#include "lighting/sound_patterns.h"

namespace lighting {

namespace effects {

namespace {
device::LightingEffect make(int effect, int cycleTime, int direction, int fixedValue, int brightness, bool symmetry,
                            int value)
{
    device::LightingEffect e;
    e.fullMask = true; // enable bit and all seven colours
    e.switchBit = true;
    e.effect = effect;
    e.cycleTime = cycleTime;
    e.direction = direction;
    e.fixedValue = fixedValue;
    e.brightness = brightness;
    e.symmetry = symmetry;
    e.value = value;
    return e;
}
} // namespace

device::LightingEffect bar(int n) { return make(6, 1, 1, n, 0, false, 0x3FF); }
device::LightingEffect barOff() { return make(9, 1, 1, 11, 3, false, 0x3FF); }
device::LightingEffect pulse() { return make(13, 2, 0, 10, 0, false, 0x3EB); }
device::LightingEffect flash() { return make(2, 2, 0, 10, 0, false, 0x3FF); }
device::LightingEffect flashQuiet() { return make(2, 2, 0, 10, 4, false, 0x3FF); }
device::LightingEffect pulseQuiet() { return make(13, 2, 0, 10, 3, false, 0x3FF); }
device::LightingEffect breathe(int cycleTime, int brightness) { return make(8, cycleTime, 0, 10, brightness, false, 0x3FF); }
device::LightingEffect idle() { return make(4, 0, 0, 10, 3, true, 0x3FF); }

} // namespace effects

Breath breathFor(int step)
{
    static constexpr Breath table[] = {{0, 2}, {1, 2}, {1, 1}, {2, 1}, {3, 0}, {4, 0}};
    if (step >= 1 && step <= 6)
        return table[step - 1];
    return {5, 1};
}

PatternPlayer::PatternPlayer(SoundLevel& level, device::ReportChannel& channel, Wait wait)
    : level_(level), channel_(channel), wait_(std::move(wait))
{
}

bool PatternPlayer::runPass()
{
    active_ = false;
    switch (pattern.load()) {
    case kPatternBar: passBar(); break;
    case kPatternFlash: passFlash(); break;
    case kPatternBreathe: passBreathe(); break;
    default: break;
    }
    return active_;
}

void PatternPlayer::send(const device::LightingEffect& e)
{
    if (stopped_)
        return;
    active_ = true;
    device::sendLighting(channel_, e); // a failed send is not worth stopping the lights for
}

void PatternPlayer::wait(unsigned ms)
{
    if (stopped_)
        return;
    active_ = true;
    if (!wait_(ms))
        stopped_ = true;
}

void PatternPlayer::sendFlashColour()
{
    const Rgb4 c = kFlashColours[colourIndex_];
    colourIndex_ = (colourIndex_ + 1) % 4;
    if (stopped_)
        return;
    active_ = true;
    device::sendDpiColour(channel_, dpiLevel.load(), c.r, c.g, c.b);
}

void PatternPlayer::passBar()
{
    const int k = level_.takeTick() ? level_.step() : 0;
    const int p = previousStep_.load();
    if (p >= 2) {
        // The bar of the last pass falls back to nothing.
        for (int n = p; n >= 0; --n) {
            send(effects::bar(n));
            wait(unsigned(392 / (p - 1)));
            if (!displayOn.load()) {
                handBack(k);
                return;
            }
        }
    }
    if (k >= 1) {
        const unsigned pace = unsigned(87 / k);
        wait(pace);
        for (int i = 0; i < k; ++i) {
            const int n = k >= 9 ? 10 : i;
            wait(pace);
            send(effects::bar(n));
            if (!displayOn.load()) {
                handBack(k);
                return;
            }
        }
        if (k >= 7)
            wait(pace);
    }
    previousStep_ = k;
    if (level_.current() > 1 && level_.step() > 0)
        return;
    // Once the switch is off the main window sends the stored lighting; the
    // closing pulse must not come after it.
    for (const device::LightingEffect& e : {effects::pulse(), effects::bar(0)}) {
        wait(240);
        if (!displayOn.load())
            return;
        send(e);
    }
}

void PatternPlayer::handBack(int step)
{
    send(effects::barOff());
    previousStep_ = step;
}

void PatternPlayer::passFlash()
{
    const int k = level_.step();
    if (k > 0) {
        const unsigned pace = unsigned(480 / (k + 1));
        if (toggle_) {
            send(effects::pulse());
            wait(pace);
            toggle_ = false;
        } else {
            send(effects::flash());
            wait(pace);
            sendFlashColour();
            toggle_ = true;
        }
    } else if (toggle_) {
        send(effects::flashQuiet());
        wait(480);
        toggle_ = false;
        sendFlashColour();
    } else {
        send(effects::pulseQuiet());
        wait(480);
        toggle_ = true;
    }
}

void PatternPlayer::passBreathe()
{
    if (!level_.takeTick())
        return;
    const int k = level_.step();
    if (k == 0) {
        send(effects::idle());
    } else {
        const Breath b = breathFor(k);
        send(effects::breathe(b.cycleTime, b.brightness));
    }
}

} // namespace lighting
