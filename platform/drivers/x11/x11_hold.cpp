// The full-screen window's hold on the screen (x11_hold.h): grabs, tried
// again while another client has them, and the stacking, focus and mapping
// put right when another program changes them.
#include "platform/drivers/x11/x11_hold.h"

#include <stdio.h>

#include <X11/Xlib.h>

#include "platform/drivers/x11/x11_connection.h"
#include "platform/drivers/x11/x11_events.h"
#include "platform/internal/diagnostics.h"

namespace {

struct Hold {
  HWND handle = nullptr;  // of the held window; null when none holds
  bool keyboard = false;  // our grabs are active
  bool pointer = false;
  bool capture = false;   // SetCapture's grab stands in for the pointer grab
  uint64_t since = 0;     // when holding began
  uint64_t nextTry = 0;
  bool said = false;      // the line on stderr was written
  long rootMask = 0;      // what this client selected on the root before
  // The stacking is put right at most once per kHoldRetryMs, so that a
  // program (or window manager) that keeps raising its window above costs a
  // few raises a second, not a busy loop; a change meanwhile is looked at
  // when that time is up.
  uint64_t lastRaise = 0;
  bool stackingToCheck = false;
};

Hold hold;

bool grabPointer(Window id) {
  return XGrabPointer(x11().display, id, True,
                      ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                      GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
}

void tryGrabs(const X11Window& window, uint64_t now) {
  Display* display = x11().display;
  // Owner events: keys and clicks for the program's own windows (the
  // password prompt) reach them as usual; all others come to the held one.
  if (!hold.keyboard)
    hold.keyboard = XGrabKeyboard(display, window.id, True, GrabModeAsync, GrabModeAsync,
                                  CurrentTime) == GrabSuccess;
  if (!hold.pointer && !hold.capture) hold.pointer = grabPointer(window.id);
  hold.nextTry = now + kHoldRetryMs;
  bool missing = !hold.keyboard || (!hold.pointer && !hold.capture);
  if (missing && !hold.said && now - hold.since >= uint64_t(kHoldPatienceMs)) {
    hold.said = true;
    const char* what = !hold.keyboard && !hold.pointer && !hold.capture
                           ? "the keyboard and the pointer"
                           : !hold.keyboard ? "the keyboard" : "the pointer";
    fprintf(stderr,
            "quillon: another program holds %s; the screen saver takes them when it lets go\n",
            what);
  }
}

// The program's window on top: the held one, or the last shown popup it owns.
Window topWindowOfHold(const X11Window& held) {
  Window top = held.id;
  for (int i = 0; i < x11WindowCount(); ++i) {
    const X11Window& window = *x11WindowAt(i);
    if (window.shown && !window.gone && window.owner == held.id) top = window.id;
  }
  return top;
}

// Raises (and maps) the held window and then the popups it shows.
void raiseHold(const X11Window& held) {
  Display* display = x11().display;
  XMapRaised(display, held.id);
  for (int i = 0; i < x11WindowCount(); ++i) {
    const X11Window& window = *x11WindowAt(i);
    if (window.shown && !window.gone && window.owner == held.id) XMapRaised(display, window.id);
  }
}

bool isViewable(Window id) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(x11().display, id, &attributes) &&
         attributes.map_state == IsViewable;
}

// Whether a window of another program is shown above the held one.
bool coveredByAnother(const X11Window& held) {
  Window rootOut = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(x11().display, x11().root, &rootOut, &parent, &children, &count)) return false;
  bool above = false, covered = false;
  for (unsigned i = 0; i < count && !covered; ++i) {  // bottom first
    if (children[i] == held.id) above = true;
    else if (above && !x11WindowWithId(children[i]) && isViewable(children[i])) covered = true;
  }
  if (children) XFree(children);
  return covered;
}

}  // namespace

X11Window* x11HeldWindow() { return hold.handle ? x11WindowOf(hold.handle) : nullptr; }

void x11HoldScreen(X11Window& window) {
  Display* display = x11().display;
  if (hold.handle != window.handle) {
    // Windows that another program maps or raises are seen as they come.
    XWindowAttributes root;
    hold.rootMask = XGetWindowAttributes(display, x11().root, &root) ? root.your_event_mask : 0;
    XSelectInput(display, x11().root, hold.rootMask | SubstructureNotifyMask);
    hold.said = false;
    hold.since = x11ClockMs();
  }
  hold.handle = window.handle;
  hold.keyboard = hold.pointer = false;  // an unmap ended them
  tryGrabs(window, x11ClockMs());
}

void x11ReleaseScreen(X11Window& window) {
  if (hold.handle == nullptr || hold.handle != window.handle) return;
  Display* display = x11().display;
  XUngrabKeyboard(display, CurrentTime);
  XUngrabPointer(display, CurrentTime);
  XSelectInput(display, x11().root, hold.rootMask);
  XFlush(display);
  hold = Hold();
}

void x11RetryHold(uint64_t now, int* nextDueMs) {
  *nextDueMs = -1;
  X11Window* held = x11HeldWindow();
  if (!held) return;
  if (hold.stackingToCheck) {
    uint64_t due = hold.lastRaise + kHoldRetryMs;
    if (now >= due) x11KeepOnTop();
    else *nextDueMs = int(due - now);
  }
  if (hold.keyboard && (hold.pointer || hold.capture)) return;
  if (now >= hold.nextTry) tryGrabs(*held, now);
  if (!hold.keyboard || (!hold.pointer && !hold.capture)) {
    int due = hold.nextTry > now ? int(hold.nextTry - now) : 0;
    if (*nextDueMs < 0 || due < *nextDueMs) *nextDueMs = due;
  }
}

void x11KeepOnTop() {
  X11Window* held = x11HeldWindow();
  if (!held) return;
  uint64_t now = x11ClockMs();
  hold.stackingToCheck = hold.lastRaise != 0 && now < hold.lastRaise + kHoldRetryMs;
  if (hold.stackingToCheck) return;
  beginErrorTrap();  // the windows looked at may go away meanwhile
  bool covered = coveredByAnother(*held);
  endErrorTrap();
  if (!covered) return;
  layerDiagnostic("x11", "another window came above the full-screen window; raised again");
  raiseHold(*held);
  hold.lastRaise = now;
}

void x11TakeFocusBack() {
  X11Window* held = x11HeldWindow();
  if (!held) return;
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x11().display, &focus, &revert);
  if (x11WindowWithId(focus)) return;
  beginErrorTrap();
  XSetInputFocus(x11().display, topWindowOfHold(*held), RevertToParent, CurrentTime);
  endErrorTrap();
}

void x11MapAgain(X11Window& window) {
  X11Window* held = x11HeldWindow();
  if (!held || !window.shown || window.gone) return;
  if (&window != held && window.owner != held->id) return;
  layerDiagnostic("x11", "another program unmapped a window of the full-screen saver; mapped again");
  raiseHold(*held);
}

bool x11GrabPointerAgain() {
  X11Window* held = x11HeldWindow();
  hold.capture = false;
  if (!held) return false;
  hold.pointer = grabPointer(held->id);
  hold.nextTry = 0;
  return true;
}

void x11NoteCapture() {
  if (hold.handle) hold.capture = true;
}
