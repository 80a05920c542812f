#pragma once
// The short-lived workers of the main window: the indicator blink of the main
// page, the lighting preview of the LED page, the save of an apply step and
// the initial download. The status reader and the macro player, which serve
// the mouse for the life of the program, are the device link's (DeviceWork).
//
// Workers never touch the window: they change the shared values below and
// ask for a redraw, which the window posts to itself.
#include "macro/macro_library.h"
#include "macro/macro_record.h"
#include "settings/config_store.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace app {

enum Page { kMainPage = 0, kAdvancedPage = 1, kMacroPage = 2, kLedPage = 3 };

// What the page workers and the window share.
struct PageState {
    std::atomic<int> currentPage{kMainPage};
    // Blinking of the main page's indicator; off from the start and after every download.
    std::atomic<bool> blinkEnabled{false};
    std::atomic<bool> indicatorShown{true};
    // Lighting preview: which of the seven colours is lit, and whether it is lit now.
    std::atomic<int> previewColour{0};
    std::atomic<bool> previewPhaseOn{true};
};

constexpr unsigned kBlinkToggleMs = 500;
constexpr int kBlinkTogglesPerPass = 6;
constexpr unsigned kPreviewStepMs = 200;

// The wait of one preview step: (6 − cycle time) × 200 ms, never negative
// (a cycle time above 6 from a hand-edited file would otherwise wrap).
unsigned previewWaitMs(int cycleTime);
// The colour after `colour` among those whose cycle flag is set, counting 0..6
// cyclically; `colour` itself when no flag is set.
int nextPreviewColour(const std::int32_t (&cycleFlags)[settings::kUserColours], int colour);
inline int nextPreviewColour(const settings::ConfigStore& s, int colour) { return nextPreviewColour(s.cycleFlags, colour); }

class WorkerThreads {
public:
    using Redraw = std::function<void()>; // callable from any thread

    WorkerThreads(settings::ConfigStore& store, PageState& pages, Redraw redraw);
    // Stops the workers (see stop()).
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    // Start only when not running; false when one was running already.
    bool startBlink();
    bool startLightingPreview();
    bool blinkRunning() const { return blinkRunning_.load(); }
    bool previewRunning() const { return previewRunning_.load(); }
    // The page changed: a preview waiting out its step notices at once.
    void pageChanged();
    // On the main thread, after the lighting settings may have changed: the
    // preview works on its own copy of them, never on the store itself.
    void lightingChanged();

    // A one-shot worker (the save of an apply step, the initial download).
    void runOnce(std::function<void()> work);
    // Waits until every one-shot worker has ended (tests, and the end of the program).
    void joinOnce();
    // Waits for every worker: the blink and the preview are told to end, the
    // one-shot workers finish their work. Nothing starts afterwards.
    void stop();

private:
    void blinkLoop();
    void previewLoop();
    void previewPass();
    bool waitOrPageChange(unsigned ms, int page);

    struct Lighting {
        int ledType = 0;
        int effectSpeed = 0;
        std::int32_t cycleFlags[settings::kUserColours] = {};
    };
    Lighting lighting() const;

    settings::ConfigStore& store_;
    Lighting lighting_;
    mutable std::mutex lightingMutex_;
    PageState& pages_;
    Redraw redraw_;
    std::atomic<bool> blinkRunning_{false};
    std::atomic<bool> previewRunning_{false};
    std::atomic<bool> stopping_{false};
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    std::mutex threadsMutex_;
    std::thread blink_;
    std::thread preview_;
    std::vector<std::thread> once_;
};

// The save of an apply step: the macros of the current group to its group
// file, CurConfig, then all four configurations and the shared settings.
// The job holds its own copy of the group: the window goes on editing the
// library while the worker writes.
struct SaveJob {
    Text configFile;
    Text groupFile; // empty when there is no group to save
    std::shared_ptr<const macro::GroupTable> groupTable; // the current group's macros
    int groupMacroCount = 0;
    int language = 1;
};
SaveJob applyStepJob(const macro::Library& lib, const Text& macroFolder, const Text& configFile, int language);
void saveApplyStep(settings::ConfigStore& store, const SaveJob& job);

} // namespace app
