// Conformance tests of GDI objects on the Win32 API: what a new memory
// device context holds, what SelectObject returns, GetObjectA and
// GetObjectType, the deletion rules, compatible bitmaps, single pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/gdi/canvas.h"

namespace {

TEST(GdiObjects, NewMemoryDcHoldsAOneByOneMonochromeBitmapAndStockObjects) {
  HDC dc = CreateCompatibleDC(NULL);
  ASSERT_NE(dc, (HDC)NULL);
  EXPECT_EQ(GetObjectType(dc), (DWORD)OBJ_MEMDC);

  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, NULL);
  HGDIOBJ initial = SelectObject(dc, bitmap);
  ASSERT_NE(initial, (HGDIOBJ)NULL);
  EXPECT_EQ(GetObjectType(initial), (DWORD)OBJ_BITMAP);
  BITMAP info;
  ASSERT_EQ(GetObjectA(initial, sizeof(info), &info), (int)sizeof(BITMAP));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
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
  BITMAP info;
  ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), (int)sizeof(BITMAP));
  EXPECT_EQ(info.bmWidth, 37);
  EXPECT_EQ(info.bmHeight, 13);
  EXPECT_EQ(info.bmWidthBytes, 37 * 4);
  EXPECT_EQ(info.bmPlanes, 1);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiObjects, CompatibleBitmapOfA32BitDcIsBlackAnd32Bit) {
  Canvas canvas(2, 2, RGB(200, 100, 50));
  HBITMAP bitmap = CreateCompatibleBitmap(canvas.dc(), 5, 3);
  ASSERT_NE(bitmap, (HBITMAP)NULL);
  BITMAP info;
  ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), (int)sizeof(BITMAP));
  EXPECT_EQ(info.bmWidth, 5);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, 32);

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
  ASSERT_NE(bitmap, (HBITMAP)NULL);
  BITMAP info;
  ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), (int)sizeof(BITMAP));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
}

TEST(GdiObjects, ABitmapSelectedIntoADcIsNotDeletedAndNotSelectedElsewhere) {
  HBITMAP bitmap = CreateBitmap(3, 3, 1, 32, NULL);
  HDC first = CreateCompatibleDC(NULL);
  HDC second = CreateCompatibleDC(NULL);
  HGDIOBJ initial = SelectObject(first, bitmap);
  ASSERT_NE(initial, (HGDIOBJ)NULL);

  // Windows refuses and keeps the bitmap. (Wine differs: it answers TRUE and
  // deletes the bitmap when it is deselected.)
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), (DWORD)OBJ_BITMAP);
  EXPECT_EQ(SelectObject(second, bitmap), (HGDIOBJ)NULL);
  // Still drawable through the first device context.
  EXPECT_EQ(SetPixel(first, 1, 1, RGB(9, 8, 7)), RGB(9, 8, 7));
  EXPECT_EQ(GetPixel(first, 1, 1), RGB(9, 8, 7));

  SelectObject(first, initial);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
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

TEST(GdiObjects, StockObjectsSurviveDeleteObject) {
  HGDIOBJ brush = GetStockObject(BLACK_BRUSH);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(GetObjectType(brush), (DWORD)OBJ_BRUSH);
  Canvas canvas(2, 1, RGB(255, 255, 255));
  RECT rect = {0, 0, 1, 1};
  EXPECT_NE(FillRect(canvas.dc(), &rect, (HBRUSH)brush), 0);
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(0, 0, 0));
}

TEST(GdiObjects, BrushAndFontDescribeThemselves) {
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  LOGBRUSH brushInfo;
  ASSERT_EQ(GetObjectA(brush, sizeof(brushInfo), &brushInfo), (int)sizeof(LOGBRUSH));
  EXPECT_EQ(brushInfo.lbStyle, (UINT)BS_SOLID);
  EXPECT_EQ(brushInfo.lbColor, RGB(10, 20, 30));
  EXPECT_EQ(GetObjectType(brush), (DWORD)OBJ_BRUSH);
  DeleteObject(brush);

  HFONT font = CreateFontA(-17, 0, 0, 0, FW_BOLD, 1, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH,
                           "Courier New");
  LOGFONTA fontInfo;
  ASSERT_EQ(GetObjectA(font, sizeof(fontInfo), &fontInfo), (int)sizeof(LOGFONTA));
  EXPECT_EQ(fontInfo.lfHeight, -17);
  EXPECT_EQ(fontInfo.lfWeight, FW_BOLD);
  EXPECT_EQ(fontInfo.lfItalic, 1);
  EXPECT_EQ(fontInfo.lfPitchAndFamily, FIXED_PITCH);
  EXPECT_STREQ(fontInfo.lfFaceName, "Courier New");
  DeleteObject(font);
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
