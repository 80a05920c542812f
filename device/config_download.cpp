#include "device/config_download.h"

#include "device/key_overrides.h"
#include "device/macro_area.h"
#include "device/memory_transfer.h"
#include "platform/platform.h"
#include "settings/button_catalogue.h"

namespace device {

namespace {

MacroSlots macroSlotsOf(const settings::ConfigStore& store, const DeviceFunctionTable& table,
                        const ButtonMacros& macros)
{
    MacroSlots slots{};
    const int keyNum = std::clamp(store.catalogue.keyNum, 0, settings::kButtons);
    for (int c = 0; c < kConfigurations; ++c) {
        for (int k = 1; k <= kDeviceSlots; ++k) {
            const int b = settings::buttonOfDeviceSlot(store.catalogue, k);
            MacroSlot& slot = slots[c][k - 1];
            slot.deviceCode = table.bySlot[c][k - 1];
            if (b >= 0 && b < keyNum) {
                slot.function = store.buttons[c][b].functionCode;
                slot.macro = macros.macroOf(c, b);
            }
        }
    }
    return slots;
}

} // namespace

MacroAreaUse macroAreaUse(const DownloadSources& sources)
{
    const settings::ConfigStore& store = *sources.store;
    const ButtonMacros macros(store, sources.macros);
    const DeviceFunctionTable table = buildDeviceFunctionTable(store, macros);
    return {layOutMacroArea(macroSlotsOf(store, table, macros), sources.macros.language).required,
            kMacroAreaCapacity};
}

int windowsPointerSpeed(int dpiSpeed)
{
    static const int speeds[] = {0, 1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
    if (dpiSpeed < 0 || dpiSpeed >= static_cast<int>(std::size(speeds)))
        return 6;
    return speeds[dpiSpeed];
}

DownloadResult ConfigDownload::run(const DownloadSources& sources, DownloadHost& host)
{
    {
        std::lock_guard lock(requestMutex_);
        if (running_.load(std::memory_order_acquire)) {
            again_ = true;
            pendingSources_ = sources;
            pendingHost_ = &host;
            return DownloadResult::Queued;
        }
        running_.store(true, std::memory_order_release);
    }
    DownloadSources current = sources;
    DownloadHost* currentHost = &host;
    for (;;) {
        const DownloadResult result = writeImage(current, *currentHost);
        {
            std::lock_guard lock(requestMutex_);
            // After a full area a second pass would only fail the same way.
            if (!again_ || result == DownloadResult::AreaFull) {
                again_ = false;
                running_.store(false, std::memory_order_release);
                return result;
            }
            again_ = false;
            current = pendingSources_;
            currentHost = pendingHost_;
        }
    }
}

DownloadResult ConfigDownload::writeImage(const DownloadSources& sources, DownloadHost& host)
{
    settings::ConfigStore& store = *sources.store;
    const int config = settings::currentConfiguration(store);

    host.switchLeftButtonMacroOff();
    host.noteDpiLevel(settings::currentDpiLevel(store));
    channel_.fetchStatus();

    clearInvalidMacroReferences(store, sources.macros);
    const ButtonMacros macros(store, sources.macros);
    const DeviceFunctionTable table = buildDeviceFunctionTable(store, macros);
    {
        std::lock_guard lock(tableMutex_);
        table_ = table;
    }

    int model;
    {
        std::lock_guard guard(channel_.connection().handleMutex());
        model = channel_.connection().model();
    }
    writeBlock(channel_, headerBlock(model, config));

    const LightingMode lighting = lightingModeFor(store.ledType, store.effectSpeed, lightingMode_.load());
    lightingMode_.store(lighting.mode);
    SettingsAreaInput area;
    area.store = &store;
    area.functions = &table;
    area.currentConfig = config;
    area.lighting = lighting;
    area.effectMask = sources.effectMask;
    for (const MemoryBlock& b : settingsAreaBlocks(area))
        writeBlock(channel_, b);

    const MacroAreaLayout layout = layOutMacroArea(macroSlotsOf(store, table, macros), sources.macros.language);
    if (layout.full)
        return DownloadResult::AreaFull;
    const AreaWrite written = writeMacroArea(channel_, layout, store.soundLighting, config,
                                             [&host] { host.invalidMacroRecord(); });
    if (written == AreaWrite::Full)
        return DownloadResult::AreaFull;

    finishTransfers(channel_);
    applyWindowsSettings(store);
    if (store.softwareMacros == 1)
        sendSoftwareMacroOverrides(channel_, store, config);
    return DownloadResult::Written;
}

void ConfigDownload::applyWindowsSettings(const settings::ConfigStore& store)
{
    platform::SystemSettings* system = platform::os().systemSettings;
    if (!system)
        return;
    if (system->mouseSpeed())
        system->setMouseSpeed(windowsPointerSpeed(store.pointerSpeed));
    if (system->wheelScrollLines())
        system->setWheelScrollLines(store.wheelSpeed);
}

DeviceFunctionTable ConfigDownload::functions() const
{
    std::lock_guard lock(tableMutex_);
    return table_;
}

ConfigDownload& configDownload()
{
    static ConfigDownload download(reports());
    return download;
}

} // namespace device
