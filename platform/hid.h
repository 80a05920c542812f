#pragma once
// HID devices the way the program reaches them on Windows: SetupAPI
// enumeration of the HID class interfaces, CreateFileW handles, HidD_* calls
// and overlapped ReadFile on the input collection.
#include "platform/text.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform {

using HidHandle = std::uintptr_t; // 0 = not open

enum class HidAccess { None, Read, Write };

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
};

// The fields of HIDP_CAPS the program uses.
struct HidCaps {
    std::uint16_t usage = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t inputReportByteLength = 0;
    std::uint16_t outputReportByteLength = 0;
    std::uint16_t featureReportByteLength = 0;
};

class Hid {
public:
    virtual ~Hid() = default;

    // SetupDiGetClassDevsW over the present HID interfaces; interfaceAt then
    // answers SetupDiEnumDeviceInterfaces + detail for one member index
    // (nullopt when that index fails). endEnumeration destroys the list.
    virtual void beginEnumeration() = 0;
    virtual std::optional<Text> interfaceAt(int index) = 0;
    virtual void endEnumeration() = 0;

    virtual HidHandle open(const Text& path, HidAccess access) = 0;
    virtual void close(HidHandle handle) = 0;
    virtual bool attributes(HidHandle handle, HidAttributes& out) = 0;
    // HidD_GetProductString into a zeroed buffer of bufferBytes bytes.
    virtual bool productString(HidHandle handle, char16_t* buffer, std::size_t bufferBytes) = 0;
    // HidD_GetPreparsedData + HidP_GetCaps; false when there is no preparsed data.
    virtual bool capabilities(HidHandle handle, HidCaps& out) = 0;

    virtual bool setFeature(HidHandle handle, const std::uint8_t* report, std::size_t length) = 0;
    virtual bool getFeature(HidHandle handle, std::uint8_t* report, std::size_t length) = 0;
    // Blocks until an input report arrives; returns its length, or -1 when the
    // handle is not open, the device went away or the read was cancelled.
    virtual int readInput(HidHandle handle, std::uint8_t* report, std::size_t length) = 0;
    // Ends a readInput that waits on `handle` in another thread (it returns
    // -1); the handle stays open. A read that has not started yet is not
    // affected: callers repeat the cancel until the reader is where they want it.
    virtual void cancelRead(HidHandle handle) = 0;
};

// Passes every call on to another Hid; observers of the traffic (report logs,
// counters, time stamps) override only the calls they watch.
class ForwardingHid : public Hid {
public:
    explicit ForwardingHid(Hid& inner) : inner_(inner) {}

    void beginEnumeration() override { inner_.beginEnumeration(); }
    std::optional<Text> interfaceAt(int index) override { return inner_.interfaceAt(index); }
    void endEnumeration() override { inner_.endEnumeration(); }
    HidHandle open(const Text& path, HidAccess access) override { return inner_.open(path, access); }
    void close(HidHandle handle) override { inner_.close(handle); }
    bool attributes(HidHandle handle, HidAttributes& out) override { return inner_.attributes(handle, out); }
    bool productString(HidHandle handle, char16_t* buffer, std::size_t bufferBytes) override
    {
        return inner_.productString(handle, buffer, bufferBytes);
    }
    bool capabilities(HidHandle handle, HidCaps& out) override { return inner_.capabilities(handle, out); }
    bool setFeature(HidHandle handle, const std::uint8_t* report, std::size_t length) override
    {
        return inner_.setFeature(handle, report, length);
    }
    bool getFeature(HidHandle handle, std::uint8_t* report, std::size_t length) override
    {
        return inner_.getFeature(handle, report, length);
    }
    int readInput(HidHandle handle, std::uint8_t* report, std::size_t length) override
    {
        return inner_.readInput(handle, report, length);
    }
    void cancelRead(HidHandle handle) override { inner_.cancelRead(handle); }

protected:
    Hid& inner_;
};

} // namespace platform
