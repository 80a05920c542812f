#pragma once
// The part of the mouse's memory that holds the macros it plays by itself:
// a directory with one 10-byte entry per configuration and device slot at
// 0xA0, the macro streams from 0x400 on, and after them the lighting data
// tables whose addresses blocks 0x6E..0x7F announce.
//
// Laying out is pure: it turns the slots of the four configurations into the
// bytes to write and their addresses, or says that they do not fit. Writing
// is a separate step so that the download decides what happens in between.
#include "device/memory_transfer.h"
#include "macro/macro_record.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace device {

constexpr int kConfigurations = 4;
constexpr int kDeviceSlots = 14;

constexpr std::uint16_t kDirectoryAddress = 0xA0;
constexpr int kDirectoryEntryBytes = 10;
constexpr int kDirectoryConfigBytes = kDeviceSlots * kDirectoryEntryBytes;   // 140
constexpr int kDirectoryBytes = kConfigurations * kDirectoryConfigBytes;     // 560, up to 0x2CF
constexpr std::uint16_t kMacroAreaStart = 0x400;
// No macro may reach past this address, and no macro block start after it.
constexpr int kMacroAreaLimit = 3871;                                        // 0xF1F
constexpr int kLightingTableLimit = 0xF9F;
constexpr int kMaxMacroReservation = 8192;
// An LED event's record address has 14 bits.
constexpr int kRecordAddressLimit = 0x4001;

constexpr std::uint16_t kMacroAreaEndAddress = 0x6E;      // 2 bytes: E
constexpr std::uint16_t kLightingTableAddress = 0x70;     // 8 bytes
constexpr std::uint16_t kLightingTableEndAddress = 0x78;  // 3 bytes
constexpr std::uint16_t kAreaTerminatorAddress = 0x7F;    // 1 byte

constexpr int kLightingTables = 5;
constexpr int kLightingTableSpacing = 8;

// Longest delay one event carries, and the most one delay byte holds.
constexpr int kMaxEventDelay = 10000;
constexpr int kMaxDelayByte = 127;
// A data record holds at most this many steps: 4n + 4 bytes fill a 68-byte block.
constexpr int kMaxRecordSteps = (macro::kBlockBytes - 4) / 4;

// Device function codes that own a directory entry.
bool hasDirectoryEntry(std::uint8_t deviceCode);

// One device slot of one configuration, as the macro area needs it.
struct MacroSlot {
    int function = 0;                            // button function of the slot's button, 0 = none
    std::uint8_t deviceCode = 0;                 // its device function code
    const macro::MacroRecord* macro = nullptr;   // the record it plays (macro functions only)
};
using MacroSlots = std::array<std::array<MacroSlot, kDeviceSlots>, kConfigurations>;

// Number of entries the mouse walks through: events plus delay fillers. A
// preset or library macro without events still counts three.
int eventEntryCount(const macro::MacroRecord& r, bool presetOrLibrary);

// A macro as it goes into memory at `address`: the play count, the events
// with their delay fillers, padding to the stream size, then the LED and FB
// data records, each padded to 8 bytes.
struct EncodedMacro {
    std::vector<std::uint8_t> bytes;   // the whole reservation, a multiple of 8
    int entryCount = 0;
    int streamSize = 0;                // where the data records start
    int invalidRecordEvents = 0;       // LED events with no record to point at
    bool recordBeyondReach = false;    // a record address the event cannot express
};
EncodedMacro encodeMacro(const macro::MacroRecord& r, bool presetOrLibrary, std::uint16_t address);

// The directory entry of a slot with an entry at `macroAddress`.
std::array<std::uint8_t, kDirectoryEntryBytes> directoryEntry(const MacroSlot& slot, int language,
                                                              std::uint16_t macroAddress);

struct PlacedMacro {
    std::uint16_t address = 0;
    EncodedMacro encoded;
};

struct MacroAreaLayout {
    bool full = false;
    int required = 0;   // bytes the macros need from kMacroAreaStart on, also when full
    std::array<std::uint8_t, kDirectoryBytes> directory{};
    std::uint16_t end = kMacroAreaStart;                   // E: the running address after the last macro
    std::vector<PlacedMacro> macros;                       // in address order, shared macros once
    // Macro address of every slot that has an entry (0 for the others).
    std::array<std::array<std::uint16_t, kDeviceSlots>, kConfigurations> addresses{};
};

// Configurations 0..3, slots 1..14 in order. A slot whose function an earlier
// slot already has (other than a key combination, which is per button) shares
// that slot's macro.
MacroAreaLayout layOutMacroArea(const MacroSlots& slots, int language);

// Bytes the macros may take: from kMacroAreaStart up to the limit.
constexpr int kMacroAreaCapacity = kMacroAreaLimit - kMacroAreaStart;

// 0x6E (E), 0x70 (table addresses, sound-lighting flag, configuration),
// 0x78 (end of the tables), 0x7F.
std::vector<MemoryBlock> macroAreaPointerBlocks(std::uint16_t end, int soundLighting, int currentConfig);
// The five empty lighting data tables, at the addresses the blocks above announce.
std::vector<MemoryBlock> lightingTableBlocks(std::uint16_t end);

// Every block of the area in the order it is written: directory, pointer
// blocks, macros, lighting tables. For a decoder and the tests; the download
// writes with writeMacroArea.
std::vector<MemoryBlock> macroAreaBlocks(const MacroAreaLayout& layout, int soundLighting, int currentConfig);

enum class AreaWrite { Written, Full };

// Writes a layout that fit. Before a macro with LED events that point
// nowhere, `invalidRecord` is called once per such event (the download shows
// tip 6 and goes on). Returns Full, after writing what came before, when a
// macro block or record would land beyond the area.
AreaWrite writeMacroArea(ReportChannel& ch, const MacroAreaLayout& layout, int soundLighting, int currentConfig,
                         const std::function<void()>& invalidRecord);

std::vector<MemoryBlock> directoryBlocks(const MacroAreaLayout& layout);
// A macro's bytes cut into 8-byte blocks from its address.
std::vector<MemoryBlock> macroBlocks(const PlacedMacro& m);

} // namespace device
