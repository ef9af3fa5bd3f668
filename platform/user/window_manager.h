// What the files of platform/user offer each other for placing, showing,
// activating and painting windows, and for the trace.
#ifndef QUILLON_PLATFORM_USER_WINDOW_MANAGER_H
#define QUILLON_PLATFORM_USER_WINDOW_MANAGER_H

#include <string>

#include <windows.h>

#include "platform/user/window.h"

// "w<number>" for the layer's windows, "x<number>" for a foreign window,
// "none" for null: how the trace names windows.
std::string windowLabel(HWND handle);

// A window's record, or null with ERROR_INVALID_WINDOW_HANDLE set.
Window* windowOrError(HWND handle);

// Moves and/or resizes the record to `rect` (parent client coordinates):
// the pixels keep what fits, newly exposed parts (or all, with the class's
// CS_HREDRAW/CS_VREDRAW) become invalid unless `redraw` is false, and the
// driver or the native ancestor hears of it.
void placeWindow(Window& window, const RECT& rect, bool redraw);

// Gives the window pixels of its client size, keeping what fits of the
// old ones (oldWidth x oldHeight) and blanking the rest; a native window's
// driver may lend the memory (DisplayDriver::lendPixels).
void resizePixels(Window& window, int oldWidth, int oldHeight);

// Shows or hides the record and its native window; showing invalidates it.
void setVisible(Window& window, bool visible);

// Brings the window to the top of its siblings (and its native window up).
void raiseWindow(Window& window);

// The whole picture of the window's native ancestor changed (a child window
// moved, appeared or disappeared).
void presentAll(Window& window);

// Visible, and every ancestor visible.
bool isDrawable(const Window& window);

// Invalidates `rect` (client coordinates; null for the whole client area)
// of a drawable window and of the child windows it covers unless the window
// has WS_CLIPCHILDREN.
void invalidateWindow(Window& window, const RECT* rect, bool erase);

// Makes a top-level window the active one (WM_ACTIVATE to the old and the
// new one); null deactivates.
void activateWindow(HWND window);
// The window is going away or being hidden: activate the next visible
// top-level window if it was the active one.
void activateOtherWindow(HWND leaving);

// Forgets a window that is being destroyed in the focus, capture and
// activation state.
void forgetInputWindow(HWND window);

// The first window in need of WM_PAINT that the filter accepts (see
// messageFilterAccepts in message_queue.h); null when none.
HWND windowToPaint(HWND filter);

// Sends WM_ERASEBKGND with a window device context if an erase is pending;
// returns whether the window said it erased.
bool eraseIfPending(Window& window);

#endif
