#include "platform/win32/clock_win.h"

#include "platform/precise_wait.h"
#include "platform/win32/win_util.h"

#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform::win32 {

namespace {

HANDLE createHighResolutionTimer()
{
    return CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
}

// Windows 11 lowers the timer resolution of processes whose windows are
// minimised or hidden; the macro player runs while we sit in the tray.
// SetProcessInformation exists from Windows 8 on, so it is looked up at run time.
bool optOutOfTimerThrottling()
{
    using SetProcessInformationFn = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return false;
    auto setInformation =
        reinterpret_cast<SetProcessInformationFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessInformation")));
    if (!setInformation)
        return false;
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask = PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION;
    state.StateMask = 0; // in control, and off: keep the resolution we ask for
    return setInformation(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof state) != FALSE;
}

} // namespace

Win32Clock::Win32Clock()
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f); // never fails on Windows XP and later
    frequency_ = f.QuadPart > 0 ? f.QuadPart : 1;

    UniqueHandle probe(createHighResolutionTimer());
    if (probe) {
        timer_ = Timer::HighResolution;
    } else {
        timer_ = Timer::TimerPeriod1;
        // Process-wide and kept until exit: the device waits happen all the time.
        timeBeginPeriod(1);
    }
    throttlingOptOut_ = optOutOfTimerThrottling();
}

void Win32Clock::sleepMs(unsigned ms)
{
    if (ms == 0) {
        Sleep(0);
        return;
    }
    waitAtLeastUs(static_cast<std::int64_t>(ms) * 1000, [this] { return monotonicUs(); },
                  [this](std::int64_t us) { waitUs(us); });
}

void Win32Clock::waitUs(std::int64_t us)
{
    if (timer_ == Timer::HighResolution) {
        // One timer per thread, made at its first wait: the device threads
        // wait hundreds of times a second, and making a timer each time costs
        // more than the wait itself under Wine.
        thread_local UniqueHandle timer(createHighResolutionTimer());
        LARGE_INTEGER due;
        due.QuadPart = -us * 10; // relative, in 100 ns units
        if (timer && SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE) &&
            WaitForSingleObject(timer.get(), INFINITE) == WAIT_OBJECT_0)
            return;
    }
    Sleep(static_cast<DWORD>((us + 999) / 1000));
}

std::uint32_t Win32Clock::tickMs()
{
    return GetTickCount();
}

std::int64_t Win32Clock::monotonicUs()
{
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    // Split to keep counter * 1e6 from overflowing after long uptimes.
    std::int64_t whole = c.QuadPart / frequency_, part = c.QuadPart % frequency_;
    return whole * 1000000 + part * 1000000 / frequency_;
}

SystemTime Win32Clock::systemTime()
{
    SYSTEMTIME st;
    GetSystemTime(&st);
    SystemTime out;
    out.year = st.wYear;
    out.month = st.wMonth;
    out.dayOfWeek = st.wDayOfWeek;
    out.day = st.wDay;
    out.hour = st.wHour;
    out.minute = st.wMinute;
    out.second = st.wSecond;
    out.milliseconds = st.wMilliseconds;
    return out;
}

} // namespace platform::win32
