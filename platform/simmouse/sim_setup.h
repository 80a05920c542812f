#pragma once
// The simulated mouse as the program's HID backend, chosen when the
// environment variable KVX_GMOUSE_SIM names its memory file.
#include "platform/simmouse/sim_mouse.h"

namespace platform::sim {

struct SimWorld {
    SimHidBus bus;
    std::shared_ptr<SimMouse> mouse; // null when no mouse is plugged
};

// The process-wide bus; plugs a mouse backed by KVX_GMOUSE_SIM (and logging
// to KVX_GMOUSE_SIM_LOG) when the first is set. Returns nullptr when the
// variable is not set. A command file (KVX_GMOUSE_SIM_CMD) lets an outside
// test unplug, replug and press keys of the mouse (sim_commands.h).
SimWorld* simulatedWorldFromEnvironment(const Text& memoryFile, const Text& logFile,
                                        const Text& commandFile = Text());

} // namespace platform::sim
