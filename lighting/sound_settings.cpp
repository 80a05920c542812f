#include "lighting/sound_settings.h"

#include "platform/atomic_save.h"
#include "platform/platform.h"

namespace lighting {

namespace {

constexpr const char16_t* kSection = u"ShareData";

int readNumber(const Text& file, const char16_t* key)
{
    return text::toInt(platform::os().profile->getString(file, kSection, key, Text(), 10));
}

bool writeNumber(const Text& file, const char16_t* key, int value)
{
    return platform::os().profile->writeString(file, kSection, key, text::fromInt(value));
}

} // namespace

SoundSettings readSoundSettings(const Text& configFile)
{
    SoundSettings s;
    s.pattern = readNumber(configFile, u"SoundWaveMode");
    s.displayOn = readNumber(configFile, u"WaveShowStatu");
    s.speaker = readNumber(configFile, u"SoundSpeaker");
    s.microphone = readNumber(configFile, u"SoundMicroph");
    s.brightness = readNumber(configFile, u"SoundBright2");
    return s;
}

void writeSoundSettings(const SoundSettings& s, const Text& configFile)
{
    platform::saveAtomically(configFile, [&](const Text& copy) {
        bool ok = writeNumber(copy, u"SoundWaveMode", s.pattern);
        ok = writeNumber(copy, u"WaveShowStatu", 1) && ok;
        ok = writeNumber(copy, u"SoundSpeaker", s.speaker) && ok;
        ok = writeNumber(copy, u"SoundMicroph", s.microphone) && ok;
        return writeNumber(copy, u"SoundBright2", s.brightness) && ok;
    });
}

} // namespace lighting
