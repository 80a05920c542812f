#pragma once

namespace platform {

// Raises the calling thread to the highest normal priority (the device
// threads, whose pauses are a few milliseconds).
void raiseThreadPriority();

} // namespace platform
