// BitBlt onto a window's device context writes only the pixels that differ
// (so that the driver has only those to present); whatever the pattern of
// differences, the window must end up holding exactly the source pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/gdi/canvas.h"

namespace {

const int kWidth = 70;  // more than one comparison block per row
const int kHeight = 12;

void expectSamePixels(HDC window, HDC memory, int dx, int dy, const char* step) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      COLORREF expected = GetPixel(memory, x - dx, y - dy);
      if (expected == CLR_INVALID) continue;  // outside the copied area
      ASSERT_EQ(GetPixel(window, x, y), expected) << step << " at " << x << "," << y;
    }
}

TEST(WindowBlit, WindowHoldsTheSourceWhateverDiffered) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "GdiWindowBlitTest";
  RegisterClassExA(&windowClass);
  HWND window = CreateWindowExA(0, "GdiWindowBlitTest", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                                kHeight, NULL, NULL, NULL, NULL);
  ASSERT_NE(window, (HWND)NULL);
  HDC windowDc = GetDC(window);
  HDC memory = CreateCompatibleDC(windowDc);
  HBITMAP bitmap = CreateCompatibleBitmap(windowDc, kWidth, kHeight);
  HGDIOBJ old = SelectObject(memory, bitmap);

  fillArea(windowDc, 0, 0, kWidth, kHeight, RGB(0, 0, 255));
  fillArea(memory, 0, 0, kWidth, kHeight, RGB(0, 0, 255));
  // Differences at the first and last pixel, inside and across blocks, and
  // two spans of one row with equal pixels between them.
  SetPixel(memory, 0, 0, RGB(255, 0, 0));
  SetPixel(memory, kWidth - 1, kHeight - 1, RGB(0, 255, 0));
  fillArea(memory, 14, 3, 19, 6, RGB(255, 255, 255));
  SetPixel(memory, 2, 8, RGB(1, 2, 3));
  SetPixel(memory, 66, 8, RGB(4, 5, 6));
  ASSERT_TRUE(BitBlt(windowDc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY));
  expectSamePixels(windowDc, memory, 0, 0, "whole copy");

  // Nothing differs: nothing changes.
  ASSERT_TRUE(BitBlt(windowDc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY));
  expectSamePixels(windowDc, memory, 0, 0, "same copy");

  // A copy to an offset, partly outside the window.
  fillArea(memory, 30, 0, 40, kHeight, RGB(9, 9, 9));
  ASSERT_TRUE(BitBlt(windowDc, 5, 2, kWidth, kHeight, memory, 0, 0, SRCCOPY));
  expectSamePixels(windowDc, memory, 5, 2, "offset copy");

  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, windowDc);
  DestroyWindow(window);
}

}  // namespace
