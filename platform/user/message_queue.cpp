// The message queue of the one user-interface thread: PostMessageA,
// SendMessageA, GetMessageA, PeekMessageA, WaitMessage, TranslateMessage,
// DispatchMessageA, PostQuitMessage and GetKeyState.
//
// TranslateMessage makes the character of a key from the driver's keyboard
// layout when the driver gave one with the key, else from a US layout.
//
// GetMessageA takes messages in Win32's order: posted messages first, then
// WM_QUIT once PostQuitMessage was called and no posted message is left,
// then input from the driver, then WM_PAINT for a window with an update
// region, then WM_TIMER for a due timer. WM_PAINT and WM_TIMER are made when
// asked for, never queued, so there is at most one of each per retrieval.
// When nothing is there, it waits in the driver until the next timer is due
// (a virtual clock jumps there at once).
//
// Windows and their queue belong to the one user-interface thread (the one
// that starts the program). Another thread may only post: PostMessageA from
// it puts the message into an inbox under a lock and wakes the driver's wait
// (platform/drivers/loop_wake.h); the user-interface thread moves the inbox
// into its posted messages at each look, dropping those whose window has
// gone meanwhile. Such a post cannot check the window when it is made, so it
// succeeds for any non-null window; Win32 checks it at once.
#include <deque>
#include <mutex>
#include <thread>

#include "platform/drivers/driver.h"
#include "platform/drivers/key_names.h"
#include "platform/drivers/loop_wake.h"
#include "platform/drivers/termination_signals.h"
#include "platform/internal/trace.h"
#include "platform/user/message_queue.h"
#include "platform/user/timers.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

struct InputEntry {
  MSG message;
  std::function<void()> action;  // set for an action entry
  int character = -1;            // a key's character in the driver's layout
};

struct Queue {
  std::deque<MSG> posted;
  std::deque<InputEntry> input;
  bool quitPending = false;
  int quitCode = 0;
  bool keys[256] = {};  // key state as of the last retrieved input message
  POINT cursor = {0, 0};
  MSG lastKey = {};          // the last key message retrieved, and the
  int lastKeyCharacter = -1; // character the driver's layout gave it
};

Queue& queue() {
  static Queue q;
  return q;
}

// The thread that runs static initialisation runs main(): the
// user-interface thread.
const std::thread::id kUserInterfaceThread = std::this_thread::get_id();

// Messages that other threads posted, not yet seen by the queue.
struct Inbox {
  std::mutex lock;
  std::deque<MSG> messages;
};

Inbox& inbox() {
  static Inbox box;
  return box;
}

bool onUserInterfaceThread() { return std::this_thread::get_id() == kUserInterfaceThread; }

void takeOtherThreadsPosts() {
  drainMessageLoopWake();
  std::deque<MSG> arrived;
  {
    Inbox& box = inbox();
    std::lock_guard<std::mutex> guard(box.lock);
    arrived.swap(box.messages);
  }
  for (MSG& m : arrived) {
    if (!findWindow(m.hwnd)) continue;
    m.time = GetTickCount();
    m.pt = queue().cursor;
    queue().posted.push_back(m);
  }
}

MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return MSG{window, message, wParam, lParam, GetTickCount(), queue().cursor};
}

bool accepts(const MSG& m, HWND filter, UINT first, UINT last) {
  return windowFilterAccepts(filter, m.hwnd) && rangeAccepts(first, last, m.message);
}

void noteRetrievedKey(const MSG& m) {
  bool* keys = queue().keys;
  UINT vk = m.wParam & 0xFF;
  if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) keys[vk] = true;
  if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP) keys[vk] = false;
}

bool takeInput(MSG* out, HWND filter, UINT first, UINT last, bool remove) {
  Queue& q = queue();
  while (!q.input.empty() && q.input.front().action) {
    std::function<void()> action = std::move(q.input.front().action);
    q.input.pop_front();
    action();
  }
  for (auto it = q.input.begin(); it != q.input.end(); ++it) {
    if (it->action) break;  // later input waits until the action has run
    if (!accepts(it->message, filter, first, last)) continue;
    *out = it->message;
    if (remove) {
      noteRetrievedKey(*out);
      q.lastKey = *out;
      q.lastKeyCharacter = it->character;
      q.input.erase(it);
    }
    return true;
  }
  return false;
}

// One look at every source, in order; false when none has a message.
bool lookForMessage(MSG* out, HWND filter, UINT first, UINT last, bool remove) {
  Queue& q = queue();
  displayDriver().waitEvents(0);
  deliverTerminationSignals();
  takeOtherThreadsPosts();
  for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
    if (!accepts(*it, filter, first, last)) continue;
    *out = *it;
    if (remove) q.posted.erase(it);
    return true;
  }
  if (q.quitPending) {
    *out = makeMessage(nullptr, WM_QUIT, WPARAM(q.quitCode), 0);
    if (remove) {
      q.quitPending = false;
      if (traceEnabled()) traceEvent("quit %d", q.quitCode);
      stopTerminationWatchdog();
    }
    return true;
  }
  if (takeInput(out, filter, first, last, remove)) return true;
  if (rangeAccepts(first, last, WM_PAINT)) {
    if (HWND window = windowToPaint(filter)) {
      *out = makeMessage(window, WM_PAINT, 0, 0);
      return true;
    }
  }
  return takeDueTimer(filter, first, last, remove, out);
}

// Waits in the driver until input may have come or the next timer the
// filters accept is due.
void waitForMore(HWND filter, UINT first, UINT last) {
  uint64_t due;
  DWORD timeout = INFINITE;
  if (nextTimerDue(filter, first, last, &due)) {
    uint64_t now = driverClockMs();
    timeout = due > now ? DWORD(due - now) : 0;
  }
  displayDriver().waitEvents(timeout);
}

bool validFilter(HWND filter) {
  return !filter || filter == reinterpret_cast<HWND>(-1) || findWindow(filter);
}

}  // namespace

bool windowFilterAccepts(HWND filter, HWND window) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return window == nullptr;
  return window == filter || IsChild(filter, window);
}

bool rangeAccepts(UINT first, UINT last, UINT message) {
  if (first == 0 && last == 0) return true;
  return message >= first && message <= last;
}

void queueInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Queue& q = queue();
  if (message == WM_MOUSEMOVE && !q.input.empty()) {
    InputEntry& last = q.input.back();
    if (!last.action && last.message.message == WM_MOUSEMOVE && last.message.hwnd == window) {
      last.message = makeMessage(window, message, wParam, lParam);
      return;
    }
  }
  q.input.push_back(InputEntry{makeMessage(window, message, wParam, lParam), nullptr});
}

void queueKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int character) {
  queue().input.push_back(InputEntry{makeMessage(window, message, wParam, lParam), nullptr, character});
}

void queueInputAction(std::function<void()> action) {
  queue().input.push_back(InputEntry{MSG{}, std::move(action)});
}

void dropWindowMessages(HWND window) {
  Queue& q = queue();
  for (auto it = q.posted.begin(); it != q.posted.end();)
    it = it->hwnd == window ? q.posted.erase(it) : it + 1;
  for (auto it = q.input.begin(); it != q.input.end();)
    it = !it->action && it->message.hwnd == window ? q.input.erase(it) : it + 1;
}

bool queueKeyDown(UINT virtualKey) { return queue().keys[virtualKey & 0xFF]; }

// Only the "down" bit: toggle states (Caps Lock) are not kept.
SHORT WINAPI GetKeyState(int virtualKey) {
  return queueKeyDown(UINT(virtualKey)) ? SHORT(0x8000) : SHORT(0);
}

POINT cursorPosition() { return queue().cursor; }
void setCursorPosition(POINT screen) { queue().cursor = screen; }

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!onUserInterfaceThread()) {
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    {
      Inbox& box = inbox();
      std::lock_guard<std::mutex> guard(box.lock);
      box.messages.push_back(MSG{window, message, wParam, lParam, 0, POINT{0, 0}});
    }
    wakeMessageLoop();
    return TRUE;
  }
  if (window && !windowOrError(window)) return FALSE;
  queue().posted.push_back(makeMessage(window, message, wParam, lParam));
  return TRUE;
}

LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window = windowOrError(handle);
  if (!window || !window->proc) return 0;
  return window->proc(handle, message, wParam, lParam);
}

BOOL WINAPI PeekMessageA(LPMSG message, HWND filter, UINT first, UINT last, UINT remove) {
  if (!validFilter(filter)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return lookForMessage(message, filter, first, last, (remove & PM_REMOVE) != 0);
}

BOOL WINAPI GetMessageA(LPMSG message, HWND filter, UINT first, UINT last) {
  if (!validFilter(filter)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  while (!lookForMessage(message, filter, first, last, true)) waitForMore(filter, first, last);
  return message->message != WM_QUIT;
}

BOOL WINAPI WaitMessage(void) {
  MSG message;
  while (!lookForMessage(&message, nullptr, 0, 0, false)) waitForMore(nullptr, 0, 0);
  return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
  queue().quitPending = true;
  queue().quitCode = exitCode;
}

BOOL WINAPI TranslateMessage(const MSG* message) {
  if (!message) return FALSE;
  UINT kind = message->message;
  if (kind != WM_KEYDOWN && kind != WM_SYSKEYDOWN) return kind == WM_KEYUP || kind == WM_SYSKEYUP;
  UINT vk = message->wParam & 0xFF;
  char c = 0;
  const Queue& q = queue();
  bool fromLayout = q.lastKeyCharacter >= 0 && q.lastKey.hwnd == message->hwnd &&
                    q.lastKey.message == message->message && q.lastKey.wParam == message->wParam &&
                    q.lastKey.lParam == message->lParam && q.lastKey.time == message->time;
  if (fromLayout) {
    c = char(q.lastKeyCharacter);
  } else if (queueKeyDown(VK_CONTROL) && !queueKeyDown(VK_MENU)) {
    if (vk >= 'A' && vk <= 'Z') c = char(vk - 'A' + 1);
  } else {
    c = characterOfKey(vk, queueKeyDown(VK_SHIFT));
  }
  if (c) {
    PostMessageA(message->hwnd, kind == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                 static_cast<unsigned char>(c), message->lParam);
  }
  return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* message) {
  if (!message) return 0;
  if (message->message == WM_TIMER && message->lParam) {
    if (!isTimerCallback(message->lParam)) return 0;
    reinterpret_cast<TIMERPROC>(message->lParam)(message->hwnd, WM_TIMER, message->wParam,
                                                 GetTickCount());
    return 0;
  }
  Window* window = windowOrError(message->hwnd);
  if (!window || !window->proc) return 0;
  LRESULT result = window->proc(message->hwnd, message->message, message->wParam, message->lParam);
  // A WM_PAINT handler that did not call BeginPaint still gets its
  // background erased, as Win32 does; its update region stays.
  if (message->message == WM_PAINT && (window = findWindow(message->hwnd))) eraseIfPending(*window);
  return result;
}
