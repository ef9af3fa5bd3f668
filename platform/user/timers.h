// Timers as the message queue and window destruction use them.
#ifndef QUILLON_PLATFORM_USER_TIMERS_H
#define QUILLON_PLATFORM_USER_TIMERS_H

#include <stdint.h>

#include <windows.h>

// Stops every timer of a window that is destroyed.
void killWindowTimers(HWND window);

// The earliest time (driver clock) at which a timer that the filters accept
// is due; false when there is none.
bool nextTimerDue(HWND filter, UINT first, UINT last, uint64_t* due);

// A WM_TIMER message for the due timer that the filters accept and that is
// due longest; with `remove` the timer starts its next interval from now, so
// an overdue timer fires once, not once per missed interval.
bool takeDueTimer(HWND filter, UINT first, UINT last, bool remove, MSG* message);

// Whether `callback` is the callback of a running timer (DispatchMessageA
// calls no other function from a WM_TIMER message).
bool isTimerCallback(LPARAM callback);

#endif
