// The X11 driver's connection to the server: opening and closing it, the
// choice of visual, the atoms, the MIT-SHM check, the window-manager checks
// and the X error trap.
//
// Losing the connection (the server ended, or the session with it) ends the
// process quietly with exit code 0: the windows are gone with the server,
// and a screen-saver host that goes away takes its saver with it. Xlib
// allows no return from that handler, so the program's clean-up does not
// run.
#include "platform/drivers/x11/x11_connection.h"

#include <stdio.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>

#include "platform/internal/diagnostics.h"

namespace {

X11Connection connection;

struct ErrorTrap {
  int depth = 0;
  unsigned long firstSerial = 0;  // requests from this serial on are trapped
  bool failed = false;
};
ErrorTrap trap;

int onXError(Display* display, XErrorEvent* error) {
  if (trap.depth > 0 && error->serial >= trap.firstSerial) {
    trap.failed = true;
    return 0;
  }
  char text[160];
  XGetErrorText(display, error->error_code, text, sizeof text);
  layerDiagnostic("x11", "%s (request %d.%d, resource 0x%lx)", text, int(error->request_code),
                  int(error->minor_code), error->resourceid);
  return 0;
}

int onConnectionLost(Display*) {
  layerDiagnostic("x11", "the connection to the X server is lost; ending");
  fflush(nullptr);
  _exit(0);
}

bool isRgb888(const Visual* visual) {
  return visual->c_class == TrueColor && visual->red_mask == 0xFF0000 &&
         visual->green_mask == 0x00FF00 && visual->blue_mask == 0x0000FF;
}

// Images of this depth keep one pixel in 32 bits.
bool hasFourBytePixels(Display* display, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  bool found = false;
  for (int i = 0; i < count; ++i)
    if (formats[i].depth == depth) found = formats[i].bits_per_pixel == 32;
  if (formats) XFree(formats);
  return found;
}

bool chooseVisual(X11Connection& c) {
  Visual* standard = DefaultVisual(c.display, c.screen);
  int standardDepth = DefaultDepth(c.display, c.screen);
  XVisualInfo info;
  if (standardDepth == 24 && isRgb888(standard)) {
    c.visual = standard;
    c.depth = 24;
  } else if (XMatchVisualInfo(c.display, c.screen, 24, TrueColor, &info) && isRgb888(info.visual)) {
    c.visual = info.visual;
    c.depth = 24;
  } else if (XMatchVisualInfo(c.display, c.screen, 32, TrueColor, &info) && isRgb888(info.visual)) {
    c.visual = info.visual;
    c.depth = 32;
  } else {
    return false;
  }
  if (!hasFourBytePixels(c.display, c.depth)) return false;
  if (c.visual == standard) {
    c.colormap = DefaultColormap(c.display, c.screen);
  } else {
    c.colormap = XCreateColormap(c.display, c.root, c.visual, AllocNone);
    c.ownColormap = true;
  }
  return true;
}

void internAtoms(X11Connection& c) {
  const char* names[] = {"WM_PROTOCOLS",       "WM_DELETE_WINDOW",
                         "_MOTIF_WM_HINTS",    "_NET_SUPPORTED",
                         "_NET_WM_STATE",      "_NET_WM_STATE_FULLSCREEN",
                         "_NET_WM_STATE_ABOVE", "_NET_WM_MOVERESIZE",
                         "_NET_WM_NAME",       "UTF8_STRING"};
  Atom* slots[] = {&c.atoms.wmProtocols,    &c.atoms.wmDeleteWindow,
                   &c.atoms.motifWmHints,   &c.atoms.netSupported,
                   &c.atoms.netWmState,     &c.atoms.netWmStateFullscreen,
                   &c.atoms.netWmStateAbove, &c.atoms.netWmMoveResize,
                   &c.atoms.netWmName,      &c.atoms.utf8String};
  constexpr int count = sizeof names / sizeof names[0];
  Atom atoms[count];
  XInternAtoms(c.display, const_cast<char**>(names), count, False, atoms);
  for (int i = 0; i < count; ++i) *slots[i] = atoms[i];
}

void makeCursors(X11Connection& c) {
  c.arrow = XCreateFontCursor(c.display, XC_left_ptr);
  char empty[1] = {0};
  Pixmap blank = XCreateBitmapFromData(c.display, c.root, empty, 1, 1);
  XColor black = {};
  c.invisible = XCreatePixmapCursor(c.display, blank, blank, &black, &black, 0, 0);
  XFreePixmap(c.display, blank);
}

void checkShm(X11Connection& c) {
  c.shm = XShmQueryExtension(c.display);
  if (c.shm) c.shmCompletionEvent = XShmGetEventBase(c.display) + ShmCompletion;
}

}  // namespace

X11Connection& x11() { return connection; }

bool openX11Connection() {
  X11Connection& c = connection;
  c = X11Connection();
  c.display = XOpenDisplay(nullptr);
  if (!c.display) {
    fprintf(stderr, "quillon: x11: cannot connect to the X server (DISPLAY is \"%s\")\n",
            XDisplayName(nullptr));
    return false;
  }
  XSetErrorHandler(onXError);
  XSetIOErrorHandler(onConnectionLost);
  c.screen = DefaultScreen(c.display);
  c.root = RootWindow(c.display, c.screen);
  if (!chooseVisual(c)) {
    fprintf(stderr,
            "quillon: x11: the X server offers no 24- or 32-bit TrueColor visual with 8 bits "
            "per colour; only those are supported\n");
    XCloseDisplay(c.display);
    c.display = nullptr;
    return false;
  }
  internAtoms(c);
  makeCursors(c);
  checkShm(c);
  // Held keys repeat as presses without releases in between, as in Win32.
  Bool detectable = False;
  XkbSetDetectableAutoRepeat(c.display, True, &detectable);
  return true;
}

void closeX11Connection() {
  X11Connection& c = connection;
  if (!c.display) return;
  XFreeCursor(c.display, c.arrow);
  XFreeCursor(c.display, c.invisible);
  if (c.ownColormap) XFreeColormap(c.display, c.colormap);
  XCloseDisplay(c.display);
  c = X11Connection();
}

bool windowManagerRuns() {
  XWindowAttributes root;
  if (!XGetWindowAttributes(connection.display, connection.root, &root)) return false;
  return (root.all_event_masks & SubstructureRedirectMask) != 0;
}

bool windowManagerMovesAndResizes() {
  X11Connection& c = connection;
  if (!windowManagerRuns()) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool offered = false;
  if (XGetWindowProperty(c.display, c.root, c.atoms.netSupported, 0, 4096, False, XA_ATOM, &type,
                         &format, &count, &after, &data) == Success &&
      type == XA_ATOM && format == 32) {
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i)
      if (atoms[i] == c.atoms.netWmMoveResize) offered = true;
  }
  if (data) XFree(data);
  return offered;
}

void beginErrorTrap() {
  if (trap.depth++ == 0) {
    trap.firstSerial = NextRequest(connection.display);
    trap.failed = false;
  }
}

bool endErrorTrap() {
  XSync(connection.display, False);
  bool failed = trap.failed;
  if (--trap.depth == 0) trap.failed = false;
  return failed;
}
