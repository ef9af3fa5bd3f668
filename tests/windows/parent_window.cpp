// A stand-in for the preview box of Windows' display settings, for the smoke
// test of the saver's "/p" mode: opens a borderless grey window at (100, 100),
// 320 x 240 pixels, writes its handle as a decimal number on standard output,
// and after the given number of seconds (default 10) writes one line for each
// child window ("child CLASS WIDTHxHEIGHT"), destroys the window, as the
// display settings do when the preview closes, and ends with code 0.
//
//   parent_window.exe [seconds]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

BOOL CALLBACK reportChild(HWND child, LPARAM) {
  char className[100] = "";
  GetClassNameA(child, className, sizeof className);
  RECT rect;
  GetWindowRect(child, &rect);
  printf("child %s %ldx%ld\n", className, rect.right - rect.left, rect.bottom - rect.top);
  return TRUE;
}

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    EnumChildWindows(window, reportChild, 0);
    fflush(stdout);
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? atoi(argv[1]) : 10;
  HINSTANCE instance = GetModuleHandleA(nullptr);

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = parentProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  windowClass.lpszClassName = "QuillonTestParent";
  if (!RegisterClassA(&windowClass)) return 1;

  HWND window = CreateWindowExA(0, "QuillonTestParent", "preview parent",
                                WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 320, 240,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
  fflush(stdout);
  SetTimer(window, 1, static_cast<UINT>(seconds) * 1000, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
