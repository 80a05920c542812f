#pragma once
// The loudness the sound-reactive lighting follows: the peak of the default
// playback device sampled every 96 ms as a level 0..100, the last 49 levels,
// and the level step 0..11 the light patterns show. The window's timer writes
// these values, the lighting worker reads them; each is one whole atomic value.
#include <array>
#include <atomic>
#include <span>

namespace lighting {

constexpr int kHistoryLength = 49;
constexpr int kMaxStep = 11;
// The 21 values the step is computed from: the level and history entries 0..19.
constexpr int kSummaryValues = 21;

// peak × 100 truncated, kept within 0..100 (a meter giving nonsense reads as silence).
int levelFromPeak(float peak);

// Top, bottom and average of the current level and the 20 newest history
// entries, after sorting them: (s19 + s20) / 2, (s0 + s1) / 2, (s3 + … + s17) / 15.
struct LevelSummary {
    int top = 0;
    int bottom = 0;
    int average = 0;
};
LevelSummary summarise(int current, std::span<const int, kHistoryLength> history);

// The step for an average above 1, in single precision as the light bars were
// tuned with, clamped to 1..11. A 0/0 (top equal to bottom) counts as below 1.
int levelStep(int top, int bottom, int average, int current);

class SoundLevel {
public:
    // One sample (the 96 ms timer): level, history shifted, step recomputed.
    void sample(float peak);
    // Sets the level and the step the patterns read, leaving the history as
    // it is. Since the current level is counted twice among the 21 values, a
    // sampled step never exceeds 10; the patterns still handle 11.
    void force(int current, int step);

    int current() const { return current_.load(std::memory_order_relaxed); }
    int step() const { return step_.load(std::memory_order_relaxed); }
    // Main thread only.
    const std::array<int, kHistoryLength>& history() const { return history_; }
    // Entry i as the meter draws it: values above 98 are stored back as 99.
    int shownEntry(int i);

    // Set by the pattern timers, taken by the worker.
    void setTick() { tick_.store(true); }
    bool takeTick() { return tick_.exchange(false); }
    bool tickSet() const { return tick_.load(); }

private:
    std::atomic<int> current_{0};
    std::atomic<int> step_{0};
    std::atomic<bool> tick_{false};
    std::array<int, kHistoryLength> history_{};
};

} // namespace lighting
