// The configuration store's own rules: DPI levels, colours, cycle colours and
// the derived values.
#include <gtest/gtest.h>

#include "settings/config_store.h"

#include <memory>

using namespace settings;

namespace {

std::unique_ptr<ConfigStore> freshStore() { return std::make_unique<ConfigStore>(); }

void enableOnly(ConfigStore& s, std::initializer_list<int> levels)
{
    for (auto& e : s.dpiEnabled)
        e = 0;
    for (int l : levels)
        s.dpiEnabled[l] = 1;
}

} // namespace

TEST(ConfigStoreDefaults, EverythingIsZeroExceptFireTimeAndUserColourEnable)
{
    auto s = freshStore();
    EXPECT_EQ(s->fireTime, 50);
    EXPECT_EQ(s->userColourEnable, 1);
    EXPECT_EQ(s->currentConfig.load(), 0);
    EXPECT_EQ(s->dpiLevel.load(), 0);
    EXPECT_EQ(s->buttons[3][11].functionCode, 0);
    EXPECT_EQ(s->reportInterval, 0);
    EXPECT_EQ(s->catalogue.keyNum, 0);
    EXPECT_EQ(s->catalogue.buttonOfSlot[14], -1) << "no device slot has a button before the catalogue is read";
}

TEST(ConfigStoreConfiguration, OutOfRangeConfigurationNeverIndexesBeyondFour)
{
    auto s = freshStore();
    setCurrentConfiguration(*s, 3);
    EXPECT_EQ(currentConfiguration(*s), 3);
    setCurrentConfiguration(*s, 4);
    EXPECT_EQ(currentConfiguration(*s), 0);
    setCurrentConfiguration(*s, -1);
    EXPECT_EQ(currentConfiguration(*s), 0);
    s->currentConfig = 99; // written behind the setter's back
    EXPECT_EQ(currentConfiguration(*s), 0);
    currentSlot(*s, 40).functionCode = 5;
    EXPECT_EQ(s->buttons[0][11].functionCode, 5);
}

TEST(DpiLevels, DisablingTheOnlyEnabledLevelLeavesItEnabledAndCurrent)
{
    auto s = freshStore();
    enableOnly(*s, {2});
    s->dpiLevel = 2;
    toggleDpiLevelEnabled(*s, 2);
    EXPECT_EQ(s->dpiEnabled[2], 1);
    EXPECT_EQ(s->dpiLevel.load(), 2);
}

TEST(DpiLevels, DisablingTheCurrentLevelStepsForwardAndWraps)
{
    auto s = freshStore();
    enableOnly(*s, {1, 5});
    s->dpiLevel = 5;
    toggleDpiLevelEnabled(*s, 5);
    EXPECT_EQ(s->dpiEnabled[5], 0);
    EXPECT_EQ(s->dpiLevel.load(), 1) << "stepping wraps from 5 to 0 and stops at the first enabled level";

    enableOnly(*s, {0, 2, 3});
    s->dpiLevel = 2;
    toggleDpiLevelEnabled(*s, 2);
    EXPECT_EQ(s->dpiLevel.load(), 3);
}

TEST(DpiLevels, DisablingAnotherLevelKeepsTheCurrentOneAndEnablingIsUnconditional)
{
    auto s = freshStore();
    enableOnly(*s, {0, 4});
    s->dpiLevel = 0;
    toggleDpiLevelEnabled(*s, 4);
    EXPECT_EQ(s->dpiEnabled[4], 0);
    EXPECT_EQ(s->dpiLevel.load(), 0);
    toggleDpiLevelEnabled(*s, 3);
    EXPECT_EQ(s->dpiEnabled[3], 1);
    toggleDpiLevelEnabled(*s, 6);   // no such level
    toggleDpiLevelEnabled(*s, -1);
    EXPECT_EQ(s->dpiLevel.load(), 0);
}

TEST(DpiLevels, SelectingADisabledOrMissingLevelChangesNothing)
{
    auto s = freshStore();
    enableOnly(*s, {0, 3});
    s->dpiLevel = 0;
    selectDpiLevel(*s, 2);
    EXPECT_EQ(s->dpiLevel.load(), 0);
    selectDpiLevel(*s, 6);
    EXPECT_EQ(s->dpiLevel.load(), 0);
    selectDpiLevel(*s, 3);
    EXPECT_EQ(s->dpiLevel.load(), 3);
}

TEST(DpiLevels, IndexOfTheCurrentLevelStaysInsideTheTable)
{
    auto s = freshStore();
    s->dpiLevel = 4;
    setDpiIndexOfCurrentLevel(*s, 22);
    EXPECT_EQ(s->dpiIndex[4], 22);
    setDpiIndexOfCurrentLevel(*s, 23);
    EXPECT_EQ(s->dpiIndex[4], 22);
    setDpiIndexOfCurrentLevel(*s, -3);
    EXPECT_EQ(s->dpiIndex[4], 0);
    s->dpiLevel = 17; // a garbled level never writes outside the six levels
    setDpiIndexOfCurrentLevel(*s, 5);
    EXPECT_EQ(s->dpiIndex[0], 5);
}

TEST(DpiTable, DeviceCodesSkipElevenAndDisplayValuesFollowTheCodes)
{
    const int codes[kDpiTableSize] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    const int dpi[kDpiTableSize] = {200, 400, 600, 800, 1000, 1200, 1400, 1600, 1800, 2000, 2400, 3200,
                                    4000, 4800, 5600, 6400, 7200, 8000, 8800, 9600, 10400, 11200, 12800};
    for (int i = 0; i < kDpiTableSize; ++i) {
        EXPECT_EQ(dpiDeviceCode(i), codes[i]) << "index " << i;
        EXPECT_EQ(dpiDisplayValue(dpiDeviceCode(i)), dpi[i]) << "index " << i;
    }
    EXPECT_EQ(dpiDisplayValue(11), 200);
    EXPECT_EQ(dpiDisplayValue(0), 200);
    EXPECT_EQ(dpiDisplayValue(25), 200);
    // Bytes from a file beyond the table send the nearest real code.
    EXPECT_EQ(dpiDeviceCode(44), 24);
    EXPECT_EQ(dpiDeviceCode(255), 24);
    EXPECT_EQ(dpiDeviceCode(-1), 1);
}

TEST(Colours, ComponentsBecomeNibblesAndNibblesDisplayColours)
{
    EXPECT_EQ(colourNibble(255), 0);
    EXPECT_EQ(colourNibble(0), 15);
    EXPECT_EQ(colourNibble(200), 3);
    EXPECT_EQ(displayColour({0, 0, 0}), 0xFFFFFFu);
    EXPECT_EQ(displayColour({15, 15, 15}), 0x0F0F0Fu);
    EXPECT_EQ(displayColour({3, 0, 15}), 207u | 255u << 8 | 15u << 16);
    // Nibbles from a file beyond 15 still give a byte per component.
    EXPECT_EQ(displayColour({16, 0, 0}) & 0xFF, 255u);

    auto s = freshStore();
    setDpiLevelColour(*s, 5, 200, 255, 0);
    EXPECT_EQ(s->dpiColour[5].red, 3);
    EXPECT_EQ(s->dpiColour[5].green, 0);
    EXPECT_EQ(s->dpiColour[5].blue, 15);
    EXPECT_EQ(s->dpiDisplayColour[5], 207u | 255u << 8 | 15u << 16);
    setUserColour(*s, 6, 0, 0, 0);
    EXPECT_EQ(s->userDisplayColour[6], 0x0F0F0Fu);
    setUserColour(*s, 7, 0, 0, 0); // no eighth colour
    setDpiLevelColour(*s, 6, 0, 0, 0);
}

TEST(CycleColours, AtLeastOneColourStaysInTheCycle)
{
    auto s = freshStore();
    toggleCycleColour(*s, 3);
    EXPECT_EQ(packCycleColours(*s), 0x08);
    toggleCycleColour(*s, 3);
    EXPECT_EQ(s->cycleFlags[3], 1) << "the last colour is not removed";
    toggleCycleColour(*s, 0);
    toggleCycleColour(*s, 6);
    EXPECT_EQ(packCycleColours(*s), 0x49);
    EXPECT_EQ(s->cycleColours, 0x49);
    toggleCycleColour(*s, 3);
    EXPECT_EQ(packCycleColours(*s), 0x41);
    toggleCycleColour(*s, 7);
    EXPECT_EQ(packCycleColours(*s), 0x41);
}

TEST(CycleColours, UnpackTakesBitsZeroToSix)
{
    auto s = freshStore();
    s->cycleColours = 0xFF;
    unpackCycleColours(*s);
    for (int k = 0; k < kUserColours; ++k)
        EXPECT_EQ(s->cycleFlags[k], 1);
    EXPECT_EQ(packCycleColours(*s), 0x7F) << "bit 7 is no colour";
}

TEST(SharedSettings, ReportRateSetsItsIntervalAndEffectResetsDirection)
{
    auto s = freshStore();
    const int interval[] = {7, 3, 1, 0};
    for (int rate = 0; rate < 4; ++rate) {
        setReportRate(*s, rate);
        EXPECT_EQ(s->reportInterval, interval[rate]);
    }
    setReportRate(*s, 7);
    EXPECT_EQ(s->reportInterval, 7);

    s->effectDirection = 3;
    setLightingEffect(*s, 9);
    EXPECT_EQ(s->ledType, 9);
    EXPECT_EQ(s->effectDirection, 0);
}

TEST(SharedSettings, FireTimeIsEightToThreeHundred)
{
    auto s = freshStore();
    setFireTime(*s, 5);
    EXPECT_EQ(s->fireTime, 8);
    setFireTime(*s, 9);
    EXPECT_EQ(s->fireTime, 9);
    setFireTime(*s, 300);
    EXPECT_EQ(s->fireTime, 300);
    setFireTime(*s, 301);
    EXPECT_EQ(s->fireTime, 300);
}

TEST(SharedSettings, RecomputeDerivedFollowsTheSources)
{
    auto s = freshStore();
    s->dpiColour[2] = {15, 0, 0};
    s->userColour[4] = {0, 15, 0};
    s->cycleColours = 0x05;
    s->reportRate = 2;
    recomputeDerived(*s);
    EXPECT_EQ(s->dpiDisplayColour[2], 15u | 255u << 8 | 255u << 16);
    EXPECT_EQ(s->userDisplayColour[4], 255u | 15u << 8 | 255u << 16);
    EXPECT_EQ(s->cycleFlags[0], 1);
    EXPECT_EQ(s->cycleFlags[1], 0);
    EXPECT_EQ(s->cycleFlags[2], 1);
    EXPECT_EQ(s->reportInterval, 1);
}
