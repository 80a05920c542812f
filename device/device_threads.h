#pragma once
// The two threads that serve the mouse for the life of the program: the
// status reader (blocks on input reports, 2 ms between reads) and the macro
// player (a pass every 2 ms). While the mouse is away they are parked; a
// macro that was playing goes on where it stopped when they resume.
//
// The main window owns one DeviceThreads for the life of the process (it is
// never destroyed: a reader blocked in its read could not be joined), over
// the process's report channel and a PlaybackContext of the program, and
// starts it during its initialisation. DeviceChangeHost's suspend and resume
// of the device threads call suspend() and resume(); the download's
// switchLeftButtonMacroOff calls switchLeftMacroOff().
#include "device/macro_player.h"
#include "device/playback_context.h"
#include "device/playback_state.h"
#include "device/report_channel.h"
#include "device/status_reader.h"
#include "device/thread_park.h"
#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace device {

constexpr unsigned kDevicePassMs = 2;
// How long suspend() waits for the threads to reach a safe point. The reader
// gets there as soon as its read fails, which a removal makes it do at once.
constexpr std::chrono::milliseconds kParkTimeout{1000};

class DeviceThreads {
public:
    DeviceThreads(ReportChannel& channel, PlaybackContext& context, platform::Clock& clock);
    // Stops the threads; see stop().
    ~DeviceThreads();
    DeviceThreads(const DeviceThreads&) = delete;
    DeviceThreads& operator=(const DeviceThreads&) = delete;

    // Starts both threads (once).
    void start();
    // Parks both threads at their next safe point and waits for them, at most
    // kParkTimeout each. True when both are parked: they touch neither the
    // handles nor the report buffer until resume(). A thread that was late
    // parks when it gets to a safe point.
    bool suspend();
    void resume();
    // Ends both threads, a playing macro with a release-all. The reader ends
    // when its blocking read returns: close the connection (or lose the mouse)
    // first.
    void stop();

    // Stops a playing macro before its next event.
    void abortPlayback() { state_.abort = true; }
    // Every download ends a left-button macro (the download restores the
    // mouse's own button functions and lighting).
    void switchLeftMacroOff() { state_.leftMacroOn = false; }

    PlaybackState& state() { return state_; }
    CurrentMacro& currentMacro() { return current_; }
    bool isPlaying() const { return player_.isPlaying(); }
    bool isRunning() const { return started_; }

private:
    void readerLoop();
    void playerLoop();

    platform::Clock& clock_;
    PlaybackState state_;
    CurrentMacro current_;
    ParkGate readerGate_;
    ParkGate playerGate_;
    StatusReader reader_;
    MacroPlayer player_;
    std::thread readerThread_;
    std::thread playerThread_;
    bool started_ = false;
};

} // namespace device
