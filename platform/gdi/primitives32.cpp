// The primitives for 32-bit 0x00RRGGBB pixel buffers (see primitives.h).
#include <string.h>

#include "platform/gdi/primitives.h"
#include "platform/internal/pixel_runs.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Copies of at least this many bytes between two buffers bypass the caches:
// a full-screen copy would evict them anyway, and writing around them halves
// the memory traffic (no read of the destination before it is written).
const size_t kStreamingCopyBytes = size_t(1) << 20;

// memcpy with non-temporal stores where the processor has them; the caller
// ends a series of these with finishStreaming().
void streamCopy(void* dst, const void* src, size_t bytes) {
#if defined(__SSE2__)
  char* to = static_cast<char*>(dst);
  const char* from = static_cast<const char*>(src);
  size_t head = (16 - (reinterpret_cast<uintptr_t>(to) & 15)) & 15;
  if (head > bytes) head = bytes;
  memcpy(to, from, head);
  to += head, from += head, bytes -= head;
  for (; bytes >= 64; to += 64, from += 64, bytes -= 64) {
    const __m128i* in = reinterpret_cast<const __m128i*>(from);
    __m128i a = _mm_loadu_si128(in), b = _mm_loadu_si128(in + 1);
    __m128i c = _mm_loadu_si128(in + 2), d = _mm_loadu_si128(in + 3);
    __m128i* out = reinterpret_cast<__m128i*>(to);
    _mm_stream_si128(out, a);
    _mm_stream_si128(out + 1, b);
    _mm_stream_si128(out + 2, c);
    _mm_stream_si128(out + 3, d);
  }
  memcpy(to, from, bytes);
#else
  memcpy(dst, src, bytes);
#endif
}

void finishStreaming() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
}

uint32_t* pixelAt(const PixelBuffer& buffer, int x, int y) { return pixelRow(buffer, y) + x; }

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
  size_t rowBytes = size_t(width) * sizeof(uint32_t);
  bool sameBuffer = dst.pixels == src.pixels && dst.rows == src.rows;
  // Whole rows of two single-block buffers of one width: a single block.
  bool wholeRows = area.left == 0 && srcX == 0 && width == dst.width && width == src.width &&
                   !dst.rows && !src.rows;
  if (!sameBuffer && rowBytes * height >= kStreamingCopyBytes) {
    if (wholeRows) {
      streamCopy(pixelAt(dst, 0, area.top), pixelAt(src, 0, srcY), rowBytes * height);
    } else {
      for (int row = 0; row < height; ++row) {
        streamCopy(pixelAt(dst, area.left, area.top + row), pixelAt(src, srcX, srcY + row), rowBytes);
      }
    }
    finishStreaming();
    return;
  }
  if (wholeRows) {
    memmove(pixelAt(dst, 0, area.top), pixelAt(src, 0, srcY), rowBytes * height);
    return;
  }
  // Within one buffer, a copy downwards must start at the bottom row so that
  // no source row is overwritten before it is read; memmove covers the
  // overlap inside a row.
  bool bottomUp = sameBuffer && area.top > srcY;
  for (int i = 0; i < height; ++i) {
    int row = bottomUp ? height - 1 - i : i;
    memmove(pixelAt(dst, area.left, area.top + row), pixelAt(src, srcX, srcY + row), rowBytes);
  }
}

RECT copyChangedRect(const PixelBuffer& dst, const RECT& area, const PixelBuffer& src, int srcX,
                     int srcY) {
  int width = area.right - area.left;
  size_t rowBytes = size_t(width) * sizeof(uint32_t);
  RECT changed = {0, 0, 0, 0};
  for (int y = area.top; y < area.bottom; ++y) {
    uint32_t* to = pixelAt(dst, area.left, y);
    const uint32_t* from = pixelAt(src, srcX, srcY + (y - area.top));
    if (memcmp(to, from, rowBytes) == 0) continue;
    int first = firstDifferentPixel(to, from, width);
    int end = endOfDifferentPixels(to, from, width);
    memcpy(to + first, from + first, size_t(end - first) * sizeof(uint32_t));
    if (changed.right <= changed.left) {
      changed = RECT{area.left + first, y, area.left + end, y + 1};
    } else {
      if (area.left + first < changed.left) changed.left = area.left + first;
      if (area.left + end > changed.right) changed.right = area.left + end;
      changed.bottom = y + 1;
    }
  }
  return changed;
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

const PixelPrimitives primitives32 = {solidRect, copyRect, copyChangedRect, blendMask, getPixel,
                                      setPixel};
