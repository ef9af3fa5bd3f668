// The X11 driver's wait for events: waitEvents, and the clock it runs on.
#ifndef QUILLON_PLATFORM_DRIVERS_X11_X11_EVENTS_H
#define QUILLON_PLATFORM_DRIVERS_X11_X11_EVENTS_H

#include <stdint.h>

#include <windows.h>

// Milliseconds of the system's monotonic clock since the driver opened.
uint64_t x11ClockMs();
void startX11Clock();

// Sends what changed in the windows' pictures, then waits up to
// `timeoutMs` (INFINITE: without limit) for X events and turns them into
// calls of platform/user's driver* functions. Returns once one was called,
// or when the time is up.
void x11WaitEvents(DWORD timeoutMs);

#endif
