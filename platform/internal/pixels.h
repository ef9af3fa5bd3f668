// A 32-bit pixel buffer as the drawing code and the drivers share it. A pixel
// is 0x00RRGGBB (the layout of X11's 24-bit TrueColor visuals and of the
// headless driver's PNGs); rows are `width` pixels apart, top row first.
// COLORREFs (0x00BBGGRR) are converted at the edge of the drawing code.
#ifndef QUILLON_PLATFORM_INTERNAL_PIXELS_H
#define QUILLON_PLATFORM_INTERNAL_PIXELS_H

#include <stdint.h>

struct PixelBuffer {
  uint32_t* pixels;
  int width;
  int height;
};

inline uint32_t pixelFromColorref(uint32_t colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

inline uint32_t colorrefFromPixel(uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

#endif
