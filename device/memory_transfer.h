#pragma once
// Blocks of the mouse's memory, moved with command 0x18: a write block loads
// the bytes into the mouse's transfer buffer and programs them, a read block
// asks for them one at a time through the status report, and a finish
// request closes a series of transfers. There is no acknowledgement: the
// fixed waits are the only pacing the firmware gets, so they are part of the
// protocol. Each block holds the report lock from its first request to its
// last, so no other thread's report lands in the middle of it.
#include "device/report_channel.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace device {

// The last index of a block travels in one byte.
constexpr std::size_t kMaxBlockLength = 256;

// Waits the firmware needs, in milliseconds.
namespace transferwait {
constexpr unsigned AfterLoads = 4;     // write: loads -> program
constexpr unsigned AfterProgram = 2;   // write: program -> idle
constexpr unsigned Step = 2;           // read: after each load and each read request
constexpr unsigned AfterFinish = 5;
} // namespace transferwait

// Loads, 4 ms, program, 2 ms, idle. Returns false (and sends nothing) for an
// empty block or one longer than 256 bytes; otherwise true whatever the
// mouse did with the reports.
bool writeBlock(ReportChannel& ch, std::uint16_t address, std::span<const std::uint8_t> bytes);

// n bytes from address (1..256). Nullopt for any other length, and when a
// status fetch failed (no mouse): the buffer would only hold the command byte
// of the last request, which is no memory byte.
std::optional<std::vector<std::uint8_t>> readBlock(ReportChannel& ch, std::uint16_t address, std::size_t n);

// Finish request, 5 ms, idle.
void finishTransfers(ReportChannel& ch);

// A block of the memory image: where it goes and what it holds.
struct MemoryBlock {
    std::uint16_t address = 0;
    std::vector<std::uint8_t> bytes;
    bool operator==(const MemoryBlock&) const = default;
};

inline bool writeBlock(ReportChannel& ch, const MemoryBlock& block) { return writeBlock(ch, block.address, block.bytes); }

} // namespace device
