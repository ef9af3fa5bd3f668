// Timers: SetTimer and KillTimer, and the WM_TIMER messages that
// GetMessageA generates from them (timers.h). Intervals are milliseconds of
// the driver's clock, clamped to USER_TIMER_MINIMUM..USER_TIMER_MAXIMUM as
// Win32 clamps them. A timer with a window is named by (window, id); one
// without a window gets a fresh id from SetTimer.
#include <algorithm>
#include <vector>

#include "platform/drivers/driver.h"
#include "platform/internal/trace.h"
#include "platform/user/message_queue.h"
#include "platform/user/timers.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT interval;
  TIMERPROC callback;
  uint64_t due;
  uint64_t armed;  // arming order, which breaks ties between timers due together
};

struct TimerList {
  std::vector<Timer> timers;
  uint64_t armedCount = 0;
  UINT_PTR nextThreadTimerId = 1;
};

TimerList& list() {
  static TimerList l;
  return l;
}

std::vector<Timer>::iterator findTimer(HWND window, UINT_PTR id) {
  auto& timers = list().timers;
  return std::find_if(timers.begin(), timers.end(),
                      [&](const Timer& t) { return t.window == window && t.id == id; });
}

bool accepts(const Timer& timer, HWND filter, UINT first, UINT last) {
  return windowFilterAccepts(filter, timer.window) && rangeAccepts(first, last, WM_TIMER);
}

}  // namespace

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC callback) {
  if (window && !windowOrError(window)) return 0;
  TimerList& l = list();
  if (!window && findTimer(nullptr, id) == l.timers.end()) id = l.nextThreadTimerId++;
  UINT interval = std::min<UINT>(std::max<UINT>(elapse, USER_TIMER_MINIMUM), USER_TIMER_MAXIMUM);
  Timer timer = {window, id, interval, callback, driverClockMs() + interval, l.armedCount++};
  auto it = findTimer(window, id);
  if (it != l.timers.end())
    *it = timer;
  else
    l.timers.push_back(timer);
  if (traceEnabled())
    traceEvent("settimer %s %lu %u", windowLabel(window).c_str(), static_cast<unsigned long>(id),
               interval);
  return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
  auto it = findTimer(window, id);
  if (it == list().timers.end()) {
    SetLastError(window && !findWindow(window) ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  list().timers.erase(it);
  if (traceEnabled())
    traceEvent("killtimer %s %lu", windowLabel(window).c_str(), static_cast<unsigned long>(id));
  return TRUE;
}

void killWindowTimers(HWND window) {
  auto& timers = list().timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [&](const Timer& t) { return t.window == window; }),
               timers.end());
}

bool nextTimerDue(HWND filter, UINT first, UINT last, uint64_t* due) {
  bool found = false;
  for (const Timer& t : list().timers) {
    if (!accepts(t, filter, first, last)) continue;
    if (!found || t.due < *due) *due = t.due;
    found = true;
  }
  return found;
}

bool takeDueTimer(HWND filter, UINT first, UINT last, bool remove, MSG* message) {
  uint64_t now = driverClockMs();
  Timer* chosen = nullptr;
  for (Timer& t : list().timers) {
    if (t.due > now || !accepts(t, filter, first, last)) continue;
    if (!chosen || t.due < chosen->due || (t.due == chosen->due && t.armed < chosen->armed))
      chosen = &t;
  }
  if (!chosen) return false;
  *message = MSG{chosen->window, WM_TIMER, chosen->id, reinterpret_cast<LPARAM>(chosen->callback),
                 DWORD(now), cursorPosition()};
  if (remove) {
    chosen->due = now + chosen->interval;
    if (traceEnabled())
      traceEvent("timer %s %lu", windowLabel(chosen->window).c_str(),
                 static_cast<unsigned long>(chosen->id));
  }
  return true;
}

bool isTimerCallback(LPARAM callback) {
  for (const Timer& t : list().timers)
    if (reinterpret_cast<LPARAM>(t.callback) == callback) return true;
  return false;
}
