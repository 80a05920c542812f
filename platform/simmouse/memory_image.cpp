#include "platform/simmouse/memory_image.h"

#include <algorithm>

namespace platform::sim {

namespace {

int at(const MemoryImage& m, int address) { return m[static_cast<std::uint16_t>(address)]; }
int word(const MemoryImage& m, int address) { return at(m, address) | at(m, address + 1) << 8; }
int signed16(int v) { return v >= 0x8000 ? v - 0x10000 : v; }

// The button byte of configuration c, device slot k (1..12).
int buttonAddress(int c, int k)
{
    switch (c) {
    case 0:
        if (k <= 8)
            return 0x08 + k - 1;
        if (k == 9)
            return 0x10;
        return 0x3B + k - 10;
    case 1:
        return k <= 4 ? 0x44 + k - 1 : 0x48 + k - 5;
    case 2:
        return 0x50 + k - 1;
    default:
        return 0x60 + k - 1;
    }
}

ImageButton decodeButton(int byte)
{
    return {byte & 0x1F, (byte >> 5) & 1, (byte >> 6) & 3};
}

bool bytesAre(const MemoryImage& m, int address, std::initializer_list<int> values)
{
    for (int v : values)
        if (at(m, address++) != v)
            return false;
    return true;
}

// An item cut short by the end of memory is not part of the macro.
bool dropLast(ImageMacro& macro)
{
    macro.items.pop_back();
    return true;
}

} // namespace

ImageSettings decodeSettings(const MemoryImage& m)
{
    ImageSettings s;
    s.headerByte1 = static_cast<std::uint8_t>(at(m, 1));
    s.headerConfiguration = (s.headerByte1 >> 5) & 3;
    s.headerValid = at(m, 0) == 0x5A && (s.headerByte1 & 0x9F) == 3 &&
                    bytesAre(m, 2, {0xA5, 0x40, 0x15, 0xFA, 0x30, 0x10});

    for (int c = 0; c < kImageConfigurations; ++c)
        for (int k = 1; k <= kImageStoredSlots; ++k)
            s.buttons[c][k - 1] = decodeButton(at(m, buttonAddress(c, k)));

    const int highBits = at(m, 0x13);
    for (int n = 0; n < 6; ++n) {
        const int packed = at(m, 0x15 + n / 2);
        const int low = n % 2 == 0 ? packed >> 4 : packed & 0x0F;
        s.dpiCodes[n] = low | ((highBits >> n) & 1) << 4;
    }

    s.dpiLevel = at(m, 0x18) & 7;
    for (int n = 0; n < 6; ++n)
        s.dpiEnabled[n] = (at(m, 0x19) >> n) & 1;
    s.fireTime = word(m, 0x1A);
    const int mode = at(m, 0x1C);
    s.lightingMode = ((mode >> 4) & 7) | ((at(m, 0x33) >> 7) & 1) << 3;
    s.lightingFlag = (mode >> 3) & 1;
    s.cycleTime = mode & 7;
    s.userColourEnable = (at(m, 0x1D) >> 7) & 1;
    s.cycleColours = at(m, 0x1D) & 0x7F;
    s.reportInterval = at(m, 0x1E);

    // Colour pairs: user colour n in the high nibble, DPI level n in the low.
    for (int n = 0; n < 6; ++n) {
        const int base = 0x20 + 3 * n;
        auto pair = [&](int i, int ImageColour::*field) {
            s.userColours[n].*field = at(m, base + i) >> 4;
            s.dpiColours[n].*field = at(m, base + i) & 0x0F;
        };
        pair(0, &ImageColour::red);
        pair(1, &ImageColour::green);
        pair(2, &ImageColour::blue);
    }
    s.effectMask = at(m, 0x32) | (at(m, 0x33) & 0x3F) << 8;
    const int feature = at(m, 0x3A);
    s.symmetry = (feature >> 6) & 1;
    s.direction = (feature >> 4) & 3;
    s.userColours[6] = {at(m, 0x3E) >> 4, at(m, 0x3E) & 0x0F, at(m, 0x3F) & 0x0F};
    s.brightness = (at(m, 0x3F) >> 4) & 7;

    for (int k = 1; k <= 11; ++k) {
        const int packed = at(m, 0x98 + (k - 1) / 2);
        s.macroColours[k - 1] = k == 11 ? packed : (k % 2 == 1 ? packed & 7 : packed >> 3);
    }

    s.fixedBytesValid = at(m, 0x11) == 0 && at(m, 0x12) == 0 && at(m, 0x14) == 0x0A && (at(m, 0x18) & 0xF8) == 0x18 &&
                        (mode & 0x80) && at(m, 0x1F) == 0 && bytesAre(m, 0x34, {0, 0, 0, 0}) &&
                        bytesAre(m, 0x38, {0, 0}) && (feature & 0x8F) == 10 && (at(m, 0x3F) & 0x80) == 0 &&
                        bytesAre(m, 0x40, {0, 1, 2, 0x6E}) && bytesAre(m, 0x5C, {1, 2, 1, 2}) &&
                        bytesAre(m, 0x6C, {1, 2}) && bytesAre(m, 0x9E, {0, 0});
    return s;
}

ImageDirectoryEntry decodeDirectoryEntry(const MemoryImage& m, int configuration, int deviceSlot)
{
    ImageDirectoryEntry e;
    if (configuration < 0 || configuration >= kImageConfigurations || deviceSlot < 1 || deviceSlot > kImageDeviceSlots)
        return e;
    const int base = 0xA0 + configuration * 140 + (deviceSlot - 1) * 10;
    for (int i = 0; i < 10; ++i) {
        e.bytes[i] = static_cast<std::uint8_t>(at(m, base + i));
        e.present = e.present || e.bytes[i] != 0;
    }
    const auto& b = e.bytes;
    e.delayUnit = b[0] + 1;
    e.whileHeld = b[1] & 0x80;
    e.toggle = b[6] & 0x80;
    e.modeBit2 = b[6] & 0x40;
    e.modeBit3 = b[7] & 0x40;
    e.entryCount = (b[1] & 0x7F) | (b[7] & 0x3F) << 7;
    e.keyCode = b[2];
    e.consumerUsage = b[3] | b[4] << 8;
    e.address = b[5] | (b[6] & 0x3F) << 8;
    e.vAdjustSwitch = b[8] >> 7;
    e.vAdjustValue = b[8] & 0x7F;
    return e;
}

bool decodeMacro(const MemoryImage& m, const ImageDirectoryEntry& e, ImageMacro& macro)
{
    if (!e.present)
        return false;
    macro.items.clear();
    macro.runsOffMemory = false;
    macro.address = e.address;
    macro.playCount = word(m, e.address);
    int p = e.address + 2;
    // An item takes two bytes at least: what memory can hold bounds a count of up to 65,535.
    macro.items.reserve(size_t(std::clamp((static_cast<int>(m.size()) - p) / 2, 0, e.entryCount)));
    auto need = [&](int n) {
        if (p + n > static_cast<int>(m.size())) {
            macro.runsOffMemory = true;
            return false;
        }
        return true;
    };
    for (int i = 0; i < e.entryCount; ++i) {
        if (!need(2))
            break;
        // Built in place: a macro can hold tens of thousands of items.
        ImageItem& item = macro.items.emplace_back();
        const int first = at(m, p);
        item.code = at(m, p + 1);
        item.delay = first & 0x7F;
        item.press = first & 0x80;
        p += 2;
        switch (item.code) {
        case 0xF6:
            if (!need(4))
                return dropLast(macro);
            item.dx = signed16(word(m, p));
            item.dy = signed16(word(m, p + 2));
            p += 4;
            break;
        case 0xF8:
            if (!need(2))
                return dropLast(macro);
            item.cpiCode = at(m, p);
            p += 2;
            break;
        case 0xF9: {
            if (!need(2))
                return dropLast(macro);
            item.ledAddress = at(m, p) | (at(m, p + 1) & 0x3F) << 8;
            item.ledType = at(m, p + 1) >> 6;
            p += 2;
            // The record: n - 1, then 4n + 3 bytes; given back as the macro holds it (n first).
            const int steps = (at(m, item.ledAddress) + 1) & 0xFF;
            if (item.ledAddress + 4 * steps + 4 > static_cast<int>(m.size())) {
                macro.runsOffMemory = true;
                break;
            }
            item.ledRecord.reserve(size_t(4 * steps + 4));
            item.ledRecord.push_back(static_cast<std::uint8_t>(steps));
            for (int j = 1; j < 4 * steps + 4; ++j)
                item.ledRecord.push_back(static_cast<std::uint8_t>(at(m, item.ledAddress + j)));
            break;
        }
        default:
            break;
        }
    }
    return true;
}

std::optional<ImageMacro> decodeMacro(const MemoryImage& m, const ImageDirectoryEntry& e)
{
    ImageMacro macro;
    if (!decodeMacro(m, e, macro))
        return std::nullopt;
    return macro;
}

Timeline timelineOf(const ImageMacro& m)
{
    Timeline t;
    for (const ImageItem& item : m.items) {
        if (item.code == 0) {
            if (t.actions.empty())
                t.leadInMs += item.delay;
            else
                t.actions.back().waitMs += item.delay;
            continue;
        }
        TimedAction a;
        a.code = item.code;
        a.press = item.press;
        a.dx = item.dx;
        a.dy = item.dy;
        a.cpiCode = item.cpiCode;
        a.ledType = item.ledType;
        a.ledRecord = item.ledRecord;
        a.waitMs = item.delay;
        t.actions.push_back(std::move(a));
    }
    return t;
}

ImageLightingTables decodeLightingTables(const MemoryImage& m)
{
    ImageLightingTables t;
    t.end = word(m, 0x6E);
    t.addresses[0] = t.end;
    t.addresses[1] = word(m, 0x70);
    t.addresses[2] = word(m, 0x72);
    t.addresses[3] = word(m, 0x74);
    t.addresses[4] = at(m, 0x79) | (at(m, 0x7A) & 0x3F) << 8;
    t.soundLighting = at(m, 0x76) >> 7;
    t.configuration = at(m, 0x76) & 3;
    t.pointerBlocksValid = (at(m, 0x76) & 0x7C) == 0x40 && at(m, 0x77) == 0x71 && at(m, 0x78) == 0 && at(m, 0x7F) == 0;
    for (int i = 0; i < 5; ++i)
        t.tablesEmpty[i] = bytesAre(m, t.addresses[i], {0xFF, 0, 0, 0});
    return t;
}

} // namespace platform::sim
