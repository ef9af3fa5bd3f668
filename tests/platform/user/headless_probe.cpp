// A small Win32 program for the headless driver's tests: a resizable popup
// "main" (red class brush) at (100, 50), 200 x 100, with a child "child"
// (green) at (150, 0), 50 x 50 of its client area. It prints every input,
// sizing and closing message it gets, one line each, as
// "<tick> <window> <message> <details>", captures the mouse while the left
// button is down, and ends with exit code 5 when its window is destroyed.
//
//   headless_probe [timer MS] [hidecursor] [foreign NUMBER]
//
// "timer MS" arms timer 1 of the main window; "hidecursor" calls
// ShowCursor(FALSE); "foreign NUMBER" makes the main window a child of that
// foreign window instead, at (0, 0), and prints the foreign window's
// rectangle.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

HWND mainWindow = nullptr;

const char* nameOf(HWND window) { return window == mainWindow ? "main" : "child"; }

const char* messageName(UINT message) {
  switch (message) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSCHAR: return "WM_SYSCHAR";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP: return "WM_MBUTTONUP";
    case WM_ENTERSIZEMOVE: return "WM_ENTERSIZEMOVE";
    case WM_EXITSIZEMOVE: return "WM_EXITSIZEMOVE";
    case WM_SIZE: return "WM_SIZE";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_TIMER: return "WM_TIMER";
  }
  return nullptr;
}

LRESULT CALLBACK probeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const char* name = messageName(message)) {
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP)
      printf("%lu %s %s %d,%d 0x%lx\n", static_cast<unsigned long>(GetTickCount()), nameOf(window),
             name, SHORT(LOWORD(lParam)), SHORT(HIWORD(lParam)), static_cast<unsigned long>(wParam));
    else
      printf("%lu %s %s 0x%lx 0x%lx\n", static_cast<unsigned long>(GetTickCount()), nameOf(window),
             name, static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam));
    fflush(stdout);
  }
  if (message == WM_LBUTTONDOWN) SetCapture(window);
  if (message == WM_LBUTTONUP) ReleaseCapture();
  if (message == WM_DESTROY && window == mainWindow) PostQuitMessage(5);
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass(const char* name, HBRUSH brush) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = probeProc;
  windowClass.hbrBackground = brush;
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);
}

}  // namespace

int main(int argc, char** argv) {
  UINT timer = 0;
  bool hideCursor = false;
  HWND foreign = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "timer") == 0 && i + 1 < argc) timer = UINT(atoi(argv[++i]));
    else if (strcmp(argv[i], "hidecursor") == 0) hideCursor = true;
    else if (strcmp(argv[i], "foreign") == 0 && i + 1 < argc)
      foreign = reinterpret_cast<HWND>(strtoul(argv[++i], nullptr, 10));
  }
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), green = CreateSolidBrush(RGB(0, 255, 0));
  registerClass("ProbeMain", red);
  registerClass("ProbeChild", green);
  if (foreign) {
    RECT r;
    BOOL known = GetWindowRect(foreign, &r);
    printf("foreign %d %ld,%ld,%ld,%ld\n", known, long(r.left), long(r.top), long(r.right), long(r.bottom));
    mainWindow = CreateWindowExA(0, "ProbeMain", "probe", WS_CHILD | WS_VISIBLE, 0, 0,
                                 r.right - r.left, r.bottom - r.top, foreign, nullptr, nullptr, nullptr);
  } else {
    mainWindow = CreateWindowExA(0, "ProbeMain", "probe", WS_POPUP | WS_VISIBLE | WS_THICKFRAME,
                                 100, 50, 200, 100, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "ProbeChild", "", WS_CHILD | WS_VISIBLE, 150, 0, 50, 50, mainWindow,
                    nullptr, nullptr, nullptr);
  }
  if (!mainWindow) return 1;
  if (timer) SetTimer(mainWindow, 1, timer, nullptr);
  if (hideCursor) ShowCursor(FALSE);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(red);
  DeleteObject(green);
  return int(message.wParam);
}
