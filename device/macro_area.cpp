#include "device/macro_area.h"

#include "device/commands.h"
#include "keys/key_tables.h"

#include <algorithm>
#include <map>

namespace device {

namespace {

int roundUp8(int n) { return (n + 7) & ~7; }
std::uint8_t lo(int v) { return static_cast<std::uint8_t>(v & 0xFF); }
std::uint8_t hi(int v) { return static_cast<std::uint8_t>((v >> 8) & 0xFF); }

constexpr int kFirstKeyFunction = 70;
constexpr int kLastKeyFunction = 148;
constexpr std::uint8_t kConsumerKeyCode = 0x0F;

// LED blocks are data records 0..4, FB blocks 5..9.
constexpr int kFbRecordBase = macro::kBlockCount;

struct DataRecord {
    int index;                     // 0..9
    const std::uint8_t* block;     // 68 bytes
};

// The records in use, in the order they are placed after the stream. Counts
// from a file may claim more blocks than the record has.
std::vector<DataRecord> dataRecords(const macro::MacroRecord& r)
{
    std::vector<DataRecord> records;
    const int leds = std::min<int>(r.ledCount, macro::kBlockCount);
    const int fbs = std::min<int>(r.fbCount, macro::kBlockCount);
    for (int i = 0; i < leds; ++i)
        records.push_back({i, r.ledBlock[i]});
    for (int i = 0; i < fbs; ++i)
        records.push_back({kFbRecordBase + i, r.fbBlock[i]});
    return records;
}

// A step count past what the 68-byte block holds would read beyond it.
int recordSteps(const std::uint8_t* block) { return std::min<int>(block[0], kMaxRecordSteps); }
int recordBytes(int steps) { return 4 * steps + 4; }

int eventCountOf(const macro::MacroRecord& r) { return std::min<int>(r.eventCount, macro::kMaxEvents); }

int clampedDelay(const macro::MacroRecord& r, int i) { return std::min<int>(r.delay[i], kMaxEventDelay); }
int fillerCount(int d) { return d > kMaxDelayByte ? d / kMaxDelayByte : 0; }

bool isToggle(std::uint8_t mode) { return (mode & 3) == macro::cycle::Toggle; }
bool isWhileHeld(std::uint8_t mode) { return (mode & 3) == macro::cycle::WhileHeld; }

bool isPresetOrLibrary(int function) { return function >= macro::kFirstPresetFunction; }

// The 16-bit movement value with the sign the sub byte gives it.
void appendSigned16(std::vector<std::uint8_t>& out, int v)
{
    std::uint16_t u = twosComplement16(v);
    out.push_back(lo(u));
    out.push_back(hi(u));
}

} // namespace

bool hasDirectoryEntry(std::uint8_t deviceCode)
{
    switch (deviceCode) {
    case 0x0D: case 0x0E: case 0x0F: case 0x1E: case 0x1F:
        return true;
    default:
        return false;
    }
}

int eventEntryCount(const macro::MacroRecord& r, bool presetOrLibrary)
{
    const int n = eventCountOf(r);
    if (n == 0 && presetOrLibrary)
        return 3;
    int count = n;
    for (int i = 0; i < n; ++i)
        count += fillerCount(clampedDelay(r, i));
    return count;
}

EncodedMacro encodeMacro(const macro::MacroRecord& r, bool presetOrLibrary, std::uint16_t address)
{
    EncodedMacro result;
    result.entryCount = eventEntryCount(r, presetOrLibrary);
    std::vector<std::uint8_t>& out = result.bytes;

    const int plays = isToggle(r.mode) || isWhileHeld(r.mode) ? 1 : r.repeatCount;
    out.push_back(lo(plays));
    out.push_back(hi(plays));

    const std::vector<DataRecord> records = dataRecords(r);
    // LED events refer to a record by number; its address is known once the
    // stream's length is. Remember where to put it.
    struct Patch { std::size_t at; int record; int type; };
    std::vector<Patch> patches;

    const int n = eventCountOf(r);
    for (int i = 0; i < n; ++i) {
        int d = clampedDelay(r, i);
        std::vector<std::uint8_t> fillers;
        for (int f = fillerCount(d); f > 0; --f) {
            if (d > kMaxDelayByte) {
                fillers.push_back(kMaxDelayByte);
                d -= kMaxDelayByte;
            } else {
                fillers.push_back(0);
            }
            fillers.push_back(0);
        }
        if (d == 0)
            d = 1;
        const auto delayByte = static_cast<std::uint8_t>(d);
        const std::uint8_t code = r.code[i];
        const std::uint8_t sub = r.sub[i];
        const int x = r.param[i].x;
        const int y = r.param[i].y;

        switch (code) {
        case macro::kind::Move:
            out.push_back(delayByte);
            out.push_back(code);
            // The firmware always reads four bytes after 0xF6; a direction it
            // does not know moves by nothing, as command 0x0B does.
            switch (sub) {
            case 3: appendSigned16(out, -x); appendSigned16(out, -y); break;
            case 4: appendSigned16(out, -x); appendSigned16(out, y); break;
            case 5: appendSigned16(out, x); appendSigned16(out, -y); break;
            case 6: appendSigned16(out, x); appendSigned16(out, y); break;
            default: appendSigned16(out, 0); appendSigned16(out, 0); break;
            }
            break;
        case macro::kind::Cpi:
            out.push_back(sub == macro::sub::CpiSet ? static_cast<std::uint8_t>(delayByte + 128)
                          : sub == macro::sub::CpiReturn ? delayByte
                                                         : 0);
            out.push_back(code);
            out.push_back(lo(x));
            out.push_back(0);
            break;
        case macro::kind::Led: {
            out.push_back(delayByte);
            out.push_back(code);
            const int record = x & 0xFF;
            const bool knownType = sub >= 13 && sub <= 15;
            const bool inUse = std::any_of(records.begin(), records.end(),
                                           [&](const DataRecord& d) { return d.index == record; });
            if (knownType && inUse) {
                patches.push_back({out.size(), record, sub - 13});
            } else {
                // Nothing to point at: the event goes in without its record.
                ++result.invalidRecordEvents;
            }
            out.push_back(0);
            out.push_back(0);
            break;
        }
        default:
            if (code == macro::kind::Pause) {
                out.push_back(delayByte);
                out.push_back(0);
            } else if (sub == macro::sub::Press) {
                out.push_back(static_cast<std::uint8_t>(delayByte + 128));
                out.push_back(code);
            } else if (sub == macro::sub::Release) {
                out.push_back(delayByte);
                out.push_back(code);
            } else {
                // Neither press nor release: keep its pause, so the entry
                // count still matches what the mouse walks through.
                out.push_back(delayByte);
                out.push_back(0);
            }
            break;
        }
        out.insert(out.end(), fillers.begin(), fillers.end());
    }

    // The stream size the counters give. A record whose counters disagree
    // with its events (a hand-edited file) could encode longer than that and
    // run into its records or the next macro, so the stream always gets at
    // least the room it takes.
    const int counted = 2 + 2 * result.entryCount + 4 * r.xyCount + 2 * (r.f7Count + r.cpiCount + r.faCount) +
                        2 * (r.ledCount + r.fbCount);
    result.streamSize = std::max(roundUp8(counted), roundUp8(static_cast<int>(out.size())));
    out.resize(result.streamSize, 0);

    std::map<int, int> recordAddress;
    for (const DataRecord& rec : records) {
        const int steps = recordSteps(rec.block);
        recordAddress[rec.index] = address + static_cast<int>(out.size());
        const std::size_t start = out.size();
        out.push_back(static_cast<std::uint8_t>(steps - 1));
        out.insert(out.end(), rec.block + 1, rec.block + recordBytes(steps));
        out.resize(start + roundUp8(recordBytes(steps)), 0);
    }
    for (const Patch& p : patches) {
        const int a = recordAddress[p.record];
        if (a > kRecordAddressLimit)
            result.recordBeyondReach = true;
        out[p.at] = lo(a);
        out[p.at + 1] = static_cast<std::uint8_t>((p.type << 6) + ((a >> 8) & 0x3F));
    }
    return result;
}

std::array<std::uint8_t, kDirectoryEntryBytes> directoryEntry(const MacroSlot& slot, int language,
                                                              std::uint16_t macroAddress)
{
    std::array<std::uint8_t, kDirectoryEntryBytes> e{};
    const macro::MacroRecord& r = slot.macro ? *slot.macro : macro::kEmptyRecord;
    const std::uint8_t mode = r.mode;
    const bool toggle = isToggle(mode);
    const bool held = isWhileHeld(mode);
    const int count = slot.macro ? eventEntryCount(r, isPresetOrLibrary(slot.function)) : 0;
    const int f = slot.function;
    const std::uint16_t usage = consumerUsage(f);

    e[0] = 0; // delay unit 1 ms
    e[1] = static_cast<std::uint8_t>((held ? 0x80 : 0) | (count & 0x7F));
    e[2] = f >= kFirstKeyFunction && f <= kLastKeyFunction
               ? static_cast<std::uint8_t>(keys::keyOfPosition(language, f - kFirstKeyFunction))
               : static_cast<std::uint8_t>(keys::kNoKey);
    e[3] = lo(usage);
    e[4] = hi(usage);
    e[5] = lo(macroAddress);
    e[6] = static_cast<std::uint8_t>((toggle ? 0x80 : 0) | (!toggle && !held && (mode & 4) ? 0x40 : 0) |
                                     ((macroAddress >> 8) & 0x3F));
    e[7] = static_cast<std::uint8_t>(((toggle || held) && (mode & 8) ? 0x40 : 0) | ((count >> 7) & 0x3F));
    // Bit 7 is the switch; a value above 127 must not turn it on.
    e[8] = static_cast<std::uint8_t>(((r.vAdjustSwitch & 1) << 7) | (r.vAdjustValue & 0x7F));
    e[9] = 0;
    return e;
}

MacroAreaLayout layOutMacroArea(const MacroSlots& slots, int language)
{
    MacroAreaLayout layout;
    int running = kMacroAreaStart;
    std::map<int, std::uint16_t> firstAddressOf;   // button function -> macro address

    for (int c = 0; c < kConfigurations; ++c) {
        for (int k = 0; k < kDeviceSlots; ++k) {
            const MacroSlot& slot = slots[c][k];
            if (!hasDirectoryEntry(slot.deviceCode))
                continue;
            std::uint16_t address;
            auto shared = firstAddressOf.find(slot.function);
            if (slot.function != macro::kShortcutFunction && shared != firstAddressOf.end()) {
                address = shared->second;
            } else {
                address = static_cast<std::uint16_t>(running);
                const bool hasStream = slot.macro && slot.deviceCode != kConsumerKeyCode &&
                                       slot.function >= macro::kShortcutFunction;
                if (hasStream) {
                    PlacedMacro placed{address, encodeMacro(*slot.macro, isPresetOrLibrary(slot.function), address)};
                    running += std::min<int>(static_cast<int>(placed.encoded.bytes.size()), kMaxMacroReservation);
                    // Past the limit only the count goes on, for the memory gauge.
                    if (running > kMacroAreaLimit)
                        layout.full = true;
                    if (!layout.full)
                        layout.macros.push_back(std::move(placed));
                }
                if (slot.function != macro::kShortcutFunction)
                    firstAddressOf.emplace(slot.function, address);
            }
            layout.addresses[c][k] = address;
            auto entry = directoryEntry(slot, language, address);
            std::copy(entry.begin(), entry.end(),
                      layout.directory.begin() + c * kDirectoryConfigBytes + k * kDirectoryEntryBytes);
        }
    }
    layout.required = running - kMacroAreaStart;
    if (!layout.full)
        layout.end = static_cast<std::uint16_t>(running);
    return layout;
}

std::vector<MemoryBlock> macroAreaPointerBlocks(std::uint16_t end, int soundLighting, int currentConfig)
{
    const int t1 = end + kLightingTableSpacing, t2 = end + 2 * kLightingTableSpacing,
              t3 = end + 3 * kLightingTableSpacing, tablesEnd = end + 4 * kLightingTableSpacing;
    return {
        {kMacroAreaEndAddress, {lo(end), hi(end)}},
        {kLightingTableAddress,
         {lo(t1), hi(t1), lo(t2), hi(t2), lo(t3), hi(t3),
          static_cast<std::uint8_t>(((soundLighting & 1) << 7) + 0x40 + (currentConfig & 3)), 0x71}},
        {kLightingTableEndAddress, {0, lo(tablesEnd), static_cast<std::uint8_t>(hi(tablesEnd) & 0x3F)}},
        {kAreaTerminatorAddress, {0}},
    };
}

std::vector<MemoryBlock> lightingTableBlocks(std::uint16_t end)
{
    // Empty tables: entry count n - 1 = 0xFF and three data bytes. They go
    // where 0x70 and 0x78 say they are.
    std::vector<MemoryBlock> blocks;
    for (int t = 0; t < kLightingTables; ++t) {
        const int address = end + t * kLightingTableSpacing;
        if (address >= kLightingTableLimit)
            break;
        blocks.push_back({static_cast<std::uint16_t>(address), {0xFF, 0x00, 0x00, 0x00}});
    }
    return blocks;
}

std::vector<MemoryBlock> directoryBlocks(const MacroAreaLayout& layout)
{
    std::vector<MemoryBlock> blocks;
    for (int at = 0; at < kDirectoryBytes; at += 8)
        blocks.push_back({static_cast<std::uint16_t>(kDirectoryAddress + at),
                          {layout.directory.begin() + at, layout.directory.begin() + at + 8}});
    return blocks;
}

std::vector<MemoryBlock> macroBlocks(const PlacedMacro& m)
{
    std::vector<MemoryBlock> blocks;
    const auto& bytes = m.encoded.bytes;
    for (std::size_t at = 0; at < bytes.size(); at += 8) {
        const std::size_t n = std::min<std::size_t>(8, bytes.size() - at);
        blocks.push_back({static_cast<std::uint16_t>(m.address + at),
                          {bytes.begin() + static_cast<std::ptrdiff_t>(at),
                           bytes.begin() + static_cast<std::ptrdiff_t>(at + n)}});
    }
    return blocks;
}

std::vector<MemoryBlock> macroAreaBlocks(const MacroAreaLayout& layout, int soundLighting, int currentConfig)
{
    std::vector<MemoryBlock> blocks = directoryBlocks(layout);
    for (MemoryBlock& b : macroAreaPointerBlocks(layout.end, soundLighting, currentConfig))
        blocks.push_back(std::move(b));
    for (const PlacedMacro& m : layout.macros)
        for (MemoryBlock& b : macroBlocks(m))
            blocks.push_back(std::move(b));
    for (MemoryBlock& b : lightingTableBlocks(layout.end))
        blocks.push_back(std::move(b));
    return blocks;
}

AreaWrite writeMacroArea(ReportChannel& ch, const MacroAreaLayout& layout, int soundLighting, int currentConfig,
                         const std::function<void()>& invalidRecord)
{
    for (const MemoryBlock& b : directoryBlocks(layout))
        writeBlock(ch, b);
    for (const MemoryBlock& b : macroAreaPointerBlocks(layout.end, soundLighting, currentConfig))
        writeBlock(ch, b);
    for (const PlacedMacro& m : layout.macros) {
        for (int i = 0; i < m.encoded.invalidRecordEvents; ++i)
            if (invalidRecord)
                invalidRecord();
        if (m.encoded.recordBeyondReach)
            return AreaWrite::Full;
        for (const MemoryBlock& b : macroBlocks(m)) {
            if (b.address > kMacroAreaLimit)
                return AreaWrite::Full;
            writeBlock(ch, b);
        }
    }
    for (const MemoryBlock& b : lightingTableBlocks(layout.end))
        writeBlock(ch, b);
    return AreaWrite::Written;
}

} // namespace device
