// Where windows are and whether they show: GetDesktopWindow, GetShellWindow,
// GetClientRect,
// GetWindowRect, MapWindowPoints, SetWindowPos, MoveWindow, ShowWindow and
// IsWindowVisible. Only captioned top-level windows have a non-client area
// (non_client.cpp): their window rectangle is the client rectangle with the
// frame around it; for others the two are the same.
#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "platform/drivers/driver.h"
#include "platform/internal/diagnostics.h"
#include "platform/internal/trace.h"
#include "platform/internal/window_pixels.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

// Screen position of any window's client origin, foreign ones included.
bool originOf(HWND handle, POINT* origin) {
  if (!handle) {
    *origin = POINT{0, 0};
    return true;
  }
  if (Window* window = findWindow(handle)) return clientOriginOnScreen(*window, origin);
  RECT rect;
  if (!displayDriver().foreignWindowRect(reinterpret_cast<uintptr_t>(handle), &rect)) return false;
  *origin = POINT{rect.left, rect.top};
  return true;
}

std::vector<HWND>& siblingsOf(Window& window) {
  if (window.parent && !window.foreignParent) {
    if (Window* parent = findWindow(window.parent)) return parent->children;
  }
  return topLevelWindows();
}

bool isTopLevel(const Window& window) { return !window.parent || window.foreignParent; }

// Win32 treats every command but these as "show".
bool commandShows(int command) { return command != SW_HIDE; }

bool commandActivates(int command) {
  return command != SW_HIDE && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
         command != SW_SHOWMINIMIZED && command != SW_MINIMIZE && command != 7 /* SW_SHOWMINNOACTIVE */;
}

void sayUnsupportedCommand(int command) {
  if (command == SW_SHOWMINIMIZED || command == SW_MINIMIZE || command == 7 || command == 11)
    layerDiagnostic("user", "ShowWindow: minimizing is not supported; the window is shown as it is");
  else if (command == SW_SHOWMAXIMIZED)
    layerDiagnostic("user", "ShowWindow: maximizing is not supported; the window is shown as it is");
}

}  // namespace

void resizePixels(Window& window, int oldWidth, int oldHeight) {
  int width = clientWidth(window), height = clientHeight(window);
  int keepWidth = std::min(width, oldWidth), keepHeight = std::min(height, oldHeight);
  // A window 0 pixels wide or high has no pixels to keep (and no first one
  // to point at).
  if (keepWidth <= 0) keepHeight = 0;
  // The old pixels aside: a driver's new memory ends its old one.
  std::vector<uint32_t> old;
  if (window.lentPixels) {
    if (keepHeight > 0) old.assign(window.lentPixels, window.lentPixels + size_t(oldWidth) * oldHeight);
  } else {
    old.swap(window.pixels);
  }
  window.lentPixels = nullptr;
  // A native window's driver may lend memory it presents from; it comes
  // zeroed. The layer's own is zeroed here.
  if (window.native && width > 0 && height > 0)
    window.lentPixels = displayDriver().lendPixels(window.handle, width, height);
  if (!window.lentPixels) window.pixels.assign(size_t(width) * height, 0);
  uint32_t* pixels = pixelData(window);
  for (int y = 0; y < keepHeight; ++y)
    memcpy(pixels + size_t(y) * width, old.data() + size_t(y) * oldWidth,
           size_t(keepWidth) * sizeof(uint32_t));
  // Rows below the kept ones are black; what the kept ones show is not known.
  window.rowContent.assign(size_t(height), kZeroRowContent);
  std::fill(window.rowContent.begin(), window.rowContent.begin() + keepHeight, 0);
}

bool isDrawable(const Window& window) {
  const Window* w = &window;
  while (w) {
    if (!isVisible(*w)) return false;
    if (!w->parent || w->foreignParent) return true;
    w = findWindow(w->parent);
  }
  return false;
}

void presentAll(Window& window) {
  POINT offset;
  Window* native = nativeAncestor(&window, &offset);
  if (native)
    displayDriver().present(native->handle, RECT{0, 0, clientWidth(*native), clientHeight(*native)});
}

void placeWindow(Window& window, const RECT& rect, bool redraw) {
  RECT old = window.rect;
  int oldWidth = clientWidth(window), oldHeight = clientHeight(window);
  if (memcmp(&old, &rect, sizeof rect) == 0) return;
  window.rect = rect;
  int width = clientWidth(window), height = clientHeight(window);
  bool sized = width != oldWidth || height != oldHeight;
  if (sized) resizePixels(window, oldWidth, oldHeight);
  if (window.invalid) {
    window.update.right = std::min<LONG>(window.update.right, width);
    window.update.bottom = std::min<LONG>(window.update.bottom, height);
    if (window.update.right <= window.update.left || window.update.bottom <= window.update.top)
      window.invalid = false;
  }
  if (traceEnabled()) {
    RECT outer = windowRectOf(window);
    traceEvent("move %s %d,%d %dx%d", windowLabel(window.handle).c_str(), int(outer.left),
               int(outer.top), int(outer.right - outer.left), int(outer.bottom - outer.top));
  }
  if (window.native) displayDriver().placeWindow(window.handle, rect);
  if (sized && redraw) {
    UINT classStyle = window.windowClass ? window.windowClass->style : 0;
    if (((classStyle & CS_HREDRAW) && width != oldWidth) ||
        ((classStyle & CS_VREDRAW) && height != oldHeight)) {
      invalidateWindow(window, nullptr, true);
    } else {
      if (width > oldWidth) {
        RECT right = {oldWidth, 0, width, height};
        invalidateWindow(window, &right, true);
      }
      if (height > oldHeight) {
        RECT bottom = {0, oldHeight, width, height};
        invalidateWindow(window, &bottom, true);
      }
    }
  }
  if (!window.native) presentAll(window);
}

void setVisible(Window& window, bool visible) {
  if (isVisible(window) == visible) return;
  if (visible)
    window.style |= WS_VISIBLE;
  else
    window.style &= ~DWORD(WS_VISIBLE);
  if (traceEnabled())
    traceEvent("%s %s", visible ? "show" : "hide", windowLabel(window.handle).c_str());
  if (window.native) displayDriver().showWindow(window.handle, visible);
  if (visible) {
    invalidateWindow(window, nullptr, true);
  } else {
    window.invalid = false;
    window.erasePending = false;
  }
  if (!window.native) presentAll(window);
}

void raiseWindow(Window& window) {
  std::vector<HWND>& siblings = siblingsOf(window);
  auto it = std::find(siblings.begin(), siblings.end(), window.handle);
  if (it != siblings.end()) siblings.erase(it);
  siblings.insert(siblings.begin(), window.handle);
  if (window.native)
    displayDriver().raiseWindow(window.handle);
  else
    presentAll(window);
}

HWND WINAPI GetDesktopWindow(void) { return desktopWindow()->handle; }

// The window that shows the desktop's background, behind every other: the
// root window of the X screen, as another program's (foreign) window. A
// child of it is drawn on the background itself.
HWND WINAPI GetShellWindow(void) {
  return reinterpret_cast<HWND>(displayDriver().rootWindow());
}

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
  desktopWindow();
  RECT client;
  if (Window* window = findWindow(handle)) {
    client = RECT{0, 0, clientWidth(*window), clientHeight(*window)};
  } else {
    RECT foreign;
    if (!handle ||
        !displayDriver().foreignWindowRect(reinterpret_cast<uintptr_t>(handle), &foreign)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    client = RECT{0, 0, foreign.right - foreign.left, foreign.bottom - foreign.top};
  }
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *rect = client;
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect) {
  desktopWindow();
  POINT origin;
  if (!handle || !originOf(handle, &origin)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  RECT client;
  if (!GetClientRect(handle, &client)) return FALSE;
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT frame = {0, 0, 0, 0};
  if (Window* window = findWindow(handle)) frame = window->frame;
  *rect = RECT{origin.x - frame.left, origin.y - frame.top, origin.x + client.right + frame.right,
               origin.y + client.bottom + frame.bottom};
  return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  desktopWindow();
  POINT fromOrigin, toOrigin;
  if (!originOf(from, &fromOrigin) || !originOf(to, &toOrigin)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  LONG dx = fromOrigin.x - toOrigin.x, dy = fromOrigin.y - toOrigin.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(LOWORD(dx), LOWORD(dy));
}

BOOL WINAPI SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags) {
  Window* window = windowOrError(handle);
  if (!window || window->desktop) return FALSE;
  // Positions and sizes are the window rectangle's, frame included.
  RECT outer = windowRectOf(*window);
  WINDOWPOS pos = {handle, insertAfter, x, y, std::max(width, 0), std::max(height, 0), flags};
  if (flags & SWP_NOMOVE) {
    pos.x = outer.left;
    pos.y = outer.top;
  }
  if (flags & SWP_NOSIZE) {
    pos.cx = outer.right - outer.left;
    pos.cy = outer.bottom - outer.top;
  }
  if (!(flags & SWP_NOSENDCHANGING))
    SendMessageA(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  if (!(window = findWindow(handle))) return FALSE;

  RECT wanted = {pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
  outer = windowRectOf(*window);
  if (wanted.left == outer.left && wanted.top == outer.top) pos.flags |= SWP_NOMOVE;
  if (wanted.right - wanted.left == outer.right - outer.left &&
      wanted.bottom - wanted.top == outer.bottom - outer.top)
    pos.flags |= SWP_NOSIZE;
  placeWindow(*window, clientRectFor(*window, wanted), !(pos.flags & SWP_NOREDRAW));

  if (!(pos.flags & SWP_NOZORDER)) {
    if (pos.hwndInsertAfter == HWND_TOP || pos.hwndInsertAfter == HWND_TOPMOST ||
        pos.hwndInsertAfter == HWND_NOTOPMOST) {
      raiseWindow(*window);
    } else {
      // Placing below another window (or at the bottom) is not done: the
      // layer's windows keep their order.
      layerDiagnostic("user", "SetWindowPos: lowering a window is not supported");
    }
  }
  if (pos.flags & SWP_SHOWWINDOW) setVisible(*window, true);
  if (pos.flags & SWP_HIDEWINDOW) {
    setVisible(*window, false);
    activateOtherWindow(handle);
  }
  if (!(pos.flags & SWP_NOACTIVATE) && isTopLevel(*window) && isVisible(*window))
    activateWindow(handle);
  if (findWindow(handle)) SendMessageA(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(handle, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
  Window* window = windowOrError(handle);
  if (!window || window->desktop) return FALSE;
  bool wasVisible = isVisible(*window);
  bool show = commandShows(command);
  sayUnsupportedCommand(command);
  if (show != wasVisible) {
    SendMessageA(handle, WM_SHOWWINDOW, show, 0);
    if (!findWindow(handle)) return wasVisible;
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!commandActivates(command) || !isTopLevel(*window)) flags |= SWP_NOACTIVATE;
    SetWindowPos(handle, nullptr, 0, 0, 0, 0, flags);
  } else if (show && commandActivates(command) && isTopLevel(*window)) {
    activateWindow(handle);
  }
  return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND handle) {
  Window* window = findWindow(handle);
  return window && isDrawable(*window);
}
