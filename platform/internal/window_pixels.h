// What platform/user offers platform/gdi: the client-area pixels of a window.
// A window's device context draws straight into them; after drawing, gdi
// reports the changed rectangle so that the driver presents it.
#ifndef QUILLON_PLATFORM_INTERNAL_WINDOW_PIXELS_H
#define QUILLON_PLATFORM_INTERNAL_WINDOW_PIXELS_H

#include <stdint.h>

#include <vector>

#include <windows.h>

#include "platform/internal/pixels.h"

// The pixels of the window's client area; false for an unknown or destroyed
// window. The buffer can move when the window is resized: ask again for every
// operation instead of keeping the pointer. The caller may write anything
// into them: the window forgets which bitmap rows it shows (below).
bool windowPixels(HWND window, PixelBuffer* out);

// The content id of every row whose pixels are all 0 (black): the rows of
// a new bitmap and of a new window's pixels, so that copying a new black
// picture onto a new window compares nothing.
const uint64_t kZeroRowContent = 1;

// The same pixels for a copy of bitmap rows onto the window (BitBlt), with
// what the window remembers of earlier copies: (*rowContent)[y] is the
// content id (platform/gdi/bitmap_rows.h) of the bitmap row that row y
// shows across its whole width, 0 when not known; the vector is empty when
// nothing is known. The caller keeps it up to date as it copies.
bool windowPixelsForCopy(HWND window, PixelBuffer* out, std::vector<uint64_t>** rowContent);

// The rows of `area` (client coordinates) now show what lay `dy` rows
// below them (above for a negative dy): the caller moved them. A driver
// that can moves what it has shown; otherwise the area is presented as
// changed.
void windowPixelsMoved(HWND window, const RECT& area, int dy);

// Drawing changed `area` (client coordinates) of the window's pixels.
void windowPixelsChanged(HWND window, const RECT& area);

#endif
