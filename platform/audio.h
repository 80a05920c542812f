#pragma once
// The loudness of what the computer plays: the peak meter of the default
// playback device (Core Audio on Windows), and whether the system has an
// audio mixer at all (winmm).
#include <memory>

namespace platform {

class PeakMeter {
public:
    virtual ~PeakMeter() = default;
    // The peak of the last few milliseconds, 0..1; 0 when it cannot be read.
    virtual float peak() = 0;
};

class Audio {
public:
    virtual ~Audio() = default;
    // At least one mixer device, and device 0 opens (it is closed again at once).
    virtual bool mixerAvailable() = 0;
    // The meter of the default render endpoint for the console role, or null
    // when there is no playback device or it has no meter. Called on the main thread.
    virtual std::unique_ptr<PeakMeter> openDefaultRenderMeter() = 0;
};

// Installs the build's audio (os() does so when it is unset).
void installAudio();

} // namespace platform
