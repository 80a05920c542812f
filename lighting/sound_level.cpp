#include "lighting/sound_level.h"

#include <algorithm>
#include <cmath>

namespace lighting {

int levelFromPeak(float peak)
{
    if (!(peak > 0.0f))
        return 0; // also NaN
    const float level = peak * 100.0f;
    return level >= 100.0f ? 100 : int(level);
}

LevelSummary summarise(int current, std::span<const int, kHistoryLength> history)
{
    std::array<int, kSummaryValues> v{};
    v[0] = current;
    std::copy_n(history.begin(), kSummaryValues - 1, v.begin() + 1);
    std::sort(v.begin(), v.end());
    LevelSummary s;
    s.top = (v[19] + v[20]) / 2;
    s.bottom = (v[0] + v[1]) / 2;
    int sum = 0;
    for (int i = 3; i <= 17; ++i)
        sum += v[size_t(i)];
    s.average = sum / 15;
    return s;
}

int levelStep(int top, int bottom, int average, int current)
{
    const float p = float(top);
    const float b = float(bottom);
    const float x = float(current);
    float step;
    if (average <= 10)
        step = p + 3.0f >= x ? std::trunc(x / (p + 3.0f) * 5.0f) : 1.0f;
    else if (average <= 25)
        step = p + 5.0f >= x ? std::trunc((x - b) / (p + 5.0f - b) * 7.0f) + 1.0f : 1.0f;
    else if (average <= 50)
        step = p >= x ? std::trunc((x - b) / (p - b) * 9.0f) + 1.0f : 1.0f;
    else if (average <= 75)
        step = p >= x ? std::trunc((x - b) / (p - b) * 8.0f) + 2.0f : 1.0f;
    else
        step = std::trunc((x - b) / (p - b) * 7.0f) + 3.0f;
    // Compared in floating point first: a NaN or an infinity never reaches the int conversion.
    if (!(step >= 1.0f))
        return 1;
    if (step >= float(kMaxStep))
        return kMaxStep;
    return int(step);
}

void SoundLevel::sample(float peak)
{
    const int level = levelFromPeak(peak);
    current_.store(level, std::memory_order_relaxed);
    std::copy_backward(history_.begin(), history_.end() - 1, history_.end());
    history_[0] = level;
    const LevelSummary s = summarise(level, history_);
    step_.store(s.average <= 1 ? 0 : levelStep(s.top, s.bottom, s.average, level), std::memory_order_relaxed);
}

void SoundLevel::force(int current, int step)
{
    current_.store(current, std::memory_order_relaxed);
    step_.store(step, std::memory_order_relaxed);
}

int SoundLevel::shownEntry(int i)
{
    if (i < 0 || i >= kHistoryLength)
        return 0;
    int& v = history_[size_t(i)];
    if (v > 98)
        v = 99;
    return v;
}

} // namespace lighting
