// What platform/user offers platform/gdi: the client-area pixels of a window.
// A window's device context draws straight into them; after drawing, gdi
// reports the changed rectangle so that the driver presents it.
#ifndef QUILLON_PLATFORM_INTERNAL_WINDOW_PIXELS_H
#define QUILLON_PLATFORM_INTERNAL_WINDOW_PIXELS_H

#include <windows.h>

#include "platform/internal/pixels.h"

// The pixels of the window's client area; false for an unknown or destroyed
// window. The buffer can move when the window is resized: ask again for every
// operation instead of keeping the pointer.
bool windowPixels(HWND window, PixelBuffer* out);

// Drawing changed `area` (client coordinates) of the window's pixels.
void windowPixelsChanged(HWND window, const RECT& area);

#endif
