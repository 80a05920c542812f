#include "device/report_channel.h"

#include <algorithm>

namespace device {

std::size_t ReportChannel::reportLength() const
{
    return std::min<std::size_t>(connection_.writeCaps().featureReportByteLength, kReportBufferSize);
}

bool ReportChannel::send(std::uint8_t command, std::initializer_list<ParamByte> params)
{
    std::lock_guard guard(mutex_);
    buffer_[0] = kFeatureReportId;
    buffer_[1] = command;
    std::size_t i = 2;
    for (const ParamByte& p : params) {
        if (i >= 8)
            break;
        if (p)
            buffer_[i] = *p;
        ++i;
    }
    std::lock_guard handles(connection_.handleMutex());
    platform::HidHandle handle = connection_.writeHandle();
    if (!handle)
        return false;
    return connection_.hid().setFeature(handle, buffer_.data(), reportLength());
}

bool ReportChannel::fetchStatus()
{
    std::lock_guard guard(mutex_);
    buffer_[0] = kFeatureReportId;
    std::lock_guard handles(connection_.handleMutex());
    platform::HidHandle handle = connection_.writeHandle();
    if (!handle)
        return false;
    return connection_.hid().getFeature(handle, buffer_.data(), reportLength());
}

std::uint8_t ReportChannel::byte(std::size_t index)
{
    std::lock_guard guard(mutex_);
    return index < buffer_.size() ? buffer_[index] : 0;
}

ReportChannel& reports()
{
    static ReportChannel channel(connection());
    return channel;
}

} // namespace device
