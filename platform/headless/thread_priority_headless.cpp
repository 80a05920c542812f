#include "platform/thread_priority.h"

namespace platform {

// Native tests keep the default priority: nothing they measure needs more.
void raiseThreadPriority() {}

} // namespace platform
