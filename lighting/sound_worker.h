#pragma once
// The thread that plays the light patterns: it runs passes while the display
// switch is on and idles otherwise. It sends on its own report buffer over
// the shared write handle, so it never disturbs a report another thread is
// building. Its waits end early only when the program ends.
#include "lighting/sound_patterns.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace lighting {

// How long the worker rests when a pass had nothing to do (no tick yet, or
// the display switch is off) before it looks again.
constexpr unsigned kWorkerIdleMs = 5;

class SoundWorker {
public:
    SoundWorker(SoundLevel& level, device::HidConnection& connection);
    ~SoundWorker();
    SoundWorker(const SoundWorker&) = delete;
    SoundWorker& operator=(const SoundWorker&) = delete;

    // Starts the thread at the highest normal priority; once.
    void start();
    bool running() const { return thread_.joinable(); }
    PatternPlayer& player() { return player_; }

    // Sets the display switch. Turning it off cuts the pattern's current wait
    // short; the pass then ends without sending more than its closing command.
    void setDisplayOn(bool on);
    // Waits (at most `timeoutMs`) until no pass is running, so nothing the
    // worker sends can arrive after what the caller sends next.
    bool waitForPassEnd(unsigned timeoutMs);

private:
    void loop();
    // False when the worker is to end. A pattern's wait also ends early when
    // the display switch goes off; the idle rest does not.
    bool waitMs(unsigned ms, bool endOnSwitchOff);

    device::ReportChannel channel_; // the dialog's own report buffer
    PatternPlayer player_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool inPass_ = false;
    std::thread thread_;
};

} // namespace lighting
