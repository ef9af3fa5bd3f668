// Per-window state reached through calls: EnableWindow (traced as "enable"
// and "disable"), IsWindowEnabled,
// SetWindowTextA and GetWindowTextA (which go through WM_SETTEXT and
// WM_GETTEXT, so that controls can answer them).
#include "platform/drivers/driver.h"
#include "platform/internal/trace.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

BOOL WINAPI EnableWindow(HWND handle, BOOL enable) {
  Window* window = windowOrError(handle);
  if (!window) return FALSE;
  bool wasDisabled = (window->style & WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    window->style &= ~DWORD(WS_DISABLED);
    if (window->native) displayDriver().enableWindow(handle, true);
    if (traceEnabled()) traceEvent("enable %s", windowLabel(handle).c_str());
    SendMessageA(handle, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    SendMessageA(handle, WM_CANCELMODE, 0, 0);
    if (!(window = findWindow(handle))) return FALSE;
    window->style |= WS_DISABLED;
    if (window->native) displayDriver().enableWindow(handle, false);
    if (traceEnabled()) traceEvent("disable %s", windowLabel(handle).c_str());
    HWND focus = GetFocus();
    if (focus && (focus == handle || IsChild(handle, focus))) SetFocus(nullptr);
    HWND capture = GetCapture();
    if (capture && (capture == handle || IsChild(handle, capture))) ReleaseCapture();
    SendMessageA(handle, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND handle) {
  Window* window = windowOrError(handle);
  return window && !(window->style & WS_DISABLED);
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text) {
  if (!windowOrError(handle)) return FALSE;
  return SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int WINAPI GetWindowTextA(HWND handle, LPSTR buffer, int size) {
  if (!windowOrError(handle)) return 0;
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  return int(SendMessageA(handle, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}
