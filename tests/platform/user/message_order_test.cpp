// Conformance tests of the order in which GetMessageA hands out messages:
// posted messages first, then WM_QUIT, then WM_PAINT, then WM_TIMER; and of
// WM_QUIT ending the loop with its exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/user/test_window.h"

namespace {

const DWORD kVisiblePopup = WS_POPUP | WS_VISIBLE;

// Lets `ms` of the clock pass inside GetMessageA by waiting for a timer of
// another window, whose messages are the only ones taken meanwhile.
void letTimePass(UINT ms) {
  TestWindow other(WS_POPUP, 0, 0, 10, 10);
  SetTimer(other, 99, ms, nullptr);
  MSG m;
  GetMessageA(&m, other, WM_TIMER, WM_TIMER);
  KillTimer(other, 99);
}

// A shown window with an update region and an overdue timer 1.
void makePaintAndTimerPending(HWND window) {
  drainMessages();
  SetTimer(window, 1, 10, nullptr);
  letTimePass(40);
  InvalidateRect(window, nullptr, TRUE);
}

TEST(MessageOrder, PostedBeforePaintBeforeTimerEvenWhenTheTimerIsOverdue) {
  TestWindow window(kVisiblePopup, 0, 0, 50, 50);
  makePaintAndTimerPending(window);
  PostMessageA(window, WM_USER + 1, 0, 0);
  PostMessageA(window, WM_USER + 2, 0, 0);

  std::vector<UINT> order;
  MSG m;
  for (int i = 0; i < 4 && GetMessageA(&m, nullptr, 0, 0) > 0; ++i) {
    order.push_back(m.message);
    DispatchMessageA(&m);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_PAINT, WM_TIMER}));
  KillTimer(window, 1);
}

TEST(MessageOrder, QuitComesAfterPostedMessagesAndBeforePaintAndTimers) {
  TestWindow window(kVisiblePopup, 0, 0, 50, 50);
  makePaintAndTimerPending(window);
  PostQuitMessage(7);
  PostMessageA(window, WM_USER, 0, 0);

  MSG m;
  ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
  EXPECT_EQ(m.message, UINT(WM_USER));
  EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
  EXPECT_EQ(m.message, UINT(WM_QUIT));
  EXPECT_EQ(m.wParam, WPARAM(7));
  EXPECT_EQ(m.hwnd, nullptr);
  ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
  EXPECT_EQ(m.message, UINT(WM_PAINT));
  KillTimer(window, 1);
}

TEST(MessageOrder, QuitIsTakenOnceAndAnsweredEvenWithAWindowFilter) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  PostQuitMessage(3);
  MSG m;
  EXPECT_EQ(GetMessageA(&m, window, 0, 0), FALSE);
  EXPECT_EQ(m.wParam, WPARAM(3));
  EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(MessageOrder, PeekWithoutRemoveLeavesTheMessageInPlace) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  PostMessageA(window, WM_USER, 11, 22);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, UINT(WM_USER));
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, WPARAM(11));
  EXPECT_EQ(m.lParam, LPARAM(22));
  EXPECT_FALSE(PeekMessageA(&m, window, WM_USER, WM_USER, PM_REMOVE));
}

TEST(MessageOrder, FiltersPickMessagesOutOfOrder) {
  TestWindow first(WS_POPUP, 0, 0, 10, 10);
  TestWindow second(WS_POPUP, 0, 0, 10, 10);
  PostMessageA(first, WM_USER, 1, 0);
  PostMessageA(second, WM_USER, 2, 0);
  PostMessageA(first, WM_USER + 5, 3, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, second, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, WPARAM(2));
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
  EXPECT_EQ(m.wParam, WPARAM(3));
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, WPARAM(1));
}

TEST(MessageOrder, ThreadMessagesHaveNoWindow) {
  ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 9, 5, 6));
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, nullptr);
  EXPECT_EQ(m.message, UINT(WM_USER + 9));
}

TEST(MessageOrder, TranslateMessagePostsACharacterForAPrintableKey) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  MSG key = {window, WM_KEYDOWN, 'Q', 0x00100001, 0, {0, 0}};
  EXPECT_TRUE(TranslateMessage(&key));
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, window, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_CHAR));
  EXPECT_EQ(m.wParam, WPARAM('q'));
  EXPECT_EQ(m.lParam, LPARAM(0x00100001));

  MSG shiftKey = {window, WM_KEYDOWN, VK_SHIFT, 0x002A0001, 0, {0, 0}};
  EXPECT_TRUE(TranslateMessage(&shiftKey));
  EXPECT_FALSE(PeekMessageA(&m, window, 0, 0, PM_REMOVE));
  MSG mouse = {window, WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
  EXPECT_FALSE(TranslateMessage(&mouse));
}

}  // namespace
