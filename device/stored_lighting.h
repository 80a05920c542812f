#pragma once
// The lighting the user stored, as the program sends it with command 0x13
// outside a download: when the DPI level is synchronised and when the
// left-button macro hands the lights back. The program itself can express
// effects 0..7 only; bit 3 of the effect belongs to the sound lighting.
#include "device/commands.h"
#include "device/playback_context.h"
#include "settings/config_store.h"

namespace device {

// The lighting fields of the store.
PlaybackLighting storedLighting(const settings::ConfigStore& s);

// Command 0x13 for them: switch bit on, effect and cycle time cut to 0..7, value 0x002.
LightingEffect storedLightingCommand(const PlaybackLighting& l);

} // namespace device
