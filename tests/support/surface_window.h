// A saver window for the display's tests and benchmarks: a real window of the
// layer whose procedure paints the picture on WM_ERASEBKGND and hands a
// fetched document to the typewriter (as the saver's own does), and the
// release of everything the surface and the typewriter
// made, so each case starts from nothing.
#ifndef QUILLON_TESTS_SUPPORT_SURFACE_WINDOW_H
#define QUILLON_TESTS_SUPPORT_SURFACE_WINDOW_H

#include <windows.h>

#include "display/terminal_surface.h"
#include "display/typewriter.h"
#include "feed/feed_fetcher.h"
#include "host/saver_state.h"

inline LRESULT CALLBACK surfaceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    paintSurface(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  if (message == DocumentMessage) {
    documentArrived();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Makes saverWindow (client width x height at the screen's origin) and the
// surface in it.
inline void openSurfaceWindow(int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = surfaceWindowProc;
    wc.lpszClassName = "QuillonSurfaceWindow";
    RegisterClassExA(&wc);
    registered = true;
  }
  saverWindow = CreateWindowExA(0, "QuillonSurfaceWindow", "QuillonScr", WS_POPUP | WS_VISIBLE, 0,
                                0, width, height, nullptr, nullptr, nullptr, nullptr);
  if (saverWindow) createSurface(saverWindow);
}

// Stops the typewriter and releases the surface's objects and the window.
inline void closeSurfaceWindow() {
  stopTyping();
  destroySurface();
  if (saverWindow) DestroyWindow(saverWindow);
  saverWindow = nullptr;
}

#endif
