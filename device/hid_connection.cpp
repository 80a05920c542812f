#include "device/hid_connection.h"

#include "platform/platform.h"

namespace device {

HidConnection::HidConnection(platform::Hid* hid) : hid_(hid) {}

platform::Hid& HidConnection::hid()
{
    return hid_ ? *hid_ : *platform::os().hid;
}

void HidConnection::closeHandle(platform::HidHandle& handle)
{
    if (handle)
        hid().close(handle);
    handle = 0;
}

void HidConnection::close()
{
    std::lock_guard guard(handleMutex_);
    closeHandle(query_);
    closeHandle(read_);
    closeHandle(write_);
}

void HidConnection::trace(const char* prefix, int productId)
{
    platform::os().process->debugTrace(T(prefix) + text::fromInt(productId) + u"\n");
}

bool HidConnection::discover()
{
    std::lock_guard guard(handleMutex_);
    // Rediscovery while handles are open (any HID arrival triggers one) would
    // otherwise leak them; the caller has stopped the threads that use them.
    close();
    connected = false;
    platform::Hid& bus = hid();
    bus.beginEnumeration();
    for (int index = 0; index < kInterfacesExamined; ++index) {
        auto path = bus.interfaceAt(index);
        if (!path)
            continue;
        query_ = bus.open(*path, platform::HidAccess::None);
        platform::HidAttributes attributes;
        if (query_ && bus.attributes(query_, attributes)) {
            char16_t product[50] = {};
            bus.productString(query_, product, sizeof product);
            // The product-string filter is empty: every interface passes it.
            if (attributes.vendorId == kVendorId &&
                (attributes.productId == kProductIdModel1 || attributes.productId == kProductIdModel0)) {
                model_ = attributes.productId == kProductIdModel1 ? Model1 : Model0;
                devicePath_ = *path;
                trace("aaaaaaaaaaaa0:", attributes.productId);
                platform::HidCaps caps;
                if (bus.capabilities(query_, caps)) {
                    if (caps.usagePage == kReadUsagePage && caps.usage == kVendorUsage) {
                        readCaps_ = caps;
                        closeHandle(read_); // a second mouse's collection replaces the first's
                        read_ = bus.open(*path, platform::HidAccess::Read);
                    }
                    if (caps.usagePage == kWriteUsagePage && caps.usage == kVendorUsage) {
                        writeCaps_ = caps;
                        closeHandle(write_);
                        write_ = bus.open(*path, platform::HidAccess::Write);
                    }
                    if (read_ && write_) {
                        trace("aaaaaaaaaaaa1:", attributes.productId);
                        break;
                    }
                }
            }
        }
        closeHandle(query_);
    }
    bus.endEnumeration();
    if (!(read_ && write_)) {
        // Half a pair is of no use and would leak: the next discovery starts over.
        close();
        return false;
    }
    return true;
}

bool HidConnection::isThisMouse(int deviceType, TextView notificationName) const
{
    // The whole interface path, not a slice of it: from character 56 on, the
    // paths of most HID interfaces hold little more than the HID class GUID,
    // so a slice would take a keyboard's removal for the mouse's. Windows
    // sends a notice for every collection of the mouse, and one of them is
    // the interface we stored.
    if (deviceType != kDeviceTypeInterface || devicePath_.empty())
        return false;
    return text::equalsIgnoreCase(notificationName, devicePath_);
}

bool HidConnection::stillPresent()
{
    platform::HidAttributes attributes;
    return query_ && hid().attributes(query_, attributes);
}

HidConnection& connection()
{
    static HidConnection c;
    return c;
}

} // namespace device
