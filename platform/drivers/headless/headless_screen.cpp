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

void drawWindow(const ScreenWindow& w, int width, int height, std::vector<uint32_t>* screen) {
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
                   ScreenWindow{window, wanted.kind, wanted.rect, wanted.resizable, wanted.visible});
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
