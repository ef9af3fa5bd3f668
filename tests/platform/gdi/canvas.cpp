// Canvas and picture checks for the GDI tests (see canvas.h).
#include "tests/platform/gdi/canvas.h"

#include <stdio.h>

#include <algorithm>
#include <string>

Canvas::Canvas(int width, int height, COLORREF color) : width_(width), height_(height) {
  dc_ = CreateCompatibleDC(NULL);
  // A 32-bit bitmap on any display: CreateCompatibleBitmap of a fresh memory
  // device context would be monochrome.
  bitmap_ = CreateBitmap(width, height, 1, 32, NULL);
  initialBitmap_ = SelectObject(dc_, bitmap_);
  fill(0, 0, width, height, color);
}

Canvas::~Canvas() {
  SelectObject(dc_, initialBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void fillArea(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  RECT rect = {left, top, right, bottom};
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

std::vector<COLORREF> readPixels(HDC dc, int width, int height) {
  std::vector<COLORREF> result;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) result.push_back(GetPixel(dc, x, y));
  }
  return result;
}

void Canvas::fill(int left, int top, int right, int bottom, COLORREF color) {
  fillArea(dc_, left, top, right, bottom, color);
}

std::vector<COLORREF> Canvas::pixels() const { return readPixels(dc_, width_, height_); }

::testing::AssertionResult pictureIs(const Canvas& canvas, const std::vector<const char*>& rows,
                                     const std::vector<Legend>& legend) {
  std::string actual, problems;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      COLORREF pixel = GetPixel(canvas.dc(), x, y);
      char symbol = '?';
      for (const Legend& entry : legend) {
        if (entry.color == pixel) symbol = entry.symbol;
      }
      actual += symbol;
      if (problems.empty() && (y >= int(rows.size()) || rows[y][x] != symbol)) {
        char text[96];
        snprintf(text, sizeof(text), "first difference at (%d, %d): pixel 0x%06lX", x, y,
                 (unsigned long)pixel);
        problems = text;
      }
    }
    actual += '\n';
  }
  if (problems.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << problems << "; the picture is\n" << actual;
}

RECT boxOfPixelsOtherThan(const Canvas& canvas, COLORREF color) {
  RECT box = {canvas.width(), canvas.height(), 0, 0};
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (GetPixel(canvas.dc(), x, y) == color) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  if (box.right == 0) box = RECT{0, 0, 0, 0};
  return box;
}
