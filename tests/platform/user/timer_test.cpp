// Conformance tests of SetTimer and KillTimer: the interval limits, arming a
// timer again, stopping it twice, callbacks and their arguments, no catch-up
// after a long wait, and timers ending with their window. Times are read
// from GetTickCount around waits for the timers themselves: nothing sleeps.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/user/test_window.h"

namespace {

// GetTickCount may lag the timer by a tick on real systems.
const DWORD kTickSlack = 1;

MSG nextTimer(HWND window) {
  MSG m = {};
  GetMessageA(&m, window, WM_TIMER, WM_TIMER);
  return m;
}

TEST(Timer, IntervalsBelowTheMinimumWaitTheMinimum) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  for (UINT interval : {0u, 1u, 9u}) {
    SCOPED_TRACE(interval);
    DWORD start = GetTickCount();
    ASSERT_EQ(SetTimer(window, 1, interval, nullptr), UINT_PTR(1));
    MSG m = nextTimer(window);
    EXPECT_EQ(m.wParam, WPARAM(1));
    EXPECT_GE(GetTickCount() - start, DWORD(USER_TIMER_MINIMUM) - kTickSlack);
    KillTimer(window, 1);
  }
}

TEST(Timer, ANegativeIntervalWaitsTheLongest) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  SetTimer(window, 1, UINT(-5), nullptr);
  SetTimer(window, 2, 30, nullptr);
  SetTimer(window, 3, 60, nullptr);
  EXPECT_EQ(nextTimer(window).wParam, WPARAM(2));
  EXPECT_EQ(nextTimer(window).wParam, WPARAM(2));
  EXPECT_EQ(nextTimer(window).wParam, WPARAM(3));
  EXPECT_TRUE(KillTimer(window, 1));
  KillTimer(window, 2);
  KillTimer(window, 3);
}

TEST(Timer, ArmingAgainReplacesTheTimer) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  SetTimer(window, 5, 1000, nullptr);
  DWORD start = GetTickCount();
  EXPECT_EQ(SetTimer(window, 5, 20, nullptr), UINT_PTR(5));
  SetTimer(window, 6, 500, nullptr);
  EXPECT_EQ(nextTimer(window).wParam, WPARAM(5));
  EXPECT_LT(GetTickCount() - start, DWORD(500));
  EXPECT_EQ(nextTimer(window).wParam, WPARAM(5)) << "one timer 5, every 20 ms";
  EXPECT_TRUE(KillTimer(window, 5));
  EXPECT_FALSE(KillTimer(window, 5)) << "there was only one";
  KillTimer(window, 6);
}

TEST(Timer, KillingAStoppedTimerIsHarmless) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  EXPECT_FALSE(KillTimer(window, 77)) << "never armed";
  SetTimer(window, 77, 50, nullptr);
  EXPECT_TRUE(KillTimer(window, 77));
  EXPECT_FALSE(KillTimer(window, 77));
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, window, WM_TIMER, WM_TIMER, PM_REMOVE));
}

struct CallbackCall {
  HWND window;
  UINT message;
  UINT_PTR id;
  DWORD time;
  DWORD tickInside;
};
std::vector<CallbackCall> calls;

void CALLBACK recordCall(HWND window, UINT message, UINT_PTR id, DWORD time) {
  calls.push_back(CallbackCall{window, message, id, time, GetTickCount()});
}

void CALLBACK otherCallback(HWND window, UINT, UINT_PTR id, DWORD) {
  calls.push_back(CallbackCall{window, 0, id + 1000, 0, 0});
}

TEST(Timer, DispatchingCallsTheCallbackWithWindowMessageIdAndTime) {
  calls.clear();
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  SetTimer(window, 42, 15, recordCall);
  MSG m = nextTimer(window);
  EXPECT_NE(m.lParam, 0) << "the callback, in a form DispatchMessageA knows";
  DispatchMessageA(&m);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].window, window.handle());
  EXPECT_EQ(calls[0].message, UINT(WM_TIMER));
  EXPECT_EQ(calls[0].id, UINT_PTR(42));
  EXPECT_LE(calls[0].tickInside - calls[0].time, kTickSlack);

  SetTimer(window, 42, 15, otherCallback);
  m = nextTimer(window);
  DispatchMessageA(&m);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].id, UINT_PTR(1042)) << "the new callback replaces the old one";
  KillTimer(window, 42);
}

TEST(Timer, TimersWithoutAWindowGetTheirOwnIds) {
  calls.clear();
  UINT_PTR first = SetTimer(nullptr, 0, 10, recordCall);
  UINT_PTR second = SetTimer(nullptr, 0, 10, recordCall);
  EXPECT_NE(first, UINT_PTR(0));
  EXPECT_NE(second, UINT_PTR(0));
  EXPECT_NE(first, second);
  MSG m;
  ASSERT_EQ(GetMessageA(&m, nullptr, WM_TIMER, WM_TIMER), TRUE);
  EXPECT_EQ(m.hwnd, nullptr);
  DispatchMessageA(&m);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].window, nullptr);
  EXPECT_TRUE(KillTimer(nullptr, first));
  EXPECT_TRUE(KillTimer(nullptr, second));
}

TEST(Timer, AnOverdueTimerFiresOnceAndThenKeepsItsInterval) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  TestWindow other(WS_POPUP, 0, 0, 10, 10);
  SetTimer(window, 1, 20, nullptr);
  SetTimer(other, 1, 200, nullptr);
  nextTimer(other);  // window's timer is ten intervals overdue now
  KillTimer(other, 1);
  MSG first = nextTimer(window);
  MSG second = nextTimer(window);
  // Catching up would give the second at once (0 or 1 ms later). Wine on a
  // busy machine counts the next interval from when the late timer was due,
  // not from when it fired: a few milliseconds less than the interval.
  EXPECT_GE(second.time - first.time, DWORD(USER_TIMER_MINIMUM));
  KillTimer(window, 1);
}

TEST(Timer, DestroyingTheWindowStopsItsTimers) {
  HWND handle;
  {
    TestWindow window(WS_POPUP, 0, 0, 10, 10);
    handle = window;
    SetTimer(window, 1, 10, nullptr);
  }
  EXPECT_FALSE(KillTimer(handle, 1));
  EXPECT_EQ(SetTimer(handle, 1, 10, nullptr), UINT_PTR(0)) << "no timers for a destroyed window";
}

}  // namespace
