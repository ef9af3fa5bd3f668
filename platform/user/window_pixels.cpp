// The client-area pixels of windows, for platform/gdi (windowPixels,
// windowPixelsForCopy, windowPixelsChanged, windowPixelsMoved) and for the
// drivers (nativeWindowPixels): each window
// has its own buffer; a native window's picture is its buffer with the
// buffers of its visible child windows drawn over it, clipped to each parent.
#include <string.h>

#include <algorithm>

#include "platform/drivers/driver.h"
#include "platform/internal/window_pixels.h"
#include "platform/user/window.h"

namespace {

RECT intersect(const RECT& a, const RECT& b) {
  RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

// Copies `window`'s pixels, whose client origin lies at `origin` of the
// destination, into the part `clip` of the destination, then its visible
// children over them.
void drawWindowInto(const Window& window, POINT origin, RECT clip, PixelBuffer dest) {
  RECT own = {origin.x, origin.y, origin.x + clientWidth(window), origin.y + clientHeight(window)};
  clip = intersect(clip, own);
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  int width = clip.right - clip.left;
  for (int y = clip.top; y < clip.bottom; ++y) {
    const uint32_t* from =
        &pixelData(window)[size_t(y - origin.y) * clientWidth(window) + (clip.left - origin.x)];
    memcpy(&dest.pixels[size_t(y) * dest.width + clip.left], from, width * sizeof(uint32_t));
  }
  for (auto it = window.children.rbegin(); it != window.children.rend(); ++it) {
    const Window* child = findWindow(*it);
    if (!child || !isVisible(*child)) continue;
    drawWindowInto(*child, POINT{origin.x + child->rect.left, origin.y + child->rect.top}, clip,
                   dest);
  }
}

bool hasVisibleChild(const Window& window) {
  for (HWND handle : window.children) {
    const Window* child = findWindow(handle);
    if (child && isVisible(*child)) return true;
  }
  return false;
}

}  // namespace

bool windowPixelsForCopy(HWND handle, PixelBuffer* out, std::vector<uint64_t>** rowContent) {
  Window* window = findWindow(handle);
  if (!window || window->desktop) return false;
  *out = PixelBuffer{pixelData(*window), clientWidth(*window), clientHeight(*window)};
  *rowContent = &window->rowContent;
  return true;
}

bool windowPixels(HWND handle, PixelBuffer* out) {
  std::vector<uint64_t>* rowContent;
  if (!windowPixelsForCopy(handle, out, &rowContent)) return false;
  rowContent->clear();
  return true;
}

void windowPixelsChanged(HWND handle, const RECT& area) {
  Window* window = findWindow(handle);
  if (!window || window->desktop) return;
  RECT changed = intersect(area, RECT{0, 0, clientWidth(*window), clientHeight(*window)});
  if (changed.right <= changed.left || changed.bottom <= changed.top) return;
  POINT offset;
  Window* native = nativeAncestor(window, &offset);
  if (!native) return;
  RECT inNative = {changed.left + offset.x, changed.top + offset.y, changed.right + offset.x,
                   changed.bottom + offset.y};
  displayDriver().present(native->handle, inNative);
}

void windowPixelsMoved(HWND handle, const RECT& area, int dy) {
  Window* window = findWindow(handle);
  if (!window || window->desktop) return;
  // A native window without children shows its own pixels: the driver can
  // move them. Otherwise the picture is composed, and presented afresh.
  if (window->native && !hasVisibleChild(*window) &&
      displayDriver().movePixels(handle, area, dy))
    return;
  windowPixelsChanged(handle, area);
}

bool nativeWindowPixels(HWND handle, PixelBuffer* out) {
  Window* window = findWindow(handle);
  if (!window || !window->native) return false;
  int width = clientWidth(*window), height = clientHeight(*window);
  if (!hasVisibleChild(*window)) {
    *out = PixelBuffer{pixelData(*window), width, height};
    return true;
  }
  window->composed.resize(size_t(width) * height);
  PixelBuffer composed = {window->composed.data(), width, height};
  drawWindowInto(*window, POINT{0, 0}, RECT{0, 0, width, height}, composed);
  *out = composed;
  return true;
}
