#pragma once
#include "platform/process.h"

#include <mutex>
#include <vector>

namespace platform::win32 {

class Win32Process : public Process {
public:
    Text executablePath() override;
    Text commandLine() override;
    MutexResult createInstanceMutex(const Text& name) override;
    WindowHandle findWindow(const Text& title) override;
    void restoreToFront(WindowHandle window) override;
    void debugTrace(const Text& line) override;
    Text environment(const Text& name) override;
    bool openWithShell(const Text& target) override;
    std::int64_t cpuTimeUs() override;

private:
    std::mutex mutex_;
    // Mutexes this process created; held, never closed, until it ends.
    std::vector<void*> heldMutexes_;
};

} // namespace platform::win32
