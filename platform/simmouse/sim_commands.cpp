#include "platform/simmouse/sim_commands.h"

#include "platform/platform.h"
#include "platform/simmouse/sim_mouse.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace platform::sim {

namespace {

// Removal and arrival notices for each vendor collection of the mouse, as
// Windows sends them to the windows registered for HID interfaces.
void announce(SimWorld& world, unsigned event)
{
    if (!world.mouse)
        return;
    for (const SimInterface& i : world.mouse->interfaces()) {
        if (i.heldByOs)
            continue;
        DeviceChange change;
        change.event = event;
        change.deviceType = DeviceChange::DeviceInterface;
        change.name = i.path;
        os().windows->broadcastDeviceChange(change);
    }
}


int slotOf(const std::string& word)
{
    try {
        int slot = std::stoi(word);
        return slot >= 1 && slot <= 14 ? slot : 0;
    } catch (...) {
        return 0;
    }
}

} // namespace

bool runSimCommand(SimWorld& world, TextView line)
{
    std::istringstream in(text::toUtf8(Text(line)));
    std::string verb, arg;
    in >> verb >> arg;
    if (!world.mouse)
        return false;
    if (verb == "unplug") {
        world.bus.unplug(world.mouse);
        announce(world, DeviceChange::RemoveComplete);
        return true;
    }
    if (verb == "plug") {
        world.bus.plug(world.mouse);
        announce(world, DeviceChange::Arrival);
        return true;
    }
    const int slot = slotOf(arg);
    if (slot == 0)
        return false;
    if (verb == "press")
        world.mouse->userPress(slot);
    else if (verb == "release")
        world.mouse->userRelease(slot);
    else if (verb == "click")
        world.mouse->userClick(slot);
    else
        return false;
    return true;
}

SimCommandWatcher::SimCommandWatcher(SimWorld& world, Text commandFile) : world_(world), file_(std::move(commandFile))
{
    thread_ = std::thread([this] {
        while (!stop_) {
            pollOnce();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
}

SimCommandWatcher::~SimCommandWatcher()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

int SimCommandWatcher::pollOnce()
{
    // Host file access of our own: the watcher may start before the
    // program's file services are installed.
    const std::filesystem::path path = hostPath(file_);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) || std::filesystem::file_size(path, ec) == 0)
        return 0;
    std::string content;
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        content = all.str();
    }
    // Empty it before acting, so a line written meanwhile is not lost with it.
    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    int ran = 0;
    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (runSimCommand(world_, text::fromUtf8(line)))
            ++ran;
    }
    return ran;
}

void watchSimCommands(SimWorld& world, const Text& commandFile)
{
    if (commandFile.empty())
        return;
    // Never destroyed: it watches for the life of the process.
    static SimCommandWatcher* watcher = new SimCommandWatcher(world, commandFile);
    (void)watcher;
}

} // namespace platform::sim
