#pragma once
// A simulated mouse reached through a HID layer that writes every feature
// report and status fetch into one log, and a clock that writes every wait
// into the same log, so a test sees the exact exchange: reports, fetches and
// the waits between them, in order.
#include "device/hid_connection.h"
#include "device/report_channel.h"
#include "platform/platform.h"
#include "platform/simmouse/memory_image.h"
#include "platform/simmouse/sim_mouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace dltest {

inline std::vector<std::uint8_t> bytesOf(std::initializer_list<int> v)
{
    std::vector<std::uint8_t> out;
    for (int b : v)
        out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

struct Step {
    enum Kind { Set, Get, Wait } kind = Set;
    std::vector<std::uint8_t> bytes;   // bytes 1..7 of a Set
    unsigned ms = 0;                   // of a Wait
    bool operator==(const Step&) const = default;
};

inline Step set(std::vector<std::uint8_t> bytes) { return {Step::Set, std::move(bytes), 0}; }
inline Step get() { return {Step::Get, {}, 0}; }
inline Step wait(unsigned ms) { return {Step::Wait, {}, ms}; }
// A command 0x18 request.
inline Step mem(std::uint8_t flags, std::uint8_t index, std::uint16_t address, std::uint8_t data, std::uint8_t last)
{
    return set({0x18, flags, index, static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8),
                data, last});
}

// The blocks that a log of write-block sequences programmed, in order.
struct WrittenBlock {
    std::uint16_t address = 0;
    std::vector<std::uint8_t> bytes;
    std::size_t programStep = 0;   // index of its program request in the log
};
std::vector<WrittenBlock> writtenBlocks(const std::vector<Step>& steps);
// Index of the first finish request in the log, or steps.size().
std::size_t finishStep(const std::vector<Step>& steps);

std::string describe(const Step& s);
std::string describe(const std::vector<Step>& steps);

class ExchangeLog {
public:
    void add(Step s)
    {
        std::lock_guard lock(mutex_);
        steps_.push_back(std::move(s));
    }
    std::vector<Step> steps()
    {
        std::lock_guard lock(mutex_);
        return steps_;
    }
    void clear()
    {
        std::lock_guard lock(mutex_);
        steps_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<Step> steps_;
};

// Forwards to the bus and logs the feature traffic.
class LoggingHid : public platform::ForwardingHid {
public:
    LoggingHid(platform::Hid& inner, ExchangeLog& log) : platform::ForwardingHid(inner), log_(log) {}
    bool setFeature(platform::HidHandle h, const std::uint8_t* report, std::size_t length) override
    {
        log_.add({Step::Set, std::vector<std::uint8_t>(report + 1, report + std::min<std::size_t>(length, 8)), 0});
        {
            std::lock_guard lock(lengthsMutex_);
            lengths_.push_back(length);
        }
        return inner_.setFeature(h, report, length);
    }
    bool getFeature(platform::HidHandle h, std::uint8_t* report, std::size_t length) override
    {
        log_.add(get());
        return inner_.getFeature(h, report, length);
    }
    std::vector<std::size_t> lengths()
    {
        std::lock_guard lock(lengthsMutex_);
        return lengths_;
    }

private:
    std::mutex lengthsMutex_;
    std::vector<std::size_t> lengths_;
    ExchangeLog& log_;
};

// Logs every wait. By default it does not sleep, so a whole download runs in
// a moment; `realSleep` makes it wait as well (threaded tests).
class LoggingClock : public platform::Clock {
public:
    LoggingClock(platform::Clock& inner, ExchangeLog& log) : inner_(inner), log_(log) {}
    void sleepMs(unsigned ms) override
    {
        log_.add(wait(ms));
        totalMs += ms;
        if (realSleep)
            inner_.sleepMs(ms);
    }
    std::uint32_t tickMs() override { return inner_.tickMs(); }
    std::int64_t monotonicUs() override { return inner_.monotonicUs(); }
    platform::SystemTime systemTime() override { return inner_.systemTime(); }

    std::atomic<bool> realSleep{false};
    std::atomic<unsigned long long> totalMs{0};

private:
    platform::Clock& inner_;
    ExchangeLog& log_;
};

// Installs the logging clock in platform::os() for the rig's lifetime.
class DownloadRig {
public:
    explicit DownloadRig(platform::sim::SimMouseOptions options = {});
    ~DownloadRig();

    bool connect();
    std::vector<Step> steps() { return log.steps(); }
    platform::sim::MemoryImage memory() { return mouse->memory(); }
    // Only the 0x18 requests, and waits, from the log.
    std::vector<Step> memorySteps();

    platform::sim::SimHidBus bus;
    std::shared_ptr<platform::sim::SimMouse> mouse;
    ExchangeLog log;
    LoggingHid hid{bus, log};
    LoggingClock clock;
    device::HidConnection connection{&hid};
    device::ReportChannel channel{connection};

private:
    platform::Clock* savedClock_;
};

} // namespace dltest
