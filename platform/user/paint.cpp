// Invalidation and painting: InvalidateRect, ValidateRect, GetUpdateRect,
// UpdateWindow, BeginPaint/EndPaint and GetDC/ReleaseDC (device contexts
// come from platform/gdi through window_dc.h).
//
// A window's update region is kept as its bounding rectangle, and drawing
// between BeginPaint and EndPaint is not clipped to it: the layer does less
// than Win32 here, which only matters to a WM_PAINT handler that draws
// outside the part it was asked to repaint.
#include <algorithm>

#include "platform/internal/trace.h"
#include "platform/internal/window_dc.h"
#include "platform/user/message_queue.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

bool isEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

RECT unite(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT clientRectOf(const Window& window) {
  return RECT{0, 0, clientWidth(window), clientHeight(window)};
}

// The bounding rectangle of `update` minus `taken`: smaller only where
// `taken` covers a whole side of it.
RECT subtract(RECT update, const RECT& taken) {
  RECT overlap = intersect(update, taken);
  if (isEmpty(overlap)) return update;
  bool fullWidth = overlap.left == update.left && overlap.right == update.right;
  bool fullHeight = overlap.top == update.top && overlap.bottom == update.bottom;
  if (fullWidth && fullHeight) return RECT{0, 0, 0, 0};
  if (fullWidth && overlap.top == update.top) update.top = overlap.bottom;
  else if (fullWidth && overlap.bottom == update.bottom) update.bottom = overlap.top;
  else if (fullHeight && overlap.left == update.left) update.left = overlap.right;
  else if (fullHeight && overlap.right == update.right) update.right = overlap.left;
  return update;
}

// Calls `apply(child, part)` for each visible child that `area` (client
// coordinates of `window`) reaches, with the part in the child's coordinates,
// unless the window clips its children.
template <typename Apply>
void forCoveredChildren(Window& window, const RECT& area, Apply apply) {
  if (window.style & WS_CLIPCHILDREN) return;
  std::vector<HWND> children = window.children;
  for (HWND handle : children) {
    Window* child = findWindow(handle);
    if (!child || !isVisible(*child)) continue;
    RECT part = intersect(area, child->rect);
    if (isEmpty(part)) continue;
    part.left -= child->rect.left;
    part.right -= child->rect.left;
    part.top -= child->rect.top;
    part.bottom -= child->rect.top;
    apply(*child, part);
  }
}

void validateWindow(Window& window, const RECT* rect) {
  RECT area = rect ? intersect(*rect, clientRectOf(window)) : clientRectOf(window);
  if (window.invalid) {
    window.update = rect ? subtract(window.update, area) : RECT{0, 0, 0, 0};
    if (isEmpty(window.update)) {
      window.invalid = false;
      window.erasePending = false;
    }
  }
  forCoveredChildren(window, area, [](Window& child, const RECT& part) { validateWindow(child, &part); });
}

HWND firstToPaint(HWND handle, HWND filter) {
  Window* window = findWindow(handle);
  if (!window || !isVisible(*window)) return nullptr;
  if (window->invalid && windowFilterAccepts(filter, handle)) return handle;
  for (HWND child : window->children)
    if (HWND found = firstToPaint(child, filter)) return found;
  return nullptr;
}

bool sendErase(Window& window, HDC dc) {
  window.erasePending = false;
  return SendMessageA(window.handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
}

void updateNow(HWND handle) {
  Window* window = findWindow(handle);
  if (!window || !isDrawable(*window)) return;
  if (window->invalid) SendMessageA(handle, WM_PAINT, 0, 0);
  if (!(window = findWindow(handle))) return;
  std::vector<HWND> children = window->children;
  for (HWND child : children) updateNow(child);
}

}  // namespace

void invalidateWindow(Window& window, const RECT* rect, bool erase) {
  if (window.desktop || !isDrawable(window)) return;
  RECT area = rect ? intersect(*rect, clientRectOf(window)) : clientRectOf(window);
  if (isEmpty(area)) return;
  window.update = window.invalid ? unite(window.update, area) : area;
  window.invalid = true;
  window.erasePending = window.erasePending || erase;
  if (traceEnabled())
    traceEvent("invalidate %s %d,%d %dx%d %s", windowLabel(window.handle).c_str(), int(area.left),
               int(area.top), int(area.right - area.left), int(area.bottom - area.top),
               erase ? "erase" : "noerase");
  forCoveredChildren(window, area,
                     [erase](Window& child, const RECT& part) { invalidateWindow(child, &part, erase); });
}

HWND windowToPaint(HWND filter) {
  for (HWND top : topLevelWindows())
    if (HWND found = firstToPaint(top, filter)) return found;
  return nullptr;
}

bool eraseIfPending(Window& window) {
  if (!window.erasePending) return false;
  HDC dc = createWindowDC(window.handle);
  bool erased = sendErase(window, dc);
  if (dc) deleteWindowDC(dc);
  return erased;
}

BOOL WINAPI InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
  if (!handle) {
    // Win32 repaints every window for a null handle.
    std::vector<HWND> tops = topLevelWindows();
    for (HWND top : tops)
      if (Window* window = findWindow(top)) invalidateWindow(*window, nullptr, erase);
    return TRUE;
  }
  Window* window = windowOrError(handle);
  if (!window) return FALSE;
  invalidateWindow(*window, rect, erase);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND handle, const RECT* rect) {
  if (!handle) return TRUE;
  Window* window = windowOrError(handle);
  if (!window) return FALSE;
  validateWindow(*window, rect);
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND handle, LPRECT rect, BOOL erase) {
  Window* window = windowOrError(handle);
  if (!window) return FALSE;
  bool invalid = window->invalid;
  if (rect) *rect = invalid ? window->update : RECT{0, 0, 0, 0};
  if (invalid && erase) eraseIfPending(*window);
  return invalid;
}

BOOL WINAPI UpdateWindow(HWND handle) {
  if (!windowOrError(handle)) return FALSE;
  updateNow(handle);
  return TRUE;
}

HDC WINAPI BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
  Window* window = windowOrError(handle);
  if (!window || !paint) return nullptr;
  RECT area = window->invalid ? window->update : RECT{0, 0, 0, 0};
  bool erase = window->erasePending;
  window->invalid = false;
  window->erasePending = false;
  HDC dc = createWindowDC(handle);
  *paint = PAINTSTRUCT{};
  paint->hdc = dc;
  paint->rcPaint = area;
  // fErase tells the caller to erase the background itself: the window
  // did not erase it in WM_ERASEBKGND.
  if (erase) paint->fErase = !sendErase(*window, dc);
  return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (paint && paint->hdc) deleteWindowDC(paint->hdc);
  return TRUE;
}

HDC WINAPI GetDC(HWND handle) {
  if (!handle) handle = desktopWindow()->handle;
  if (!windowOrError(handle)) return nullptr;
  return createWindowDC(handle);
}

int WINAPI ReleaseDC(HWND, HDC dc) {
  if (!dc) return 0;
  deleteWindowDC(dc);
  return 1;
}
