// Conformance tests of windows: creation and destruction messages, closing,
// posting to a destroyed window, placement arithmetic (SetWindowPos,
// MoveWindow, MapWindowPoints, GetWindowRect), showing, enabling, text,
// focus, capture and the cursor count. Windows are borderless popups, whose
// client area is the whole window in Win32 too.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/user/test_window.h"

namespace {

::testing::AssertionResult rectIs(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  if (r.left == left && r.top == top && r.right == right && r.bottom == bottom)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "rect is {" << r.left << ", " << r.top << ", " << r.right
                                       << ", " << r.bottom << "}";
}

TEST(Window, CreationSendsNcCreateThenCreateWithTheCreationParameters) {
  MessageRecorder recorder;
  int marker = 0;
  CREATESTRUCTA seen = {};
  recorder.handler = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
    if (message == WM_CREATE) seen = *reinterpret_cast<CREATESTRUCTA*>(lParam);
    return false;
  };
  HWND window = CreateWindowExA(0, testWindowClass(), "title", WS_POPUP, 5, 6, 70, 80, nullptr,
                                nullptr, GetModuleHandleA(nullptr), &marker);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(recorder.messages(window, {WM_NCCREATE, WM_CREATE}),
            (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
  EXPECT_EQ(recorder.all().front().message, UINT(WM_NCCREATE)) << "before anything but sizing";
  EXPECT_EQ(seen.lpCreateParams, &marker);
  EXPECT_EQ(seen.x, 5);
  EXPECT_EQ(seen.y, 6);
  EXPECT_EQ(seen.cx, 70);
  EXPECT_EQ(seen.cy, 80);
  char title[16];
  EXPECT_EQ(GetWindowTextA(window, title, sizeof title), 5);
  EXPECT_STREQ(title, "title");
  DestroyWindow(window);
}

TEST(Window, RefusingNcCreateOrCreateFailsTheCreationWithNcDestroyOnly) {
  struct Case {
    UINT refused;
    LRESULT answer;
  };
  for (Case c : {Case{WM_NCCREATE, FALSE}, Case{WM_CREATE, -1}}) {
    SCOPED_TRACE(c.refused);
    MessageRecorder recorder;
    recorder.handler = [c](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
      *result = c.answer;
      return message == c.refused;
    };
    HWND window = CreateWindowExA(0, testWindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(recorder.messages(nullptr, {WM_DESTROY, WM_NCDESTROY}),
              std::vector<UINT>{WM_NCDESTROY});
  }
}

TEST(Window, CreationFailsForAnUnknownClassOrAChildWithoutParent) {
  SetLastError(0);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClassHere", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  // Windows says ERROR_CANNOT_FIND_WND_CLASS; Wine ERROR_CLASS_DOES_NOT_EXIST.
  EXPECT_TRUE(GetLastError() == DWORD(ERROR_CANNOT_FIND_WND_CLASS) || GetLastError() == 1411)
      << GetLastError();
  EXPECT_EQ(CreateWindowExA(0, testWindowClass(), "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_TLW_WITH_WSCHILD));
}

TEST(Window, DestroyingSendsDestroyDownTheTreeAndNcDestroyUpIt) {
  MessageRecorder recorder;
  TestWindow parent(WS_POPUP, 0, 0, 100, 100);
  TestWindow child(WS_CHILD, 0, 0, 10, 10, parent);
  recorder.clear();
  bool childAliveDuringParentDestroy = false;
  recorder.handler = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (window == parent.handle() && message == WM_DESTROY)
      childAliveDuringParentDestroy = IsWindow(child) != FALSE;
    return false;
  };
  EXPECT_TRUE(DestroyWindow(parent));
  std::vector<std::pair<HWND, UINT>> order;
  for (const Received& r : recorder.all())
    if (r.message == WM_DESTROY || r.message == WM_NCDESTROY) order.push_back({r.window, r.message});
  std::vector<std::pair<HWND, UINT>> expected = {{parent, WM_DESTROY},
                                                 {child, WM_DESTROY},
                                                 {child, WM_NCDESTROY},
                                                 {parent, WM_NCDESTROY}};
  EXPECT_EQ(order, expected);
  EXPECT_TRUE(childAliveDuringParentDestroy);
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(DestroyWindow(parent)) << "already gone";
}

TEST(Window, DefaultProcessingOfCloseDestroysTheWindow) {
  MessageRecorder recorder;
  TestWindow window(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  PostMessageA(window, WM_CLOSE, 0, 0);
  drainMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(recorder.messages(nullptr, {WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
            (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
}

TEST(Window, PostingToADestroyedWindowFailsAndQueuesNothing) {
  HWND handle;
  {
    TestWindow window(WS_POPUP, 0, 0, 10, 10);
    handle = window;
    PostMessageA(window, WM_USER, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) << "destruction drops its messages";
  SetLastError(0);
  EXPECT_FALSE(PostMessageA(handle, WM_CLOSE, 0, 0));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(SendMessageA(handle, WM_USER, 0, 0), 0);
}

TEST(Window, GetMessageEndsWithTheQuitCode) {
  MessageRecorder recorder;
  recorder.handler = [](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message == WM_DESTROY) PostQuitMessage(42);
    *result = 0;
    return message == WM_DESTROY;
  };
  TestWindow window(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG m;
  int dispatched = 0;
  while (GetMessageA(&m, nullptr, 0, 0)) {
    DispatchMessageA(&m);
    ++dispatched;
  }
  EXPECT_EQ(m.message, UINT(WM_QUIT));
  EXPECT_EQ(m.wParam, WPARAM(42));
  EXPECT_GE(dispatched, 1);
  EXPECT_FALSE(IsWindow(window));
}

TEST(Window, DesktopClientAreaIsTheScreen) {
  RECT desktop;
  ASSERT_TRUE(GetClientRect(GetDesktopWindow(), &desktop));
  EXPECT_TRUE(rectIs(desktop, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
  EXPECT_GT(desktop.right, 0);
}

TEST(Window, SetWindowPosMovesResizesAndKeepsWhatItIsToldToKeep) {
  TestWindow window(WS_POPUP, 100, 50, 200, 120);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_TRUE(rectIs(r, 100, 50, 300, 170));

  struct Case {
    const char* name;
    int x, y, cx, cy;
    UINT flags;
    RECT expected;
  };
  const Case cases[] = {
      {"move only", 10, 20, 999, 999, SWP_NOSIZE, {10, 20, 210, 140}},
      {"size only", 999, 999, 50, 40, SWP_NOMOVE, {10, 20, 60, 60}},
      {"both", -30, -40, 70, 60, 0, {-30, -40, 40, 20}},
      {"negative size is none", 0, 0, -5, -9, 0, {0, 0, 0, 0}},
      {"MoveWindow-like", 1, 2, 3, 4, SWP_NOZORDER | SWP_NOACTIVATE, {1, 2, 4, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SetWindowPos(window, HWND_TOP, c.x, c.y, c.cx, c.cy, c.flags));
    GetWindowRect(window, &r);
    EXPECT_TRUE(rectIs(r, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom));
    GetClientRect(window, &r);
    EXPECT_TRUE(rectIs(r, 0, 0, c.expected.right - c.expected.left,
                       c.expected.bottom - c.expected.top));
  }
  ASSERT_TRUE(MoveWindow(window, 7, 8, 9, 10, TRUE));
  GetWindowRect(window, &r);
  EXPECT_TRUE(rectIs(r, 7, 8, 16, 18));
}

TEST(Window, DefaultPositionChangedProcessingSendsMoveAndSize) {
  MessageRecorder recorder;
  TestWindow window(WS_POPUP, 0, 0, 20, 20);
  recorder.clear();
  SetWindowPos(window, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(recorder.messages(window, {WM_MOVE, WM_SIZE}), std::vector<UINT>{WM_MOVE});
  recorder.clear();
  SetWindowPos(window, nullptr, 0, 0, 30, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(recorder.messages(window, {WM_MOVE, WM_SIZE}), std::vector<UINT>{WM_SIZE});
  for (const Received& r : recorder.all()) {
    if (r.message != WM_SIZE) continue;
    EXPECT_EQ(LOWORD(r.lParam), 30);
    EXPECT_EQ(HIWORD(r.lParam), 40);
  }
}

TEST(Window, MapWindowPointsAddsTheDifferenceOfTheClientOrigins) {
  TestWindow parent(WS_POPUP, 100, 50, 300, 200);
  TestWindow child(WS_CHILD, 10, 20, 50, 50, parent);
  struct Case {
    const char* name;
    HWND from, to;
    LONG dx, dy;
  };
  const Case cases[] = {
      {"popup to screen", parent, nullptr, 100, 50},
      {"popup to desktop", parent, GetDesktopWindow(), 100, 50},
      {"child to screen", child, nullptr, 110, 70},
      {"child to parent", child, parent, 10, 20},
      {"screen to child", nullptr, child, -110, -70},
      {"window to itself", child, child, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    POINT points[2] = {{0, 0}, {3, 4}};
    int result = MapWindowPoints(c.from, c.to, points, 2);
    EXPECT_EQ(points[0].x, c.dx);
    EXPECT_EQ(points[0].y, c.dy);
    EXPECT_EQ(points[1].x, 3 + c.dx);
    EXPECT_EQ(points[1].y, 4 + c.dy);
    EXPECT_EQ(SHORT(LOWORD(result)), c.dx);
    EXPECT_EQ(SHORT(HIWORD(result)), c.dy);
  }
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_TRUE(rectIs(r, 110, 70, 160, 120));
}

TEST(Window, ShowWindowReturnsThePreviousVisibility) {
  TestWindow parent(WS_POPUP, 0, 0, 50, 50);
  TestWindow child(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
  EXPECT_FALSE(IsWindowVisible(child)) << "its parent is hidden";
  EXPECT_FALSE(ShowWindow(parent, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(parent));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_NE(ShowWindow(parent, SW_SHOW), FALSE);
  EXPECT_NE(ShowWindow(parent, SW_HIDE), FALSE);
  EXPECT_FALSE(IsWindowVisible(parent));
  EXPECT_FALSE(ShowWindow(parent, SW_HIDE));
}

TEST(Window, EnableWindowReturnsWhetherItWasDisabled) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_FALSE(EnableWindow(window, FALSE));
  EXPECT_FALSE(IsWindowEnabled(window));
  EXPECT_NE(EnableWindow(window, FALSE), FALSE);
  EXPECT_NE(EnableWindow(window, TRUE), FALSE);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST(Window, WindowTextIsCutToTheBuffer) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  ASSERT_TRUE(SetWindowTextA(window, "QuillonScr"));
  char text[5] = "xxxx";
  EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 4);
  EXPECT_STREQ(text, "Quil");
  char whole[32];
  EXPECT_EQ(GetWindowTextA(window, whole, sizeof whole), 10);
  EXPECT_STREQ(whole, "QuillonScr");
}

TEST(Window, FocusMovesWithSetFocusAndSendsKillAndSetFocus) {
  MessageRecorder recorder;
  TestWindow parent(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  TestWindow child(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
  drainMessages();
  EXPECT_EQ(GetFocus(), parent.handle()) << "a shown popup is activated and focused";
  recorder.clear();
  EXPECT_EQ(SetFocus(child), parent.handle());
  EXPECT_EQ(GetFocus(), child.handle());
  EXPECT_EQ(recorder.messages(nullptr, {WM_KILLFOCUS, WM_SETFOCUS}),
            (std::vector<UINT>{WM_KILLFOCUS, WM_SETFOCUS}));
  EnableWindow(child, FALSE);
  EXPECT_NE(GetFocus(), child.handle()) << "a disabled window loses the focus";
}

TEST(Window, CaptureIsSetReplacedReleasedAndEndsWithTheWindow) {
  MessageRecorder recorder;
  TestWindow first(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  TestWindow second(WS_POPUP | WS_VISIBLE, 20, 0, 10, 10);
  ReleaseCapture();
  recorder.clear();
  EXPECT_EQ(SetCapture(first), nullptr);
  EXPECT_EQ(GetCapture(), first.handle());
  EXPECT_EQ(SetCapture(second), first.handle());
  EXPECT_EQ(recorder.messages(first, {WM_CAPTURECHANGED}), std::vector<UINT>{WM_CAPTURECHANGED});
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(recorder.messages(second, {WM_CAPTURECHANGED}), std::vector<UINT>{WM_CAPTURECHANGED});
  EXPECT_TRUE(ReleaseCapture()) << "releasing without a capture is harmless";

  SetCapture(first);
  DestroyWindow(first);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Window, ShowCursorCountsUpAndDown) {
  int start = ShowCursor(TRUE) - 1;
  EXPECT_EQ(ShowCursor(FALSE), start);
  EXPECT_EQ(ShowCursor(FALSE), start - 1);
  EXPECT_EQ(ShowCursor(FALSE), start - 2);
  EXPECT_EQ(ShowCursor(TRUE), start - 1);
  EXPECT_EQ(ShowCursor(TRUE), start);
}

TEST(Window, ScreenSaverRunningIsAccepted) {
  BOOL previous = -1;
  EXPECT_TRUE(SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &previous, 0));
  EXPECT_TRUE(SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0));
}

}  // namespace
