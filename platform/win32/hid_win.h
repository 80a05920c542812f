#pragma once
#include "platform/hid.h"

#include <mutex>

namespace platform::win32 {

// The machine's HID interfaces through SetupAPI and hid.dll. Enumeration runs
// on one thread (the window thread); the report calls are safe from any.
class Win32Hid : public Hid {
public:
    Win32Hid() = default;
    ~Win32Hid() override;
    Win32Hid(const Win32Hid&) = delete;
    Win32Hid& operator=(const Win32Hid&) = delete;

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
    void* deviceInfoSet_ = nullptr; // HDEVINFO; null when no enumeration is open
};

} // namespace platform::win32
