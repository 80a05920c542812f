#pragma once
// The device work the main window starts, parks and waits for, seen through
// one seam so the window composes it without knowing how it is done: the
// status reader and the macro player, the configuration download, the key
// overrides of software-macro mode, and memory block reads and the finish
// request. Tests put a recording double behind it.
#include "device/config_download.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace app {

class DeviceWork {
public:
    virtual ~DeviceWork() = default;

    // --- status reader and macro player ---
    virtual void clearPlaybackFlags() = 0; // macro trigger and abort
    virtual void startThreads() = 0;
    // Parked at a safe point while the mouse is away; resumed when it is back.
    // False when they did not get there in time (they park when they do).
    virtual bool suspendThreads() = 0;
    virtual void resumeThreads() = 0;
    // Ended for good, before the main window goes.
    virtual void stopThreads() = 0;

    // --- configuration download ---
    // The whole set on the calling thread. A download asked for while one
    // runs is folded into the running one.
    struct Outcome {
        device::DownloadResult result = device::DownloadResult::Written;
        bool invalidMacroRecord = false;
    };
    virtual Outcome download(const device::DownloadSources& sources) = 0;
    virtual bool downloadRunning() = 0;
    // Command 0x10 for every button of `config` the program plays.
    virtual void sendSoftwareMacroOverrides(int config) = 0;

    // --- memory ---
    virtual std::optional<std::vector<std::uint8_t>> readBlock(std::uint16_t address, std::size_t n) = 0;
    virtual void finish() = 0;
};

// The process's device work over the process-wide connection.
DeviceWork& deviceWork();

// Tells the user how a download went (tip 6: a macro could not be written,
// tip 29: the macros did not fit). From a worker the tips go to the main
// window, which shows them.
void showDownloadTips(const DeviceWork::Outcome& outcome);

} // namespace app
