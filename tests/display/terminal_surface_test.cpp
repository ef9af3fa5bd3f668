// The terminal surface on real bitmaps: creation, the one-row scroll, the
// paint copy and every kind of re-layout.
#include "display/terminal_surface.h"

#include <string.h>

#include <string>

#include "host/saver_state.h"
#include "settings/settings.h"
#include "tests/display/display_fixture.h"

namespace {

class TerminalSurface : public DisplayTest {
 protected:
  // Scrolls as a tick does: with the window's and the picture's contexts.
  static void scrollAsATickDoes() {
    windowDC = GetDC(saverWindow);
    pictureDC = CreateCompatibleDC(windowDC);
    scrollOneLine();
    DeleteDC(scratchDC);
    scratchDC = nullptr;
    DeleteDC(pictureDC);
    pictureDC = nullptr;
    ReleaseDC(saverWindow, windowDC);
    windowDC = nullptr;
  }
  static void paintEveryRow() {
    for (int y = 0; y < clientRect.bottom; y++) paintRow(y, rowColor(y));
  }
  static void resizeTo(int width, int height) {
    SetWindowPos(saverWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    relayoutSurface();
  }
  static BITMAP sizeOf(HBITMAP bitmap) {
    BITMAP b = {};
    GetObjectA(bitmap, sizeof b, &b);
    return b;
  }
};

}  // namespace

TEST_F(TerminalSurface, StartsAllBackgroundWithTheFontsCellSize) {
  open(160, 100);
  EXPECT_EQ(clientRect.right, 160);
  EXPECT_EQ(clientRect.bottom, 100);
  EXPECT_EQ(lineHeight, 30);  // "Courier New" at a cell height of 30
  EXPECT_EQ(charWidth, cellWidthOfFont());
  EXPECT_GT(charWidth, 10);
  for (HBITMAP b : {screenBitmap, scrollBitmap}) {
    EXPECT_EQ(sizeOf(b).bmWidth, 160);
    EXPECT_EQ(sizeOf(b).bmHeight, 100);
  }
  for (int y = 0; y < 100; y += 3)
    for (int x = 0; x < 160; x += 7) {
      ASSERT_EQ(pixel(screenBitmap, x, y), kBackground) << x << "," << y;
      ASSERT_EQ(pixel(scrollBitmap, x, y), kBackground) << x << "," << y;
      ASSERT_EQ(windowPixel(x, y), kBackground) << x << "," << y;
    }
  EXPECT_EQ(windowDC, nullptr);
  EXPECT_EQ(pictureDC, nullptr);
}

TEST_F(TerminalSurface, ScrollMovesUpByOneRowAndBlanksTheBottom) {
  open(50, 100);  // 100 is not a multiple of the row height
  paintEveryRow();
  scrollAsATickDoes();
  for (int y = 0; y < 100; y++) {
    COLORREF expected = y < 100 - lineHeight ? rowColor(y + lineHeight) : kBackground;
    ASSERT_EQ(pixel(screenBitmap, 0, y), expected) << "row " << y;
    ASSERT_EQ(pixel(screenBitmap, 49, y), expected) << "row " << y;
  }
}

TEST_F(TerminalSurface, WindowLowerThanARowScrollsToBackground) {
  open(40, 20);
  ASSERT_GT(lineHeight, 20);
  paintEveryRow();
  scrollAsATickDoes();
  for (int y = 0; y < 20; y++) EXPECT_EQ(pixel(screenBitmap, 5, y), kBackground) << y;
}

TEST_F(TerminalSurface, PaintCopiesThePictureToTheWindow) {
  open(30, 40);
  paintEveryRow();
  InvalidateRect(saverWindow, nullptr, TRUE);
  UpdateWindow(saverWindow);
  for (int y = 0; y < 40; y++) ASSERT_EQ(windowPixel(10, y), rowColor(y)) << y;
}

TEST_F(TerminalSurface, PaintWithoutAPictureDrawsNothing) {
  open(30, 40);
  HBITMAP kept = screenBitmap;
  screenBitmap = nullptr;
  HDC dc = GetDC(saverWindow);
  SetPixel(dc, 3, 3, RGB(1, 2, 3));
  paintSurface(dc);
  EXPECT_EQ(GetPixel(dc, 3, 3), RGB(1, 2, 3));
  ReleaseDC(saverWindow, dc);
  screenBitmap = kept;
}

TEST_F(TerminalSurface, RelayoutKeepsTheBottomLeftCorner) {
  struct Case {
    const char* name;
    int width, height;
  } cases[] = {
      {"taller", 60, 90}, {"shorter", 60, 35}, {"narrower", 25, 50},
      {"wider", 90, 50},  {"same size", 60, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(60, 50);
    paintEveryRow();
    resizeTo(c.width, c.height);
    EXPECT_EQ(clientRect.right, c.width);
    EXPECT_EQ(clientRect.bottom, c.height);
    EXPECT_EQ(sizeOf(screenBitmap).bmWidth, c.width);
    EXPECT_EQ(sizeOf(scrollBitmap).bmHeight, c.height);
    int shift = c.height - 50;  // old row y is now at y + shift
    for (int y = 0; y < c.height; y++) {
      int oldRow = y - shift;
      COLORREF expected = oldRow >= 0 && oldRow < 50 ? rowColor(oldRow) : kBackground;
      ASSERT_EQ(pixel(screenBitmap, 0, y), expected) << "row " << y;
      ASSERT_EQ(pixel(screenBitmap, c.width - 1, y), c.width <= 60 ? expected : kBackground)
          << "row " << y;
    }
    TearDown();
    SetUp();
  }
}

TEST_F(TerminalSurface, RelayoutAfterAWrapRebindsTheScratchContext) {
  open(60, 50);
  windowDC = GetDC(saverWindow);
  pictureDC = CreateCompatibleDC(windowDC);
  scrollOneLine();  // as a wrap does: scratchDC stays held
  DeleteDC(pictureDC);
  pictureDC = nullptr;
  ReleaseDC(saverWindow, windowDC);
  windowDC = nullptr;
  ASSERT_NE(scratchDC, nullptr);
  resizeTo(80, 70);
  // The new scroll bitmap is the one bound to the held scratch context.
  EXPECT_EQ(GetCurrentObject(scratchDC, OBJ_BITMAP), static_cast<HGDIOBJ>(scrollBitmap));
  paintEveryRow();
  scrollAsATickDoes();
  EXPECT_EQ(pixel(screenBitmap, 0, 0), rowColor(lineHeight));
}

TEST_F(TerminalSurface, OddSizesAndFontsDoNotBreakIt) {
  struct Case {
    const char* face;
    int size, width, height;
  } cases[] = {
      {"No Such Face At All", 30, 100, 80}, {"Courier New", 0, 100, 80},
      {"Courier New", -12, 100, 80},        {"Courier New", 2000, 100, 80},
      {"Courier New", 30, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.size));
    strcpy(settings.fontName, c.face);
    settings.fontSize = c.size;
    open(c.width, c.height);
    EXPECT_GT(lineHeight, 0);
    EXPECT_GT(charWidth, 0);
    scrollAsATickDoes();
    resizeTo(c.width + 3, c.height + 3);
    TearDown();
    SetUp();
  }
}
