#include "platform/headless/process_headless.h"

#include <cstdlib>
#include <ctime>

namespace platform::headless {

Text HeadlessProcess::executablePath() { return exePath; }
Text HeadlessProcess::commandLine() { return cmdLine; }

MutexResult HeadlessProcess::createInstanceMutex(const Text& name)
{
    return heldMutexes.insert(name).second ? MutexResult::Created : MutexResult::AlreadyExisted;
}

WindowHandle HeadlessProcess::findWindow(const Text& title)
{
    auto it = windowsByTitle.find(title);
    return it == windowsByTitle.end() ? 0 : it->second;
}

void HeadlessProcess::restoreToFront(WindowHandle window) { restored.push_back(window); }

void HeadlessProcess::debugTrace(const Text& line)
{
    std::lock_guard lock(mutex_);
    traces_.push_back(line);
}

std::vector<Text> HeadlessProcess::traces()
{
    std::lock_guard lock(mutex_);
    return traces_;
}

void HeadlessProcess::clearTraces()
{
    std::lock_guard lock(mutex_);
    traces_.clear();
}

Text HeadlessProcess::environment(const Text& name)
{
    auto it = environmentOverrides.find(name);
    if (it != environmentOverrides.end())
        return it->second;
    const char* value = std::getenv(text::toUtf8(name).c_str());
    return value ? text::fromUtf8(value) : Text();
}

std::int64_t HeadlessProcess::cpuTimeUs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return std::int64_t(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

} // namespace platform::headless
