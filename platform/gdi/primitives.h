// The pixel loops of platform/gdi, as one table of primitives per pixel
// format. The callers settle every Win32 rule (clipping, selection, colour
// values) first: a primitive gets rectangles that already lie inside its
// buffers and pixels already in the buffer's format. The layer has one
// format, 32-bit 0x00RRGGBB (platform/internal/pixels.h).
#ifndef QUILLON_PLATFORM_GDI_PRIMITIVES_H
#define QUILLON_PLATFORM_GDI_PRIMITIVES_H

#include <stdint.h>
#include <windows.h>

#include "platform/internal/pixels.h"

// 8-bit coverage of a glyph: `width` x `height` values, rows `width` apart,
// 0 (untouched) to 255 (fully covered).
struct CoverageMask {
  const uint8_t* values;
  int width;
  int height;
};

struct PixelPrimitives {
  // Sets every pixel of `area` to `pixel`.
  void (*solidRect)(const PixelBuffer& dst, const RECT& area, uint32_t pixel);
  // Copies `area` of `dst` from `src`, starting at (srcX, srcY). Source and
  // destination may be the same buffer and overlap.
  void (*copyRect)(const PixelBuffer& dst, const RECT& area, const PixelBuffer& src, int srcX,
                   int srcY);
  // Like copyRect for two different buffers, but writes only the pixels that
  // differ, and returns the bounding box of those (empty when none did).
  // For copies onto a window: the driver then presents only what changed.
  RECT (*copyChangedRect)(const PixelBuffer& dst, const RECT& area, const PixelBuffer& src,
                          int srcX, int srcY);
  // Blends `pixel` over `area` of `dst` by the coverage values, where the
  // coverage value (maskX, maskY) lies under the top-left pixel of `area`.
  void (*blendMask)(const PixelBuffer& dst, const RECT& area, const CoverageMask& mask, int maskX,
                    int maskY, uint32_t pixel);
  uint32_t (*getPixel)(const PixelBuffer& buffer, int x, int y);
  void (*setPixel)(const PixelBuffer& buffer, int x, int y, uint32_t pixel);
};

extern const PixelPrimitives primitives32;

#endif
