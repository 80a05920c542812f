#include "macro/macro_record.h"


#include <algorithm>
#include <cstring>

namespace macro {

namespace {


// Values a new event of each kind starts with.
constexpr std::uint16_t kNewDelay = 100;
constexpr std::uint16_t kNewMoveY = 10;
constexpr std::uint16_t kNewF7X = 1;
constexpr std::uint16_t kNewCpiLevel = 4;    // 800 CPI
constexpr std::uint16_t kNewFAUsage = 0x183;
constexpr std::uint16_t kMaxMoveAmount = 100;
constexpr std::uint8_t kNewLedDuration = 10; // x 122 ms

bool isBlockKind(std::uint8_t code) { return code == kind::Led || code == kind::FB; }

std::uint8_t& blockCount(MacroRecord& r, std::uint8_t code)
{
    return code == kind::Led ? r.ledCount : r.fbCount;
}

std::uint8_t (&blocks(MacroRecord& r, std::uint8_t code))[kBlockCount][kBlockBytes]
{
    return code == kind::Led ? r.ledBlock : r.fbBlock;
}

void copyEvent(MacroRecord& r, int from, int to)
{
    r.code[to] = r.code[from];
    r.sub[to] = r.sub[from];
    r.param[to] = r.param[from];
    r.delay[to] = r.delay[from];
}

void clearEvent(MacroRecord& r, int k)
{
    r.code[k] = 0;
    r.sub[k] = 0;
    r.param[k] = {0, 0};
    r.delay[k] = 0;
}

// The stored event count, never past the arrays whatever a file said.
int validEvents(const MacroRecord& r) { return std::min<int>(r.eventCount, kMaxEvents); }

} // namespace

void clearRecord(MacroRecord& r) { r = kEmptyRecord; }

Text recordName(const MacroRecord& r)
{
    int n = 0;
    while (n < kNameUnits && r.name[n] != 0)
        ++n;
    return Text(r.name, r.name + n);
}

void setRecordName(MacroRecord& r, TextView name)
{
    std::fill(std::begin(r.name), std::end(r.name), char16_t(0));
    size_t n = std::min<size_t>(name.size(), kMaxNameChars);
    if (size_t nul = name.find(char16_t(0)); nul < n)
        n = nul;
    // Never keep half of a surrogate pair at the cut.
    if (n == kMaxNameChars && n < name.size() && name[n - 1] >= 0xD800 && name[n - 1] <= 0xDBFF)
        --n;
    std::copy_n(name.begin(), n, r.name);
}

std::optional<int> kindLimit(std::uint8_t code)
{
    switch (code) {
    case kind::Move:
        return 50;
    case kind::F7:
    case kind::Cpi:
    case kind::Led:
    case kind::FA:
    case kind::FB:
        return 5;
    default:
        return std::nullopt;
    }
}

int kindCounter(const MacroRecord& r, std::uint8_t code)
{
    switch (code) {
    case kind::Move: return r.xyCount;
    case kind::F7: return r.f7Count;
    case kind::Cpi: return r.cpiCount;
    case kind::FA: return r.faCount;
    case kind::Led: return r.ledCount;
    case kind::FB: return r.fbCount;
    default: return 0;
    }
}

namespace {

void changeCounter(MacroRecord& r, std::uint8_t code, int delta)
{
    switch (code) {
    case kind::Move: r.xyCount = std::uint16_t(r.xyCount + delta); break;
    case kind::F7: r.f7Count = std::uint16_t(r.f7Count + delta); break;
    case kind::Cpi: r.cpiCount = std::uint16_t(r.cpiCount + delta); break;
    case kind::FA: r.faCount = std::uint16_t(r.faCount + delta); break;
    case kind::Led: r.ledCount = std::uint8_t(r.ledCount + delta); break;
    case kind::FB: r.fbCount = std::uint8_t(r.fbCount + delta); break;
    default: break;
    }
}

} // namespace

Outcome insertEvent(MacroRecord& r, int pos, std::uint8_t code, std::uint8_t sub)
{
    const int count = r.eventCount;
    if (count + 1 > kMaxEvents) {
        return Outcome::refused(tip::Full);
    }
    if (pos < 0 || pos > count) {
        return Outcome::refused(tip::Failed);
    }
    if (auto limit = kindLimit(code); limit && kindCounter(r, code) + 1 > *limit) {
        return Outcome::refused(tip::Failed);
    }

    // A block event takes the block after the nearest earlier one of its kind;
    // the later ones move up a block. A file can carry indexes that do not fit
    // the counter: refuse rather than copy blocks past the table.
    int newBlock = 0;
    if (isBlockKind(code)) {
        const int used = blockCount(r, code); // below kBlockCount after the limit check
        for (int k = pos; k < count; ++k)
            if (r.code[k] == code && r.param[k].x >= used) {
                return Outcome::refused(tip::Failed);
            }
        for (int k = pos - 1; k >= 0; --k)
            if (r.code[k] == code) {
                if (r.param[k].x >= used) {
                    return Outcome::refused(tip::Failed);
                }
                newBlock = r.param[k].x + 1;
                break;
            }
    }

    r.eventCount = std::uint16_t(count + 1);
    for (int k = count; k > pos; --k)
        copyEvent(r, k - 1, k);

    // The slot at pos still holds the displaced event (or the zero slot after
    // the end); only an XY move keeps something of it, its X amount when that
    // is a valid amount.
    const std::uint16_t oldX = r.param[pos].x;
    r.code[pos] = code;
    r.sub[pos] = sub;
    r.delay[pos] = kNewDelay;
    EventParam p{0, 0};
    switch (code) {
    case kind::Move: p = {oldX <= kMaxMoveAmount ? oldX : std::uint16_t(0), kNewMoveY}; break;
    case kind::F7: p.x = kNewF7X; break;
    case kind::Cpi: p.x = kNewCpiLevel; break;
    case kind::FA: p.x = kNewFAUsage; break;
    case kind::Led:
    case kind::FB: p.x = std::uint16_t(newBlock); break;
    default: break;
    }
    r.param[pos] = p;

    if (isBlockKind(code)) {
        auto& table = blocks(r, code);
        for (int k = count; k > pos; --k) {
            if (r.code[k] != code)
                continue;
            const int x = r.param[k].x;
            r.param[k].x = std::uint16_t(x + 1);
            std::memcpy(table[x + 1], table[x], kBlockBytes);
        }
        std::memset(table[newBlock], 0, kBlockBytes);
        table[newBlock][0] = 1; // one lighting step
        if (code == kind::Led)
            table[newBlock][6] = kNewLedDuration;
    }
    changeCounter(r, code, +1);
    return Outcome::ok();
}

Outcome deleteEvent(MacroRecord& r, int e)
{
    const int count = validEvents(r);
    if (count == 0 || e < 0 || e >= count)
        return Outcome::refused();
    const int n = count - 1;
    r.eventCount = std::uint16_t(n);

    const std::uint8_t code = r.code[e];
    int tipNumber = 0;
    if (kindLimit(code)) {
        if (kindCounter(r, code) == 0)
            tipNumber = tip::Failed; // a counter a file left short; the event goes all the same
        else
            changeCounter(r, code, -1);
    }
    if (isBlockKind(code)) {
        auto& table = blocks(r, code);
        for (int k = e + 1; k <= n; ++k) {
            if (r.code[k] != code)
                continue;
            const int x = r.param[k].x;
            if (x < 1 || x >= kBlockCount)
                continue; // an index no block has; leave the event as it is
            r.param[k].x = std::uint16_t(x - 1);
            std::memcpy(table[x - 1], table[x], kBlockBytes);
        }
        const int left = blockCount(r, code);
        if (left < kBlockCount)
            std::memset(table[left], 0, kBlockBytes);
    }

    for (int k = e; k < n; ++k)
        copyEvent(r, k + 1, k);
    clearEvent(r, n);
    return Outcome::ok(tipNumber);
}

Outcome insertEvent(GroupTable& table, int slot, int pos, std::uint8_t code, std::uint8_t sub)
{
    if (slot < 0 || slot >= kTemplateSlot)
        return Outcome::refused(tip::Failed);
    return insertEvent(table[slot], pos, code, sub);
}

Outcome deleteEvent(GroupTable& table, int slot, int e)
{
    if (slot < 0 || slot >= kTemplateSlot)
        return Outcome::refused();
    return deleteEvent(table[slot], e);
}

bool isMacroReferenceValid(int code, int presetCount, int groupCount, std::span<const int> macroCounts)
{
    if (isPresetFunction(code))
        return code - kFirstPresetFunction < presetCount;
    if (isLibraryFunction(code)) {
        const int g = libraryGroupOf(code);
        const int m = libraryMacroOf(code);
        return g < groupCount && g < int(macroCounts.size()) && m < macroCounts[g];
    }
    return true;
}

} // namespace macro
