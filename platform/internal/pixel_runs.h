// Where two rows of 32-bit pixels differ, for copies that write or send only
// what changed (BitBlt onto a window in platform/gdi, presenting in the X11
// driver). Whole blocks are compared with memcmp before single pixels.
#ifndef QUILLON_PLATFORM_INTERNAL_PIXEL_RUNS_H
#define QUILLON_PLATFORM_INTERNAL_PIXEL_RUNS_H

#include <stdint.h>
#include <string.h>

const int kPixelCompareBlock = 32;

// The first index where the rows differ, or `count` when they are equal.
inline int firstDifferentPixel(const uint32_t* a, const uint32_t* b, int count) {
  int i = 0;
  while (i + kPixelCompareBlock <= count && memcmp(a + i, b + i, kPixelCompareBlock * 4) == 0)
    i += kPixelCompareBlock;
  while (i < count && a[i] == b[i]) ++i;
  return i;
}

// One past the last index where the rows differ, or 0 when they are equal.
inline int endOfDifferentPixels(const uint32_t* a, const uint32_t* b, int count) {
  int end = count;
  while (end >= kPixelCompareBlock &&
         memcmp(a + end - kPixelCompareBlock, b + end - kPixelCompareBlock,
                kPixelCompareBlock * 4) == 0)
    end -= kPixelCompareBlock;
  while (end > 0 && a[end - 1] == b[end - 1]) --end;
  return end;
}

#endif
