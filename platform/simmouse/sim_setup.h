#pragma once
// The simulated mouse as the program's HID backend, chosen when the
// environment variable KVX_GMOUSE_SIM names its memory file.
#include "platform/simmouse/sim_mouse.h"

#include <optional>

namespace platform::sim {

struct SimWorld {
    SimHidBus bus;
    std::shared_ptr<SimMouse> mouse; // null when no mouse is plugged
};

// The product ID KVX_GMOUSE_SIM_PID asks for: four hexadecimal digits
// ("1E01", also "0x1E01"); nothing when the text is no such number.
std::optional<std::uint16_t> parseSimProductId(TextView text);

// The simulated mouse's options from the environment: its memory and log
// files, and KVX_GMOUSE_SIM_PID's product ID (0x1540 when it is not set).
SimMouseOptions simOptionsFromEnvironment(const Text& memoryFile, const Text& logFile);

// The process-wide bus; plugs a mouse backed by KVX_GMOUSE_SIM (and logging
// to KVX_GMOUSE_SIM_LOG) when the first is set. Returns nullptr when the
// variable is not set. A command file (KVX_GMOUSE_SIM_CMD) lets an outside
// test unplug, replug and press keys of the mouse (sim_commands.h).
SimWorld* simulatedWorldFromEnvironment(const Text& memoryFile, const Text& logFile,
                                        const Text& commandFile = Text());

} // namespace platform::sim
