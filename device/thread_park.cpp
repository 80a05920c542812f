#include "device/thread_park.h"

namespace device {

bool ParkGate::checkpoint()
{
    if (stopRequested())
        return false;
    if (!parkRequested())
        return true;
    std::unique_lock lock(mutex_);
    if (parkRequested_ && !stopRequested_) {
        parked_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return !parkRequested_ || stopRequested_; });
        parked_ = false;
        changed_.notify_all();
    }
    return !stopRequested_;
}

void ParkGate::requestPark()
{
    std::lock_guard lock(mutex_);
    parkRequested_ = true;
}

bool ParkGate::waitParked(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return parked_ || finished_ || !parkRequested_; }) &&
           (parked_ || finished_);
}

bool ParkGate::waitFinished(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return finished_; });
}

void ParkGate::resume()
{
    std::lock_guard lock(mutex_);
    parkRequested_ = false;
    changed_.notify_all();
}

void ParkGate::stop()
{
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
    changed_.notify_all();
}

void ParkGate::finished()
{
    std::lock_guard lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}

bool ParkGate::isParked() const
{
    std::lock_guard lock(mutex_);
    return parked_;
}

} // namespace device
