#include "platform/headless/clock_headless.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform::headless {

void HeadlessClock::sleepMs(unsigned ms)
{
    // sleep_for on a steady clock never ends early.
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint32_t HeadlessClock::tickMs()
{
    return static_cast<std::uint32_t>(monotonicUs() / 1000);
}

std::int64_t HeadlessClock::monotonicUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

SystemTime HeadlessClock::systemTime()
{
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm utc{};
    gmtime_r(&t, &utc);
    SystemTime st;
    st.year = utc.tm_year + 1900;
    st.month = utc.tm_mon + 1;
    st.dayOfWeek = utc.tm_wday;
    st.day = utc.tm_mday;
    st.hour = utc.tm_hour;
    st.minute = utc.tm_min;
    st.second = utc.tm_sec;
    st.milliseconds = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return st;
}

} // namespace platform::headless
