// The audio seam on the real system: the mixer check and the playback meter.
// tests/e2e/sound_meter.sh runs these with a PulseAudio sink playing a tone
// and again with no sound server at all; run alone, only the first applies.
#include "lighting/sound_level.h"
#include "lighting/sound_wave.h"
#include "platform/platform.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string expectation()
{
    const char* e = std::getenv("KVX_AUDIO_EXPECT");
    return e ? e : "";
}

} // namespace

TEST(AudioWin, TheMeterReadsPeaksWithinZeroToOneOrIsAbsent)
{
    platform::Audio& audio = *platform::os().audio;
    audio.mixerAvailable();
    auto meter = audio.openDefaultRenderMeter();
    if (!meter)
        GTEST_SKIP() << "no playback meter on this system";
    for (int i = 0; i < 5; ++i) {
        const float p = meter->peak();
        EXPECT_GE(p, 0.0f);
        EXPECT_LE(p, 1.0f);
    }
}

TEST(AudioWin, APlayingSinkIsSeenAndItsToneMeasured)
{
    if (expectation() != "tone")
        GTEST_SKIP() << "needs the sound server of tests/e2e/sound_meter.sh";
    platform::Audio& audio = *platform::os().audio;
    EXPECT_TRUE(audio.mixerAvailable());
    auto meter = audio.openDefaultRenderMeter();
    if (!meter)
        GTEST_SKIP() << "the default playback device offers no peak meter here (Wine's Core Audio has none)";
    float loudest = 0.0f;
    for (int i = 0; i < 30 && lighting::levelFromPeak(loudest) <= 30; ++i) {
        loudest = std::max(loudest, meter->peak());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_GT(lighting::levelFromPeak(loudest), 30);
}

TEST(AudioWin, WithoutAnyDeviceTheDialogShowsItsTipAndStaysClosed)
{
    if (expectation() != "none")
        GTEST_SKIP() << "needs a system without sound devices (tests/e2e/sound_meter.sh)";
    platform::Audio& audio = *platform::os().audio;
    EXPECT_FALSE(audio.mixerAvailable());
    EXPECT_EQ(audio.openDefaultRenderMeter(), nullptr);

    ui::Appearance look;
    settings::ConfigStore store;
    platform::Window main(102);
    lighting::SoundWave wave(look, store, Text(), device::connection());
    ui::clearShownTips();
    EXPECT_FALSE(wave.open(main, 0));
    EXPECT_EQ(ui::shownTips(), std::vector<int>{lighting::kTipNoMixer});
    EXPECT_FALSE(wave.exists());
}
