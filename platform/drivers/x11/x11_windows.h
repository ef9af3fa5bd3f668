// The X11 driver's native windows: one record per window of the layer that
// has an X window, found by its HWND or by its X window id, and the driver
// entries that make, place, show and name them.
#ifndef QUILLON_PLATFORM_DRIVERS_X11_X11_WINDOWS_H
#define QUILLON_PLATFORM_DRIVERS_X11_X11_WINDOWS_H

#include <stdint.h>

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "platform/drivers/driver.h"

// What presenting a window needs (x11_present.cpp): with MIT-SHM the
// shared image that is the window's pixels, without it nothing but the GC.
struct X11Picture {
  XImage* image = nullptr;
  int width = 0;   // the window's size at the last flush
  int height = 0;
  XShmSegmentInfo segment = {};
  GC gc = nullptr;
  RECT dirty = {0, 0, 0, 0};   // changed per present(), not sent yet
  RECT exposed = {0, 0, 0, 0}; // lost on the screen: sent again whatever it holds
};

struct X11Window {
  HWND handle = nullptr;
  Window id = 0;
  NativeKind kind = NativeKind::Popup;
  uintptr_t foreignParent = 0;  // a ForeignChild's parent
  Window owner = 0;             // the X window a dialog is transient for
  bool resizable = false;
  bool gone = false;  // the X window was destroyed under us
  bool shown = false;  // the layer wants it mapped
  // Placed by the driver alone, not by a window manager: full-screen
  // windows, and the popups they own (x11_hold.h).
  bool overrideRedirect = false;
  // The root window itself, drawn on but not ours: never made, moved,
  // mapped or destroyed by the driver (a ForeignChild of the root).
  bool borrowed = false;
  // Where the layer has the window (screen coordinates, or the foreign
  // parent's), kept equal to what the driver last asked for or reported.
  RECT rect = {0, 0, 0, 0};
  // The X window's size as the server last reported it.
  int width = 0, height = 0;
  // Serial of the last move or resize the driver asked for: configure events
  // older than it describe a state that this request replaces.
  unsigned long placedSerial = 0;
  // A size change by the user, reported once it has held for a while.
  bool settling = false;
  int settleWidth = 0, settleHeight = 0;
  uint64_t settleSince = 0;
  // The resize by an edge that the driver runs itself when no window manager
  // does it: the edge (a _NET_WM_MOVERESIZE direction) or -1.
  int edgeDrag = -1;
  POINT edgeStart = {0, 0};
  RECT edgeStartRect = {0, 0, 0, 0};
  RECT edgeRect = {0, 0, 0, 0};
  int pointerEdge = -1;  // the edge whose cursor is shown, or -1
  X11Picture picture;
};

X11Window* x11WindowOf(HWND handle);
X11Window* x11WindowWithId(Window id);
// Whether some native window is a ForeignChild of the X window `id`.
bool x11HoldsChildrenOf(Window id);
// Every native window, in the order of creation.
int x11WindowCount();
X11Window* x11WindowAt(int index);

// Moves and resizes the X window to `rect` (the layer's coordinates) and
// remembers the request.
void moveX11Window(X11Window& window, const RECT& rect);

// The driver entries.
bool x11CreateWindow(HWND handle, const NativeWindowSpec& wanted);
void x11DestroyWindow(HWND handle);
void x11PlaceWindow(HWND handle, const RECT& rect);
void x11ShowWindow(HWND handle, bool visible);
void x11RaiseWindow(HWND handle);
void x11EnableWindow(HWND handle, bool enabled);
void x11SetTitle(HWND handle, const char* title);
bool x11ForeignWindowRect(uintptr_t number, RECT* screenRect);
uintptr_t x11RootWindow();
void x11SetCapture(HWND handle);
void x11ShowCursor(bool visible);
// The cursor the window shows now: hidden, or the given one (None: the arrow).
void x11DefineCursor(X11Window& window, Cursor shape);

// Destroys every native window (when the connection closes).
void x11DestroyAllWindows();

#endif
