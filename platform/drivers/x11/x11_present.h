// Presenting windows' pixels on the X server. present() only notes the
// changed rectangle; flushX11Pictures(), which the driver runs before it
// waits for events, sends the noted part from the window's pixels, which
// are a shared image (MIT-SHM) when the server offers it, and by plain
// XPutImage otherwise. movePixels()
// moves shown pixels inside the server (a line scroll).
#ifndef QUILLON_PLATFORM_DRIVERS_X11_X11_PRESENT_H
#define QUILLON_PLATFORM_DRIVERS_X11_X11_PRESENT_H

#include <X11/Xlib.h>

#include "platform/drivers/driver.h"
#include "platform/drivers/x11/x11_windows.h"

// The driver's present entry: `area` of the window's pixels changed.
void x11Present(HWND handle, const RECT& area);

// The driver's lendPixels entry: a shared image as the window's pixels,
// when the server offers MIT-SHM; null otherwise.
uint32_t* x11LendPixels(HWND handle, int width, int height);

// The driver's movePixels entry: XCopyArea of the window onto itself.
bool x11MovePixels(HWND handle, const RECT& area, int dy);

// The server lost `area` of the window (an expose event): send it again.
void pictureExposed(X11Window& window, const RECT& area);

// Sends what changed in every window.
void flushX11Pictures();

// The server finished reading a shared image sent to `drawable` (no put
// asks for this any more).
void pictureSent(Drawable drawable);

// Frees the window's image and GC.
void releasePicture(X11Window& window);

#endif
