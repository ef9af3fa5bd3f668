// A 32-bit pixel buffer as the drawing code and the drivers share it. A pixel
// is 0x00RRGGBB (the layout of X11's 24-bit TrueColor visuals and of the
// headless driver's PNGs); rows are `width` pixels apart, top row first.
// COLORREFs (0x00BBGGRR) are converted at the edge of the drawing code.
//
// Windows' buffers are one block of `pixels`. A bitmap's rows live apart
// (platform/gdi shares rows between bitmaps until one of them is drawn on):
// its buffer has `rows` instead, row y starting at rows[y]. pixelRow()
// reads either form.
#ifndef QUILLON_PLATFORM_INTERNAL_PIXELS_H
#define QUILLON_PLATFORM_INTERNAL_PIXELS_H

#include <stddef.h>
#include <stdint.h>

struct PixelBuffer {
  uint32_t* pixels;
  int width;
  int height;
  uint32_t* const* rows = nullptr;
};

inline uint32_t* pixelRow(const PixelBuffer& buffer, int y) {
  return buffer.rows ? buffer.rows[y] : buffer.pixels + static_cast<size_t>(y) * buffer.width;
}

inline uint32_t pixelFromColorref(uint32_t colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

inline uint32_t colorrefFromPixel(uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

#endif
