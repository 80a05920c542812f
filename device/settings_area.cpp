#include "device/settings_area.h"

#include "device/hid_connection.h"
#include "settings/button_catalogue.h"

#include <algorithm>

namespace device {

namespace {

std::uint8_t u8(int v) { return static_cast<std::uint8_t>(v & 0xFF); }
int nibble(std::int32_t v) { return v & 0x0F; }

} // namespace

LightingMode lightingModeFor(int ledType, int cycleTime, int previousMode)
{
    if (ledType == kLightingTypeBreathing12)
        return {1, 1, cycleTime};
    if (ledType == kLightingTypeKeepMode)
        return {previousMode, 0, 7};
    return {ledType, 0, cycleTime};
}

MemoryBlock headerBlock(int model, int currentConfig)
{
    const std::uint8_t configByte = u8(((currentConfig << 5) & 0x60) + 3);
    if (model == Model0)
        return {0x00, {0x5A, configByte, 0xA5, 0x40, 0x15, 0xFA, 0x30, 0x10}};
    return {0x01, {configByte}};
}

std::uint8_t buttonByte(const settings::ConfigStore& store, const DeviceFunctionTable& functions, int config, int slot)
{
    const int b = settings::buttonOfDeviceSlot(store.catalogue, slot);
    if (b < 0 || b >= std::clamp(store.catalogue.keyNum, 0, settings::kButtons) || config < 0 ||
        config >= settings::kConfigurations)
        return 0;
    const settings::ButtonSlot& s = store.buttons[config][b];
    return u8(((s.ledReactType & 3) << 6) + ((s.ledReactEnabled & 1) << 5) + (functions.bySlot[config][slot - 1] & 0x1F));
}

std::vector<MemoryBlock> settingsAreaBlocks(const SettingsAreaInput& in)
{
    const settings::ConfigStore& s = *in.store;
    auto key = [&](int config, int slot) { return buttonByte(s, *in.functions, config, slot); };
    auto keys = [&](int config, int first, int last) {
        std::vector<std::uint8_t> out;
        for (int k = first; k <= last; ++k)
            out.push_back(key(config, k));
        return out;
    };
    auto concat = [](std::vector<std::uint8_t> a, std::initializer_list<std::uint8_t> b) {
        a.insert(a.end(), b);
        return a;
    };

    // Bits are set with an if: g++ 12 at -O2 with -fsanitize=undefined
    // vectorises "flag << n" loops into all-ones.
    int q[settings::kDpiLevels];
    int highBits = 0;
    for (int n = 0; n < settings::kDpiLevels; ++n) {
        q[n] = settings::dpiDeviceCode(s.dpiIndex[n]);
        if (q[n] & 0x10)
            highBits |= 1 << n;
    }
    auto dpiPair = [&](int n) { return u8(((q[n] & 0xF) << 4) + (q[n + 1] & 0xF)); };

    int enabledBits = 0;
    for (int n = 0; n < settings::kDpiLevels; ++n)
        if (s.dpiEnabled[n] & 1)
            enabledBits |= 1 << n;

    // Not packed into the store: the save thread may be reading it.
    const int cycleColours = settings::cycleColourMask(s);

    // Un.X: user colour n in the high nibble, DPI level n colour in the low.
    std::vector<std::uint8_t> pairs;
    for (int n = 0; n < 6; ++n) {
        const settings::ColourNibbles& user = s.userColour[n];
        const settings::ColourNibbles& dpi = s.dpiColour[n];
        pairs.push_back(u8((nibble(user.red) << 4) + nibble(dpi.red)));
        pairs.push_back(u8((nibble(user.green) << 4) + nibble(dpi.green)));
        pairs.push_back(u8((nibble(user.blue) << 4) + nibble(dpi.blue)));
    }
    const settings::ColourNibbles& user6 = s.userColour[6];
    const int mask = in.effectMask & 0x3FFF;
    const std::uint8_t feature = u8(((s.effectSymmetry << 6) & 0x40) + ((s.effectDirection << 4) & 0x30) + 10);

    std::uint8_t macroColours[12] = {};
    for (int k = 1; k <= 11; ++k) {
        const int b = settings::buttonOfDeviceSlot(s.catalogue, k);
        if (b >= 0 && b < settings::kButtons)
            macroColours[k] = u8(std::clamp(s.buttons[in.currentConfig & 3][b].macroColour, 0, 6));
    }

    std::vector<MemoryBlock> blocks;
    blocks.push_back({0x08, keys(0, 1, 8)});
    blocks.push_back({0x10, {key(0, 9), 0, 0, u8(highBits), 0x0A, dpiPair(0), dpiPair(2), dpiPair(4)}});
    blocks.push_back({0x18,
                      {u8(0x18 + (settings::currentDpiLevel(s) & 7)), u8(enabledBits), u8(s.fireTime),
                       u8(s.fireTime >> 8), in.lighting.byte(), u8(((s.userColourEnable & 1) << 7) + cycleColours),
                       settings::reportIntervalFor(s.reportRate), 0}});
    blocks.push_back({0x20, {pairs.begin(), pairs.begin() + 8}});
    blocks.push_back({0x28, {pairs.begin() + 8, pairs.begin() + 16}});
    blocks.push_back({0x30, {pairs[16], pairs[17], u8(mask), u8((((in.lighting.mode >> 3) & 1) << 7) + (mask >> 8)), 0,
                             0, 0, 0}});
    blocks.push_back({0x38, concat({0, 0, feature}, {key(0, 10), key(0, 11), key(0, 12),
                                                     u8((nibble(user6.red) << 4) + nibble(user6.green)),
                                                     u8(((s.brightness << 4) & 0x70) + nibble(user6.blue))})});
    blocks.push_back({0x40, concat({0, 1, 2, 0x6E}, {key(1, 1), key(1, 2), key(1, 3), key(1, 4)})});
    blocks.push_back({0x48, keys(1, 5, 12)});
    blocks.push_back({0x50, keys(2, 1, 8)});
    blocks.push_back({0x58, concat(keys(2, 9, 12), {1, 2, 1, 2})});
    blocks.push_back({0x60, keys(3, 1, 8)});
    // Bytes 6..7 of this row are the macro area end, written with the area:
    // if the area does not fit they keep the end of the macros still there.
    blocks.push_back({0x68, concat(keys(3, 9, 12), {1, 2})});
    blocks.push_back({0x98,
                      {u8(macroColours[1] + macroColours[2] * 8), u8(macroColours[3] + macroColours[4] * 8),
                       u8(macroColours[5] + macroColours[6] * 8), u8(macroColours[7] + macroColours[8] * 8),
                       u8(macroColours[9] + macroColours[10] * 8), macroColours[11], 0, 0}});
    return blocks;
}

} // namespace device
