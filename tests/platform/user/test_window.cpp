// Test support for the window-manager conformance tests (test_window.h).
#include "tests/platform/user/test_window.h"

namespace {

MessageRecorder* recorder = nullptr;

// The brush of the brush class, deleted at exit like any drawing object.
struct ClassBrush {
  HBRUSH brush = CreateSolidBrush(kClassBrushColor);
  ~ClassBrush() { DeleteObject(brush); }
};

void registerClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSEXA plain = {};
  plain.cbSize = sizeof plain;
  plain.lpfnWndProc = recordingProc;
  plain.hInstance = GetModuleHandleA(nullptr);
  plain.lpszClassName = "QuillonTestWindow";
  RegisterClassExA(&plain);
  WNDCLASSEXA brush = plain;
  static ClassBrush classBrush;
  brush.hbrBackground = classBrush.brush;
  brush.lpszClassName = "QuillonTestBrushWindow";
  RegisterClassExA(&brush);
}

}  // namespace

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (recorder) {
    recorder->received_.push_back(Received{window, message, wParam, lParam});
    LRESULT result = 0;
    if (recorder->handler && recorder->handler(window, message, wParam, lParam, &result))
      return result;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

const char* testWindowClass() {
  registerClasses();
  return "QuillonTestWindow";
}

const char* brushWindowClass() {
  registerClasses();
  return "QuillonTestBrushWindow";
}

MessageRecorder::MessageRecorder() { recorder = this; }
MessageRecorder::~MessageRecorder() { recorder = nullptr; }

std::vector<UINT> MessageRecorder::messages(HWND window, const std::vector<UINT>& kinds) const {
  std::vector<UINT> out;
  for (const Received& r : received_) {
    if (window && r.window != window) continue;
    for (UINT kind : kinds)
      if (r.message == kind) out.push_back(r.message);
  }
  return out;
}

TestWindow::TestWindow(DWORD style, int x, int y, int width, int height, HWND parent,
                       const char* className) {
  handle_ = CreateWindowExA(0, className ? className : testWindowClass(), "test", style, x, y,
                            width, height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
  drainMessages();
}

void drainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) DispatchMessageA(&message);
  }
}

MSG waitForMessage(HWND window, UINT message) {
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    if (m.message == message && (!window || m.hwnd == window)) return m;
    DispatchMessageA(&m);
  }
  return m;
}
