// Input from the display driver (the driver* entry points of driver.h):
// keys become WM_KEYDOWN/WM_KEYUP, or WM_SYSKEYDOWN/WM_SYSKEYUP with Alt
// (without Ctrl), for F10, and when no window has the focus; mouse events
// become client-coordinate mouse messages for the captured window or the
// window under the pointer; the wheel becomes WM_MOUSEWHEEL for the focus; a resize by the user becomes WM_ENTERSIZEMOVE,
// the resize and WM_EXITSIZEMOVE; a close request becomes WM_SYSCOMMAND
// SC_CLOSE. Every delivery is traced, a key delivered to a password field as "*".
#include <stdlib.h>

#include "platform/drivers/driver.h"
#include "platform/drivers/key_names.h"
#include "platform/internal/trace.h"
#include "platform/user/controls/controls.h"
#include "platform/user/message_queue.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

constexpr DWORD kDoubleClickTime = 500;  // GetDoubleClickTime's default
constexpr int kDoubleClickSlack = 2;     // half of SM_CXDOUBLECLK

struct InputState {
  bool down[256] = {};  // keys and buttons as delivered
  HWND clickWindow = nullptr;
  UINT clickButton = 0;
  DWORD clickTime = 0;
  POINT clickAt = {0, 0};
};

InputState& input() {
  static InputState s;
  return s;
}

WPARAM mouseKeyFlags() {
  const bool* down = input().down;
  return (down[VK_LBUTTON] ? MK_LBUTTON : 0) | (down[VK_RBUTTON] ? MK_RBUTTON : 0) |
         (down[VK_MBUTTON] ? MK_MBUTTON : 0) | (down[VK_SHIFT] ? MK_SHIFT : 0) |
         (down[VK_CONTROL] ? MK_CONTROL : 0);
}

// The deepest visible, enabled window at `point` (client coordinates of
// `window`); a disabled child passes the mouse to its parent, as in Win32.
HWND windowAt(Window& window, POINT point) {
  for (HWND handle : window.children) {
    Window* child = findWindow(handle);
    if (!child || !isVisible(*child) || (child->style & WS_DISABLED)) continue;
    if (point.x >= child->rect.left && point.x < child->rect.right && point.y >= child->rect.top &&
        point.y < child->rect.bottom)
      return windowAt(*child, POINT{point.x - child->rect.left, point.y - child->rect.top});
  }
  return window.handle;
}

HWND mouseTarget(HWND native, POINT screen, POINT* client) {
  HWND target = GetCapture();
  if (!target) {
    Window* window = findWindow(native);
    if (!window || !window->native || (window->style & WS_DISABLED)) return nullptr;
    POINT origin;
    if (!clientOriginOnScreen(*window, &origin)) return nullptr;
    target = windowAt(*window, POINT{screen.x - origin.x, screen.y - origin.y});
  }
  Window* window = findWindow(target);
  POINT origin;
  if (!window || !clientOriginOnScreen(*window, &origin)) return nullptr;
  *client = POINT{screen.x - origin.x, screen.y - origin.y};
  return target;
}

LPARAM pointParam(POINT p) { return MAKELPARAM(WORD(SHORT(p.x)), WORD(SHORT(p.y))); }

const char* buttonName(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return "left";
    case MouseButton::Right: return "right";
    default: return "middle";
  }
}

UINT buttonKey(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return VK_LBUTTON;
    case MouseButton::Right: return VK_RBUTTON;
    default: return VK_MBUTTON;
  }
}

UINT buttonMessage(MouseButton button, bool down, bool doubleClick) {
  UINT base = button == MouseButton::Left    ? WM_LBUTTONDOWN
              : button == MouseButton::Right ? WM_RBUTTONDOWN
                                             : WM_MBUTTONDOWN;
  return down ? (doubleClick ? base + 2 : base) : base + 1;
}

// The second press of a button within the double-click time and distance,
// on a window whose class asks for double clicks.
bool isDoubleClick(HWND target, MouseButton button, POINT screen) {
  InputState& s = input();
  Window* window = findWindow(target);
  bool wanted = window && window->windowClass && (window->windowClass->style & CS_DBLCLKS);
  DWORD now = GetTickCount();
  bool twice = wanted && s.clickWindow == target && s.clickButton == buttonKey(button) &&
               now - s.clickTime <= kDoubleClickTime &&
               abs(screen.x - s.clickAt.x) <= kDoubleClickSlack &&
               abs(screen.y - s.clickAt.y) <= kDoubleClickSlack;
  if (twice) {
    s.clickWindow = nullptr;  // a third press starts again
  } else {
    s.clickWindow = target;
    s.clickButton = buttonKey(button);
    s.clickTime = now;
    s.clickAt = screen;
  }
  return twice;
}

void performUserResize(HWND handle, int width, int height) {
  if (!findWindow(handle)) return;
  if (traceEnabled()) traceEvent("resize %s %dx%d", windowLabel(handle).c_str(), width, height);
  SendMessageA(handle, WM_ENTERSIZEMOVE, 0, 0);
  Window* window = findWindow(handle);
  RECT frame = window ? window->frame : RECT{0, 0, 0, 0};
  SetWindowPos(handle, nullptr, 0, 0, width + frame.left + frame.right,
               height + frame.top + frame.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (findWindow(handle)) SendMessageA(handle, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace

void driverKey(HWND native, UINT virtualKey, bool down, int character) {
  InputState& s = input();
  UINT vk = virtualKey & 0xFF;
  bool wasDown = s.down[vk];
  s.down[vk] = down;
  HWND target = GetFocus();
  bool noFocus = !target;
  if (noFocus) target = GetActiveWindow() ? GetActiveWindow() : native;
  Window* window = findWindow(target);
  if (!window || (window->style & WS_DISABLED)) return;
  bool alt = vk == VK_MENU ? down : s.down[VK_MENU];
  bool ctrl = s.down[VK_CONTROL];
  bool system = noFocus || vk == VK_F10 || ((alt || vk == VK_MENU) && !ctrl);
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  UINT scan = scanCodeOfVirtualKey(vk);
  DWORD keyData = (scan & 0x1FF) | (alt && !ctrl ? KF_ALTDOWN : 0) |
                  ((down ? wasDown : true) ? KF_REPEAT : 0) | (down ? 0 : KF_UP);
  queueKeyMessage(target, message, vk, MAKELPARAM(1, keyData), down ? character : -1);
  // The keys typed into a password field are a secret: the trace names none.
  if (traceEnabled())
    traceEvent("%s %s %s", down ? "keydown" : "keyup",
               isPasswordEdit(target) ? "*" : nameOfVirtualKey(vk), windowLabel(target).c_str());
}

void driverMouseMove(HWND native, POINT screen) {
  setCursorPosition(screen);
  POINT client;
  HWND target = mouseTarget(native, screen, &client);
  if (!target) return;
  queueInputMessage(target, WM_MOUSEMOVE, mouseKeyFlags(), pointParam(client));
  if (traceEnabled())
    traceEvent("mousemove %d,%d %s", int(client.x), int(client.y), windowLabel(target).c_str());
}

void driverMouseButton(HWND native, MouseButton button, bool down, POINT screen) {
  setCursorPosition(screen);
  input().down[buttonKey(button)] = down;
  POINT client;
  HWND target = mouseTarget(native, screen, &client);
  if (!target) return;
  if (down && !GetCapture()) {
    HWND top = topLevelOf(target);
    if (top != GetActiveWindow()) activateWindow(top);
    if (!findWindow(target)) return;
  }
  bool doubleClick = down && isDoubleClick(target, button, screen);
  queueInputMessage(target, buttonMessage(button, down, doubleClick), mouseKeyFlags(),
                    pointParam(client));
  if (traceEnabled())
    traceEvent("%s %s %d,%d %s", down ? (doubleClick ? "doubleclick" : "buttondown") : "buttonup",
               buttonName(button), int(client.x), int(client.y), windowLabel(target).c_str());
}

// The wheel turns for the window with the focus, as in Win32 (without
// focus, the active window), with the screen position of the pointer.
void driverMouseWheel(HWND native, int delta, POINT screen) {
  setCursorPosition(screen);
  HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
  Window* window = findWindow(target);
  if (!window || !native || (window->style & WS_DISABLED)) return;
  WORD keys = WORD(mouseKeyFlags());
  WORD turn = static_cast<WORD>(static_cast<SHORT>(delta));
  queueInputMessage(target, WM_MOUSEWHEEL, MAKEWPARAM(keys, turn), pointParam(screen));
  if (traceEnabled()) traceEvent("wheel %d %s", delta, windowLabel(target).c_str());
}

void driverUserResize(HWND native, int width, int height) {
  queueInputAction([native, width, height] { performUserResize(native, width, height); });
}

void driverWindowMoved(HWND native, POINT topLeft) {
  Window* window = findWindow(native);
  if (!window) return;
  // The driver reports where the client area went.
  SetWindowPos(native, nullptr, topLeft.x - window->frame.left, topLeft.y - window->frame.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void driverCloseRequest(HWND native) {
  if (!findWindow(native)) return;
  if (traceEnabled()) traceEvent("close %s", windowLabel(native).c_str());
  PostMessageA(native, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void driverMinimizeRequest(HWND native) {
  if (!findWindow(native)) return;
  if (traceEnabled()) traceEvent("minimize %s", windowLabel(native).c_str());
  PostMessageA(native, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}
