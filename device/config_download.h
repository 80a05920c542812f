#pragma once
// The configuration download: the whole configuration set written into the
// mouse's memory (settings area, macro directory, macros, lighting tables),
// the finish request, then the Windows pointer speed and wheel lines, and in
// software-macro mode the key overrides of the current configuration.
// It tells the user nothing itself: the caller learns from the result and the
// host what to report.
//
// Callers: the initial download on a worker thread at start-up, the power
// broadcast (resume), and the apply action of the pages (main thread, while
// the save thread writes the files). The download never touches files.
#include "device/device_functions.h"
#include "device/macro_area.h"
#include "device/report_channel.h"
#include "device/settings_area.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace device {

// What the window does for the download.
class DownloadHost {
public:
    virtual ~DownloadHost() = default;
    // The left-button macro is off from here on (the status reader's state).
    virtual void switchLeftButtonMacroOff() {}
    // The DPI level the mouse is about to be on, for the sound-reactive lighting.
    virtual void noteDpiLevel(int /*level*/) {}
    // A macro's record could not be written; the download goes on without it.
    virtual void invalidMacroRecord() {}
};

struct DownloadSources {
    settings::ConfigStore* store = nullptr;
    MacroSources macros;
    // Effects in the lighting menu's list, bit e for effect e.
    std::uint16_t effectMask = kAllEffects;
    // Keeps what the pointers above point at alive when the sources are
    // copies of their own (a download on another thread than the window's).
    std::shared_ptr<void> owner;
};

enum class DownloadResult {
    Written,   // every block, the finish request and the Windows settings
    AreaFull,  // the macros did not fit: nothing after the settings blocks
    Queued,    // another download was running; it writes everything once more when it ends
};

// How much of the mouse's macro area the configuration set takes, laid out
// exactly as the download lays it out.
struct MacroAreaUse {
    int required = 0;                    // bytes
    int capacity = kMacroAreaCapacity;   // bytes
    bool fits() const { return required <= capacity; }
};
MacroAreaUse macroAreaUse(const DownloadSources& sources);

// Windows pointer speed for DPI_SPEED 0..11; 6 for anything else.
int windowsPointerSpeed(int dpiSpeed);

class ConfigDownload {
public:
    explicit ConfigDownload(ReportChannel& channel) : channel_(channel) {}

    // Runs the download on the calling thread. Two downloads never interleave
    // their blocks: a download asked for while one runs is folded into it
    // (the running one starts over once it ends, with the newest sources and
    // host, which must live that long), so the caller is never blocked
    // behind it.
    DownloadResult run(const DownloadSources& sources, DownloadHost& host);

    // True from the start of a download to its end (the apply action checks it).
    bool isRunning() const { return running_.load(std::memory_order_acquire); }

    // Device codes and marks of the last download, for the status reader.
    DeviceFunctionTable functions() const;

    // The lighting mode the last download sent (LED_TYPE 13 keeps it).
    int lightingMode() const { return lightingMode_.load(); }

private:
    DownloadResult writeImage(const DownloadSources& sources, DownloadHost& host);
    void applyWindowsSettings(const settings::ConfigStore& store);

    ReportChannel& channel_;
    std::atomic<bool> running_{false};
    std::atomic<int> lightingMode_{0};

    std::mutex requestMutex_;        // guards the two below
    bool again_ = false;
    DownloadSources pendingSources_;
    DownloadHost* pendingHost_ = nullptr;

    mutable std::mutex tableMutex_;
    DeviceFunctionTable table_;
};

// The process-wide download over the process-wide report channel.
ConfigDownload& configDownload();

} // namespace device
