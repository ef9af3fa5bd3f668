// The records behind window handles, shared by the files of platform/user:
// window classes, windows with their place, pixels and update region, and
// the table that turns an HWND into its record.
//
// Handles are 0x40000000 + 4 * serial, never reused in a process, so a handle
// of a destroyed window stays invalid and can never be taken for an X11
// window number (those have the top three bits clear). Any other value passed
// as a parent is a foreign native window (the preview's parent).
#ifndef QUILLON_PLATFORM_USER_WINDOW_H
#define QUILLON_PLATFORM_USER_WINDOW_H

#include <stdint.h>

#include <string>
#include <vector>

#include <windows.h>

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

struct Window {
  HWND handle = nullptr;
  int number = 0;                // "w<number>" in the trace; 0 is the desktop
  const WindowClass* windowClass = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;               // WS_VISIBLE and WS_DISABLED live here, as in Win32
  DWORD exStyle = 0;
  HWND parent = nullptr;         // a child's parent; null for a top-level window
  HWND owner = nullptr;          // a top-level window's owner, or null
  bool foreignParent = false;    // parent is another program's native window
  HMENU menu = nullptr;          // a child's control id
  HINSTANCE instance = nullptr;
  std::string text;
  HFONT font = nullptr;          // what WM_SETFONT gave a control or dialog
  LONG_PTR userData = 0;         // GWLP_USERDATA

  // Place of the window's client area in its parent's client coordinates
  // (screen coordinates for a top-level window).
  RECT rect = {0, 0, 0, 0};
  // The non-client area around it (left, top, right, bottom widths): a
  // caption and frame for captioned top-level windows, else nothing.
  RECT frame = {0, 0, 0, 0};

  // Client-area pixels, width x height of rect: memory the driver lends
  // (which it presents from without a copy) or, when it lends none, the
  // layer's own. pixelData() gives either.
  std::vector<uint32_t> pixels;
  uint32_t* lentPixels = nullptr;
  // Which bitmap rows the pixels show (see windowPixelsForCopy).
  std::vector<uint64_t> rowContent;
  // Scratch for nativeWindowPixels when child windows are drawn in.
  std::vector<uint32_t> composed;

  // Update region, kept as its bounding rectangle in client coordinates.
  bool invalid = false;
  RECT update = {0, 0, 0, 0};
  bool erasePending = false;

  bool native = false;           // the driver has a native window for it
  bool desktop = false;
  bool destroying = false;

  std::vector<HWND> children;    // top of the Z order first
};

inline uint32_t* pixelData(Window& window) {
  return window.lentPixels ? window.lentPixels : window.pixels.data();
}
inline const uint32_t* pixelData(const Window& window) {
  return window.lentPixels ? window.lentPixels : window.pixels.data();
}

// The record of one of the layer's own windows (the desktop included), or
// null for anything else: null, destroyed windows, foreign windows.
Window* findWindow(HWND handle);

// A new record with a fresh handle and number.
Window* addWindow();
// Drops the record; its handle becomes invalid.
void removeWindow(HWND handle);

// The desktop window's record, made on first use.
Window* desktopWindow();

// Top-level windows (those without a parent), top of the Z order first.
std::vector<HWND>& topLevelWindows();

// Every live window in the order of creation.
std::vector<Window*> allWindows();

// Client width and height.
inline int clientWidth(const Window& w) { return w.rect.right - w.rect.left; }
inline int clientHeight(const Window& w) { return w.rect.bottom - w.rect.top; }

inline bool isVisible(const Window& w) { return (w.style & WS_VISIBLE) != 0; }

// The non-client area (non_client.cpp): its widths for a window of `style`,
// the window rectangle of a record, and the client rectangle that a window
// rectangle gives a record.
const int kDialogFrame = 3;
const int kResizingFrame = 4;
const int kCaptionHeight = 18;
RECT nonClientFrame(DWORD style, bool child);
RECT windowRectOf(const Window& window);
RECT clientRectFor(const Window& window, const RECT& windowRect);

// The window itself if it is top-level (or a child of a foreign window),
// else its top-level ancestor; null for an unknown window.
HWND topLevelOf(HWND handle);

// The top-level (or foreign-child) ancestor that has the native window, or
// null; `offset` receives the window's client origin in that ancestor's
// client coordinates.
Window* nativeAncestor(Window* window, POINT* offset);

// Screen position of the window's client origin; false when a foreign parent
// is gone.
bool clientOriginOnScreen(const Window& window, POINT* origin);

#endif
