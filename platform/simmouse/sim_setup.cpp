#include "platform/simmouse/sim_setup.h"

#include "platform/simmouse/sim_commands.h"

namespace platform::sim {

SimWorld* simulatedWorldFromEnvironment(const Text& memoryFile, const Text& logFile, const Text& commandFile)
{
    if (memoryFile.empty())
        return nullptr;
    static SimWorld world;
    if (!world.mouse) {
        SimMouseOptions options;
        options.memoryFile = memoryFile;
        options.logFile = logFile;
        world.mouse = std::make_shared<SimMouse>(options);
        world.mouse->attach(&world.bus);
        world.bus.plug(world.mouse);
        watchSimCommands(world, commandFile);
    }
    return &world;
}

} // namespace platform::sim
