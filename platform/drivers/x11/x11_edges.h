// Resizing a borderless, resizable window by its edges. The window has no
// frame of its own, so a band of a few pixels along the inside of its edges
// acts as the sizing frame: the pointer takes a resize shape there, and a
// left-button press there starts a resize instead of reaching the window.
// The window manager runs the resize when it offers _NET_WM_MOVERESIZE (its
// size changes then arrive as configure events); otherwise the driver runs
// it itself and reports it when the button is released.
#ifndef QUILLON_PLATFORM_DRIVERS_X11_X11_EDGES_H
#define QUILLON_PLATFORM_DRIVERS_X11_X11_EDGES_H

#include <X11/Xlib.h>

#include "platform/drivers/x11/x11_windows.h"

// A left-button press: true when it started a resize and is used up.
bool startEdgeResize(X11Window& window, const XButtonEvent& press);

// Pointer motion: true when it belongs to a resize the driver runs. Other
// motion only updates the pointer's shape.
bool trackEdgeResize(X11Window& window, const XMotionEvent& motion);

// A left-button release: true when it ended a resize the driver ran; the
// new place and size have then been reported to platform/user (so the
// window may be gone when this returns).
bool finishEdgeResize(X11Window& window, const XButtonEvent& release);

#endif
