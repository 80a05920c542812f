#pragma once
#include "platform/process.h"

#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace platform::headless {

// A process in memory: tests set its path and command line, pretend another
// instance holds a mutex or shows a window, and read what was traced.
class HeadlessProcess : public Process {
public:
    Text executablePath() override;
    Text commandLine() override;
    MutexResult createInstanceMutex(const Text& name) override;
    WindowHandle findWindow(const Text& title) override;
    void restoreToFront(WindowHandle window) override;
    void debugTrace(const Text& line) override;
    Text environment(const Text& name) override;
    bool openWithShell(const Text& target) override
    {
        opened.push_back(target);
        return true;
    }
    std::int64_t cpuTimeUs() override;

    Text exePath = u"/opt/kvx/KVX_GMouse.exe";
    Text cmdLine = u"KVX_GMouse.exe";
    std::set<Text> heldMutexes;                 // names owned by "another process" or this one
    std::map<Text, WindowHandle> windowsByTitle;
    std::vector<WindowHandle> restored;
    std::vector<Text> opened;                     // what openWithShell was asked to open
    std::map<Text, Text> environmentOverrides;   // falls back to the real environment

    std::vector<Text> traces();
    void clearTraces();

private:
    std::mutex mutex_;
    std::vector<Text> traces_;
};

} // namespace platform::headless
