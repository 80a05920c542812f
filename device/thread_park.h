#pragma once
// Cooperative parking of a device thread. While the mouse is away the main
// thread asks the status reader and the macro player to park; each does so at
// its next safe point (between reports, never inside the report lock) and
// goes on from there when the mouse is back.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace device {

class ParkGate {
public:
    // --- the device thread ---
    // A safe point: parks while a park is requested. Returns false once the
    // thread is asked to end (at once, or while it was parked).
    bool checkpoint();
    // Cheap test for the thread's inner loops.
    bool parkRequested() const { return parkRequested_.load(std::memory_order_acquire); }
    bool stopRequested() const { return stopRequested_.load(std::memory_order_acquire); }

    // --- the main thread ---
    // Asks the thread to park; does not wait.
    void requestPark();
    // Waits until the thread is parked (or has ended). False when it did not
    // get there within `timeout`; it then parks at its next safe point.
    bool waitParked(std::chrono::milliseconds timeout);
    // Waits until the thread has called finished(); false after `timeout`.
    bool waitFinished(std::chrono::milliseconds timeout);
    // Lets a parked thread go on; a request it has not reached yet is withdrawn.
    void resume();
    // Asks the thread to end and lets it out of a park.
    void stop();
    // Called by the thread as it ends.
    void finished();

    bool isParked() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<bool> parkRequested_{false};
    std::atomic<bool> stopRequested_{false};
    bool parked_ = false;
    bool finished_ = false;
};

} // namespace device
