// Test support for the window-manager conformance tests, on the Win32 API
// only: a window class whose procedure records every message it gets (and
// lets a test answer some of them itself), windows of that class that are
// destroyed at the end of the test, and draining of the message queue.
#ifndef QUILLON_TESTS_PLATFORM_USER_TEST_WINDOW_H
#define QUILLON_TESTS_PLATFORM_USER_TEST_WINDOW_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Answers a message instead of DefWindowProcA when it returns true.
using MessageHandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;

// The class "QuillonTestWindow" (registered once, no background brush) and
// "QuillonTestBrushWindow" (a red background brush).
const char* testWindowClass();
const char* brushWindowClass();
const COLORREF kClassBrushColor = RGB(200, 10, 20);

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Records every message of the windows of both classes, in order, while it
// lives; at most one recorder at a time.
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  // Only the messages in `kinds`, in order, of one window (null: all).
  std::vector<UINT> messages(HWND window, const std::vector<UINT>& kinds) const;
  const std::vector<Received>& all() const { return received_; }
  void clear() { received_.clear(); }

  // Set before the messages come; called for every recorded message.
  MessageHandler handler;

 private:
  friend LRESULT CALLBACK recordingProc(HWND, UINT, WPARAM, LPARAM);
  std::vector<Received> received_;
};

// A window of `className`, destroyed (if still there) when the object goes.
class TestWindow {
 public:
  TestWindow(DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
             const char* className = nullptr);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle() const { return handle_; }
  operator HWND() const { return handle_; }

 private:
  HWND handle_;
};

// Takes and dispatches every message that is there now, without waiting;
// WM_QUIT is taken and dropped.
void drainMessages();

// Takes messages with GetMessageA, dispatching each, until one of `message`
// for `window` (null: any) comes; returns it undispatched.
MSG waitForMessage(HWND window, UINT message);

#endif
