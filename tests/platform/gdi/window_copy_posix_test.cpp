// Copies of bitmaps onto windows skip what the window already shows, and
// whole-row copies between bitmaps share rows instead of copying pixels.
// Whatever the sequence of drawings, copies, selections, moves and direct
// writes, a window must hold exactly what was last copied onto it, and a
// bitmap exactly what Win32 would have drawn into it.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/gdi/canvas.h"

#include <functional>
#include <vector>

#include "platform/internal/window_pixels.h"

namespace {

const int kWidth = 40;
const int kHeight = 30;

// A picture whose every row differs from the others, so that a row shown
// at the wrong height is seen.
void paintRows(HDC dc, int salt) {
  for (int y = 0; y < kHeight; ++y) fillArea(dc, 0, y, kWidth, y + 1, RGB(y * 8, salt, 0x40));
  fillArea(dc, 5 + salt % 7, 4, 9 + salt % 7, 20, RGB(0xFF, 0xFF, salt));
}

std::vector<COLORREF> read(HDC dc) { return readPixels(dc, kWidth, kHeight); }

// Rows [top, top + count) of `from` as a picture of its own.
std::vector<COLORREF> rowsOf(const std::vector<COLORREF>& from, int top, int count) {
  return std::vector<COLORREF>(from.begin() + top * kWidth, from.begin() + (top + count) * kWidth);
}

class WindowCopy : public ::testing::Test {
 public:
  void SetUp() override {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "GdiWindowCopyTest";
    RegisterClassExA(&windowClass);
    for (HWND& window : windows_) {
      window = CreateWindowExA(0, "GdiWindowCopyTest", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                               kHeight, NULL, NULL, NULL, NULL);
      ASSERT_NE(window, (HWND)NULL);
    }
    windowDc_ = GetDC(windows_[0]);
    otherDc_ = GetDC(windows_[1]);
    picture_ = CreateCompatibleDC(windowDc_);
    scratch_ = CreateCompatibleDC(windowDc_);
    pictureBitmap_ = CreateCompatibleBitmap(windowDc_, kWidth, kHeight);
    scratchBitmap_ = CreateCompatibleBitmap(windowDc_, kWidth, kHeight);
    initial_ = SelectObject(picture_, pictureBitmap_);
    initialScratch_ = SelectObject(scratch_, scratchBitmap_);
    paintRows(picture_, 1);
    paintRows(scratch_, 2);
  }
  void TearDown() override {
    SelectObject(picture_, initial_);
    SelectObject(scratch_, initialScratch_);
    DeleteDC(picture_);
    DeleteDC(scratch_);
    DeleteObject(pictureBitmap_);
    DeleteObject(scratchBitmap_);
    ReleaseDC(windows_[0], windowDc_);
    ReleaseDC(windows_[1], otherDc_);
    for (HWND window : windows_) DestroyWindow(window);
  }

  void copy(HDC window, int left = 0, int top = 0, int right = kWidth, int bottom = kHeight) {
    ASSERT_TRUE(BitBlt(window, left, top, right - left, bottom - top, picture_, left, top, SRCCOPY));
  }
  // The display's line scroll: the picture moved up by `rows` through the
  // scratch bitmap, a blank bottom row, and the whole of it back.
  void scroll(int rows) {
    BitBlt(scratch_, 0, 0, kWidth, kHeight - rows, picture_, 0, rows, SRCCOPY);
    fillArea(scratch_, 0, kHeight - rows, kWidth, kHeight, RGB(0, 0, 0));
    BitBlt(picture_, 0, 0, kWidth, kHeight, scratch_, 0, 0, SRCCOPY);
  }

  HWND windows_[2] = {};
  HDC windowDc_ = NULL, otherDc_ = NULL, picture_ = NULL, scratch_ = NULL;
  HBITMAP pictureBitmap_ = NULL, scratchBitmap_ = NULL;
  HGDIOBJ initial_ = NULL, initialScratch_ = NULL;
};

struct CopyCase {
  const char* name;
  // Drawings and copies after the window has taken the whole picture once;
  // then the whole picture is copied again and the window must show it.
  std::function<void(WindowCopy&)> steps;
};

void writeDirectly(HWND window) {
  PixelBuffer pixels;
  ASSERT_TRUE(windowPixels(window, &pixels));
  for (int i = 0; i < pixels.width * pixels.height; i += 3) pixels.pixels[i] = 0x123456;
}

const CopyCase kCopyCases[] = {
    {"a change outside a copied rectangle is kept for a later copy that covers it",
     [](WindowCopy& c) {
       fillArea(c.picture_, 30, 20, 35, 25, RGB(9, 200, 9));
       c.copy(c.windowDc_, 0, 0, 10, 10);
     }},
    {"a change inside a copied rectangle and another outside it",
     [](WindowCopy& c) {
       fillArea(c.picture_, 2, 2, 6, 6, RGB(9, 200, 9));
       fillArea(c.picture_, 2, 20, 38, 22, RGB(9, 9, 200));
       c.copy(c.windowDc_, 0, 0, kWidth, 10);
       fillArea(c.picture_, 3, 3, 4, 4, RGB(1, 1, 1));
     }},
    {"the window drew on itself since it took the picture",
     [](WindowCopy& c) {
       fillArea(c.windowDc_, 0, 10, kWidth, 14, RGB(77, 0, 0));
       fillArea(c.windowDc_, 3, 0, 4, kHeight, RGB(0, 77, 0));
     }},
    {"something wrote straight into the window's pixels",
     [](WindowCopy& c) { writeDirectly(c.windows_[0]); }},
    {"the picture's device context holds another bitmap for a while",
     [](WindowCopy& c) {
       SelectObject(c.scratch_, c.initialScratch_);
       SelectObject(c.picture_, c.scratchBitmap_);
       c.copy(c.windowDc_);
       SelectObject(c.picture_, c.pictureBitmap_);
       SelectObject(c.scratch_, c.scratchBitmap_);
     }},
    {"more drawings into one row than a row remembers",
     [](WindowCopy& c) {
       for (int i = 0; i < 30; ++i) SetPixel(c.picture_, i, 12, RGB(i, 255, 0));
     }},
    {"a few drawings, a copy, more drawings",
     [](WindowCopy& c) {
       for (int i = 0; i < 5; ++i) {
         fillArea(c.picture_, i * 6, 25, i * 6 + 6, 30, RGB(0, 0, 0));
         fillArea(c.picture_, i * 6, 25, i * 6 + 3, 29, RGB(0, 255, 0));
         c.copy(c.windowDc_);
       }
       fillArea(c.picture_, 36, 25, 40, 30, RGB(0, 255, 255));
     }},
    {"line scrolls, the window taking every one",
     [](WindowCopy& c) {
       for (int i = 0; i < 4; ++i) {
         c.scroll(6);
         fillArea(c.picture_, i * 5, 24, i * 5 + 4, 30, RGB(0, 255, 0));
         c.copy(c.windowDc_);
       }
       c.scroll(6);
     }},
    {"two line scrolls before the window takes the picture",
     [](WindowCopy& c) {
       c.scroll(5);
       fillArea(c.picture_, 0, 25, 7, 30, RGB(0, 255, 0));
       c.scroll(5);
     }},
    {"a scroll by more rows than the picture has",
     [](WindowCopy& c) { c.scroll(kHeight); }},
    {"the picture moved down within itself",
     [](WindowCopy& c) {
       BitBlt(c.picture_, 0, 4, kWidth, kHeight - 4, c.picture_, 0, 0, SRCCOPY);
     }},
    {"the window's rows moved by a copy of the picture at another height",
     [](WindowCopy& c) {
       BitBlt(c.windowDc_, 0, 7, kWidth, kHeight - 7, c.picture_, 0, 0, SRCCOPY);
       BitBlt(c.windowDc_, 0, 0, kWidth, kHeight - 3, c.picture_, 0, 3, SRCCOPY);
     }},
    {"the window resized and back between copies",
     [](WindowCopy& c) {
       SetWindowPos(c.windows_[0], NULL, 0, 0, kWidth / 2, kHeight / 2, SWP_NOMOVE | SWP_NOZORDER);
       SetWindowPos(c.windows_[0], NULL, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
     }},
    {"the picture also copied onto a second window",
     [](WindowCopy& c) {
       c.copy(c.otherDc_);
       fillArea(c.picture_, 0, 0, 20, 5, RGB(50, 60, 70));
       c.copy(c.otherDc_);
       c.scroll(3);
       c.copy(c.otherDc_);
       fillArea(c.picture_, 20, 0, 25, 30, RGB(80, 90, 100));
       c.copy(c.otherDc_);
     }},
};

TEST_F(WindowCopy, WindowShowsThePictureAfterEverySequence) {
  for (const CopyCase& c : kCopyCases) {
    SCOPED_TRACE(c.name);
    paintRows(picture_, 3);
    copy(windowDc_);
    c.steps(*this);
    copy(windowDc_);
    std::vector<COLORREF> picture = read(picture_);
    ASSERT_EQ(read(windowDc_), picture);
    copy(otherDc_);
    ASSERT_EQ(read(otherDc_), picture);
  }
}

TEST_F(WindowCopy, RowsCopiedBetweenBitmapsStayApartWhenOneIsDrawnOn) {
  std::vector<COLORREF> picture = read(picture_);
  std::vector<COLORREF> scratch = read(scratch_);
  // Whole rows, at another height.
  ASSERT_TRUE(BitBlt(scratch_, 0, 10, kWidth, 15, picture_, 0, 5, SRCCOPY));
  std::vector<COLORREF> expected = rowsOf(scratch, 0, 10);
  std::vector<COLORREF> moved = rowsOf(picture, 5, 15);
  expected.insert(expected.end(), moved.begin(), moved.end());
  std::vector<COLORREF> rest = rowsOf(scratch, 25, kHeight - 25);
  expected.insert(expected.end(), rest.begin(), rest.end());
  ASSERT_EQ(read(scratch_), expected);

  // Drawing into either leaves the other as it was.
  fillArea(scratch_, 0, 12, 20, 14, RGB(1, 2, 3));
  SetPixel(scratch_, 30, 11, RGB(4, 5, 6));
  EXPECT_EQ(read(picture_), picture);
  fillArea(picture_, 0, 5, kWidth, 8, RGB(7, 8, 9));
  SetPixel(picture_, 39, 9, RGB(10, 11, 12));
  std::vector<COLORREF> scratchNow = read(scratch_);
  for (int x = 0; x < 20; ++x) {
    EXPECT_EQ(scratchNow[12 * kWidth + x], RGB(1, 2, 3));
    EXPECT_EQ(scratchNow[13 * kWidth + x], RGB(1, 2, 3));
  }
  EXPECT_EQ(scratchNow[11 * kWidth + 30], RGB(4, 5, 6));
  EXPECT_EQ(scratchNow[10 * kWidth + 0], picture[5 * kWidth + 0]) << "untouched by the picture's fill";
  EXPECT_EQ(scratchNow[14 * kWidth + 39], picture[9 * kWidth + 39]) << "untouched by SetPixel";
}

TEST_F(WindowCopy, WholeRowsCopiedWithinOneBitmapOverlapping) {
  struct Case {
    const char* name;
    int to, from, count;
  };
  const Case cases[] = {{"up", 0, 6, kHeight - 6}, {"down", 6, 0, kHeight - 6}, {"up by one", 0, 1, 20},
                        {"down by one", 1, 0, 20}, {"onto itself", 3, 3, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    paintRows(picture_, 4);
    std::vector<COLORREF> before = read(picture_);
    ASSERT_TRUE(BitBlt(picture_, 0, c.to, kWidth, c.count, picture_, 0, c.from, SRCCOPY));
    std::vector<COLORREF> expected = before;
    for (int y = 0; y < c.count; ++y)
      for (int x = 0; x < kWidth; ++x)
        expected[size_t((c.to + y) * kWidth + x)] = before[size_t((c.from + y) * kWidth + x)];
    ASSERT_EQ(read(picture_), expected);
    // A row that two places now hold, drawn on at one of them.
    fillArea(picture_, 0, c.to, 5, c.to + 1, RGB(3, 3, 3));
    for (int x = 0; x < 5; ++x) expected[size_t(c.to * kWidth + x)] = RGB(3, 3, 3);
    ASSERT_EQ(read(picture_), expected);
  }
}

TEST_F(WindowCopy, WholeRowFillsShareOneRowUntilDrawnOn) {
  fillArea(picture_, 0, 0, kWidth, kHeight, RGB(20, 30, 40));
  SetPixel(picture_, 7, 7, RGB(1, 1, 1));
  fillArea(picture_, 0, 9, 3, 10, RGB(2, 2, 2));
  std::vector<COLORREF> pixels = read(picture_);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      COLORREF expected = RGB(20, 30, 40);
      if (x == 7 && y == 7) expected = RGB(1, 1, 1);
      if (y == 9 && x < 3) expected = RGB(2, 2, 2);
      ASSERT_EQ(pixels[size_t(y * kWidth + x)], expected) << x << "," << y;
    }
}

}  // namespace
