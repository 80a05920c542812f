#pragma once
// The settings area of the mouse's memory (0x00..0x9F): the header, the
// button bytes of the four configurations, the DPI codes, lighting, report
// rate and the macro colours of the current configuration, cut into the
// blocks the download writes. The bytes at 0x6E..0x7F belong to the macro
// area and are written after it is laid out.
#include "device/device_functions.h"
#include "device/memory_transfer.h"
#include "settings/config_store.h"

#include <cstdint>
#include <vector>

namespace device {

// Every lighting effect is in the lighting menu's list.
constexpr std::uint16_t kAllEffects = 0x3FFF;

constexpr std::uint8_t kLightingTypeBreathing12 = 12;   // mode 1 with the flag
constexpr std::uint8_t kLightingTypeKeepMode = 13;      // the mode of the previous download, cycle 7

struct LightingMode {
    int mode = 0;     // 0..15; bit 3 is stored apart from the mode byte
    int flag = 0;
    int cycle = 0;
    std::uint8_t byte() const { return static_cast<std::uint8_t>(0x80 + ((mode & 7) << 4) + (flag << 3) + (cycle & 7)); }
};
// From LED_TYPE and LED_CYCTIME; previousMode is the mode the last download sent.
LightingMode lightingModeFor(int ledType, int cycleTime, int previousMode);

// The 8-byte header at 0 for the second model (product ID 0x1E01); only its
// byte 1 (the current configuration) for the first. Both carry the first
// model's IDs.
MemoryBlock headerBlock(int model, int currentConfig);

// The byte of device slot k (1..14) of configuration c: reaction type and
// switch of the slot's button over its device function code.
std::uint8_t buttonByte(const settings::ConfigStore& store, const DeviceFunctionTable& functions, int config, int slot);

struct SettingsAreaInput {
    const settings::ConfigStore* store = nullptr;
    const DeviceFunctionTable* functions = nullptr;
    int currentConfig = 0;
    LightingMode lighting;
    std::uint16_t effectMask = kAllEffects;
};

// 0x08, 0x10, ..., 0x68 (six bytes: the rest is the macro area end) and 0x98,
// in the order they are written.
std::vector<MemoryBlock> settingsAreaBlocks(const SettingsAreaInput& in);

} // namespace device
