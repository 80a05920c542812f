#include "lighting/sound_worker.h"

#include "platform/thread_priority.h"

#include <chrono>

namespace lighting {

SoundWorker::SoundWorker(SoundLevel& level, device::HidConnection& connection)
    : channel_(connection), player_(level, channel_, [this](unsigned ms) { return waitMs(ms); })
{
}

SoundWorker::~SoundWorker()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void SoundWorker::start()
{
    if (thread_.joinable())
        return;
    thread_ = std::thread([this] {
        platform::raiseThreadPriority();
        loop();
    });
}

bool SoundWorker::waitMs(unsigned ms)
{
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_; });
}

void SoundWorker::loop()
{
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_)
                return;
        }
        const bool busy = player_.displayOn.load() && player_.runPass();
        if (!busy && !waitMs(kWorkerIdleMs))
            return;
    }
}

} // namespace lighting
