#pragma once
// Which names may become file names inside the macro folder. A group's name
// is its file's name, and both the user and an imported file supply names, so
// every name is checked before a path is built from it.
#include "platform/text.h"

namespace macro {

// Not empty, no path separators, "..", drive colons, control characters or
// other characters Windows forbids in file names, and not a device name such
// as CON or LPT1 (with or without an extension).
bool isSafeGroupName(TextView name);

} // namespace macro
