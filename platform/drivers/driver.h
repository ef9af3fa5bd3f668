// The display driver: what platform/user needs from a window system, as one
// table of function pointers, and what a driver calls back into platform/user
// to deliver input. The driver in use is picked once, on first use, by name
// from QUILLON_DRIVER ("headless" or "x11"); without it, x11 when DISPLAY is
// set and headless otherwise. An unknown name, or a driver whose open() fails,
// falls back to headless with one line on stderr.
//
// Contract for driver writers
// ---------------------------
// - Everything runs on the one user-interface thread. Callbacks into
//   platform/user (the driver* functions below) may only be made from inside
//   waitEvents(), never from another thread or from the other entries.
// - Native windows are named by the HWND that platform/user gives them in
//   createWindow(); a driver keeps its own map from HWND to its window and
//   back. Only top-level windows and children of foreign windows are native;
//   child windows of the layer's own windows are drawn into their top-level
//   window's pixels by platform/user and never reach the driver.
// - Coordinates: a top-level window's rectangle is in screen coordinates; a
//   ForeignChild's is relative to the foreign parent's top-left corner. The
//   rectangle is the client area. A captioned window has a non-client area
//   around it (NativeWindowSpec::frame): the X11 window manager draws its own
//   frame there, the headless driver a plain title bar.
// - Pixels: present(window, area) says that `area` (client coordinates) of
//   the window's pixels changed. The driver reads them with
//   nativeWindowPixels(), either at once or later, but before waitEvents()
//   next blocks; it must not keep the pointer across calls, because a resize
//   moves the buffer. After an expose event the driver reads them again by
//   itself; platform/user does not repaint for it.
// - lendPixels(window, width, height) offers memory for the window's client
//   pixels (width x height, rows packed, zeroed), which the driver then
//   presents from without a copy; platform/user asks at creation and after
//   every resize. The memory stays the window's until it is destroyed or
//   lent anew. Null (the default) makes platform/user keep its own.
// - movePixels(window, area, dy) says that the rows of `area` now hold what
//   lay `dy` rows below them (above for a negative dy) when the window's
//   pixels last changed: a line scroll. A driver that can move what it has
//   shown inside the window system (X11: XCopyArea) does so and returns
//   true; then only the rows that came in are presented. False (the
//   default) makes platform/user present the whole area instead.
// - Time: clockMs() is the driver's clock in milliseconds from an arbitrary
//   start; it never goes backwards. GetTickCount, SetTimer and the trace use
//   it. waitEvents(timeout) returns when input was delivered or `timeout`
//   milliseconds of that clock have passed (INFINITE: no limit); a virtual
//   clock jumps instead of sleeping. waitEvents(0) only delivers what is
//   already pending. A wait that blocks also watches
//   terminationSignalFd() (termination_signals.h) and returns as soon as it
//   is readable, without reading it: platform/user takes the signal.
// - Input: keys are Win32 virtual-key codes (the user layer turns them into
//   WM_KEYDOWN/WM_SYSKEYDOWN and tracks Shift, Ctrl and Alt itself); mouse
//   positions are screen coordinates, and the window is the native window the
//   pointer is in (or null over no window of ours; under capture the captured
//   window gets them all the same). A resize by the user through the window
//   manager is reported once, when it has ended, with driverUserResize(); a
//   move by the window manager with driverWindowMoved(); the close button or
//   the window manager's close request with driverCloseRequest(); the end of
//   a foreign window (its program destroyed it) with driverForeignWindowGone(),
//   a new size of a foreign window that holds one of ours with
//   driverForeignWindowResized().
// - Any entry may be left null: driverFor() fills it with a harmless default
//   (nothing happens; a 1024x768 screen; a real millisecond clock; a wait
//   that sleeps until the timeout).
#ifndef QUILLON_PLATFORM_DRIVERS_DRIVER_H
#define QUILLON_PLATFORM_DRIVERS_DRIVER_H

#include <stdint.h>

#include <string>

#include <windows.h>

#include "platform/internal/pixels.h"

// What kind of native window platform/user asks for.
enum class NativeKind {
  Popup,         // a top-level window at a given place and size
  FullScreen,    // a top-level window covering the whole screen
  ForeignChild,  // a child of a native window of another program (the preview)
};

struct NativeWindowSpec {
  NativeKind kind;
  RECT rect;               // see "Coordinates" above
  bool resizable;          // the user may resize it (WS_THICKFRAME)
  bool visible;
  uintptr_t foreignParent; // ForeignChild: the parent's native window number
  const char* title;
  bool caption = false;    // has a title bar (WS_CAPTION): the window manager
                           // decorates it; other windows get no decorations
  HWND owner = nullptr;     // a popup's owner window, if it has one (dialogs)
  uintptr_t foreignOwner = 0;  // or the native number of another program's
                               // window that owns it (`/a ID`)
  RECT frame = {0, 0, 0, 0};  // the layer's non-client widths around `rect`
                              // (left, top, right, bottom), for a driver that
                              // draws the frame itself
  bool disabled = false;      // takes no input (WS_DISABLED); see enableWindow
};

struct DisplayDriver {
  const char* name;
  // Connects to the window system; false when it is not available.
  bool (*open)();
  void (*close)();

  // The screen, the clock and the wait for events.
  SIZE (*screenSize)();
  uint64_t (*clockMs)();
  void (*waitEvents)(DWORD timeoutMs);

  // A foreign native window's rectangle in screen coordinates; false when
  // the number names no window.
  bool (*foreignWindowRect)(uintptr_t number, RECT* screenRect);
  // The native number of the window the desktop itself is drawn on (X: the
  // root window), which GetShellWindow gives; 0 when there is none. A
  // ForeignChild of it is drawn on that window itself, behind every other.
  uintptr_t (*rootWindow)();

  // Native windows of the layer's top-level windows and of its children of
  // foreign windows.
  bool (*createWindow)(HWND window, const NativeWindowSpec& wanted);
  void (*destroyWindow)(HWND window);
  void (*placeWindow)(HWND window, const RECT& rect);
  void (*showWindow)(HWND window, bool visible);
  void (*raiseWindow)(HWND window);
  // The window takes input again, or no more (EnableWindow). platform/user
  // never delivers input to a disabled window; a driver may also let the
  // input over a disabled ForeignChild go to the foreign window, as Win32
  // gives a disabled child's mouse input to its parent.
  void (*enableWindow)(HWND window, bool enabled);
  void (*setTitle)(HWND window, const char* title);
  void (*present)(HWND window, const RECT& area);
  bool (*movePixels)(HWND window, const RECT& area, int dy);
  uint32_t* (*lendPixels)(HWND window, int width, int height);

  // Pointer: capture (null releases it) and cursor visibility.
  void (*setCapture)(HWND window);
  void (*showCursor)(bool visible);

  // The window system's clipboard text (Windows-1252); false when the
  // driver has none (the layer then keeps the text in the process) or
  // nothing could be had.
  bool (*setClipboardText)(const char* text);
  bool (*clipboardText)(std::string* text);
};

// Each driver folder defines its table with a function named for it:
// headlessDisplayDriver() in platform/drivers/headless/, x11DisplayDriver()
// in platform/drivers/x11/.
DisplayDriver headlessDisplayDriver();
DisplayDriver x11DisplayDriver();

// The driver in use, opened on first call.
const DisplayDriver& displayDriver();

// The driver's clock; opens the driver when needed.
uint64_t driverClockMs();

// The system's monotonic clock in milliseconds, for drivers with a real clock.
uint64_t monotonicClockMs();

// The registered drivers, each with every entry filled (defaults for the
// ones it left null). Null for an unknown name.
const DisplayDriver* driverFor(const char* name);

// --- Provided by platform/user for the drivers -------------------------------

// The client-area pixels of a native window, with its child windows drawn
// in; false for a window that is not (or no longer) a native window.
bool nativeWindowPixels(HWND window, PixelBuffer* out);

// Buttons for driverMouseButton.
enum class MouseButton { Left, Right, Middle };

// `character` is the Windows-1252 byte the key types with the modifiers
// held, as the driver's keyboard layout has it (0: none); -1 leaves it to
// TranslateMessage's US layout.
void driverKey(HWND window, UINT virtualKey, bool down, int character = -1);
// The mouse wheel turned by `delta` (WHEEL_DELTA, 120, per notch; positive
// away from the user), at a point of the screen.
void driverMouseWheel(HWND window, int delta, POINT screen);
void driverMouseMove(HWND window, POINT screen);
void driverMouseButton(HWND window, MouseButton button, bool down, POINT screen);
// The user resized the window to width x height (client size) and let go:
// WM_ENTERSIZEMOVE, the resize, WM_EXITSIZEMOVE.
void driverUserResize(HWND window, int width, int height);
// The window manager moved the window; `topLeft` in the window's coordinates.
void driverWindowMoved(HWND window, POINT topLeft);
// The window manager asks the window to close (WM_SYSCOMMAND SC_CLOSE,
// which default processing turns into WM_CLOSE).
void driverCloseRequest(HWND window);
// The window manager asks the window to minimize itself (WM_SYSCOMMAND
// SC_MINIMIZE, which default processing carries out).
void driverMinimizeRequest(HWND window);
// A foreign window was destroyed by its program (the preview's parent when
// the display settings close): the layer's windows inside it are destroyed
// with it, as Win32 destroys a destroyed window's children, even those of
// another process.
void driverForeignWindowGone(uintptr_t number);
// A foreign window that holds windows of ours got a new size (a screen-saver
// host follows a change of monitors): each of our windows that filled it
// follows, as if the user had resized it (driverUserResize).
void driverForeignWindowResized(uintptr_t number, int width, int height);

// Automation of dialogs (the headless driver's script): on the active
// dialog's control with this id, a click at its centre; the focus; a user's
// selection of entry `index` of a list box, combo box or other list, with
// its notification. False when there is no such control that a user could
// reach (none, hidden or disabled): nothing happens then.
bool driverDialogCommand(int id);
bool driverDialogFocus(int id);
bool driverDialogSelect(int id, int index);

#endif
