// Test support for the GDI conformance tests, on the Win32 API only: a
// memory device context holding a 32-bit bitmap of a given size, and checks
// on its pixels that report the caller's line.
#ifndef QUILLON_TESTS_PLATFORM_GDI_CANVAS_H
#define QUILLON_TESTS_PLATFORM_GDI_CANVAS_H

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

// FillRect of the rectangle with a solid brush of `color`, on any device
// context (a window's as well as a memory one).
void fillArea(HDC dc, int left, int top, int right, int bottom, COLORREF color);
// The top-left width x height pixels of a device context, row after row, as
// GetPixel reads them.
std::vector<COLORREF> readPixels(HDC dc, int width, int height);

class Canvas {
 public:
  // A width x height bitmap of 32-bit pixels, filled with `color`.
  Canvas(int width, int height, COLORREF color = RGB(0, 0, 0));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void fill(int left, int top, int right, int bottom, COLORREF color);
  // Every pixel, row after row, as GetPixel reads them.
  std::vector<COLORREF> pixels() const;

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ initialBitmap_;
  int width_;
  int height_;
};

// A character picture of a canvas: one string per row, each character the
// colour that `legend` gives it ("." and "#" and so on).
struct Legend {
  char symbol;
  COLORREF color;
};
::testing::AssertionResult pictureIs(const Canvas& canvas, const std::vector<const char*>& rows,
                                     const std::vector<Legend>& legend);

// The bounding box of the pixels that differ from `color`; empty when none.
RECT boxOfPixelsOtherThan(const Canvas& canvas, COLORREF color);

#endif
