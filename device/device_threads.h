#pragma once
// The two threads that serve the mouse for the life of the program: the
// status reader (blocks on input reports, 2 ms between reads) and the macro
// player (a pass every 2 ms). While the mouse is away they are parked; a
// macro that was playing goes on where it stopped when they resume.
//
// The main window owns one DeviceThreads for the life of the process, over
// the process's report channel and a PlaybackContext of the program, starts
// it during its initialisation and stops it before its window goes. DeviceChangeHost's suspend and resume
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
// waiting for a report is let go by cancelling its read.
constexpr std::chrono::milliseconds kParkTimeout{1000};
// How long stop() waits for each thread to end.
constexpr std::chrono::milliseconds kStopTimeout{500};
// Longest sleep of an idle macro player between two looks at its park gate.
constexpr std::chrono::milliseconds kIdlePlayerWake{20};
// With no mouse open there is nothing to read: the reader looks again this often.
constexpr unsigned kNoMouseRetryMs = 50;
// A cancel reaches only a read already waiting: it is repeated this often
// until the reader has got where it was asked to go.
constexpr std::chrono::milliseconds kCancelRepeat{10};

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
    // kParkTimeout in all; a read waiting for a report is cancelled. True when
    // both are parked: they touch neither the handles nor the report buffer
    // until resume(). A thread that was late parks when it gets to a safe point.
    bool suspend();
    void resume();
    // Ends both threads, a playing macro with a release-all; a read waiting
    // for a report is cancelled. A thread that has not ended within
    // kStopTimeout is let go rather than waited for (then this object must
    // outlive it, as the program's does). True when both ended.
    bool stop();

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
    // Waits until `done` holds, cancelling the reader's read meanwhile.
    template <class Done>
    bool cancelReadsUntil(Done done, std::chrono::milliseconds timeout);

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
