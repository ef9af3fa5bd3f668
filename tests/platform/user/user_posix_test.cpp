// Tests of what the POSIX layer settles itself, in this process with the
// headless driver: exact timing on the virtual clock, the pixels a window
// keeps when it is resized, child windows drawn into their native window's
// picture, and foreign windows (the preview's parent).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/drivers/driver.h"
#include "platform/internal/window_pixels.h"
#include "tests/platform/user/test_window.h"

namespace {

TEST(VirtualClock, GetMessageJumpsStraightToEachTimer) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  DWORD start = GetTickCount();
  SetTimer(window, 1, 30, nullptr);
  SetTimer(window, 2, 50, nullptr);
  struct Expected {
    UINT_PTR id;
    DWORD at;
  };
  const Expected expected[] = {{1, 30}, {2, 50}, {1, 60}, {1, 90}, {2, 100}, {1, 120}};
  for (const Expected& e : expected) {
    MSG m;
    ASSERT_EQ(GetMessageA(&m, window, WM_TIMER, WM_TIMER), TRUE);
    EXPECT_EQ(m.wParam, e.id);
    EXPECT_EQ(m.time - start, e.at);
    EXPECT_EQ(GetTickCount() - start, e.at);
  }
  KillTimer(window, 1);
  KillTimer(window, 2);
}

TEST(VirtualClock, PeekMessageDoesNotMoveTheClock) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  DWORD start = GetTickCount();
  SetTimer(window, 1, 30, nullptr);
  MSG m;
  for (int i = 0; i < 100; ++i) EXPECT_FALSE(PeekMessageA(&m, window, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_EQ(GetTickCount(), start);
  KillTimer(window, 1);
}

// Fills the window's pixels with a value per position.
void paintPositions(HWND window) {
  PixelBuffer b;
  ASSERT_TRUE(windowPixels(window, &b));
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) b.pixels[y * b.width + x] = uint32_t(y << 8 | x);
}

TEST(WindowPixels, ResizingKeepsWhatFitsAndBlanksTheRest) {
  TestWindow window(WS_POPUP, 0, 0, 8, 6);
  struct Case {
    const char* name;
    int width, height;
  };
  const Case cases[] = {{"wider and taller", 12, 9}, {"narrower and shorter", 5, 4},
                        {"wider, shorter", 10, 3}, {"to nothing", 0, 0}, {"back", 3, 3}};
  int oldWidth = 8, oldHeight = 6;
  paintPositions(window);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetWindowPos(window, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER);
    PixelBuffer b;
    ASSERT_TRUE(windowPixels(window, &b));
    ASSERT_EQ(b.width, c.width);
    ASSERT_EQ(b.height, c.height);
    for (int y = 0; y < b.height; ++y) {
      for (int x = 0; x < b.width; ++x) {
        uint32_t expected = x < oldWidth && y < oldHeight ? uint32_t(y << 8 | x) : 0;
        ASSERT_EQ(b.pixels[y * b.width + x], expected) << x << "," << y;
      }
    }
    oldWidth = std::min(oldWidth, c.width);
    oldHeight = std::min(oldHeight, c.height);
  }
}

TEST(WindowPixels, ChildWindowsAreDrawnIntoTheNativeWindowsPicture) {
  TestWindow parent(WS_POPUP | WS_VISIBLE, 0, 0, 6, 4);
  TestWindow child(WS_CHILD | WS_VISIBLE, 2, 1, 3, 5, parent);
  TestWindow hidden(WS_CHILD, 0, 0, 6, 4, parent);
  PixelBuffer b;
  ASSERT_TRUE(windowPixels(parent, &b));
  std::fill(b.pixels, b.pixels + 24, 0x111111u);
  ASSERT_TRUE(windowPixels(child, &b));
  std::fill(b.pixels, b.pixels + 15, 0x222222u);
  ASSERT_TRUE(windowPixels(hidden, &b));
  std::fill(b.pixels, b.pixels + 24, 0x333333u);

  ASSERT_TRUE(nativeWindowPixels(parent, &b));
  ASSERT_EQ(b.width, 6);
  const char* expected[] = {"......", "..###.", "..###.", "..###."};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(b.pixels[y * 6 + x], expected[y][x] == '#' ? 0x222222u : 0x111111u) << x << "," << y;
  EXPECT_FALSE(nativeWindowPixels(child, &b)) << "a child has no native window of its own";
}

TEST(ForeignWindows, AreKnownByNumberAndHostChildren) {
  HWND foreign = reinterpret_cast<HWND>(4242);
  EXPECT_TRUE(IsWindow(foreign));
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(0x7FFFFFF0)));
  RECT r;
  ASSERT_TRUE(GetWindowRect(foreign, &r));
  EXPECT_EQ(r.right - r.left, 152);
  EXPECT_EQ(r.bottom - r.top, 112);
  TestWindow preview(WS_CHILD | WS_VISIBLE, 5, 6, 20, 30, foreign);
  ASSERT_NE(preview.handle(), nullptr);
  EXPECT_EQ(GetParent(preview), foreign);
  POINT p = {0, 0};
  MapWindowPoints(preview, nullptr, &p, 1);
  EXPECT_EQ(p.x, r.left + 5);
  EXPECT_EQ(p.y, r.top + 6);
  PixelBuffer b;
  EXPECT_TRUE(nativeWindowPixels(preview, &b)) << "a child of a foreign window is native";
}

}  // namespace
