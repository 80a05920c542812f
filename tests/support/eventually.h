#pragma once
// Waiting in tests for what another thread (or the window system) brings
// about. The limit only keeps a broken build from hanging; no timing is asserted.
#include <chrono>
#include <thread>

namespace testsupport {

template <typename Done>
bool eventually(Done&& done, std::chrono::milliseconds limit = std::chrono::seconds(30))
{
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp)
            return done();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

} // namespace testsupport
