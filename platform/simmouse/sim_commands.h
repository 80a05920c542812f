#pragma once
// A way for a test outside the process to handle the simulated mouse while
// the program runs: it writes lines into the file named by KVX_GMOUSE_SIM_CMD
// and a small thread here carries them out and empties the file.
//
//   unplug            the mouse leaves the bus (removal notices go out)
//   plug              it comes back (arrival notices go out)
//   press <slot>      a key of the mouse (device slot 1..14) goes down
//   release <slot>    and up again
//   click <slot>      both
//
// Unknown lines are ignored.
#include "platform/simmouse/sim_setup.h"

#include <atomic>
#include <functional>
#include <thread>

namespace platform::sim {

// Carries out one command line on the world; false when it was not understood.
bool runSimCommand(SimWorld& world, TextView line);

class SimCommandWatcher {
public:
    SimCommandWatcher(SimWorld& world, Text commandFile);
    ~SimCommandWatcher();
    SimCommandWatcher(const SimCommandWatcher&) = delete;
    SimCommandWatcher& operator=(const SimCommandWatcher&) = delete;

    // Reads the file once, runs its lines and empties it; the thread calls it every 100 ms.
    int pollOnce();

private:
    SimWorld& world_;
    Text file_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The process's watcher, started when the command file is named (once).
void watchSimCommands(SimWorld& world, const Text& commandFile);

} // namespace platform::sim
