// The primitives for 32-bit 0x00RRGGBB pixel buffers (see primitives.h).
#include <string.h>

#include "platform/gdi/primitives.h"

namespace {

uint32_t* pixelAt(const PixelBuffer& buffer, int x, int y) {
  return buffer.pixels + size_t(y) * buffer.width + x;
}

void solidRect(const PixelBuffer& dst, const RECT& area, uint32_t pixel) {
  int width = area.right - area.left;
  for (int y = area.top; y < area.bottom; ++y) {
    uint32_t* row = pixelAt(dst, area.left, y);
    for (int x = 0; x < width; ++x) row[x] = pixel;
  }
}

void copyRect(const PixelBuffer& dst, const RECT& area, const PixelBuffer& src, int srcX,
              int srcY) {
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  // Whole rows of two buffers of one width: a single block.
  if (area.left == 0 && srcX == 0 && width == dst.width && width == src.width) {
    memmove(pixelAt(dst, 0, area.top), pixelAt(src, 0, srcY),
            size_t(width) * height * sizeof(uint32_t));
    return;
  }
  // Within one buffer, a copy downwards must start at the bottom row so that
  // no source row is overwritten before it is read; memmove covers the
  // overlap inside a row.
  bool bottomUp = dst.pixels == src.pixels && area.top > srcY;
  for (int i = 0; i < height; ++i) {
    int row = bottomUp ? height - 1 - i : i;
    memmove(pixelAt(dst, area.left, area.top + row), pixelAt(src, srcX, srcY + row),
            size_t(width) * sizeof(uint32_t));
  }
}

// (a * (255 - c) + b * c) / 255 for each of the three channels, rounded.
uint32_t blend(uint32_t a, uint32_t b, unsigned c) {
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    unsigned from = (a >> shift) & 0xFF, to = (b >> shift) & 0xFF;
    unsigned value = from * (255 - c) + to * c + 128;
    value = (value + (value >> 8)) >> 8;
    result |= value << shift;
  }
  return result;
}

void blendMask(const PixelBuffer& dst, const RECT& area, const CoverageMask& mask, int maskX,
               int maskY, uint32_t pixel) {
  int width = area.right - area.left;
  for (int y = area.top; y < area.bottom; ++y) {
    uint32_t* row = pixelAt(dst, area.left, y);
    const uint8_t* coverage = mask.values + size_t(maskY + (y - area.top)) * mask.width + maskX;
    for (int x = 0; x < width; ++x) {
      unsigned c = coverage[x];
      if (c == 255) {
        row[x] = pixel;
      } else if (c != 0) {
        row[x] = blend(row[x], pixel, c);
      }
    }
  }
}

uint32_t getPixel(const PixelBuffer& buffer, int x, int y) { return *pixelAt(buffer, x, y); }

void setPixel(const PixelBuffer& buffer, int x, int y, uint32_t pixel) {
  *pixelAt(buffer, x, y) = pixel;
}

}  // namespace

const PixelPrimitives primitives32 = {solidRect, copyRect, blendMask, getPixel, setPixel};
