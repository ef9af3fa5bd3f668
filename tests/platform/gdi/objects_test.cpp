// Conformance tests of GDI objects on the Win32 API: what a new memory
// device context holds, what SelectObject returns, GetObjectA and
// GetObjectType, the deletion rules, compatible bitmaps, single pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/gdi/canvas.h"

namespace {

::testing::AssertionResult isBitmapOf(HGDIOBJ bitmap, LONG width, LONG height, WORD bitsPixel) {
  BITMAP info;
  if (GetObjectA(bitmap, sizeof(info), &info) != (int)sizeof(BITMAP)) {
    return ::testing::AssertionFailure() << "GetObjectA gives no BITMAP";
  }
  if (info.bmWidth == width && info.bmHeight == height && info.bmBitsPixel == bitsPixel &&
      info.bmPlanes == 1) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << info.bmWidth << "x" << info.bmHeight << ", "
                                       << info.bmPlanes << " plane(s) of " << info.bmBitsPixel
                                       << " bits";
}

TEST(GdiObjects, NewMemoryDcHoldsAOneByOneMonochromeBitmapAndStockObjects) {
  HDC dc = CreateCompatibleDC(NULL);
  ASSERT_NE(dc, (HDC)NULL);
  EXPECT_EQ(GetObjectType(dc), (DWORD)OBJ_MEMDC);

  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, NULL);
  HGDIOBJ initial = SelectObject(dc, bitmap);
  ASSERT_NE(initial, (HGDIOBJ)NULL);
  EXPECT_EQ(GetObjectType(initial), (DWORD)OBJ_BITMAP);
  EXPECT_TRUE(isBitmapOf(initial, 1, 1, 1));
  // Selecting back returns what was selected in between.
  EXPECT_EQ(SelectObject(dc, initial), (HGDIOBJ)bitmap);

  HFONT font = CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ initialFont = SelectObject(dc, font);
  EXPECT_EQ(GetObjectType(initialFont), (DWORD)OBJ_FONT);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), (HGDIOBJ)font);
  EXPECT_EQ(SelectObject(dc, initialFont), (HGDIOBJ)font);

  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HGDIOBJ initialBrush = SelectObject(dc, brush);
  EXPECT_EQ(initialBrush, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, initialBrush), (HGDIOBJ)brush);

  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));

  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiObjects, GetObjectDescribesA32BitBitmap) {
  HBITMAP bitmap = CreateBitmap(37, 13, 1, 32, NULL);
  ASSERT_NE(bitmap, (HBITMAP)NULL);
  EXPECT_EQ(GetObjectType(bitmap), (DWORD)OBJ_BITMAP);
  EXPECT_EQ(GetObjectA(bitmap, 0, NULL), (int)sizeof(BITMAP));
  EXPECT_TRUE(isBitmapOf(bitmap, 37, 13, 32));
  BITMAP info;
  ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), (int)sizeof(BITMAP));
  EXPECT_EQ(info.bmWidthBytes, 37 * 4);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiObjects, CompatibleBitmapOfA32BitDcIsBlackAnd32Bit) {
  Canvas canvas(2, 2, RGB(200, 100, 50));
  HBITMAP bitmap = CreateCompatibleBitmap(canvas.dc(), 5, 3);
  EXPECT_TRUE(isBitmapOf(bitmap, 5, 3, 32));

  HDC dc = CreateCompatibleDC(canvas.dc());
  HGDIOBJ initial = SelectObject(dc, bitmap);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(GetPixel(dc, x, y), RGB(0, 0, 0)) << x << "," << y;
  }
  SelectObject(dc, initial);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(GdiObjects, CompatibleBitmapOfZeroSizeIsTheOneByOneMonochromeBitmap) {
  Canvas canvas(2, 2);
  HBITMAP bitmap = CreateCompatibleBitmap(canvas.dc(), 0, 10);
  EXPECT_TRUE(isBitmapOf(bitmap, 1, 1, 1));
}

TEST(GdiObjects, ABitmapSelectedIntoADcSurvivesDeleteObjectAndIsNotSelectedElsewhere) {
  HBITMAP bitmap = CreateBitmap(3, 3, 1, 32, NULL);
  HDC first = CreateCompatibleDC(NULL);
  HDC second = CreateCompatibleDC(NULL);
  HGDIOBJ initial = SelectObject(first, bitmap);
  ASSERT_NE(initial, (HGDIOBJ)NULL);

  // Windows answers FALSE here, Wine TRUE (see objects_posix_test.cpp); both
  // keep the bitmap while it is selected.
  DeleteObject(bitmap);
  EXPECT_EQ(GetObjectType(bitmap), (DWORD)OBJ_BITMAP);
  EXPECT_EQ(SelectObject(second, bitmap), (HGDIOBJ)NULL);
  EXPECT_EQ(SetPixel(first, 1, 1, RGB(9, 8, 7)), RGB(9, 8, 7));
  EXPECT_EQ(GetPixel(first, 1, 1), RGB(9, 8, 7));

  SelectObject(first, initial);
  DeleteObject(bitmap);
  DeleteDC(first);
  DeleteDC(second);
}

TEST(GdiObjects, DeletingADcReleasesItsBitmap) {
  HBITMAP bitmap = CreateBitmap(3, 3, 1, 32, NULL);
  HDC dc = CreateCompatibleDC(NULL);
  SelectObject(dc, bitmap);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiObjects, DeletedHandlesAreRefused) {
  HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
  HBITMAP bitmap = CreateBitmap(1, 1, 1, 32, NULL);
  HDC dc = CreateCompatibleDC(NULL);
  DeleteObject(brush);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  Canvas canvas(1, 1);
  EXPECT_EQ(SelectObject(canvas.dc(), bitmap), (HGDIOBJ)NULL);
  EXPECT_EQ(SelectObject(canvas.dc(), brush), (HGDIOBJ)NULL);
}

TEST(GdiObjects, PixelsOutsideTheBitmapAreInvalid) {
  Canvas canvas(1, 1, RGB(3, 4, 5));
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(3, 4, 5));
  const POINT outside[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (const POINT& p : outside) {
    EXPECT_EQ(GetPixel(canvas.dc(), p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
    SetPixel(canvas.dc(), p.x, p.y, RGB(1, 1, 1));
  }
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(3, 4, 5));
}

}  // namespace
