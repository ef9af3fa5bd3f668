// Conformance tests of invalidation and painting: WM_PAINT with default
// processing, the WM_ERASEBKGND that BeginPaint sends when the invalidation
// asked for erasing, the class brush, and the update region's bounds.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/user/test_window.h"

namespace {

const DWORD kVisiblePopup = WS_POPUP | WS_VISIBLE;

struct EraseCase {
  const char* name;
  std::vector<BOOL> eraseFlags;  // one InvalidateRect per flag
  bool erased;
};

TEST(Paint, DefaultPaintingSendsEraseBackgroundOnlyWhenAnInvalidationAskedForIt) {
  const EraseCase cases[] = {
      {"erase", {TRUE}, true},
      {"no erase", {FALSE}, false},
      {"no erase, then erase", {FALSE, TRUE}, true},
      {"erase, then no erase", {TRUE, FALSE}, true},
  };
  for (const EraseCase& c : cases) {
    SCOPED_TRACE(c.name);
    MessageRecorder recorder;
    TestWindow window(kVisiblePopup, 0, 0, 40, 30);
    drainMessages();
    recorder.clear();
    for (BOOL erase : c.eraseFlags) InvalidateRect(window, nullptr, erase);
    UpdateWindow(window);
    std::vector<UINT> expected = {WM_PAINT};
    if (c.erased) expected.push_back(WM_ERASEBKGND);
    EXPECT_EQ(recorder.messages(window, {WM_PAINT, WM_ERASEBKGND}), expected);
    for (const Received& r : recorder.all()) {
      if (r.message == WM_ERASEBKGND) {
        EXPECT_NE(r.wParam, WPARAM(0)) << "the device context";
      }
    }
    recorder.clear();
    UpdateWindow(window);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, window, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "validated";
    EXPECT_TRUE(recorder.all().empty());
  }
}

TEST(Paint, BeginPaintTellsWhetherTheBackgroundStillNeedsErasing) {
  struct Case {
    const char* name;
    const char* className;
    BOOL invalidateErase;
    BOOL fErase;
  };
  const Case cases[] = {
      {"no brush, erase asked", testWindowClass(), TRUE, TRUE},
      {"class brush, erase asked", brushWindowClass(), TRUE, FALSE},
      {"no erase asked", testWindowClass(), FALSE, FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MessageRecorder recorder;
    PAINTSTRUCT seen = {};
    recorder.handler = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
      if (message != WM_PAINT) return false;
      BeginPaint(window, &seen);
      EndPaint(window, &seen);
      *result = 0;
      return true;
    };
    TestWindow window(kVisiblePopup, 0, 0, 40, 30, nullptr, c.className);
    drainMessages();
    InvalidateRect(window, nullptr, c.invalidateErase);
    UpdateWindow(window);
    EXPECT_EQ(seen.fErase, c.fErase);
    EXPECT_NE(seen.hdc, nullptr);
  }
}

TEST(Paint, TheClassBrushFillsTheClientAreaOnErase) {
  TestWindow window(kVisiblePopup, 0, 0, 20, 10, nullptr, brushWindowClass());
  drainMessages();
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  HDC dc = GetDC(window);
  EXPECT_EQ(GetPixel(dc, 0, 0), kClassBrushColor);
  EXPECT_EQ(GetPixel(dc, 19, 9), kClassBrushColor);
  ReleaseDC(window, dc);
}

TEST(Paint, PaintRectangleBoundsEveryInvalidatedPart) {
  MessageRecorder recorder;
  RECT painted = {};
  recorder.handler = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message != WM_PAINT) return false;
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    painted = paint.rcPaint;
    EndPaint(window, &paint);
    *result = 0;
    return true;
  };
  TestWindow window(kVisiblePopup, 0, 0, 100, 80);
  drainMessages();
  RECT a = {5, 10, 20, 15}, b = {30, 2, 40, 50}, outside = {90, 70, 300, 300};
  InvalidateRect(window, &a, FALSE);
  InvalidateRect(window, &b, FALSE);
  InvalidateRect(window, &outside, FALSE);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update.left, 5);
  EXPECT_EQ(update.top, 2);
  EXPECT_EQ(update.right, 100);
  EXPECT_EQ(update.bottom, 80);
  UpdateWindow(window);
  EXPECT_EQ(painted.left, 5);
  EXPECT_EQ(painted.top, 2);
  EXPECT_EQ(painted.right, 100);
  EXPECT_EQ(painted.bottom, 80);
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
}

TEST(Paint, ValidateRectRemovesThePendingPaint) {
  TestWindow window(kVisiblePopup, 0, 0, 40, 30);
  drainMessages();
  InvalidateRect(window, nullptr, TRUE);
  ValidateRect(window, nullptr);
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));

  RECT top = {0, 0, 40, 10};
  InvalidateRect(window, nullptr, FALSE);
  ValidateRect(window, &top);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update.top, 10);
  EXPECT_EQ(update.bottom, 30);
  ValidateRect(window, nullptr);
}

TEST(Paint, AHiddenWindowGetsNoPaint) {
  TestWindow window(WS_POPUP, 0, 0, 40, 30);
  drainMessages();
  InvalidateRect(window, nullptr, TRUE);
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  ShowWindow(window, SW_SHOWNA);
  EXPECT_TRUE(PeekMessageA(&m, window, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "shown: all invalid";
}

TEST(Paint, APaintHandlerThatDoesNotValidateIsAskedAgain) {
  MessageRecorder recorder;
  recorder.handler = [](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
    *result = 0;
    return message == WM_PAINT;
  };
  TestWindow window(kVisiblePopup, 0, 0, 40, 30);
  MSG m;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(PeekMessageA(&m, window, WM_PAINT, WM_PAINT, PM_REMOVE));
    DispatchMessageA(&m);
  }
  recorder.handler = nullptr;
  drainMessages();
  EXPECT_FALSE(PeekMessageA(&m, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST(Paint, ChildWindowsArePaintedWithTheirParent) {
  MessageRecorder recorder;
  TestWindow parent(kVisiblePopup, 0, 0, 100, 100);
  TestWindow child(WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent);
  drainMessages();
  recorder.clear();
  InvalidateRect(parent, nullptr, TRUE);
  UpdateWindow(parent);
  EXPECT_EQ(recorder.messages(parent, {WM_PAINT}).size(), 1u);
  EXPECT_EQ(recorder.messages(child, {WM_PAINT}).size(), 1u);
}

}  // namespace
