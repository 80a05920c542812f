#pragma once
// Finding the mouse among the HID interfaces and holding its two vendor
// collections open: the read collection (input reports) and the write
// collection (every feature report).
#include "platform/hid.h"

#include <atomic>
#include <mutex>

namespace device {

constexpr std::uint16_t kVendorId = 0x30FA;
constexpr std::uint16_t kProductIdModel1 = 0x1540;
constexpr std::uint16_t kProductIdModel0 = 0x1E01;
constexpr std::uint16_t kReadUsagePage = 0xFF00;
constexpr std::uint16_t kWriteUsagePage = 0xFF01;
constexpr std::uint16_t kVendorUsage = 0x0001;
constexpr int kInterfacesExamined = 100;

// Values of the model flag.
enum Model { Model0 = 0, Model1 = 1, ModelNone = 2 };

// DBT_DEVTYP_DEVICEINTERFACE, the only notification type that can be ours.
constexpr int kDeviceTypeInterface = 5;

class HidConnection {
public:
    explicit HidConnection(platform::Hid* hid = nullptr);

    // Scans the first 100 HID interfaces for the mouse and opens its two
    // vendor collections. Handles of an earlier connection are closed first.
    bool discover();
    // Closes whatever is open and sets the handles to zero.
    void close();
    // Whether a removal notification names the interface we connected through.
    bool isThisMouse(int deviceType, TextView notificationName) const;
    // The query handle still answers: the mouse we hold is still there.
    bool stillPresent();

    platform::HidHandle queryHandle() const { return query_; }
    platform::HidHandle readHandle() const { return read_; }
    platform::HidHandle writeHandle() const { return write_; }
    const platform::HidCaps& readCaps() const { return readCaps_; }
    const platform::HidCaps& writeCaps() const { return writeCaps_; }
    const Text& devicePath() const { return devicePath_; }
    int model() const { return model_; }

    // Set by the owner from discover()'s result and by removal.
    std::atomic<bool> connected{false};

    platform::Hid& hid();

    // Held while the handles change and while a report goes out, so that no
    // report is sent on a handle that another thread is closing or replacing
    // (a removal handled while a download runs on its own thread).
    std::recursive_mutex& handleMutex() { return handleMutex_; }

private:
    void closeHandle(platform::HidHandle& handle);
    void trace(const char* prefix, int productId);

    platform::Hid* hid_;
    platform::HidHandle query_ = 0;
    platform::HidHandle read_ = 0;
    platform::HidHandle write_ = 0;
    platform::HidCaps readCaps_{};
    platform::HidCaps writeCaps_{};
    Text devicePath_;
    int model_ = ModelNone;
    std::recursive_mutex handleMutex_;
};

// The process-wide connection.
HidConnection& connection();

} // namespace device
