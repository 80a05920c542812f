#include "lighting/sound_settings.h"

#include "platform/platform.h"

namespace lighting {

namespace {

constexpr const char16_t* kSection = u"ShareData";

int readNumber(const Text& file, const char16_t* key)
{
    return text::toInt(platform::os().profile->getString(file, kSection, key, Text(), 10));
}

void writeNumber(const Text& file, const char16_t* key, int value)
{
    platform::os().profile->writeString(file, kSection, key, text::fromInt(value));
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
    writeNumber(configFile, u"SoundWaveMode", s.pattern);
    writeNumber(configFile, u"WaveShowStatu", 1);
    writeNumber(configFile, u"SoundSpeaker", s.speaker);
    writeNumber(configFile, u"SoundMicroph", s.microphone);
    writeNumber(configFile, u"SoundBright2", s.brightness);
}

} // namespace lighting
