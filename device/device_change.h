#pragma once
// What the main window does when HID devices come and go: any arrival
// rediscovers the mouse; the removal of our mouse parks the device threads,
// closes the connection and tells the user.
#include "device/hid_connection.h"

namespace device {

// The window side of a device change, implemented by the main window.
class DeviceChangeHost {
public:
    virtual ~DeviceChangeHost() = default;
    // Posts the window its "mouse arrived" message; onArrivedMessage() answers it.
    virtual void postArrived() = 0;
    virtual void centreWindow() = 0;
    virtual void showWindow() = 0;
    virtual bool isWindowVisible() = 0;
    virtual void showStatusWarning(const Text& message) = 0;
    virtual void hideStatusWarning() = 0;
    virtual void confirmModalWarning() = 0;  // OnOK of an open, visible modal warning
    // Status reader and macro player; false when they did not park in time.
    virtual bool suspendDeviceThreads() = 0;
    virtual void resumeDeviceThreads() = 0;
    // Tip text 1 of the current language and the window title.
    virtual Text notConnectedMessage() = 0;
};

class DeviceChangeHandler {
public:
    DeviceChangeHandler(HidConnection& connection, DeviceChangeHost& host) : connection_(connection), host_(host) {}

    // DBT_DEVICEARRIVAL of any HID interface.
    void onArrival();
    // DBT_DEVICEREMOVECOMPLETE.
    void onRemoval(int deviceType, TextView name);
    // The message postArrived() posted.
    void onArrivedMessage();

private:
    // Closes the connection with the device threads parked: when they did not
    // park in time, closing the handles ends the read one may still wait in,
    // and they are waited for once more before anything else is opened.
    void closeParked();

    HidConnection& connection_;
    DeviceChangeHost& host_;
    bool threadsParked_ = false;
};

} // namespace device
