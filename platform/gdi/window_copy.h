// Copies of bitmap rows onto a window (BitBlt from a memory device context
// to a window's), which write and present only what the window does not
// show yet. See window_copy.cpp.
#ifndef QUILLON_PLATFORM_GDI_WINDOW_COPY_H
#define QUILLON_PLATFORM_GDI_WINDOW_COPY_H

#include <stdint.h>

#include <vector>

#include "platform/gdi/bitmap_rows.h"
#include "platform/gdi/dc.h"

// Copies `area` of the window `to` (its pixels `target`) from the bitmap
// rows `rows` (pixels `source`), bitmap row fromY landing on row area.top
// and column area.left of the source on area.left of the window (the caller
// has clipped `area` to both); `rowContent` is the window's record of what
// its rows show (windowPixelsForCopy).
void copyRowsOntoWindow(const DcObject& to, const RowStore& rows, const PixelBuffer& target,
                        const PixelBuffer& source, const RECT& area, int fromY, int fromX,
                        std::vector<uint64_t>* rowContent);

#endif
