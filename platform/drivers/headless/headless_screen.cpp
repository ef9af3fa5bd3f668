// The headless driver's virtual screen (headless_screen.h).
#include "platform/drivers/headless/headless_screen.h"

#include <string.h>

#include <algorithm>

namespace {

std::vector<ScreenWindow>& windows() {  // top of the Z order first
  static std::vector<ScreenWindow> list;
  return list;
}

std::vector<ScreenWindow>::iterator find(HWND window) {
  return std::find_if(windows().begin(), windows().end(),
                      [window](const ScreenWindow& w) { return w.window == window; });
}

void fillScreen(RECT r, uint32_t pixel, int width, int height, std::vector<uint32_t>* screen) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, width);
  r.bottom = std::min<LONG>(r.bottom, height);
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) (*screen)[size_t(y) * width + x] = pixel;
}

// The non-client area: a grey frame with a light outer edge on the top and
// left and a dark one on the bottom and right, and the title bar.
void drawFrame(const ScreenWindow& w, int width, int height, std::vector<uint32_t>* screen) {
  const RECT& f = w.frame;
  if (f.left == 0 && f.top == 0 && f.right == 0 && f.bottom == 0) return;
  RECT outer = {w.rect.left - f.left, w.rect.top - f.top, w.rect.right + f.right,
                w.rect.bottom + f.bottom};
  fillScreen(outer, 0xC0C0C0, width, height, screen);
  fillScreen(RECT{outer.left, outer.top, outer.right, outer.top + 1}, 0xDFDFDF, width, height, screen);
  fillScreen(RECT{outer.left, outer.top, outer.left + 1, outer.bottom}, 0xDFDFDF, width, height, screen);
  fillScreen(RECT{outer.left, outer.bottom - 1, outer.right, outer.bottom}, 0x000000, width, height, screen);
  fillScreen(RECT{outer.right - 1, outer.top, outer.right, outer.bottom}, 0x000000, width, height, screen);
  RECT title = {outer.left + f.left, outer.top + f.left, outer.right - f.right, w.rect.top - 1};
  fillScreen(title, 0x000080, width, height, screen);
}

void drawWindow(const ScreenWindow& w, int width, int height, std::vector<uint32_t>* screen) {
  drawFrame(w, width, height, screen);
  PixelBuffer picture;
  if (!nativeWindowPixels(w.window, &picture)) return;
  int left = std::max<int>(w.rect.left, 0), top = std::max<int>(w.rect.top, 0);
  int right = std::min<int>(w.rect.left + picture.width, width);
  int bottom = std::min<int>(w.rect.top + picture.height, height);
  for (int y = top; y < bottom; ++y) {
    const uint32_t* from =
        picture.pixels + size_t(y - w.rect.top) * picture.width + (left - w.rect.left);
    if (right > left) memcpy(&(*screen)[size_t(y) * width + left], from, (right - left) * sizeof(uint32_t));
  }
}

}  // namespace

void screenAddWindow(HWND window, const NativeWindowSpec& wanted) {
  windows().insert(windows().begin(),
                   ScreenWindow{window, wanted.kind, wanted.rect, wanted.resizable, wanted.visible,
                                wanted.frame});
}

void screenRemoveWindow(HWND window) {
  auto it = find(window);
  if (it != windows().end()) windows().erase(it);
}

void screenPlaceWindow(HWND window, const RECT& rect) {
  auto it = find(window);
  if (it != windows().end()) it->rect = rect;
}

void screenShowWindow(HWND window, bool visible) {
  auto it = find(window);
  if (it != windows().end()) it->visible = visible;
}

void screenRaiseWindow(HWND window) {
  auto it = find(window);
  if (it == windows().end()) return;
  ScreenWindow raised = *it;
  windows().erase(it);
  windows().insert(windows().begin(), raised);
}

HWND screenWindowAt(POINT p) {
  for (const ScreenWindow& w : windows()) {
    if (w.visible && p.x >= w.rect.left && p.x < w.rect.right && p.y >= w.rect.top &&
        p.y < w.rect.bottom)
      return w.window;
  }
  return nullptr;
}

const ScreenWindow* screenTopWindow(bool topLevelOnly) {
  for (const ScreenWindow& w : windows()) {
    if (w.visible && (!topLevelOnly || w.kind != NativeKind::ForeignChild)) return &w;
  }
  return nullptr;
}

void composeScreen(int width, int height, std::vector<uint32_t>* pixels) {
  pixels->assign(size_t(width) * height, 0);
  for (auto it = windows().rbegin(); it != windows().rend(); ++it)
    if (it->visible) drawWindow(*it, width, height, pixels);
}
