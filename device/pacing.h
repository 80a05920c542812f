#pragma once
// The waits of the device threads. A macro's pauses must never be shorter
// than stored and should not be much longer, whatever the OS timer does: the
// time is measured on the monotonic clock, whole milliseconds are slept and
// the last fraction is waited out. The idle pauses between passes only sleep. A thread asked to park in the middle of a
// wait parks there and waits the rest after it resumes.
#include "device/thread_park.h"
#include "platform/clock.h"

#include <cstdint>

namespace device {

// Longest single sleep, so that a park request is noticed in time.
constexpr unsigned kPacingSliceMs = 5;

// Waits until the monotonic clock reaches `deadlineUs`. A park in between
// moves the deadline on by the time spent parked. Returns false, possibly
// early, when the thread is asked to end.
bool waitUntil(platform::Clock& clock, ParkGate* gate, std::int64_t& deadlineUs);

// Waits at least `ms` from now, as precisely as waitUntil.
bool waitMs(platform::Clock& clock, ParkGate* gate, unsigned ms);

// The pause between two passes of a device thread: at least `ms`, slept in
// whole milliseconds and never spun, since nothing between passes needs
// sub-millisecond precision and the threads run all day in the tray. Parks
// and ends as waitUntil does.
bool pauseMs(platform::Clock& clock, ParkGate* gate, unsigned ms);

} // namespace device
