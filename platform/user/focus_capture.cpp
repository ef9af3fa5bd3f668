// Which window gets the keyboard and the mouse: the active top-level window
// (GetActiveWindow), the keyboard focus (SetFocus, GetFocus) and the mouse
// capture (SetCapture, ReleaseCapture, GetCapture). A focus that moves inside
// a dialog tells the dialog manager (dialogFocusMoved).
//
// Activation sends WM_ACTIVATE to the window losing it and to the window
// getting it; DefWindowProcA gives the focus to a window being activated.
// WM_ACTIVATEAPP and WM_NCACTIVATE are not sent: there is one application.
// Win32 also makes a WM_MOUSEMOVE after the capture is released; the layer
// does not.
#include "platform/drivers/driver.h"
#include "platform/user/dialog.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

struct InputWindows {
  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
};

InputWindows& state() {
  static InputWindows s;
  return s;
}

}  // namespace

void activateWindow(HWND handle) {
  InputWindows& s = state();
  if (s.active == handle) return;
  HWND old = s.active;
  s.active = handle;
  if (old && findWindow(old)) SendMessageA(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(handle));
  if (handle && findWindow(handle)) {
    SendMessageA(handle, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
  } else if (s.focus) {
    HWND lost = s.focus;
    s.focus = nullptr;
    if (findWindow(lost)) SendMessageA(lost, WM_KILLFOCUS, 0, 0);
  }
}

void activateOtherWindow(HWND leaving) {
  if (state().active != leaving) return;
  for (HWND top : topLevelWindows()) {
    Window* window = findWindow(top);
    if (top != leaving && window && !window->destroying && isVisible(*window) &&
        !(window->style & WS_DISABLED)) {
      activateWindow(top);
      return;
    }
  }
  activateWindow(nullptr);
}

void forgetInputWindow(HWND handle) {
  InputWindows& s = state();
  if (s.active == handle) s.active = nullptr;
  if (s.focus == handle) s.focus = nullptr;
  if (s.capture == handle) {
    s.capture = nullptr;
    displayDriver().setCapture(nullptr);
  }
}

HWND WINAPI GetActiveWindow(void) { return state().active; }

HWND WINAPI GetFocus(void) { return state().focus; }

HWND WINAPI SetFocus(HWND handle) {
  InputWindows& s = state();
  HWND old = s.focus;
  if (handle) {
    Window* window = windowOrError(handle);
    if (!window) return nullptr;
    // Win32 refuses the focus to a disabled window.
    for (Window* w = window; w; w = w->parent && !w->foreignParent ? findWindow(w->parent) : nullptr)
      if (w->style & WS_DISABLED) return nullptr;
    if (handle == old) return old;
    HWND top = topLevelOf(handle);
    if (top != s.active) activateWindow(top);
    old = s.focus;
    if (old == handle) return old;
  }
  s.focus = handle;
  if (old && findWindow(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
  if (handle && findWindow(handle) && s.focus == handle)
    SendMessageA(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  // In a dialog the default push button's frame follows the focus.
  if (handle && s.focus == handle) {
    HWND top = topLevelOf(handle);
    if (top != handle && findDialog(top)) dialogFocusMoved(top, handle);
  }
  return old;
}

HWND WINAPI GetCapture(void) { return state().capture; }

HWND WINAPI SetCapture(HWND handle) {
  InputWindows& s = state();
  HWND old = s.capture;
  if (handle && !findWindow(handle)) return old;
  s.capture = handle;
  displayDriver().setCapture(handle);
  if (old && old != handle && findWindow(old))
    SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
  return old;
}

BOOL WINAPI ReleaseCapture(void) {
  SetCapture(nullptr);
  return TRUE;
}
