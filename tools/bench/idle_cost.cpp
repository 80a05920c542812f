// Idle cost of the device threads: CPU time the process uses over 10 s while
// the status reader and the macro player serve a simulated mouse that sends
// nothing and no macro plays, as the program sits in the tray all day.
// Prints `name: value` lines; the goal is under 1 % of one core.
#include "app/playback_link.h"
#include "device/device_threads.h"
#include "device/hid_connection.h"
#include "device/report_channel.h"
#include "platform/platform.h"
#include "platform/simmouse/sim_mouse.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

constexpr auto kWarmUp = std::chrono::seconds(1);
constexpr auto kMeasured = std::chrono::seconds(10);

void measure(const char* prefix, bool mousePlugged)
{
    platform::Services& os = platform::os();
    auto mouse = std::make_shared<platform::sim::SimMouse>();
    platform::sim::SimHidBus bus;
    mouse->attach(&bus);
    if (mousePlugged)
        bus.plug(mouse);
    device::HidConnection connection(&bus);
    connection.connected = connection.discover();
    device::ReportChannel channel(connection);
    device::DeviceThreads threads(channel, app::playbackContext(), *os.clock);
    threads.start();
    std::this_thread::sleep_for(kWarmUp);

    const std::int64_t cpuBefore = os.process->cpuTimeUs();
    const std::int64_t wallBefore = os.clock->monotonicUs();
    std::this_thread::sleep_for(kMeasured);
    const std::int64_t cpu = os.process->cpuTimeUs() - cpuBefore;
    const std::int64_t wall = os.clock->monotonicUs() - wallBefore;

    threads.stop();
    connection.close();
    const double perTenSeconds = double(cpu) / 1000.0 * 10e6 / double(wall);
    std::printf("%s_cpu_ms_per_10s: %.1f\n", prefix, perTenSeconds);
    std::printf("%s_percent_of_one_core: %.2f\n", prefix, 100.0 * double(cpu) / double(wall));
}

} // namespace

int main()
{
    platform::installDefault();
    // The reader waits in its read for a report that does not come; the
    // player makes its pass every 2 ms.
    measure("idle_mouse_attached", true);
    // No mouse: the reader tries a read every 2 ms as well.
    measure("idle_no_mouse", false);
    return 0;
}
