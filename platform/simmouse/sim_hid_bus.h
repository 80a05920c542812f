#pragma once
// An in-process HID bus: simulated devices are plugged and unplugged at any
// moment and reached through the same Hid interface as the real ones.
#include "platform/hid.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::sim {

struct SimInterface {
    Text path;
    HidAttributes attributes;
    HidCaps caps;
    Text product;
    bool hasPreparsedData = true;
    // Windows keeps the standard mouse and keyboard collections to itself:
    // they open for queries only.
    bool heldByOs = false;
};

// A physical device on the bus: a set of interfaces and its firmware.
class SimDevice {
public:
    virtual ~SimDevice() = default;
    virtual std::vector<SimInterface> interfaces() = 0;
    // A feature report arriving on one of the interfaces (already cut to its length).
    virtual bool onSetFeature(int interfaceIndex, const std::uint8_t* report, std::size_t length) = 0;
    virtual bool onGetFeature(int interfaceIndex, std::uint8_t* report, std::size_t length) = 0;
};

class SimHidBus : public Hid {
public:
    void plug(std::shared_ptr<SimDevice> device);
    void unplug(const std::shared_ptr<SimDevice>& device);
    bool isPlugged(const std::shared_ptr<SimDevice>& device);
    // Queues an input report on one interface of a plugged device; a blocked
    // readInput on that interface wakes up with it.
    void deliverInput(const SimDevice* device, int interfaceIndex, std::vector<std::uint8_t> report);
    // Handles currently open (to find leaks).
    int openHandleCount();

    void beginEnumeration() override;
    std::optional<Text> interfaceAt(int index) override;
    void endEnumeration() override;
    HidHandle open(const Text& path, HidAccess access) override;
    void close(HidHandle handle) override;
    bool attributes(HidHandle handle, HidAttributes& out) override;
    bool productString(HidHandle handle, char16_t* buffer, std::size_t bufferBytes) override;
    bool capabilities(HidHandle handle, HidCaps& out) override;
    bool setFeature(HidHandle handle, const std::uint8_t* report, std::size_t length) override;
    bool getFeature(HidHandle handle, std::uint8_t* report, std::size_t length) override;
    int readInput(HidHandle handle, std::uint8_t* report, std::size_t length) override;
    void cancelRead(HidHandle handle) override;

private:
    struct OpenHandle {
        std::shared_ptr<SimDevice> device;
        int interfaceIndex = 0;
        SimInterface info;
        HidAccess access = HidAccess::None;
        bool gone = false;   // device unplugged or handle closed
        int readsWaiting = 0;
        unsigned cancels = 0; // counts cancelRead calls; a waiting read ends when it moves
    };
    std::shared_ptr<OpenHandle> find(HidHandle handle);

    std::mutex mutex_;
    std::condition_variable inputArrived_;
    std::vector<std::shared_ptr<SimDevice>> devices_;
    std::vector<Text> snapshot_;
    std::map<HidHandle, std::shared_ptr<OpenHandle>> handles_;
    // Pending input reports per (device, interface).
    std::map<std::pair<const SimDevice*, int>, std::deque<std::vector<std::uint8_t>>> inputs_;
    HidHandle nextHandle_ = 0x100;
};

} // namespace platform::sim
