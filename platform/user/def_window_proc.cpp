// DefWindowProcA: the default processing of messages. Painting validates
// the window and erases with the class brush; closing destroys the window;
// Alt+F4 asks to close, as Win32 does; other system keys do nothing (there
// is no window menu); activation gives the focus; WM_WINDOWPOSCHANGED sends
// WM_MOVE and WM_SIZE; the window text is kept here.
#include <string.h>

#include "platform/drivers/driver.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

LRESULT copyText(const Window& window, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  size_t length = window.text.size() < size - 1 ? window.text.size() : size - 1;
  memcpy(out, window.text.data(), length);
  out[length] = '\0';
  return LRESULT(length);
}

void setText(Window& window, const char* text) {
  window.text = text ? text : "";
  if (window.native) displayDriver().setTitle(window.handle, window.text.c_str());
}

void afterPositionChanged(HWND handle, const WINDOWPOS& pos) {
  Window* window = findWindow(handle);
  if (!window) return;
  if (!(pos.flags & SWP_NOMOVE))
    SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(window->rect.left, window->rect.top));
  if (!(pos.flags & SWP_NOSIZE) && (window = findWindow(handle)))
    SendMessageA(handle, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(clientWidth(*window), clientHeight(*window)));
}

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window = findWindow(handle);
  if (!window) return 0;
  switch (message) {
    case WM_NCCREATE: {
      const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (create && create->lpszName) setText(*window, create->lpszName);
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(handle, &paint);
      EndPaint(handle, &paint);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush = window->windowClass ? window->windowClass->background : nullptr;
      if (!brush || !wParam) return 0;
      RECT client = {0, 0, clientWidth(*window), clientHeight(*window)};
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      return 1;
    }
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(handle, WM_CLOSE, 0, 0);
      if ((wParam & 0xFFF0) == SC_MINIMIZE) ShowWindow(handle, SW_MINIMIZE);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN))
        PostMessageA(topLevelOf(handle), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(handle);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == handle) ReleaseCapture();
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (lParam) afterPositionChanged(handle, *reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_SETTEXT:
      setText(*window, reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_GETTEXT:
      return copyText(*window, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return LRESULT(window->text.size());
    case WM_QUERYENDSESSION:
      return TRUE;
  }
  return 0;
}
