#include "tests/download/download_rig.h"

#include <cstdio>

namespace dltest {

std::vector<WrittenBlock> writtenBlocks(const std::vector<Step>& steps)
{
    std::vector<WrittenBlock> blocks;
    std::vector<std::uint8_t> loaded(256);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        if (s.kind != Step::Set || s.bytes.size() < 7 || s.bytes[0] != 0x18)
            continue;
        if (s.bytes[1] == 0x03)
            loaded[s.bytes[2]] = s.bytes[5];
        if (s.bytes[1] == 0x09) {
            WrittenBlock b;
            b.address = static_cast<std::uint16_t>(s.bytes[3] | s.bytes[4] << 8);
            b.bytes.assign(loaded.begin(), loaded.begin() + s.bytes[6] + 1);
            b.programStep = i;
            blocks.push_back(std::move(b));
        }
    }
    return blocks;
}

std::size_t finishStep(const std::vector<Step>& steps)
{
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (steps[i].kind == Step::Set && steps[i].bytes.size() >= 2 && steps[i].bytes[0] == 0x18 &&
            steps[i].bytes[1] == 0x10)
            return i;
    return steps.size();
}

std::string describe(const Step& s)
{
    switch (s.kind) {
    case Step::Wait:
        return "wait " + std::to_string(s.ms);
    case Step::Get:
        return "get";
    default: {
        std::string out = "set";
        char hex[4];
        for (std::uint8_t b : s.bytes) {
            std::snprintf(hex, sizeof hex, " %02X", b);
            out += hex;
        }
        return out;
    }
    }
}

std::string describe(const std::vector<Step>& steps)
{
    std::string out;
    for (const Step& s : steps)
        out += describe(s) + "\n";
    return out;
}

DownloadRig::DownloadRig(platform::sim::SimMouseOptions options)
    : mouse(std::make_shared<platform::sim::SimMouse>(options)), clock(*platform::os().clock, log),
      savedClock_(platform::os().clock)
{
    mouse->attach(&bus);
    bus.plug(mouse);
    platform::servicesStorage().clock = &clock;
}

DownloadRig::~DownloadRig()
{
    platform::servicesStorage().clock = savedClock_;
    connection.close();
}

bool DownloadRig::connect()
{
    connection.connected = connection.discover();
    log.clear();
    return connection.connected;
}

std::vector<Step> DownloadRig::memorySteps()
{
    std::vector<Step> out;
    for (const Step& s : log.steps())
        if (s.kind == Step::Wait || s.kind == Step::Get || (!s.bytes.empty() && s.bytes[0] == 0x18))
            out.push_back(s);
    return out;
}

} // namespace dltest
