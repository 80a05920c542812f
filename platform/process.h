#pragma once
// What the process needs from the OS before any window exists: its own path
// and command line, the single-instance mutex, finding the running instance's
// window by title, and the diagnostic trace.
#include "platform/text.h"

#include <cstdint>

namespace platform {

using WindowHandle = std::uintptr_t; // 0 = no window

enum class MutexResult { Created, AlreadyExisted, Failed };

class Process {
public:
    virtual ~Process() = default;

    virtual Text executablePath() = 0;  // GetModuleFileNameW(NULL, buf, 260)
    virtual Text commandLine() = 0;     // GetCommandLineW
    // CreateMutexW(NULL, TRUE, name); an existing mutex is closed again at once.
    // A created mutex stays owned until the process ends.
    virtual MutexResult createInstanceMutex(const Text& name) = 0;
    virtual WindowHandle findWindow(const Text& title) = 0;  // FindWindowW(NULL, title)
    virtual void restoreToFront(WindowHandle window) = 0;    // SW_RESTORE + SetForegroundWindow
    virtual void debugTrace(const Text& line) = 0;           // OutputDebugStringW
    virtual Text environment(const Text& name) = 0;          // empty when unset
    // ShellExecuteW(verb "open", SW_SHOW): a document or address in the program the user chose for it.
    virtual bool openWithShell(const Text& target) = 0;
    // CPU time the process has used, user and kernel (GetProcessTimes), in µs.
    virtual std::int64_t cpuTimeUs() = 0;
};

} // namespace platform
