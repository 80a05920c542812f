#include "platform/simmouse/sim_mouse.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace platform::sim {

std::filesystem::path hostPath(const Text& t)
{
#ifdef _WIN32
    return std::filesystem::path(std::wstring(t.begin(), t.end()));
#else
    // Windows-style paths from the program, mapped as the headless files do.
    std::string p = text::toUtf8(t);
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return std::filesystem::path(p);
#endif
}

SimMouse::SimMouse(SimMouseOptions options)
    : options_(std::move(options)), start_(std::chrono::steady_clock::now())
{
    memory_.fill(0xFF);
    applied_.keyOverride.fill(-1);
    activeOverride_.fill(-1);
    if (!options_.memoryFile.empty()) {
        std::ifstream in(hostPath(options_.memoryFile), std::ios::binary);
        if (in)
            in.read(reinterpret_cast<char*>(memory_.data()), kMemorySize);
    }
    if (!options_.logFile.empty())
        log_.open(hostPath(options_.logFile), std::ios::app);
    if (!options_.memoryFile.empty())
        saver_ = std::thread([this] { saveWhenQuiet(); });
}

SimMouse::~SimMouse()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    memoryChanged_.notify_all();
    if (saver_.joinable())
        saver_.join();
    saveMemory();
}

Text simPathPrefix(std::uint16_t productId)
{
    char pid[5];
    std::snprintf(pid, sizeof pid, "%04x", unsigned(productId));
    return u"\\\\?\\hid#vid_30fa&pid_" + text::fromUtf8(pid);
}

void SimMouse::saveWhenQuiet()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        memoryChanged_.wait(lock, [&] { return stopping_ || dirty_; });
        if (stopping_)
            return;
        const auto due = lastProgram_ + kQuietBeforeSave;
        if (memoryChanged_.wait_until(lock, due, [&] { return stopping_; }))
            return;
        if (dirty_ && std::chrono::steady_clock::now() >= lastProgram_ + kQuietBeforeSave)
            writeMemoryFile();
    }
}

void SimMouse::writeMemoryFile()
{
    if (!dirty_ || options_.memoryFile.empty())
        return;
    std::ofstream out(hostPath(options_.memoryFile), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(memory_.data()), kMemorySize);
    dirty_ = false;
}

std::vector<SimInterface> SimMouse::interfaces()
{
    auto make = [&](const char* suffix, std::uint16_t page, std::uint16_t usage, bool os) {
        SimInterface i;
        i.path = options_.pathPrefix + text::fromUtf8(suffix);
        i.attributes = {kVendorId, options_.productId, 0x0100};
        i.caps.usagePage = page;
        i.caps.usage = usage;
        i.caps.inputReportByteLength = options_.inputReportLength;
        i.caps.featureReportByteLength = page == 0xFF01 ? options_.featureReportLength : 0;
        i.product = u"KVX Gaming Mouse";
        i.heldByOs = os;
        return i;
    };
    std::vector<SimInterface> list = {
        make("&mi_00#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", 0x0001, 0x0002, true),
        make("&mi_01&col01#7&2b3c4d5e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", 0x0001, 0x0006, true),
        make("&mi_01&col02#7&2b3c4d5e&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}", 0xFF00, 0x0001, false),
        make("&mi_01&col03#7&2b3c4d5e&0&0002#{4d1e55b2-f16f-11cf-88cb-001111000030}", 0xFF01, 0x0001, false),
    };
    if (options_.writeCollectionFirst)
        std::swap(list[2], list[3]);
    return list;
}

void SimMouse::latency()
{
    if (options_.latencyUs)
        std::this_thread::sleep_for(std::chrono::microseconds(options_.latencyUs));
}

void SimMouse::log(const char* direction, const std::uint8_t* bytes, std::size_t length)
{
    if (!log_.is_open())
        return;
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    std::string line = std::to_string(ms) + " " + direction;
    char hex[4];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
        line += hex;
    }
    log_ << line << '\n';
    log_.flush();
}

bool SimMouse::onSetFeature(int interfaceIndex, const std::uint8_t* report, std::size_t length)
{
    latency();
    std::lock_guard lock(mutex_);
    if (interfaceIndex != writeInterface() || length < 2 || report[0] != 7)
        return false;
    log("set", report, length);
    received_.emplace_back(report, report + length);
    apply(report, length);
    return true;
}

bool SimMouse::onGetFeature(int interfaceIndex, std::uint8_t* report, std::size_t length)
{
    latency();
    std::lock_guard lock(mutex_);
    if (interfaceIndex != writeInterface() || length < 7)
        return false;
    // The status report: the byte of the last read request and the configuration in use.
    std::fill(report, report + length, 0);
    report[0] = 7;
    report[1] = lastRead_;
    report[6] = static_cast<std::uint8_t>((currentConfig_ & 3) << 2);
    log("get", report, length);
    return true;
}

void SimMouse::apply(const std::uint8_t* r, std::size_t length)
{
    auto at = [&](size_t i) -> std::uint8_t { return i < length ? r[i] : 0; };
    switch (at(1)) {
    case 0x0B: {
        auto x = static_cast<std::int16_t>((at(2) << 8) | at(3));
        auto y = static_cast<std::int16_t>((at(4) << 8) | at(5));
        applied_.moves.emplace_back(x, y);
        break;
    }
    case 0x10:
        if (at(2) < applied_.keyOverride.size()) {
            applied_.keyOverride[at(2)] = at(3);
            activeOverride_[at(2)] = at(3);
        }
        break;
    case 0x11:
        applied_.switchState = at(2);
        break;
    case 0x13:
        for (int i = 0; i < 6; ++i)
            applied_.lighting[i] = at(2 + i);
        break;
    case 0x14:
        applied_.dpiColour[at(2) >> 5] = {at(2), at(3)};
        break;
    case 0x15:
        for (int i = 0; i < 6; ++i)
            applied_.heldKeys[i] = at(2 + i);
        break;
    case 0x16:
        applied_.buttons = at(3);
        break;
    case 0x17:
        applied_.consumerKeys.push_back(static_cast<std::uint16_t>((at(2) << 8) | at(3)));
        break;
    case 0x18: {
        std::uint8_t flags = at(2), index = at(3), data = at(6), last = at(7);
        std::uint16_t address = static_cast<std::uint16_t>(at(4) | (at(5) << 8));
        if (flags & 0x10) {
            ++applied_.finishCount;
            writeMemoryFile();
            break;
        }
        if (!(flags & 0x01))
            break; // idle
        if (flags & 0x02)
            transfer_[index] = data;
        if (flags & 0x04)
            lastRead_ = memory_[static_cast<std::uint16_t>(address + index)];
        if (flags & 0x08) {
            for (int i = 0; i <= last; ++i)
                memory_[static_cast<std::uint16_t>(address + i)] = transfer_[i];
            dirty_ = true;
            lastProgram_ = std::chrono::steady_clock::now();
            memoryChanged_.notify_all();
            programmed(address, last + 1);
        }
        break;
    }
    case 0x20:
        ++applied_.closeCount;
        break;
    default:
        break;
    }
}

std::array<std::uint8_t, kMemorySize> SimMouse::memory()
{
    std::lock_guard lock(mutex_);
    return memory_;
}

void SimMouse::setMemory(std::uint16_t address, std::uint8_t value)
{
    std::lock_guard lock(mutex_);
    memory_[address] = value;
    dirty_ = true;
    lastProgram_ = std::chrono::steady_clock::now();
    memoryChanged_.notify_all();
}

void SimMouse::saveMemory()
{
    std::lock_guard lock(mutex_);
    writeMemoryFile();
}

SimMouse::Applied SimMouse::applied()
{
    std::lock_guard lock(mutex_);
    return applied_;
}

std::vector<std::vector<std::uint8_t>> SimMouse::received()
{
    std::lock_guard lock(mutex_);
    return received_;
}

void SimMouse::reset()
{
    std::lock_guard lock(mutex_);
    memory_.fill(0xFF);
    transfer_.fill(0);
    lastRead_ = 0;
    currentConfig_ = 0;
    dpiLevel_ = 0;
    activeOverride_.fill(-1);
    dirty_ = false;
    applied_ = Applied{};
    applied_.keyOverride.fill(-1);
    received_.clear();
}

void SimMouse::clearReceived()
{
    std::lock_guard lock(mutex_);
    received_.clear();
}

int SimMouse::currentConfig()
{
    std::lock_guard lock(mutex_);
    return currentConfig_;
}

void SimMouse::setCurrentConfig(int config)
{
    std::lock_guard lock(mutex_);
    currentConfig_ = config & 3;
}

void SimMouse::programmed(std::uint16_t address, int length)
{
    auto covers = [&](int a) { return a >= address && a < address + length; };
    // A download rewrites the settings area: the key overrides end, and the
    // header and DPI block say which configuration and level are in use.
    if (address < 0xA0)
        activeOverride_.fill(-1);
    if (covers(1))
        currentConfig_ = (memory_[1] >> 5) & 3;
    if (covers(0x18))
        dpiLevel_ = std::min(memory_[0x18] & 7, 5);
}

namespace {

// Where the settings area keeps the button byte of key k (1..12) of each
// configuration; 0 for slots it does not store.
std::uint16_t buttonByteAddress(int config, int slot)
{
    if (slot < 1 || slot > 12)
        return 0;
    switch (config) {
    case 0:
        if (slot <= 9)
            return static_cast<std::uint16_t>(0x07 + slot);
        return static_cast<std::uint16_t>(0x3B + slot - 10);
    case 1:
        return static_cast<std::uint16_t>(0x43 + slot);
    case 2:
        return static_cast<std::uint16_t>(0x4F + slot);
    case 3:
        return static_cast<std::uint16_t>(0x5F + slot);
    default:
        return 0;
    }
}

} // namespace

int SimMouse::storedSlotFunction(int config, int slot) const
{
    std::uint16_t address = buttonByteAddress(config, slot);
    if (!address || memory_[address] == 0xFF)
        return 0;
    return memory_[address] & 0x1F; // above: lighting reaction type and switch
}

int SimMouse::enabledDpiMask() const
{
    std::uint8_t mask = memory_[0x19];
    return mask == 0xFF || (mask & 0x3F) == 0 ? 0x3F : mask & 0x3F;
}

int SimMouse::slotFunction(int slot)
{
    std::lock_guard lock(mutex_);
    if (slot < 1 || slot > 14)
        return 0;
    if (activeOverride_[slot] >= 0)
        return activeOverride_[slot];
    return storedSlotFunction(currentConfig_, slot);
}

int SimMouse::dpiLevel()
{
    std::lock_guard lock(mutex_);
    return dpiLevel_;
}

void SimMouse::setDpiLevel(int level)
{
    std::lock_guard lock(mutex_);
    dpiLevel_ = std::clamp(level, 0, 5);
}

void SimMouse::userPress(int slot)
{
    int level;
    bool switched = false;
    {
        std::lock_guard lock(mutex_);
        int code = slot >= 1 && slot <= 14 ? (activeOverride_[slot] >= 0 ? activeOverride_[slot]
                                                                           : storedSlotFunction(currentConfig_, slot))
                                           : 0;
        if (code >= 0x17 && code <= 0x1A) {
            currentConfig_ = code - 0x17;
            activeOverride_.fill(-1); // the new configuration's keys as stored
            switched = true;
        } else if (code == 0x06 || code == 0x0B || code == 0x0C) {
            int mask = enabledDpiMask();
            int next = dpiLevel_;
            for (int step = 0; step < 6; ++step) {
                int candidate = code == 0x0C ? next - 1 : next + 1;
                if (code == 0x06)
                    candidate = (candidate + 6) % 6;
                if (candidate < 0 || candidate > 5)
                    break;
                next = candidate;
                if (mask & (1 << next))
                    break;
            }
            if (mask & (1 << next))
                dpiLevel_ = next;
        }
        level = dpiLevel_;
    }
    pressSlot(slot, level);
    if (switched)
        reportStatus(3);
}

void SimMouse::userRelease(int slot)
{
    releaseSlot(slot, dpiLevel());
}

void SimMouse::injectInput(std::vector<std::uint8_t> report)
{
    report.resize(options_.inputReportLength, 0);
    {
        std::lock_guard lock(mutex_);
        log("input", report.data(), report.size());
    }
    if (bus_)
        bus_->deliverInput(this, readInterface(), std::move(report));
}

void SimMouse::pressSlot(int slot, int dpiLevel)
{
    injectInput({6, static_cast<std::uint8_t>(0xF0 + slot), static_cast<std::uint8_t>(dpiLevel & 7)});
}

void SimMouse::releaseSlot(int slot, int dpiLevel)
{
    injectInput({6, static_cast<std::uint8_t>(0xF0 + slot), static_cast<std::uint8_t>(0x80 | (dpiLevel & 7))});
}

void SimMouse::reportStatus(int code)
{
    injectInput({6, static_cast<std::uint8_t>(code), 0});
}

} // namespace platform::sim
