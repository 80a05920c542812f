#include "settings/config_store.h"

#include <algorithm>

namespace settings {

namespace {

bool validLevel(int level) { return level >= 0 && level < kDpiLevels; }

} // namespace

ConfigStore::ConfigStore()
{
    for (int slot = 0; slot <= kDeviceSlots; ++slot)
        catalogue.buttonOfSlot[slot] = -1;
}

ConfigStore& store()
{
    static ConfigStore instance;
    return instance;
}

bool isValidConfiguration(int config) { return config >= 0 && config < kConfigurations; }

int currentConfiguration(const ConfigStore& s)
{
    int config = s.currentConfig.load();
    return isValidConfiguration(config) ? config : 0;
}

void setCurrentConfiguration(ConfigStore& s, int config)
{
    s.currentConfig = isValidConfiguration(config) ? config : 0;
}

ButtonSlot& currentSlot(ConfigStore& s, int button)
{
    return s.buttons[currentConfiguration(s)][std::clamp(button, 0, kButtons - 1)];
}

int currentDpiLevel(const ConfigStore& s)
{
    int level = s.dpiLevel.load();
    return validLevel(level) ? level : 0;
}

void selectDpiLevel(ConfigStore& s, int level)
{
    if (validLevel(level) && s.dpiEnabled[level])
        s.dpiLevel = level;
}

void toggleDpiLevelEnabled(ConfigStore& s, int level)
{
    if (!validLevel(level))
        return;
    if (!s.dpiEnabled[level]) {
        s.dpiEnabled[level] = 1;
        return;
    }
    s.dpiEnabled[level] = 0;
    if (level != s.dpiLevel.load())
        return;
    int next = level;
    for (int step = 0; step < kDpiLevels; ++step) {
        next = (next + 1) % kDpiLevels;
        if (s.dpiEnabled[next]) {
            s.dpiLevel = next;
            return;
        }
    }
    // It was the only enabled level: it stays.
    s.dpiEnabled[level] = 1;
    s.dpiLevel = level;
}

void setDpiIndexOfCurrentLevel(ConfigStore& s, int index)
{
    s.dpiIndex[currentDpiLevel(s)] = static_cast<std::uint8_t>(std::clamp(index, 0, kDpiTableSize - 1));
}

int dpiDeviceCode(int index)
{
    index = std::clamp(index, 0, kDpiTableSize - 1);
    // Device code 11 is not used: the table jumps from 2000 to 2400 DPI there.
    return index <= 9 ? index + 1 : index + 2;
}

int dpiDisplayValue(int deviceCode)
{
    if (deviceCode >= 2 && deviceCode <= 10)
        return 200 * deviceCode;
    if (deviceCode >= 12 && deviceCode <= 23)
        return 2400 + 800 * (deviceCode - 12);
    if (deviceCode == 24)
        return 12800;
    return 200;
}

std::int32_t colourNibble(int component)
{
    return (255 - std::clamp(component, 0, 255)) / 16;
}

std::uint32_t displayColour(const ColourNibbles& n)
{
    auto part = [](std::int32_t nibble) {
        return static_cast<std::uint32_t>(255 - 16 * (nibble & 0x0F));
    };
    return part(n.red) | part(n.green) << 8 | part(n.blue) << 16;
}

void setDpiLevelColour(ConfigStore& s, int level, int red, int green, int blue)
{
    if (!validLevel(level))
        return;
    s.dpiColour[level] = {colourNibble(red), colourNibble(green), colourNibble(blue)};
    s.dpiDisplayColour[level] = displayColour(s.dpiColour[level]);
}

void setUserColour(ConfigStore& s, int colour, int red, int green, int blue)
{
    if (colour < 0 || colour >= kUserColours)
        return;
    s.userColour[colour] = {colourNibble(red), colourNibble(green), colourNibble(blue)};
    s.userDisplayColour[colour] = displayColour(s.userColour[colour]);
}

void toggleCycleColour(ConfigStore& s, int colour)
{
    if (colour < 0 || colour >= kUserColours)
        return;
    if (!s.cycleFlags[colour]) {
        s.cycleFlags[colour] = 1;
        return;
    }
    int set = 0;
    for (int flag : s.cycleFlags)
        set += flag ? 1 : 0;
    if (set >= 2)
        s.cycleFlags[colour] = 0;
}

std::uint8_t cycleColourMask(const ConfigStore& s)
{
    std::uint8_t byte = 0;
    for (int k = 0; k < kUserColours; ++k)
        if (s.cycleFlags[k])
            byte |= static_cast<std::uint8_t>(1u << k);
    return byte;
}

std::uint8_t packCycleColours(ConfigStore& s)
{
    s.cycleColours = cycleColourMask(s);
    return s.cycleColours;
}

void unpackCycleColours(ConfigStore& s)
{
    for (int k = 0; k < kUserColours; ++k)
        s.cycleFlags[k] = (s.cycleColours >> k) & 1;
}

std::uint8_t reportIntervalFor(int reportRate)
{
    switch (reportRate) {
    case 0: return 7;  // 125 Hz
    case 1: return 3;  // 250 Hz
    case 2: return 1;  // 500 Hz
    case 3: return 0;  // 1000 Hz
    default: return 7;
    }
}

void setReportRate(ConfigStore& s, int reportRate)
{
    s.reportRate = static_cast<std::uint8_t>(reportRate);
    s.reportInterval = reportIntervalFor(reportRate);
}

void setLightingEffect(ConfigStore& s, int effect)
{
    s.ledType = static_cast<std::uint8_t>(effect);
    s.effectDirection = 0;
}

void setFireTime(ConfigStore& s, int value)
{
    s.fireTime = std::clamp(value, kMinFireTime, kMaxFireTime);
}

void recomputeDerived(ConfigStore& s)
{
    for (int i = 0; i < kDpiLevels; ++i)
        s.dpiDisplayColour[i] = displayColour(s.dpiColour[i]);
    for (int i = 0; i < kUserColours; ++i)
        s.userDisplayColour[i] = displayColour(s.userColour[i]);
    unpackCycleColours(s);
    s.reportInterval = reportIntervalFor(s.reportRate);
}

} // namespace settings
