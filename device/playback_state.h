#pragma once
// What the status reader and the macro player share: the flags the reader
// raises for key events and the player consumes, the left-button macro, and
// the macro the reader loaded for the key last pressed.
//
// The reader writes the last key event before it sets the trigger (release);
// the player reads the trigger (acquire) before the event and clears the
// trigger only when it has finished with it.
#include "macro/macro_record.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace device {

struct PlaybackState {
    std::atomic<bool> held{false};     // the key that started the macro is still down
    std::atomic<bool> toggle{false};   // a toggle macro is on
    std::atomic<bool> trigger{false};  // a key press waits for the player
    std::atomic<std::uint8_t> lastKeyEvent{0};  // byte 1 of the report that set the trigger
    std::atomic<bool> abort{false};    // stop the macro that plays

    // A key release waiting for the player's DPI follow-up: byte 1 and byte 2
    // of its report, in one value so the two never come from different reports.
    static constexpr std::uint32_t kReleasePending = 0x10000;
    std::atomic<std::uint32_t> dpiRelease{0};

    // Left-button macro: while on, presses of device slot 1 play the macro of
    // the button that switched it on.
    std::atomic<bool> leftMacroOn{false};
    std::atomic<int> leftMacroButton{0};

    // On while the vertical-adjust key is held.
    std::atomic<bool> verticalAdjustOn{false};
    std::atomic<int> verticalAdjustButton{-1};

    void setTrigger(std::uint8_t event)
    {
        lastKeyEvent.store(event, std::memory_order_relaxed);
        trigger.store(true, std::memory_order_release);
        wake();
    }
    void postDpiRelease(std::uint8_t byte1, std::uint8_t byte2)
    {
        dpiRelease.store(kReleasePending | (std::uint32_t(byte1) << 8) | byte2, std::memory_order_release);
        wake();
    }

    // The player sleeps here while nothing waits for it, rather than waking
    // every 2 ms all day: a trigger or a release ends the wait at once,
    // anything else (a park, a stop) within `timeout`.
    bool workWaiting() const
    {
        return trigger.load(std::memory_order_acquire) ||
               (dpiRelease.load(std::memory_order_acquire) & kReleasePending);
    }
    void waitForWork(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(wakeMutex_);
        wakeUp_.wait_for(lock, timeout, [&] { return workWaiting() || woken_; });
        woken_ = false;
    }
    void wake()
    {
        std::lock_guard lock(wakeMutex_);
        woken_ = true;
        wakeUp_.notify_all();
    }

private:
    std::mutex wakeMutex_;
    std::condition_variable wakeUp_;
    bool woken_ = false;
};

// The macro the status reader loaded for the key last pressed, and the
// function code it was loaded for. Wheel steps change its vertical adjust
// while the player may be copying it, so it is only reached under its lock.
class CurrentMacro {
public:
    // An invalid reference (a macro that no longer exists) is remembered as such.
    void load(int function, std::optional<macro::MacroRecord> record);
    int function() const;
    // The record when it was loaded for `function`; nothing when it was loaded
    // for another function or the reference was invalid.
    std::optional<macro::MacroRecord> copyFor(int function) const;
    bool holds(int function) const;
    struct Loaded {
        int function;
        macro::MacroRecord record;
    };
    // The record with the function it was loaded for; nothing when invalid.
    std::optional<Loaded> loaded() const;

    void setVerticalAdjustSwitch(std::uint8_t on);
    // Wheel steps: up adds 1 (the 8-bit value wraps), down subtracts 1 above 0.
    void stepVerticalAdjust(bool up);
    std::uint8_t verticalAdjustValue() const;

private:
    mutable std::mutex mutex_;
    int function_ = -1;
    bool valid_ = false;
    macro::MacroRecord record_{};
};

} // namespace device
