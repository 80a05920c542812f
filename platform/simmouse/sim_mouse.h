#pragma once
// The mouse's firmware as far as the program can see it: its identity and
// collections, a 64 KiB memory written through command 0x18, the status
// report, the other commands applied to a visible state, and input reports
// from a scripted user.
#include "platform/simmouse/sim_hid_bus.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <string>

namespace platform::sim {

// The simulated mouse's own files (memory, log, commands) as the host names
// them: the path as given on Windows, '\' turned into '/' natively.
std::filesystem::path hostPath(const Text& path);

constexpr std::uint16_t kVendorId = 0x30FA;
constexpr std::uint16_t kProductIdModel1 = 0x1540;
constexpr std::uint16_t kProductIdModel0 = 0x1E01;
constexpr std::size_t kMemorySize = 65536;
// With a memory file, programmed memory is saved once no block has come for
// this long, so a series that never got its finish request (the macro area
// was full, the program ended or was killed) still reaches the file.
constexpr std::chrono::milliseconds kQuietBeforeSave{400};

struct SimMouseOptions {
    std::uint16_t productId = kProductIdModel1;
    bool writeCollectionFirst = false;    // order of the two vendor collections
    std::uint16_t featureReportLength = 8;
    std::uint16_t inputReportLength = 8;
    Text memoryFile;                      // empty: memory lives only in the process
    Text logFile;                         // empty: no report log
    unsigned latencyUs = 0;               // added to every feature report, as USB would
    Text pathPrefix = u"\\\\?\\hid#vid_30fa&pid_1540";
};

// The device path prefix Windows would give a mouse of this product ID.
Text simPathPrefix(std::uint16_t productId);

class SimMouse : public SimDevice, public std::enable_shared_from_this<SimMouse> {
public:
    // Interface indexes within the device.
    enum { MouseCollection = 0, KeyboardCollection = 1 };
    int readInterface() const { return options_.writeCollectionFirst ? 3 : 2; }
    int writeInterface() const { return options_.writeCollectionFirst ? 2 : 3; }

    explicit SimMouse(SimMouseOptions options = {});
    ~SimMouse() override;

    std::vector<SimInterface> interfaces() override;
    bool onSetFeature(int interfaceIndex, const std::uint8_t* report, std::size_t length) override;
    bool onGetFeature(int interfaceIndex, std::uint8_t* report, std::size_t length) override;

    // Memory, as the firmware holds it.
    std::array<std::uint8_t, kMemorySize> memory();
    void setMemory(std::uint16_t address, std::uint8_t value);
    void saveMemory();
    // Back to the state of a mouse just made without a memory file: memory
    // erased, no commands applied or received, configuration and DPI level 0.
    // Lets one mouse, found once, serve many short runs (the fuzz targets).
    void reset();

    // What the commands other than 0x18 left behind.
    struct Applied {
        std::array<int, 15> keyOverride{};       // per device slot, -1 when none
        std::array<std::uint8_t, 6> lighting{};  // bytes 2..7 of the last 0x13
        std::array<std::array<std::uint8_t, 2>, 8> dpiColour{};
        std::array<std::uint8_t, 6> heldKeys{};  // the last 0x15
        std::uint8_t buttons = 0xFF;              // byte 3 of the last 0x16
        std::vector<std::uint16_t> consumerKeys;  // every 0x17
        std::vector<std::pair<std::int16_t, std::int16_t>> moves; // every 0x0B
        int switchState = 0;                      // byte 2 of the last 0x11
        int closeCount = 0;                       // 0x20
        int finishCount = 0;                      // 0x18 finish requests
    };
    Applied applied();
    // Every feature report received, in order (full length).
    std::vector<std::vector<std::uint8_t>> received();
    void clearReceived();

    int currentConfig();
    void setCurrentConfig(int config);

    // The firmware's view of its keys: the device function code of a slot
    // (1..14) in the current configuration, from the downloaded settings area
    // or a key override (command 0x10) sent since the last download.
    int slotFunction(int slot);
    int dpiLevel();
    void setDpiLevel(int level);

    // The scripted user. The bus delivers the reports on the read collection.
    void attach(SimHidBus* bus) { bus_ = bus; }
    void injectInput(std::vector<std::uint8_t> report);
    void pressSlot(int slot, int dpiLevel = 0);
    void releaseSlot(int slot, int dpiLevel = 0);
    void reportStatus(int code);   // 1, 2 wheel steps; 3 configuration changed

    // The scripted user pressing a key as the firmware would take it: a
    // configuration-switch key (0x17..0x1A) makes its configuration current
    // and reports status 3 after the key; a DPI key (6 cycles through the
    // enabled levels, 0x0B steps up, 0x0C steps down) moves the DPI level,
    // which every key report carries in byte 2.
    void userPress(int slot);
    void userRelease(int slot);
    void userClick(int slot) { userPress(slot); userRelease(slot); }

private:
    void log(const char* direction, const std::uint8_t* bytes, std::size_t length);
    void apply(const std::uint8_t* r, std::size_t length);
    void latency();
    void programmed(std::uint16_t address, int length);
    void writeMemoryFile(); // mutex_ held
    void saveWhenQuiet();
    int storedSlotFunction(int config, int slot) const;
    int enabledDpiMask() const;

    SimMouseOptions options_;
    SimHidBus* bus_ = nullptr;
    std::mutex mutex_;
    std::array<std::uint8_t, kMemorySize> memory_;
    std::array<std::uint8_t, 256> transfer_{};
    std::uint8_t lastRead_ = 0;
    int currentConfig_ = 0;
    int dpiLevel_ = 0;
    std::array<int, 15> activeOverride_{};   // per slot, -1 when the stored function holds
    bool dirty_ = false;
    std::chrono::steady_clock::time_point lastProgram_;
    bool stopping_ = false;
    std::condition_variable memoryChanged_;
    std::thread saver_;
    Applied applied_;
    std::vector<std::vector<std::uint8_t>> received_;
    std::ofstream log_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace platform::sim
