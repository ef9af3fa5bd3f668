// Deletion of a selected bitmap as Windows documents it ("If the specified
// handle is currently selected into a DC, the return value is zero"), which
// the layer follows. Wine answers TRUE and deletes the bitmap once it is
// deselected, so this check stays out of the tests run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(GdiObjectsPosix, DeleteObjectRefusesASelectedBitmapAndKeepsIt) {
  HBITMAP bitmap = CreateBitmap(3, 3, 1, 32, NULL);
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ initial = SelectObject(dc, bitmap);
  EXPECT_FALSE(DeleteObject(bitmap));
  SelectObject(dc, initial);
  EXPECT_EQ(GetObjectType(bitmap), (DWORD)OBJ_BITMAP);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  DeleteDC(dc);
}

}  // namespace
