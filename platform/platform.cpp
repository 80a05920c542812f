#include "platform/platform.h"

#include <mutex>

namespace platform {

Services& servicesStorage()
{
    static Services services;
    return services;
}

Services& os()
{
    // The build's own services, unless a test installed others first.
    static std::once_flag once;
    std::call_once(once, [] {
        if (!servicesStorage().profile)
            installDefault();
        if (!servicesStorage().windows)
            installWindowing();
        if (!servicesStorage().tray)
            installShell();
        if (!servicesStorage().audio)
            installAudio();
    });
    return servicesStorage();
}

} // namespace platform
