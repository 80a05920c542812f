#pragma once
#include "platform/audio.h"

#include <deque>
#include <mutex>

namespace platform::headless {

// A sound card as a test sets it up: with or without a mixer and a playback
// meter, and the peaks the meter reads, one per call (the last one repeats).
class ScriptedAudio : public Audio {
public:
    bool mixerAvailable() override;
    std::unique_ptr<PeakMeter> openDefaultRenderMeter() override;

    struct Setup {
        bool mixer = true;
        bool meter = true;
    };
    void reset(Setup setup);
    void reset() { reset(Setup()); }
    void queuePeaks(std::initializer_list<float> peaks);
    float nextPeak();
    int metersOpened();

private:
    std::mutex mutex_;
    Setup setup_;
    std::deque<float> peaks_;
    float last_ = 0.0f;
    int opened_ = 0;
};

ScriptedAudio& audio();

} // namespace platform::headless
