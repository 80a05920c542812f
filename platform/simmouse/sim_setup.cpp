#include "platform/simmouse/sim_setup.h"

#include "platform/simmouse/sim_commands.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <cwchar>

namespace platform::sim {

namespace {

// Read here rather than through the process service: the simulated world may
// be set up before the program's services are installed.
Text environmentValue(const char* name)
{
#ifdef _WIN32
    const std::wstring wide(name, name + std::strlen(name));
    const wchar_t* v = _wgetenv(wide.c_str());
    return v ? Text(v, v + std::wcslen(v)) : Text();
#else
    const char* v = std::getenv(name);
    return v ? text::fromUtf8(v) : Text();
#endif
}

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

std::optional<std::uint16_t> parseSimProductId(TextView t)
{
    if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X'))
        t.remove_prefix(2);
    if (t.empty() || t.size() > 4)
        return std::nullopt;
    unsigned id = 0;
    for (char16_t c : t) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        id = id * 16 + unsigned(d);
    }
    return std::uint16_t(id);
}

SimMouseOptions simOptionsFromEnvironment(const Text& memoryFile, const Text& logFile)
{
    SimMouseOptions options;
    options.memoryFile = memoryFile;
    options.logFile = logFile;
    if (auto id = parseSimProductId(environmentValue("KVX_GMOUSE_SIM_PID"))) {
        options.productId = *id;
        options.pathPrefix = simPathPrefix(*id);
    }
    return options;
}

SimWorld* simulatedWorldFromEnvironment(const Text& memoryFile, const Text& logFile, const Text& commandFile)
{
    if (memoryFile.empty())
        return nullptr;
    static SimWorld world;
    if (!world.mouse) {
        world.mouse = std::make_shared<SimMouse>(simOptionsFromEnvironment(memoryFile, logFile));
        world.mouse->attach(&world.bus);
        world.bus.plug(world.mouse);
        watchSimCommands(world, commandFile.empty() ? environmentValue("KVX_GMOUSE_SIM_CMD") : commandFile);
    }
    return &world;
}

} // namespace platform::sim
