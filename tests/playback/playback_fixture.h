#pragma once
// A simulated mouse on a bus, the program's connection and report channel
// over it, a scripted program around the device threads, and a virtual clock
// so that pauses are measured without waiting for them.
#include "device/commands.h"
#include "device/hid_connection.h"
#include "device/macro_player.h"
#include "device/playback_context.h"
#include "device/playback_state.h"
#include "device/report_channel.h"
#include "device/status_reader.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/simmouse/sim_mouse.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace playbacktest {

using Bytes = std::vector<std::uint8_t>;

// Time moves only when someone sleeps. A hook sees every step, so a test can
// act "at" a given moment of a macro (release a key, press it again).
class VirtualClock : public platform::Clock {
public:
    void sleepMs(unsigned ms) override
    {
        std::int64_t now = nowUs_.fetch_add(std::int64_t(ms) * 1000) + std::int64_t(ms) * 1000;
        std::function<void(std::int64_t)> hook;
        {
            std::lock_guard lock(mutex_);
            hook = onSleep;
        }
        if (hook)
            hook(now);
        if (realUsPerSleep) {
            // Spun rather than slept: MinGW's sleep_for ends at once below 1 ms.
            auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(realUsPerSleep);
            while (std::chrono::steady_clock::now() < until)
                std::this_thread::yield();
        }
    }
    std::uint32_t tickMs() override { return static_cast<std::uint32_t>(nowUs_ / 1000); }
    std::int64_t monotonicUs() override { return nowUs_; }
    platform::SystemTime systemTime() override { return {}; }

    void setHook(std::function<void(std::int64_t)> hook)
    {
        std::lock_guard lock(mutex_);
        onSleep = std::move(hook);
    }

    std::atomic<std::int64_t> nowUs_{1'000'000};
    // Threaded tests let real time pass too, so that the threads interleave.
    unsigned realUsPerSleep = 0;

private:
    std::mutex mutex_;
    std::function<void(std::int64_t)> onSleep;
};

// Installs a clock as the platform's for the lifetime of the object (the
// release-all of the held inputs waits on the platform clock).
class ClockOverride {
public:
    explicit ClockOverride(platform::Clock& clock) : saved_(platform::os().clock)
    {
        platform::servicesStorage().clock = &clock;
    }
    ~ClockOverride() { platform::servicesStorage().clock = saved_; }

private:
    platform::Clock* saved_;
};

// Passes everything to the bus and notes, for each feature report the mouse
// accepted, the virtual time it was sent at.
class StampingHid : public platform::ForwardingHid {
public:
    StampingHid(platform::Hid& inner, platform::Clock& clock) : platform::ForwardingHid(inner), clock_(clock) {}

    struct Sent {
        std::int64_t atUs;
        Bytes report;
    };
    std::vector<Sent> sent()
    {
        std::lock_guard lock(mutex_);
        return sent_;
    }
    void clear()
    {
        std::lock_guard lock(mutex_);
        sent_.clear();
    }

    bool setFeature(platform::HidHandle h, const std::uint8_t* report, std::size_t length) override
    {
        std::int64_t at = clock_.monotonicUs();
        bool ok = inner_.setFeature(h, report, length);
        if (ok) {
            std::lock_guard lock(mutex_);
            sent_.push_back({at, Bytes(report, report + length)});
        }
        return ok;
    }

private:
    platform::Clock& clock_;
    std::mutex mutex_;
    std::vector<Sent> sent_;
};

// The program around the threads: button settings as a test sets them, the
// macros buttons refer to, and a record of what the threads handed back.
class ScriptedContext : public device::PlaybackContext {
public:
    ScriptedContext()
    {
        // Buttons 0..5 in device slots 1..6.
        keyNum = 6;
        for (int b = 0; b < 6; ++b)
            slots[b] = b + 1;
        for (auto& config : buttons)
            config[0].function = 1;
    }

    // Setters for tests (the threads may be reading).
    void setButton(int config, int button, device::PlaybackButton info)
    {
        std::lock_guard lock(mutex_);
        buttons[config][button] = info;
    }
    void setFunction(int config, int button, int function)
    {
        std::lock_guard lock(mutex_);
        buttons[config][button].function = function;
    }
    void setMacro(int function, const macro::MacroRecord& r)
    {
        std::lock_guard lock(mutex_);
        macros[function] = r;
    }
    void setSoftware(bool on) { software = on; }

    int currentConfiguration() override { return config; }
    bool softwareMacros() override { return software; }
    int buttonCount() override
    {
        std::lock_guard lock(mutex_);
        return keyNum;
    }
    int deviceSlotOf(int button) override
    {
        std::lock_guard lock(mutex_);
        return button >= 0 && button < keyNum ? slots[button] : 0;
    }
    int buttonOfSlot(int slot) override
    {
        std::lock_guard lock(mutex_);
        for (int b = 0; b < keyNum; ++b)
            if (slots[b] == slot)
                return b;
        return -1;
    }
    device::PlaybackButton button(int c, int b) override
    {
        std::lock_guard lock(mutex_);
        return buttons[c][b];
    }
    device::PlaybackLighting lighting() override
    {
        std::lock_guard lock(mutex_);
        return storedLighting;
    }
    std::optional<macro::MacroRecord> macroFor(int c, int b, int function) override
    {
        std::lock_guard lock(mutex_);
        ++macroLookups;
        if (function >= 33 && function <= 40) {
            auto it = shortcuts.find({c, b});
            return it == shortcuts.end() ? macro::kEmptyRecord : it->second;
        }
        auto it = macros.find(function);
        if (it == macros.end())
            return std::nullopt;
        return it->second;
    }
    void setCurrentConfiguration(int c) override { config = c; }
    void configurationChangedByMouse(int c) override
    {
        std::lock_guard lock(mutex_);
        configChanges.push_back(c);
    }
    void dpiLevelChangedByMouse(int level) override
    {
        std::lock_guard lock(mutex_);
        dpiChanges.push_back(level);
    }
    void saveAdjustedMacro(int function, const macro::MacroRecord& r) override
    {
        std::lock_guard lock(mutex_);
        saved.push_back({function, r});
    }

    std::vector<int> configChangesSoFar()
    {
        std::lock_guard lock(mutex_);
        return configChanges;
    }
    std::vector<int> dpiChangesSoFar()
    {
        std::lock_guard lock(mutex_);
        return dpiChanges;
    }

    std::mutex mutex_;
    std::atomic<int> config{0};
    std::atomic<bool> software{true};
    int keyNum = 0;
    int slots[12] = {};
    device::PlaybackButton buttons[4][12] = {};
    device::PlaybackLighting storedLighting;
    std::map<int, macro::MacroRecord> macros;
    std::map<std::pair<int, int>, macro::MacroRecord> shortcuts;
    int macroLookups = 0;
    std::vector<int> configChanges;
    std::vector<int> dpiChanges;
    std::vector<std::pair<int, macro::MacroRecord>> saved;
};

// Events for records built in tests.
struct Ev {
    std::uint8_t code;
    std::uint8_t sub;
    std::uint16_t delay;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
};

inline macro::MacroRecord makeMacro(std::uint8_t mode, std::uint16_t repeat, std::initializer_list<Ev> events)
{
    macro::MacroRecord r{};
    r.mode = mode;
    r.repeatCount = repeat;
    int i = 0;
    for (const Ev& e : events) {
        r.code[i] = e.code;
        r.sub[i] = e.sub;
        r.delay[i] = e.delay;
        r.param[i] = {e.x, e.y};
        ++i;
    }
    r.eventCount = static_cast<std::uint16_t>(i);
    return r;
}

// Keyboard keys in device key codes.
constexpr std::uint8_t kKeyA = 0x04;
constexpr std::uint8_t kKeyB = 0x05;
constexpr std::uint8_t kKeyC = 0x06;

struct PlaybackRig {
    PlaybackRig()
        : mouse(std::make_shared<platform::sim::SimMouse>()), hid(bus, clock), connection(&hid),
          channel(connection), clockOverride(clock),
          reader(channel, context, state, current), player(channel, context, state, current, clock)
    {
        mouse->attach(&bus);
        bus.plug(mouse);
        connection.connected = connection.discover();
        player.seedRandom(12345);
    }

    // Press or release of a device slot as the reader gets it.
    void press(int slot, int dpi = 0) { report({6, std::uint8_t(0xF0 + slot), std::uint8_t(dpi)}); }
    void release(int slot, int dpi = 0) { report({6, std::uint8_t(0xF0 + slot), std::uint8_t(0x80 | dpi)}); }
    void report(Bytes r) { reader.handleReport(r.data(), r.size()); }

    // Commands sent, bytes 1..7, in order.
    std::vector<Bytes> commands()
    {
        std::vector<Bytes> out;
        for (auto& s : hid.sent())
            out.emplace_back(s.report.begin() + 1, s.report.begin() + 8);
        return out;
    }
    // Only the reports of one command.
    std::vector<StampingHid::Sent> sentOf(std::uint8_t command)
    {
        std::vector<StampingHid::Sent> out;
        for (auto& s : hid.sent())
            if (s.report[1] == command)
                out.push_back(s);
        return out;
    }

    VirtualClock clock;
    platform::sim::SimHidBus bus;
    std::shared_ptr<platform::sim::SimMouse> mouse;
    StampingHid hid;
    device::HidConnection connection;
    device::ReportChannel channel;
    ClockOverride clockOverride;
    ScriptedContext context;
    device::PlaybackState state;
    device::CurrentMacro current;
    device::StatusReader reader;
    device::MacroPlayer player;
};

} // namespace playbacktest
