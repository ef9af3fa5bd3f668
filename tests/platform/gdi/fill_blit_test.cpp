// Conformance tests of FillRect and BitBlt on memory bitmaps: edges,
// clipping to both bitmaps, overlapping copies within one bitmap, sizes of
// zero and one.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/gdi/canvas.h"

namespace {

const COLORREF kPaper = RGB(0, 0, 0);
const COLORREF kInk = RGB(250, 120, 10);
const std::vector<Legend> kInkOnPaper = {{'.', kPaper}, {'#', kInk}};

struct FillCase {
  const char* name;
  RECT rect;
  std::vector<const char*> picture;
};

TEST(FillRect, FillsUpToButNotIncludingTheRightAndBottomEdgesClippedToTheBitmap) {
  const FillCase cases[] = {
      {"inside", {1, 1, 4, 3}, {"......", ".###..", ".###..", "......"}},
      {"one pixel", {5, 3, 6, 4}, {"......", "......", "......", ".....#"}},
      {"over the top-left corner", {-3, -2, 2, 1}, {"##....", "......", "......", "......"}},
      {"over the bottom-right corner", {4, 2, 60, 90}, {"......", "......", "....##", "....##"}},
      {"whole and more", {-100, -100, 100, 100}, {"######", "######", "######", "######"}},
      {"empty width", {2, 0, 2, 4}, {"......", "......", "......", "......"}},
      {"entirely outside", {6, 0, 9, 4}, {"......", "......", "......", "......"}},
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(6, 4, kPaper);
    HBRUSH brush = CreateSolidBrush(kInk);
    EXPECT_NE(FillRect(canvas.dc(), &c.rect, brush), 0);
    DeleteObject(brush);
    EXPECT_TRUE(pictureIs(canvas, c.picture, kInkOnPaper));
  }
}

TEST(FillRect, WorksOnAOneByOneBitmap) {
  Canvas canvas(1, 1, kPaper);
  canvas.fill(0, 0, 1, 1, kInk);
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), kInk);
}

// A colour for every pixel of a source (of up to 4096 x 4096 pixels), so
// that any misplaced pixel shows.
COLORREF sourceColor(int x, int y) { return RGB(x & 255, y & 255, (x >> 8) | ((y >> 8) << 4)); }

void paintSource(const Canvas& canvas) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) SetPixel(canvas.dc(), x, y, sourceColor(x, y));
  }
}

// What the destination holds after the copy: for each pixel, the source
// pixel it comes from when both lie inside their bitmaps, else what was there.
std::vector<COLORREF> expectedCopy(const std::vector<COLORREF>& before, int width, int height,
                                   const std::vector<COLORREF>& source, int sourceWidth,
                                   int sourceHeight, int x, int y, int w, int h, int srcX,
                                   int srcY) {
  std::vector<COLORREF> after = before;
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      int tx = x + col, ty = y + row, sx = srcX + col, sy = srcY + row;
      if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
      if (sx < 0 || sy < 0 || sx >= sourceWidth || sy >= sourceHeight) continue;
      after[ty * width + tx] = source[sy * sourceWidth + sx];
    }
  }
  return after;
}

struct BlitCase {
  const char* name;
  int x, y, w, h, srcX, srcY;
};

const BlitCase kBlitCases[] = {
    {"whole", 0, 0, 8, 6, 0, 0},
    {"inside, offset", 2, 1, 3, 2, 4, 3},
    {"past the destination's right and bottom", 5, 4, 6, 6, 0, 0},
    {"from above and left of the destination", -2, -3, 6, 6, 0, 0},
    {"source past its right and bottom", 0, 0, 8, 6, 5, 3},
    {"source above and left of its bitmap", 1, 1, 6, 5, -3, -2},
    {"source entirely outside", 0, 0, 4, 4, 20, 0},
    {"destination entirely outside", 9, 0, 4, 4, 0, 0},
    {"zero width", 0, 0, 0, 6, 0, 0},
    {"zero height", 0, 0, 8, 0, 0, 0},
};

TEST(BitBlt, CopiesWhatLiesInsideBothBitmaps) {
  for (const BlitCase& c : kBlitCases) {
    SCOPED_TRACE(c.name);
    Canvas source(8, 6);
    paintSource(source);
    Canvas target(8, 6, RGB(1, 2, 3));
    std::vector<COLORREF> expected = expectedCopy(target.pixels(), 8, 6, source.pixels(), 8, 6, c.x,
                                                  c.y, c.w, c.h, c.srcX, c.srcY);
    EXPECT_TRUE(BitBlt(target.dc(), c.x, c.y, c.w, c.h, source.dc(), c.srcX, c.srcY, SRCCOPY));
    EXPECT_EQ(target.pixels(), expected);
  }
}

TEST(BitBlt, CopiesBetweenBitmapsOfDifferentSizes) {
  Canvas source(3, 9);
  paintSource(source);
  Canvas target(10, 2, RGB(1, 2, 3));
  std::vector<COLORREF> expected =
      expectedCopy(target.pixels(), 10, 2, source.pixels(), 3, 9, 1, -1, 10, 10, 0, 4);
  EXPECT_TRUE(BitBlt(target.dc(), 1, -1, 10, 10, source.dc(), 0, 4, SRCCOPY));
  EXPECT_EQ(target.pixels(), expected);
}

TEST(BitBlt, CopiesScreenSizedAreas) {
  // Large enough to take the path of big copies, at aligned and odd offsets.
  const BlitCase cases[] = {
      {"whole", 0, 0, 700, 400, 0, 0},
      {"offset by odd amounts", 3, 2, 690, 395, 1, 5},
      {"rows moved up, as a scroll does", 0, 0, 700, 370, 0, 30},
  };
  Canvas source(700, 400);
  paintSource(source);
  for (const BlitCase& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas target(700, 400, RGB(1, 2, 3));
    std::vector<COLORREF> expected = expectedCopy(target.pixels(), 700, 400, source.pixels(), 700,
                                                  400, c.x, c.y, c.w, c.h, c.srcX, c.srcY);
    EXPECT_TRUE(BitBlt(target.dc(), c.x, c.y, c.w, c.h, source.dc(), c.srcX, c.srcY, SRCCOPY));
    EXPECT_TRUE(target.pixels() == expected);
  }
}

TEST(BitBlt, OverlappingCopiesWithinOneBitmapReadTheOriginalPixels) {
  const BlitCase cases[] = {
      {"up by two rows (a scroll)", 0, 0, 8, 4, 0, 2},
      {"down by two rows", 0, 2, 8, 4, 0, 0},
      {"right by one column", 1, 0, 7, 6, 0, 0},
      {"left by three columns", 0, 0, 5, 6, 3, 0},
      {"diagonally down and right", 2, 1, 5, 4, 1, 0},
      {"diagonally up and left", 0, 0, 6, 5, 2, 1},
      {"onto itself", 0, 0, 8, 6, 0, 0},
  };
  for (const BlitCase& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(8, 6);
    paintSource(canvas);
    std::vector<COLORREF> before = canvas.pixels();
    std::vector<COLORREF> expected =
        expectedCopy(before, 8, 6, before, 8, 6, c.x, c.y, c.w, c.h, c.srcX, c.srcY);
    EXPECT_TRUE(BitBlt(canvas.dc(), c.x, c.y, c.w, c.h, canvas.dc(), c.srcX, c.srcY, SRCCOPY));
    EXPECT_EQ(canvas.pixels(), expected);
  }
}

TEST(BitBlt, WorksOnOneByOneBitmaps) {
  Canvas source(1, 1, kInk);
  Canvas target(1, 1, kPaper);
  EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 5, 5, source.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(target.dc(), 0, 0), kInk);
  Canvas other(1, 1, kPaper);
  EXPECT_TRUE(BitBlt(other.dc(), 0, 0, 1, 1, source.dc(), 1, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(other.dc(), 0, 0), kPaper);
}

TEST(BitBlt, FailsWithoutASourceDc) {
  Canvas target(2, 2);
  EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 2, NULL, 0, 0, SRCCOPY));
}

}  // namespace
