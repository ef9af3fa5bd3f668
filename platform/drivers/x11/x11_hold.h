// How a full-screen window holds the screen while it is shown: the driver's
// answer to "no key or click may get past the screen saver, and nothing may
// uncover it" (its password, when one is asked, would otherwise be
// pointless).
//
// The window is override-redirect, with or without a window manager, and
// its password prompt (a popup it owns) too: a window manager cannot
// iconify, unmap, move or lower a window it does not manage, so nothing
// needs to be re-asserted after the fact, with the desktop uncovered in
// between. While it is mapped the driver holds an active keyboard grab and
// pointer grab on it, so that neither the window manager's key bindings
// (Alt+Tab, Super+D) nor another client's grab nor a change of the input
// focus take a key from it; a grab that another client holds is tried again
// every kHoldRetryMs, and after kHoldPatienceMs it is said once on stderr.
// When another window comes above it (raised by its program or the window
// manager), the held window and its popups are raised again; when the focus
// goes to another program's window, it is taken back; when another client
// unmaps it, it is mapped again. The grabs end when the window is hidden or
// destroyed, and with the connection.
#ifndef QUILLON_PLATFORM_DRIVERS_X11_X11_HOLD_H
#define QUILLON_PLATFORM_DRIVERS_X11_X11_HOLD_H

#include <stdint.h>

#include <X11/Xlib.h>

#include "platform/drivers/x11/x11_windows.h"

constexpr int kHoldRetryMs = 100;
constexpr int kHoldPatienceMs = 1000;

// The window that holds the screen, or null.
X11Window* x11HeldWindow();

// The full-screen window was mapped: it holds the screen from now on.
void x11HoldScreen(X11Window& window);
// The window is hidden or destroyed: the grabs go.
void x11ReleaseScreen(X11Window& window);

// Tries the grabs still missing; the time until the next try (or -1 when
// nothing is missing) goes to `nextDueMs`.
void x11RetryHold(uint64_t now, int* nextDueMs);

// The held window, or one of its popups, was obscured, lost the focus, or
// was unmapped by another client: put things right.
void x11KeepOnTop();
void x11TakeFocusBack();
void x11MapAgain(X11Window& window);

// SetCapture grabbed the pointer for one of the program's windows: that grab
// stands in for the held window's. When it ends, the held window grabs the
// pointer again (false: nothing holds the screen).
void x11NoteCapture();
bool x11GrabPointerAgain();

#endif
