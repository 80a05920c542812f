#pragma once
// The macro player: every pass it follows a DPI change the mouse reported
// with a key release, then serves the key press the status reader handed
// over: a consumer key (in both macro modes) or, in software-macro mode, a
// macro, a key combination or the armed left-button macro, played event by
// event with its pauses until it ends or its stop condition holds.
#include "device/commands.h"
#include "device/playback_context.h"
#include "device/playback_state.h"
#include "device/thread_park.h"
#include "platform/clock.h"

#include <atomic>
#include <cstdint>
#include <random>

namespace device {

// Plays of a toggle or repeat-while-held macro: "until stopped".
constexpr int kEndlessPlays = 10000;
// Mouse-button events pause at least this long, and below kRandomisedBelowMs
// a random part of up to half the pause is added, so that clicks do not come
// at machine-exact intervals.
constexpr unsigned kMinButtonPauseMs = 60;
constexpr unsigned kRandomisedBelowMs = 120;

class MacroPlayer {
public:
    // `gate` is the player thread's park gate; none when a test drives the
    // passes itself.
    MacroPlayer(ReportChannel& channel, PlaybackContext& context, PlaybackState& state, CurrentMacro& current,
                platform::Clock& clock, ParkGate* gate = nullptr);

    // One pass of the player's loop (without the pause between passes).
    void runPass();

    // The pause played after an event.
    unsigned eventPause(std::uint8_t code, std::uint8_t sub, std::uint16_t storedDelay);
    void seedRandom(std::uint32_t seed) { random_.seed(seed); }

    bool isPlaying() const { return playing_.load(); }
    HeldInputs& heldInputs() { return held_; }

private:
    struct Playback {
        macro::MacroRecord record;
        int events = 0;
        std::uint8_t mode = 0;
        int plays = 0;
    };

    void followDpiRelease();
    void serveTrigger();
    std::optional<macro::MacroRecord> macroOf(int config, int button, int function);
    void play(const Playback& p);
    bool stopConditionHolds(std::uint8_t mode) const;
    void sendEvent(const macro::MacroRecord& r, int e);

    ReportChannel& channel_;
    PlaybackContext& context_;
    PlaybackState& state_;
    CurrentMacro& current_;
    platform::Clock& clock_;
    ParkGate* gate_;
    HeldInputs held_;
    std::minstd_rand random_;
    std::atomic<bool> playing_{false};
};

} // namespace device
