#include "platform/win32/process_win.h"

#include "platform/win32/win_util.h"

#include <shellapi.h>

namespace platform::win32 {

Text Win32Process::executablePath()
{
    wchar_t buffer[260] = {};
    DWORD n = GetModuleFileNameW(nullptr, buffer, 260);
    if (n >= 260) // cut: the API leaves the last character out for the terminator
        n = 259;
    return fromWide(buffer, n);
}

Text Win32Process::commandLine()
{
    return fromWide(GetCommandLineW());
}

MutexResult Win32Process::createInstanceMutex(const Text& name)
{
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, TRUE, wide(name).c_str());
    if (!mutex)
        return MutexResult::Failed;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return MutexResult::AlreadyExisted;
    }
    std::lock_guard lock(mutex_);
    heldMutexes_.push_back(mutex);
    return MutexResult::Created;
}

WindowHandle Win32Process::findWindow(const Text& title)
{
    // FindWindowW with "" matches the first untitled top-level window of any
    // process; restoring that would show a stranger's hidden window.
    if (title.empty())
        return 0;
    return reinterpret_cast<WindowHandle>(FindWindowW(nullptr, wide(title).c_str()));
}

void Win32Process::restoreToFront(WindowHandle window)
{
    HWND hwnd = reinterpret_cast<HWND>(window);
    if (!hwnd)
        return;
    ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
}

void Win32Process::debugTrace(const Text& line)
{
    OutputDebugStringW(wide(line).c_str());
}

std::int64_t Win32Process::cpuTimeUs()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    auto us = [](const FILETIME& t) {
        return ((std::int64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10; // 100 ns units
    };
    return us(kernel) + us(user);
}

Text Win32Process::environment(const Text& name)
{
    std::wstring w = wide(name);
    DWORD needed = GetEnvironmentVariableW(w.c_str(), nullptr, 0);
    if (needed == 0)
        return Text();
    std::wstring value(needed, L'\0');
    DWORD n = GetEnvironmentVariableW(w.c_str(), value.data(), needed);
    if (n == 0 || n >= needed) // unset or grown meanwhile
        return Text();
    return fromWide(value.data(), n);
}

bool Win32Process::openWithShell(const Text& target)
{
    // Values above 32 mean success.
    auto r = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", wide(target).c_str(), nullptr, nullptr, SW_SHOW));
    return r > 32;
}

} // namespace platform::win32
