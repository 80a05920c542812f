#include "device/key_overrides.h"

#include "device/commands.h"
#include "settings/button_catalogue.h"

#include <algorithm>

namespace device {

void sendSoftwareMacroOverrides(ReportChannel& ch, const settings::ConfigStore& store, int config)
{
    if (!settings::isValidConfiguration(config))
        return;
    const int keyNum = std::clamp(store.catalogue.keyNum, 0, settings::kButtons);
    for (int b = 0; b < keyNum; ++b) {
        const int slot = settings::deviceSlotOf(store.catalogue, b);
        if (slot != 0 && isHandedToProgram(store.buttons[config][b].functionCode))
            sendKeyOverride(ch, slot, 0);
    }
}

} // namespace device
