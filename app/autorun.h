#pragma once
// The log-on autorun entry: a value named after the product in the machine's
// Run key. The program only ever removes it, at every start.
#include "platform/text.h"

namespace app {

namespace autorun {
constexpr int NoPath = -1;      // the executable's path could not be had
constexpr int NoAccess = 0;     // the Run key cannot be opened for writing
constexpr int Done = 1;
constexpr int Failed = 255;     // the value could not be written or deleted
} // namespace autorun

// The value an enabled entry holds: the executable path in quotes, and
// " -silent" for the silent form.
Text autorunCommand(const Text& executablePath, bool silent);

// Writes (enable) or deletes the entry `name`; returns one of autorun::*.
int setAutorun(bool enable, const Text& name, bool silent);

} // namespace app
