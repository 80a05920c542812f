#include "device/memory_transfer.h"

#include "device/commands.h"
#include "platform/platform.h"

namespace device {

namespace {
void wait(unsigned ms) { platform::os().clock->sleepMs(ms); }
std::uint8_t lastIndexOf(std::size_t n) { return static_cast<std::uint8_t>(n - 1); }
} // namespace

bool writeBlock(ReportChannel& ch, std::uint16_t address, std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || bytes.size() > kMaxBlockLength)
        return false;
    const std::uint8_t last = lastIndexOf(bytes.size());
    auto guard = ch.lock();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        sendMemoryRequest(ch, memflag::Load, static_cast<std::uint8_t>(i), address, bytes[i], last);
    wait(transferwait::AfterLoads);
    sendMemoryRequest(ch, memflag::Program, 0, address, 0, last);
    wait(transferwait::AfterProgram);
    sendMemoryRequest(ch, memflag::Idle, 0, address, 0, 0);
    return true;
}

std::optional<std::vector<std::uint8_t>> readBlock(ReportChannel& ch, std::uint16_t address, std::size_t n)
{
    if (n == 0 || n > kMaxBlockLength)
        return std::nullopt;
    const std::uint8_t last = lastIndexOf(n);
    std::vector<std::uint8_t> result;
    result.reserve(n);
    bool fetched = true;
    auto guard = ch.lock();
    for (std::size_t i = 0; i < n; ++i) {
        sendMemoryRequest(ch, memflag::Load, static_cast<std::uint8_t>(i), address, 0, last);
        wait(transferwait::Step);
    }
    wait(transferwait::Step);
    sendMemoryRequest(ch, memflag::Idle, 0, address, 0, 0);
    for (std::size_t i = 0; i < n; ++i) {
        sendMemoryRequest(ch, memflag::Read, static_cast<std::uint8_t>(i), address, 0, last);
        wait(transferwait::Step);
        fetched = ch.fetchStatus() && fetched;
        result.push_back(ch.statusData());
    }
    wait(transferwait::Step);
    sendMemoryRequest(ch, memflag::Idle, 0, 0, 0, 0);
    if (!fetched)
        return std::nullopt;
    return result;
}

void finishTransfers(ReportChannel& ch)
{
    auto guard = ch.lock();
    sendMemoryRequest(ch, memflag::Finish, 0, 0, 0, 0);
    wait(transferwait::AfterFinish);
    sendMemoryRequest(ch, memflag::Idle, 0, 0, 0, 0);
}

} // namespace device
