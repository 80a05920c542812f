#pragma once
// The sound-reactive lighting's settings in section ShareData of config.ini:
// read when its dialog is first made, written when the dialog is closed with
// its close button.
#include "platform/text.h"

namespace lighting {

struct SoundSettings {
    int pattern = 0;       // SoundWaveMode: 2, 3 or 4 (1 shows nothing)
    int displayOn = 0;     // WaveShowStatu
    int speaker = 0;       // SoundSpeaker, kept as read
    int microphone = 0;    // SoundMicroph, kept as read
    int brightness = 0;    // SoundBright2, kept as read
};

// Missing keys read as 0.
SoundSettings readSoundSettings(const Text& configFile);
// The display switch is written as on whatever it is: the dialog reopens with
// the lights following the sound.
void writeSoundSettings(const SoundSettings& s, const Text& configFile);

} // namespace lighting
