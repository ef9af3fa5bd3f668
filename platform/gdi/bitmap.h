// Bitmaps of platform/gdi: 32-bit pixels in the 0x00RRGGBB format of
// platform/internal/pixels.h, in rows that bitmaps share until they are
// drawn on (bitmap_rows.h).
#ifndef QUILLON_PLATFORM_GDI_BITMAP_H
#define QUILLON_PLATFORM_GDI_BITMAP_H

#include "platform/gdi/bitmap_rows.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/internal/pixels.h"

struct BitmapObject : GdiObject {
  RowStore rows;
  int width = 0;
  int height = 0;
  // What GetObjectA reports: 32, or 1 for the stock bitmap, which Win32
  // makes monochrome (this layer stores it in 32 bits like the others).
  WORD reportedBitsPixel = 32;
  ~BitmapObject() override;
};

PixelBuffer bitmapPixels(const BitmapObject& bitmap);

// The 1x1 stock bitmap that every new memory device context holds.
BitmapObject* defaultBitmap();

// A new black bitmap; NULL when the size is not positive or too large.
HBITMAP newBitmap(int width, int height);

int bitmapObjectInfo(const BitmapObject& bitmap, int size, void* buffer);

#endif
