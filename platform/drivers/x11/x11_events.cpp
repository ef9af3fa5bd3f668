// The X11 driver's event loop: waitEvents turns X events into the input
// calls of platform/user (driverKey with the character the keyboard layout
// types, driverMouseMove, driverMouseButton, driverMouseWheel,
// driverWindowMoved, driverUserResize, driverCloseRequest,
// driverForeignWindowGone, driverForeignWindowResized), sends pictures again
// after expose events, and waits on the connection's socket and the
// termination signals' pipe and the pipe that other threads' posts write
// to (loop_wake.h) with poll(), never sleeping.
//
// X has no event for the end of a resize by the user: a size that the window
// manager gave the window is reported with driverUserResize once it has not
// changed for kResizeSettleMs, which the wait's timeout takes into account.
#include "platform/drivers/x11/x11_events.h"

#include <poll.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <X11/keysym.h>

#include "platform/drivers/driver.h"
#include "platform/drivers/loop_wake.h"
#include "platform/drivers/termination_signals.h"
#include "platform/kernel/codepage1252.h"
#include "platform/internal/diagnostics.h"
#include "platform/drivers/x11/x11_clipboard.h"
#include "platform/drivers/x11/x11_connection.h"
#include "platform/drivers/x11/x11_edges.h"
#include "platform/drivers/x11/x11_hold.h"
#include "platform/drivers/x11/x11_keys.h"
#include "platform/drivers/x11/x11_present.h"
#include "platform/drivers/x11/x11_windows.h"

namespace {

constexpr uint64_t kResizeSettleMs = 300;

uint64_t clockStart = 0;

// The window the pointer is in: the event's window when the point lies
// inside it, otherwise none of ours (the event came through a grab).
HWND windowUnderPointer(const X11Window& window, int x, int y) {
  return x >= 0 && y >= 0 && x < window.width && y < window.height ? window.handle : nullptr;
}

// What the key types with the modifiers held, in the server's keyboard
// layout, as a Windows-1252 byte: 0 for nothing (or a character the code
// page lacks); control characters as XLookupString makes them (Ctrl+A is 1).
int typedCharacter(XKeyEvent& event) {
  char bytes[8];
  KeySym keysym = 0;
  int count = XLookupString(&event, bytes, sizeof bytes, &keysym, nullptr);
  uint32_t code = 0;
  if (keysym >= 0x20 && keysym <= 0xFF) code = uint32_t(keysym);               // Latin-1
  else if ((keysym & 0xFF000000) == 0x01000000) code = uint32_t(keysym & 0xFFFFFF);  // Unicode
  else if (keysym == XK_EuroSign) code = 0x20AC;
  if (code && (event.state & ControlMask) && count == 1 && static_cast<unsigned char>(bytes[0]) < 0x20)
    return static_cast<unsigned char>(bytes[0]);
  if (code) {
    int byte = windows1252FromUnicode(code, true);
    return byte < 0 ? 0 : byte;
  }
  // Keys without a printable symbol: -1 lets the layer decide (Enter, Tab,
  // Backspace, Escape as on Windows).
  return -1;
}

// The key code that put each virtual key down, as delivered; 0 when up.
unsigned pressedBy[256];

bool onKey(const X11Window& window, XKeyEvent& event, bool down) {
  // The key's unshifted symbol: Q is VK 0x51 with or without Shift. Keys
  // without a virtual-key code are not passed on.
  UINT virtualKey = virtualKeyOfKeysym(XLookupKeysym(&event, 0));
  int character = typedCharacter(event);
  // A key of another layout that no US key has (the German "ö") still
  // types: it comes as VK_OEM_8, its character from the layout.
  if (!virtualKey && character > 0) virtualKey = 0xDF /* VK_OEM_8 */;
  if (!virtualKey) return false;
  pressedBy[virtualKey & 0xFF] = down ? event.keycode : 0;
  driverKey(window.handle, virtualKey, down, down ? character : -1);
  return true;
}

// The keyboard's state when the focus comes back: keys that went up while
// another window had the focus (the Alt of Alt+Tab) go up here too, or
// platform/user would take every later key for an Alt combination.
bool onKeymap(const X11Window& window, const XKeymapEvent& event) {
  HWND handle = window.handle;
  bool delivered = false;
  for (unsigned virtualKey = 0; virtualKey < 256; ++virtualKey) {
    unsigned keycode = pressedBy[virtualKey];
    if (!keycode || (event.key_vector[keycode / 8] & (1 << (keycode % 8)))) continue;
    pressedBy[virtualKey] = 0;
    driverKey(handle, virtualKey, false);
    delivered = true;
  }
  return delivered;
}

bool onButton(X11Window& window, XButtonEvent& event, bool down) {
  MouseButton button;
  switch (event.button) {
    case Button1: button = MouseButton::Left; break;
    case Button2: button = MouseButton::Middle; break;
    case Button3: button = MouseButton::Right; break;
    case Button4:
    case Button5:
      // The wheel: one notch per press, away from the user (4) or towards.
      if (down)
        driverMouseWheel(window.handle, event.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA,
                         POINT{event.x_root, event.y_root});
      return down;
    default:
      // Buttons 6 and 7 are the horizontal wheel, 8 and 9 the side buttons:
      // Win32's WM_MOUSEHWHEEL and WM_XBUTTON* are not provided.
      layerDiagnostic("x11", "the horizontal wheel and the side buttons are not passed on");
      return false;
  }
  if (button == MouseButton::Left) {
    if (down ? startEdgeResize(window, event) : finishEdgeResize(window, event)) return true;
  }
  driverMouseButton(windowUnderPointer(window, event.x, event.y), button, down,
                    POINT{event.x_root, event.y_root});
  return true;
}

bool onMotion(X11Window& window, XMotionEvent& event) {
  // Only the last of several queued moves counts, as Win32 merges them.
  Display* display = x11().display;
  XEvent next;
  while (XEventsQueued(display, QueuedAlready) > 0) {
    XPeekEvent(display, &next);
    if (next.type != MotionNotify || next.xmotion.window != event.window) break;
    XNextEvent(display, &next);
    event = next.xmotion;
  }
  if (trackEdgeResize(window, event)) return false;
  driverMouseMove(windowUnderPointer(window, event.x, event.y), POINT{event.x_root, event.y_root});
  return true;
}

// The window's top-left corner in the layer's coordinates.
POINT placeOf(const X11Window& window, const XConfigureEvent& event) {
  if (window.kind == NativeKind::ForeignChild) return POINT{event.x, event.y};
  // A window manager may have put the window into a frame: ask the server.
  int x = event.x, y = event.y;
  Window child;
  XTranslateCoordinates(x11().display, window.id, x11().root, 0, 0, &x, &y, &child);
  return POINT{x, y};
}

bool onConfigure(X11Window& window, const XConfigureEvent& event) {
  // Older than the last move or resize the driver asked for: that request
  // replaces it. During the driver's own edge resize, the end reports.
  if (event.serial < window.placedSerial || window.edgeDrag >= 0 || window.gone) return false;
  HWND handle = window.handle;
  window.width = event.width;
  window.height = event.height;
  bool delivered = false;
  POINT place = placeOf(window, event);
  if (place.x != window.rect.left || place.y != window.rect.top) {
    LONG width = window.rect.right - window.rect.left, height = window.rect.bottom - window.rect.top;
    window.rect = RECT{place.x, place.y, place.x + width, place.y + height};
    driverWindowMoved(handle, place);
    delivered = true;
  }
  X11Window* still = x11WindowOf(handle);
  if (!still) return delivered;
  bool layerSize = event.width == still->rect.right - still->rect.left &&
                   event.height == still->rect.bottom - still->rect.top;
  if (layerSize) {
    still->settling = false;
  } else if (!still->settling || event.width != still->settleWidth ||
             event.height != still->settleHeight) {
    still->settling = true;
    still->settleWidth = event.width;
    still->settleHeight = event.height;
    still->settleSince = x11ClockMs();
  }
  return delivered;
}

void onMap(X11Window& window) {
  // A full-screen window takes the keyboard and holds the screen; so does
  // any window shown where no window manager gives it the focus (a bare X
  // server, or a popup of the full-screen window).
  if (window.kind == NativeKind::ForeignChild) return;
  if (!window.overrideRedirect && windowManagerRuns()) return;
  beginErrorTrap();
  XSetInputFocus(x11().display, window.id, RevertToPointerRoot, CurrentTime);
  endErrorTrap();
  if (window.kind == NativeKind::FullScreen) x11HoldScreen(window);
}

// While a full-screen window holds the screen, another program's window
// mapped or restacked (a top-level, a window manager's frame) may cover it.
bool otherWindowChanged(const XEvent& event) {
  if (!x11HeldWindow() || event.xany.window != x11().root) return false;
  Window changed = event.type == MapNotify ? event.xmap.window
                   : event.type == ConfigureNotify ? event.xconfigure.window
                                                   : 0;
  if (!changed) return false;
  if (!x11WindowWithId(changed)) x11KeepOnTop();
  return true;
}

bool onDestroyed(X11Window& window) {
  // Not destroyed by the driver, whose records are gone by then: the
  // foreign parent went away and took the window with it, or another
  // program destroyed it.
  window.gone = true;
  if (window.kind == NativeKind::ForeignChild) {
    driverForeignWindowGone(window.foreignParent);
  } else {
    // Another program destroyed it: Win32 has no such thing; ask to close.
    layerDiagnostic("x11", "another program destroyed X window 0x%lx; closing it", window.id);
    driverCloseRequest(window.handle);
  }
  return true;
}

bool onClientMessage(const X11Window& window, const XClientMessageEvent& event) {
  const X11Atoms& atoms = x11().atoms;
  if (event.message_type != atoms.wmProtocols || event.format != 32 ||
      Atom(event.data.l[0]) != atoms.wmDeleteWindow)
    return false;
  driverCloseRequest(window.handle);
  return true;
}

// Handles one event; true when platform/user was called.
bool handleEvent(XEvent& event) {
  if (event.type == x11().shmCompletionEvent) {
    pictureSent(reinterpret_cast<XShmCompletionEvent&>(event).drawable);
    return false;
  }
  if (x11HandleSelectionEvent(event)) return false;
  // The keyboard layout changed (setxkbmap): XLookupString must see it.
  if (event.type == MappingNotify) {
    XRefreshKeyboardMapping(&event.xmapping);
    return false;
  }
  // A keymap event names no window; it follows a FocusIn to one of ours.
  static Window focused = 0;
  if (event.type == FocusIn) focused = event.xfocus.window;
  // A host's window that holds one of ours changed its size (the root
  // window too, when we draw on it).
  if (event.type == ConfigureNotify && event.xconfigure.event == event.xconfigure.window &&
      x11HoldsChildrenOf(event.xconfigure.window)) {
    driverForeignWindowResized(uintptr_t(event.xconfigure.window), event.xconfigure.width,
                               event.xconfigure.height);
    return true;
  }
  if (otherWindowChanged(event)) return false;
  X11Window* window = x11WindowWithId(event.type == KeymapNotify ? focused : event.xany.window);
  if (!window) return false;
  switch (event.type) {
    case KeyPress: return onKey(*window, event.xkey, true);
    case KeyRelease: return onKey(*window, event.xkey, false);
    case ButtonPress: return onButton(*window, event.xbutton, true);
    case ButtonRelease: return onButton(*window, event.xbutton, false);
    case MotionNotify: return onMotion(*window, event.xmotion);
    case Expose: {
      const XExposeEvent& e = event.xexpose;
      pictureExposed(*window, RECT{e.x, e.y, e.x + e.width, e.y + e.height});
      return false;
    }
    case ConfigureNotify:
      return event.xconfigure.window == window->id && onConfigure(*window, event.xconfigure);
    case MapNotify:
      if (event.xmap.window == window->id) onMap(*window);
      return false;
    case UnmapNotify:
      // Another program unmapped a window that holds the screen.
      if (event.xunmap.window == window->id) x11MapAgain(*window);
      return false;
    case FocusOut:
      // A grab's own focus events leave the focus where it was.
      if (event.xfocus.mode == NotifyNormal || event.xfocus.mode == NotifyWhileGrabbed)
        x11TakeFocusBack();
      return false;
    case DestroyNotify:
      return event.xdestroywindow.window == window->id && onDestroyed(*window);
    case ClientMessage: return onClientMessage(*window, event.xclient);
    case KeymapNotify: return onKeymap(*window, event.xkeymap);
    default: return false;
  }
}

bool handleQueuedEvents() {
  Display* display = x11().display;
  bool delivered = false;
  while (XPending(display)) {
    XEvent event;
    XNextEvent(display, &event);
    delivered |= handleEvent(event);
  }
  return delivered;
}

// Reports the sizes that have held long enough; the time until the next
// one is due (or -1) goes to `nextDueMs`.
bool reportSettledResizes(uint64_t now, int* nextDueMs) {
  *nextDueMs = -1;
  for (int i = 0; i < x11WindowCount(); ++i) {
    X11Window& window = *x11WindowAt(i);
    if (!window.settling) continue;
    uint64_t due = window.settleSince + kResizeSettleMs;
    if (now < due) {
      int wait = int(due - now);
      if (*nextDueMs < 0 || wait < *nextDueMs) *nextDueMs = wait;
      continue;
    }
    window.settling = false;
    window.rect.right = window.rect.left + window.settleWidth;
    window.rect.bottom = window.rect.top + window.settleHeight;
    driverUserResize(window.handle, window.settleWidth, window.settleHeight);
    // The call may have changed the list of windows: report the others next time.
    return true;
  }
  return false;
}

}  // namespace

void startX11Clock() { clockStart = monotonicClockMs(); }

uint64_t x11ClockMs() { return monotonicClockMs() - clockStart; }

void x11WaitEvents(DWORD timeoutMs) {
  Display* display = x11().display;
  uint64_t start = x11ClockMs();
  for (;;) {
    bool delivered = handleQueuedEvents();
    int settleDue = -1;
    delivered |= reportSettledResizes(x11ClockMs(), &settleDue);
    if (delivered) return;
    int holdDue = -1;
    x11RetryHold(x11ClockMs(), &holdDue);
    if (holdDue >= 0 && (settleDue < 0 || holdDue < settleDue)) settleDue = holdDue;
    flushX11Pictures();
    // Waiting for the server to read a picture may have queued events.
    if (XEventsQueued(display, QueuedAlready) > 0) continue;
    uint64_t elapsed = x11ClockMs() - start;
    if (timeoutMs != INFINITE && elapsed >= timeoutMs) return;
    uint64_t left = timeoutMs - elapsed;
    int wait = timeoutMs == INFINITE ? -1 : int(left > 0x7FFFFFFF ? 0x7FFFFFFF : left);
    if (settleDue >= 0 && (wait < 0 || settleDue < wait)) wait = settleDue;
    pollfd watched[3] = {{ConnectionNumber(display), POLLIN, 0},
                         {terminationSignalFd(), POLLIN, 0},
                         {messageLoopWakeFd(), POLLIN, 0}};
    poll(watched, 3, wait);
    // A termination signal, or a message another thread posted, is
    // platform/user's to take.
    if ((watched[1].revents | watched[2].revents) & POLLIN) return;
  }
}
