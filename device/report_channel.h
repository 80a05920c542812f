#pragma once
// The one feature-report buffer every sender shares. Byte 0 is the report ID
// 7, byte 1 the command, bytes 2..7 its parameters; a sender sets only the
// bytes its command defines and the rest keep what the buffer held. Building
// and sending one report is one locked step, and a caller that needs several
// reports back to back (a memory block) holds the lock across them.
#include "device/hid_connection.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>

namespace device {

constexpr std::uint8_t kFeatureReportId = 7;
constexpr std::size_t kReportBufferSize = 256;

// A parameter byte, or "leave as it is".
using ParamByte = std::optional<std::uint8_t>;
constexpr std::nullopt_t kKeep = std::nullopt;

class ReportChannel {
public:
    explicit ReportChannel(HidConnection& connection) : connection_(connection) {}

    std::unique_lock<std::recursive_mutex> lock() { return std::unique_lock(mutex_); }

    // Sets byte 1 and the given parameter bytes (2..7), then HidD_SetFeature
    // with the write collection's feature length. The result is the call's.
    bool send(std::uint8_t command, std::initializer_list<ParamByte> params = {});
    // HidD_GetFeature on the write handle; the status lands in the buffer.
    bool fetchStatus();

    // Copies of the buffer bytes (for the status readers and tests).
    std::uint8_t byte(std::size_t index);
    // Byte 1 of the last status: the memory byte of the last read request.
    std::uint8_t statusData() { return byte(1); }
    // Bits 2..3 of byte 6: the configuration the mouse uses now.
    int statusConfiguration() { return (byte(6) >> 2) & 3; }

    HidConnection& connection() { return connection_; }

private:
    std::size_t reportLength() const;

    HidConnection& connection_;
    std::recursive_mutex mutex_;
    std::array<std::uint8_t, kReportBufferSize> buffer_{};
};

// The process-wide channel over the process-wide connection.
ReportChannel& reports();

} // namespace device
