#include "device/device_change.h"

namespace device {

void DeviceChangeHandler::onArrival()
{
    if (connection_.connected && connection_.stillPresent()) {
        // Another device arrived while our mouse is still there: keep the
        // open handles and the running threads instead of opening new ones.
        host_.postArrived();
        return;
    }
    if (connection_.connected && !threadsParked_) {
        // Our handles went stale without a removal notice: park the threads
        // before the handles they read are replaced.
        connection_.connected = false;
        closeParked();
    }
    connection_.connected = connection_.discover();
    host_.postArrived();
}

void DeviceChangeHandler::onArrivedMessage()
{
    if (!connection_.connected)
        return;
    host_.hideStatusWarning();
    host_.confirmModalWarning();
    if (threadsParked_) {
        host_.resumeDeviceThreads();
        threadsParked_ = false;
    }
    if (!host_.isWindowVisible()) {
        host_.showWindow();
        host_.centreWindow();
    }
}

void DeviceChangeHandler::onRemoval(int deviceType, TextView name)
{
    if (!connection_.isThisMouse(deviceType, name))
        return;
    host_.centreWindow();
    connection_.connected = false;
    closeParked();
    host_.showWindow();
    host_.showStatusWarning(host_.notConnectedMessage());
}

void DeviceChangeHandler::closeParked()
{
    if (threadsParked_) {
        connection_.close();
        return;
    }
    const bool parked = host_.suspendDeviceThreads();
    threadsParked_ = true;
    connection_.close();
    if (!parked)
        host_.suspendDeviceThreads();
}

} // namespace device
