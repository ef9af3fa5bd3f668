// The X11 driver's native windows: createWindow, destroyWindow,
// placeWindow, showWindow, raiseWindow, setTitle, foreignWindowRect,
// setCapture and showCursor.
//
// Top-level windows carry the hints a window manager reads: no decorations
// (Motif hints) unless the window has a caption, the client rectangle as the
// asked place (static gravity), a fixed size unless resizable, the close
// protocol, and for a dialog the transient-for hint naming its owner's
// window.
// A full-screen window, and any popup it owns (the password prompt), is
// override-redirect, with or without a window manager: it holds the screen
// while it is shown (x11_hold.h), out of the window manager's reach.
// A ForeignChild is an X child of another program's window, which the
// driver watches (StructureNotify) for its size; it selects nothing else
// there, since the window and its other events are its program's. A
// ForeignChild of the root window is drawn on the root window itself,
// behind every other window, as screen-saver hacks draw when no host gives
// them a window; the root's background comes back when it is destroyed.
// Such windows show the cursor of the window they are in: the pointer
// belongs to the host; when disabled they select no input, which X then
// gives to the host's window.
#include "platform/drivers/x11/x11_windows.h"

#include <string.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/drivers/x11/x11_connection.h"
#include "platform/drivers/x11/x11_hold.h"
#include "platform/drivers/x11/x11_present.h"
#include "platform/internal/diagnostics.h"
#include "platform/kernel/codepage1252.h"

namespace {

std::vector<std::unique_ptr<X11Window>> windows;
bool cursorShown = true;

// X window ids have the top three bits clear; 0 is no window.
bool couldBeWindowId(uintptr_t number) { return number != 0 && number <= 0x1FFFFFFF; }

// Focus changes are selected for the KeymapNotify that follows each FocusIn.
constexpr long kEventMask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | StructureNotifyMask |
                            FocusChangeMask | KeymapStateMask;
// A disabled window inside another program's window selects no input, so
// that X gives the keys and the pointer over it to that program's window.
constexpr long kPassiveEventMask = ExposureMask | StructureNotifyMask;

int sideOf(LONG side) { return std::max<LONG>(side, 1); }

// _MOTIF_WM_HINTS with the decorations field set to none.
void removeDecorations(Window id) {
  const X11Connection& c = x11();
  long hints[5] = {1L << 1 /* decorations given */, 0, 0 /* none */, 0, 0};
  XChangeProperty(c.display, id, c.atoms.motifWmHints, c.atoms.motifWmHints, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(hints), 5);
}

void setSizeHints(Window id, const RECT& rect, bool resizable) {
  XSizeHints* hints = XAllocSizeHints();
  hints->flags = USPosition | USSize | PPosition | PSize | PWinGravity;
  hints->x = rect.left;
  hints->y = rect.top;
  hints->width = sideOf(rect.right - rect.left);
  hints->height = sideOf(rect.bottom - rect.top);
  // The asked place is the client area's; a frame goes around it.
  hints->win_gravity = StaticGravity;
  if (!resizable) {
    hints->flags |= PMinSize | PMaxSize;
    hints->min_width = hints->max_width = hints->width;
    hints->min_height = hints->max_height = hints->height;
  }
  XSetWMNormalHints(x11().display, id, hints);
  XFree(hints);
}

void setTopLevelProperties(Window id, const NativeWindowSpec& wanted) {
  const X11Connection& c = x11();
  Atom protocols[] = {c.atoms.wmDeleteWindow};
  XSetWMProtocols(c.display, id, protocols, 1);
  XClassHint classHint = {const_cast<char*>("quillon"), const_cast<char*>("Quillon")};
  XSetClassHint(c.display, id, &classHint);
  XWMHints wmHints = {};
  wmHints.flags = InputHint | StateHint;
  wmHints.input = True;
  wmHints.initial_state = NormalState;
  XSetWMHints(c.display, id, &wmHints);
  bool fullScreen = wanted.kind == NativeKind::FullScreen;
  setSizeHints(id, wanted.rect, wanted.resizable || fullScreen);
  if (!wanted.caption || fullScreen) removeDecorations(id);
}

// The native window that receives the pointer under a capture of a window
// that has none of its own (a child drawn into its parent's picture).
X11Window* grabWindowFor(HWND handle) {
  if (X11Window* window = x11WindowOf(handle)) return window;
  for (auto& window : windows)
    if (!window->gone) return window.get();
  return nullptr;
}

// As in Win32, the focus of a dialog that goes away goes back to its owner;
// X would give it to the window under the pointer. Inside an error trap:
// the owner may be gone or not viewable.
void giveFocusToOwner(const X11Window& window) {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x11().display, &focus, &revert);
  if (focus == window.id && window.owner)
    XSetInputFocus(x11().display, window.owner, RevertToPointerRoot, CurrentTime);
}

// A ForeignChild of the root window: the root itself, with the driver's
// own events on it limited to what every client may select (exposure and
// size). Its pixels must suit the driver's visual.
bool drawOnRoot(HWND handle, const NativeWindowSpec& wanted) {
  const X11Connection& c = x11();
  if (DefaultDepth(c.display, c.screen) != c.depth) {
    layerDiagnostic("x11", "the root window's depth is not the driver's; nothing is drawn on it");
    return false;
  }
  XSelectInput(c.display, c.root, ExposureMask | StructureNotifyMask);
  auto window = std::make_unique<X11Window>();
  window->handle = handle;
  window->id = c.root;
  window->kind = NativeKind::ForeignChild;
  window->foreignParent = c.root;
  window->borrowed = true;
  window->rect = wanted.rect;
  window->width = DisplayWidth(c.display, c.screen);
  window->height = DisplayHeight(c.display, c.screen);
  windows.push_back(std::move(window));
  return true;
}

}  // namespace

X11Window* x11WindowOf(HWND handle) {
  for (auto& window : windows)
    if (window->handle == handle) return window.get();
  return nullptr;
}

X11Window* x11WindowWithId(Window id) {
  for (auto& window : windows)
    if (window->id == id) return window.get();
  return nullptr;
}

bool x11HoldsChildrenOf(Window id) {
  for (auto& window : windows)
    if (window->kind == NativeKind::ForeignChild && Window(window->foreignParent) == id) return true;
  return false;
}

int x11WindowCount() { return int(windows.size()); }

X11Window* x11WindowAt(int index) { return windows[index].get(); }

void moveX11Window(X11Window& window, const RECT& rect) {
  Display* display = x11().display;
  if (window.borrowed) {
    // The root window keeps its place; the layer's picture follows its size.
    window.rect = rect;
    return;
  }
  window.placedSerial = NextRequest(display);
  if (window.settling && rect.right - rect.left == window.rect.right - window.rect.left &&
      rect.bottom - rect.top == window.rect.bottom - window.rect.top) {
    // A move while the user's resize settles keeps the user's size.
    XMoveWindow(display, window.id, rect.left, rect.top);
  } else {
    XMoveResizeWindow(display, window.id, rect.left, rect.top, sideOf(rect.right - rect.left),
                      sideOf(rect.bottom - rect.top));
  }
  window.rect = rect;
}

void x11DefineCursor(X11Window& window, Cursor shape) {
  const X11Connection& c = x11();
  if (window.gone || window.kind == NativeKind::ForeignChild) return;
  XDefineCursor(c.display, window.id, !cursorShown ? c.invisible : shape ? shape : c.arrow);
}

bool x11CreateWindow(HWND handle, const NativeWindowSpec& wanted) {
  const X11Connection& c = x11();
  bool foreign = wanted.kind == NativeKind::ForeignChild;
  if (foreign && !couldBeWindowId(wanted.foreignParent)) {
    layerDiagnostic("x11", "%lu is no X window number", (unsigned long)wanted.foreignParent);
    return false;
  }
  if (foreign && Window(wanted.foreignParent) == c.root) return drawOnRoot(handle, wanted);
  X11Window* owner = wanted.owner ? x11WindowOf(wanted.owner) : nullptr;
  bool overrideRedirect = wanted.kind == NativeKind::FullScreen ||
                          (owner && owner->kind == NativeKind::FullScreen);
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = 0;  // black in any TrueColor visual
  attributes.border_pixel = 0;
  attributes.colormap = c.colormap;
  attributes.event_mask = foreign && wanted.disabled ? kPassiveEventMask : kEventMask;
  attributes.bit_gravity = NorthWestGravity;
  attributes.override_redirect = overrideRedirect;
  attributes.cursor = cursorShown ? c.arrow : c.invisible;
  unsigned long mask = CWBackPixel | CWBorderPixel | CWColormap | CWEventMask | CWBitGravity |
                       CWOverrideRedirect;
  // Inside another program's window the pointer is that program's: the
  // window shows its cursor (a screen-saver host hides it).
  if (!foreign) mask |= CWCursor;
  Window parent = foreign ? Window(wanted.foreignParent) : c.root;
  const RECT& r = wanted.rect;
  beginErrorTrap();
  Window id = XCreateWindow(c.display, parent, r.left, r.top, sideOf(r.right - r.left),
                            sideOf(r.bottom - r.top), 0, c.depth, InputOutput, c.visual, mask,
                            &attributes);
  // The host's window: its size and its end concern the window inside it.
  if (foreign) XSelectInput(c.display, parent, StructureNotifyMask);
  if (endErrorTrap()) {
    layerDiagnostic("x11", "cannot make a window inside X window 0x%lx", parent);
    return false;
  }
  if (!foreign) setTopLevelProperties(id, wanted);
  // A dialog stays above its owner, and the window manager treats it as one.
  Window ownerId = 0;
  if (owner) ownerId = owner->id;
  if (wanted.foreignOwner) ownerId = Window(wanted.foreignOwner);
  if (ownerId) XSetTransientForHint(c.display, id, ownerId);

  auto window = std::make_unique<X11Window>();
  window->handle = handle;
  window->id = id;
  window->kind = wanted.kind;
  window->foreignParent = foreign ? wanted.foreignParent : 0;
  window->owner = ownerId;
  window->resizable = wanted.resizable && wanted.kind == NativeKind::Popup;
  window->overrideRedirect = overrideRedirect;
  window->rect = wanted.rect;
  window->width = sideOf(r.right - r.left);
  window->height = sideOf(r.bottom - r.top);
  window->placedSerial = NextRequest(c.display);
  windows.push_back(std::move(window));
  if (wanted.title) x11SetTitle(handle, wanted.title);
  if (wanted.visible) x11ShowWindow(handle, true);
  return true;
}

void x11DestroyWindow(HWND handle) {
  auto it = std::find_if(windows.begin(), windows.end(),
                         [handle](const std::unique_ptr<X11Window>& w) { return w->handle == handle; });
  if (it == windows.end()) return;
  X11Window& window = **it;
  x11ReleaseScreen(window);
  releasePicture(window);
  if (window.borrowed) {
    XSelectInput(x11().display, window.id, NoEventMask);
    XClearArea(x11().display, window.id, 0, 0, 0, 0, False);
  } else if (!window.gone) {
    // The X window may be gone already with a foreign parent that went away.
    beginErrorTrap();
    giveFocusToOwner(window);
    XDestroyWindow(x11().display, window.id);
    endErrorTrap();
  }
  windows.erase(it);
}

void x11PlaceWindow(HWND handle, const RECT& rect) {
  X11Window* window = x11WindowOf(handle);
  if (!window || window->gone) return;
  // The window is there already when the driver reported the place itself.
  if (memcmp(&window->rect, &rect, sizeof rect) == 0) return;
  moveX11Window(*window, rect);
}

void x11ShowWindow(HWND handle, bool visible) {
  X11Window* window = x11WindowOf(handle);
  if (!window || window->gone || window->borrowed) return;
  Display* display = x11().display;
  window->shown = visible;
  if (!visible) x11ReleaseScreen(*window);
  if (visible) {
    if (window->kind == NativeKind::FullScreen || window->overrideRedirect)
      XMapRaised(display, window->id);
    else
      XMapWindow(display, window->id);
  } else if (window->kind == NativeKind::ForeignChild) {
    XUnmapWindow(display, window->id);
  } else {
    beginErrorTrap();
    giveFocusToOwner(*window);
    endErrorTrap();
    XWithdrawWindow(display, window->id, x11().screen);
  }
}

void x11EnableWindow(HWND handle, bool enabled) {
  X11Window* window = x11WindowOf(handle);
  if (!window || window->gone || window->borrowed || window->kind != NativeKind::ForeignChild)
    return;
  XSelectInput(x11().display, window->id, enabled ? kEventMask : kPassiveEventMask);
}

void x11RaiseWindow(HWND handle) {
  X11Window* window = x11WindowOf(handle);
  if (window && !window->gone && !window->borrowed) XRaiseWindow(x11().display, window->id);
}

void x11SetTitle(HWND handle, const char* title) {
  X11Window* window = x11WindowOf(handle);
  if (!window || window->gone || window->kind == NativeKind::ForeignChild) return;
  const X11Connection& c = x11();
  // WM_NAME is Latin-1, which Windows-1252 extends; _NET_WM_NAME is UTF-8.
  XStoreName(c.display, window->id, title);
  std::string utf8 = utf8FromWindows1252(title);
  XChangeProperty(c.display, window->id, c.atoms.netWmName, c.atoms.utf8String, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(utf8.data()),
                  int(utf8.size()));
}

bool x11ForeignWindowRect(uintptr_t number, RECT* screenRect) {
  if (!couldBeWindowId(number)) return false;
  const X11Connection& c = x11();
  Window id = Window(number);
  XWindowAttributes attributes;
  int x = 0, y = 0;
  Window child;
  beginErrorTrap();
  bool known = XGetWindowAttributes(c.display, id, &attributes) &&
               XTranslateCoordinates(c.display, id, c.root, 0, 0, &x, &y, &child);
  if (endErrorTrap() || !known) return false;
  *screenRect = RECT{x, y, x + attributes.width, y + attributes.height};
  return true;
}

uintptr_t x11RootWindow() { return uintptr_t(x11().root); }

void x11SetCapture(HWND handle) {
  Display* display = x11().display;
  if (!handle) {
    // A full-screen window that holds the screen keeps the pointer.
    if (!x11GrabPointerAgain()) XUngrabPointer(display, CurrentTime);
    return;
  }
  X11Window* window = grabWindowFor(handle);
  if (!window || window->borrowed) return;
  x11NoteCapture();
  int result = XGrabPointer(display, window->id, True,
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                            GrabModeAsync, None, None, CurrentTime);
  if (result != GrabSuccess)
    layerDiagnostic("x11",
                    "SetCapture: the pointer cannot be grabbed (%d); the mouse reaches the "
                    "window only while the pointer is over it",
                    result);
}

void x11ShowCursor(bool visible) {
  // The cursor is hidden over the layer's windows only, not on the rest of
  // the screen as Win32 would: an invisible cursor shape on each of them.
  cursorShown = visible;
  for (auto& window : windows) {
    window->pointerEdge = -1;
    x11DefineCursor(*window, None);
  }
}

void x11DestroyAllWindows() {
  while (!windows.empty()) x11DestroyWindow(windows.back()->handle);
}
