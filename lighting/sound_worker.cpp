#include "lighting/sound_worker.h"

#include "platform/thread_priority.h"

#include <chrono>

namespace lighting {

SoundWorker::SoundWorker(SoundLevel& level, device::HidConnection& connection)
    : channel_(connection), player_(level, channel_, [this](unsigned ms) { return waitMs(ms, true); })
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

bool SoundWorker::waitMs(unsigned ms, bool endOnSwitchOff)
{
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(ms),
                   [&] { return stop_ || (endOnSwitchOff && !player_.displayOn.load()); });
    return !stop_;
}

void SoundWorker::setDisplayOn(bool on)
{
    {
        std::lock_guard lock(mutex_);
        player_.displayOn = on;
    }
    wake_.notify_all();
}

bool SoundWorker::waitForPassEnd(unsigned timeoutMs)
{
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !inPass_; });
}

void SoundWorker::loop()
{
    for (;;) {
        bool on;
        {
            std::lock_guard lock(mutex_);
            if (stop_)
                return;
            on = inPass_ = player_.displayOn.load();
        }
        const bool busy = on && player_.runPass();
        {
            std::lock_guard lock(mutex_);
            inPass_ = false;
        }
        wake_.notify_all();
        if (!busy && !waitMs(kWorkerIdleMs, false))
            return;
    }
}

} // namespace lighting
