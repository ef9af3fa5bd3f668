// The connection to the X server that the files of the X11 driver share: the
// display, the root window and the visual the driver draws with, the atoms
// it uses, what the server and the window manager offer, and a trap that
// turns X errors into results instead of ending the process.
#ifndef QUILLON_PLATFORM_DRIVERS_X11_X11_CONNECTION_H
#define QUILLON_PLATFORM_DRIVERS_X11_X11_CONNECTION_H

#include <X11/Xlib.h>

struct X11Atoms {
  Atom wmProtocols;
  Atom wmDeleteWindow;
  Atom motifWmHints;
  Atom netSupported;
  Atom netWmState;
  Atom netWmStateFullscreen;
  Atom netWmStateAbove;
  Atom netWmMoveResize;
  Atom netWmName;
  Atom utf8String;
};

struct X11Connection {
  Display* display = nullptr;
  int screen = 0;
  Window root = 0;
  // A TrueColor visual whose pixels are 0x00RRGGBB in 32 bits: depth 24, or
  // depth 32 when the server has no depth-24 one (the top byte, which such a
  // visual may read as alpha, stays 0).
  Visual* visual = nullptr;
  int depth = 0;
  Colormap colormap = 0;
  bool ownColormap = false;
  // MIT-SHM: usable until an attach fails (a remote display, for one).
  bool shm = false;
  int shmCompletionEvent = -1;
  X11Atoms atoms = {};
  Cursor arrow = 0;
  Cursor invisible = 0;
};

// The shared connection; display is null before openX11Connection and after
// closeX11Connection.
X11Connection& x11();

// Connects to $DISPLAY and looks up everything above; false (with a line on
// stderr) when there is no server or no usable visual.
bool openX11Connection();
void closeX11Connection();

// Whether a window manager runs now (some client redirects the root
// window's children), and whether it offers _NET_WM_MOVERESIZE. Asked anew
// each time: a window manager may start or stop at any moment.
bool windowManagerRuns();
bool windowManagerMovesAndResizes();

// X errors caused by the requests sent between beginErrorTrap() and
// endErrorTrap() are collected instead of reported: endErrorTrap() waits for
// the server to process those requests and returns true when any failed.
// Errors outside a trap go to the "x11" diagnostics channel; none ends the
// process.
void beginErrorTrap();
bool endErrorTrap();

#endif
