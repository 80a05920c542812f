#include "platform/simmouse/sim_setup.h"

#include "platform/simmouse/sim_commands.h"

#include <cstdlib>
#include <cwchar>

namespace platform::sim {

namespace {

// For installs that do not pass the command file on: read the variable here.
Text commandFileFromEnvironment()
{
#ifdef _WIN32
    const wchar_t* v = _wgetenv(L"KVX_GMOUSE_SIM_CMD");
    return v ? Text(v, v + std::wcslen(v)) : Text();
#else
    const char* v = std::getenv("KVX_GMOUSE_SIM_CMD");
    return v ? text::fromUtf8(v) : Text();
#endif
}

} // namespace

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
        watchSimCommands(world, commandFile.empty() ? commandFileFromEnvironment() : commandFile);
    }
    return &world;
}

} // namespace platform::sim
