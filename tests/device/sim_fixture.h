#pragma once
// A bus with one simulated mouse, and the connection and report channel of
// the program over it.
#include "device/commands.h"
#include "device/hid_connection.h"
#include "device/report_channel.h"
#include "platform/simmouse/sim_mouse.h"

#include <memory>

struct SimMouseRig {
    explicit SimMouseRig(platform::sim::SimMouseOptions options = {})
        : mouse(std::make_shared<platform::sim::SimMouse>(options)), connection(&bus), channel(connection)
    {
        mouse->attach(&bus);
        bus.plug(mouse);
    }
    bool connect() { return connection.connected = connection.discover(); }
    // Parameter bytes 1..7 of the i-th report the mouse received.
    std::vector<std::uint8_t> report(std::size_t i) { return mouse->received().at(i); }
    std::vector<std::uint8_t> lastReport() { return mouse->received().back(); }

    platform::sim::SimHidBus bus;
    std::shared_ptr<platform::sim::SimMouse> mouse;
    device::HidConnection connection;
    device::ReportChannel channel;
};

// A HID device of another maker (or a mouse of ours with a foreign product ID).
class OtherDevice : public platform::sim::SimDevice {
public:
    OtherDevice(std::uint16_t vid, std::uint16_t pid, std::uint16_t page, Text path)
    {
        info.path = std::move(path);
        info.attributes = {vid, pid, 1};
        info.caps.usagePage = page;
        info.caps.usage = 1;
        info.caps.featureReportByteLength = 8;
        info.caps.inputReportByteLength = 8;
    }
    std::vector<platform::sim::SimInterface> interfaces() override { return std::vector(count, info); }
    bool onSetFeature(int, const std::uint8_t*, std::size_t) override { return true; }
    bool onGetFeature(int, std::uint8_t*, std::size_t) override { return true; }

    platform::sim::SimInterface info;
    int count = 1;
};
