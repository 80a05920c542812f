#pragma once
// Turns keystrokes into the key events of one macro: presses and releases
// become events, the time between two keystrokes the pause of the earlier
// one. The macro's former contents are kept until the recording is finished,
// so a cancelled recording gives the macro back as it was.
#include "macro/macro_record.h"

namespace macro {

constexpr int kMaxRecordedEvents = 110;
constexpr int kMaxRecordedPresses = 55;
constexpr int kMaxHeldKeys = 9;
constexpr int kLastRecordedPause = 20;
constexpr int kMsPerDay = 86'400'000;

// Milliseconds since midnight of a time of day.
int timeOfDayMs(int hour, int minute, int second, int milliseconds);
// Milliseconds from `last` to `now` (both times of day), across midnight,
// at most 65535.
int pauseBetween(int last, int now);

class MacroRecorder {
public:
    enum class Step {
        Recorded, // the keystroke became an event
        Skipped,  // an auto-repeat, a release without its press, or past a limit
        Full,     // the event limit was reached before: finish the recording
    };

    bool running() const { return target_ != nullptr; }
    int recordedCount() const { return count_; }

    // Starts recording into `r`, named `name`; its cycle mode stays, the rest is emptied.
    void start(MacroRecord& r, TextView name);
    // One key message (WM_KEYDOWN/UP, WM_SYSKEYDOWN/UP) at `nowMs` (time of day).
    Step key(unsigned message, unsigned virtualKey, int language, int nowMs);
    // Keeps what was recorded; the caller saves the macro.
    void finish();
    // Gives the macro back what it held before the recording.
    void cancel();

private:
    MacroRecord* target_ = nullptr;
    MacroRecord before_{};
    int count_ = 0;
    int presses_ = 0;
    int held_[kMaxHeldKeys]{};
    int heldCount_ = 0;
    unsigned lastMessage_ = 0;
    unsigned lastKey_ = 0;
    int lastTime_ = 0;
};

} // namespace macro
