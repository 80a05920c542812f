#pragma once
// Software-macro mode: the mouse reports the buttons that carry a macro (or
// function 18) to the program instead of acting on them itself. Command 0x10
// hands each such device slot over until the next download.
#include "device/report_channel.h"
#include "settings/config_store.h"

namespace device {

// Whether a button function is played by the program in software-macro mode:
// function 18 and the macros from 41 on. The special functions from 30000 on
// stay with the mouse, which is the only one that can carry them out. The
// download hands these buttons over and the status reader plays them.
constexpr bool isHandedToProgram(int function) { return function == 18 || (function >= 41 && function <= 29999); }

// {device slot, 0} for every button of `config` below KeyNum whose function is
// handed to the program. Buttons without a device slot have nothing to hand over.
void sendSoftwareMacroOverrides(ReportChannel& ch, const settings::ConfigStore& store, int config);

} // namespace device
