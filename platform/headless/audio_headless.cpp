#include "platform/headless/audio_headless.h"

#include "platform/platform.h"

namespace platform::headless {

namespace {

ScriptedAudio* installedAudio = nullptr;

class ScriptedMeter : public PeakMeter {
public:
    explicit ScriptedMeter(ScriptedAudio& audio) : audio_(audio) {}
    float peak() override { return audio_.nextPeak(); }

private:
    ScriptedAudio& audio_;
};

} // namespace

bool ScriptedAudio::mixerAvailable()
{
    std::lock_guard lock(mutex_);
    return setup_.mixer;
}

std::unique_ptr<PeakMeter> ScriptedAudio::openDefaultRenderMeter()
{
    std::lock_guard lock(mutex_);
    if (!setup_.meter)
        return nullptr;
    ++opened_;
    return std::make_unique<ScriptedMeter>(*this);
}

void ScriptedAudio::reset(Setup setup)
{
    std::lock_guard lock(mutex_);
    setup_ = setup;
    peaks_.clear();
    last_ = 0.0f;
    opened_ = 0;
}

void ScriptedAudio::queuePeaks(std::initializer_list<float> peaks)
{
    std::lock_guard lock(mutex_);
    peaks_.insert(peaks_.end(), peaks);
}

float ScriptedAudio::nextPeak()
{
    std::lock_guard lock(mutex_);
    if (!peaks_.empty()) {
        last_ = peaks_.front();
        peaks_.pop_front();
    }
    return last_;
}

int ScriptedAudio::metersOpened()
{
    std::lock_guard lock(mutex_);
    return opened_;
}

ScriptedAudio& audio()
{
    os();
    return *installedAudio;
}

} // namespace platform::headless

namespace platform {

void installAudio()
{
    static headless::ScriptedAudio audio;
    headless::installedAudio = &audio;
    servicesStorage().audio = &audio;
}

} // namespace platform
