#include "app/worker_threads.h"

#include "macro/macro_file.h"
#include "settings/config_files.h"

#include <algorithm>
#include <chrono>

namespace app {

unsigned previewWaitMs(int cycleTime)
{
    int steps = 6 - cycleTime;
    return steps > 0 ? unsigned(steps) * kPreviewStepMs : 0;
}

int nextPreviewColour(const std::int32_t (&cycleFlags)[settings::kUserColours], int colour)
{
    for (int i = 1; i <= settings::kUserColours; ++i) {
        int c = (colour + i) % settings::kUserColours;
        if (cycleFlags[c])
            return c;
    }
    return colour;
}

WorkerThreads::WorkerThreads(settings::ConfigStore& store, PageState& pages, Redraw redraw)
    : store_(store), pages_(pages), redraw_(std::move(redraw))
{
}

WorkerThreads::~WorkerThreads()
{
    stop();
}

void WorkerThreads::stop()
{
    stopping_ = true;
    pageChanged();
    std::lock_guard lock(threadsMutex_);
    if (blink_.joinable())
        blink_.join();
    if (preview_.joinable())
        preview_.join();
    for (std::thread& t : once_)
        if (t.joinable())
            t.join();
    once_.clear();
}

bool WorkerThreads::startBlink()
{
    if (stopping_ || blinkRunning_.exchange(true))
        return false;
    std::lock_guard lock(threadsMutex_);
    if (blink_.joinable())
        blink_.join(); // the last run has cleared its flag and is ending
    blink_ = std::thread([this] { blinkLoop(); });
    return true;
}

void WorkerThreads::blinkLoop()
{
    while (!stopping_ && pages_.blinkEnabled && pages_.currentPage == kMainPage) {
        for (int i = 0; i < kBlinkTogglesPerPass && !stopping_; ++i) {
            pages_.indicatorShown = !pages_.indicatorShown;
            if (redraw_)
                redraw_();
            waitOrPageChange(kBlinkToggleMs, kMainPage);
        }
    }
    pages_.indicatorShown = true;
    blinkRunning_ = false;
}

void WorkerThreads::lightingChanged()
{
    std::lock_guard lock(lightingMutex_);
    lighting_.ledType = store_.ledType;
    lighting_.effectSpeed = store_.effectSpeed;
    std::copy(std::begin(store_.cycleFlags), std::end(store_.cycleFlags), std::begin(lighting_.cycleFlags));
}

WorkerThreads::Lighting WorkerThreads::lighting() const
{
    std::lock_guard lock(lightingMutex_);
    return lighting_;
}

bool WorkerThreads::startLightingPreview()
{
    if (stopping_ || previewRunning_.exchange(true))
        return false;
    lightingChanged();
    std::lock_guard lock(threadsMutex_);
    if (preview_.joinable())
        preview_.join();
    preview_ = std::thread([this] { previewLoop(); });
    return true;
}

void WorkerThreads::previewLoop()
{
    pages_.previewColour = 0;
    while (!stopping_ && pages_.currentPage == kLedPage) {
        previewPass();
        if (redraw_)
            redraw_();
        waitOrPageChange(previewWaitMs(lighting().effectSpeed), kLedPage);
    }
    previewRunning_ = false;
}

void WorkerThreads::previewPass()
{
    const Lighting now = lighting();
    if (now.ledType == 1) {
        if (pages_.previewPhaseOn) {
            pages_.previewPhaseOn = false;
            pages_.previewColour = nextPreviewColour(now.cycleFlags, pages_.previewColour);
        } else {
            pages_.previewPhaseOn = true;
        }
    } else {
        pages_.previewPhaseOn = true;
    }
}

bool WorkerThreads::waitOrPageChange(unsigned ms, int page)
{
    // The preview must end within one step when the page changes; waking on
    // the change makes it end at once instead.
    std::unique_lock lock(wakeMutex_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms),
                           [&] { return stopping_.load() || pages_.currentPage != page; });
}

void WorkerThreads::pageChanged()
{
    std::lock_guard lock(wakeMutex_);
    wake_.notify_all();
}

void WorkerThreads::runOnce(std::function<void()> work)
{
    std::lock_guard lock(threadsMutex_);
    if (stopping_)
        return;
    once_.emplace_back(std::move(work));
}

void WorkerThreads::joinOnce()
{
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(threadsMutex_);
        threads.swap(once_);
    }
    for (std::thread& t : threads)
        if (t.joinable())
            t.join();
}

SaveJob applyStepJob(const macro::Library& lib, const Text& macroFolder, const Text& configFile, int language)
{
    SaveJob job;
    job.configFile = configFile;
    job.language = language;
    if (lib.groupCount > 0 && lib.currentGroup >= 0 && lib.currentGroup < lib.groupCount) {
        if (auto file = macro::groupFilePath(macroFolder, lib.groupNames[size_t(lib.currentGroup)])) {
            job.groupFile = *file;
            job.groupTable = std::make_shared<const macro::GroupTable>(lib.table);
            job.groupMacroCount = lib.currentGroupMacroCount;
        }
    }
    return job;
}

void saveApplyStep(settings::ConfigStore& store, const SaveJob& job)
{
    if (!job.groupFile.empty() && job.groupTable)
        macro::writeGroup(job.groupFile, *job.groupTable, job.groupMacroCount,
                          job.language);
    // All four: the user may have edited others before switching to this one,
    // and the download has just sent those edits to the mouse.
    settings::saveAllConfigurations(store, job.configFile);
}

} // namespace app
