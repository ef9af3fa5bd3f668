// The table of window records: handles, numbers, the desktop window and the
// Z order of top-level windows (window.h).
#include <map>
#include <memory>

#include "platform/drivers/driver.h"
#include "platform/user/window.h"

namespace {

constexpr uintptr_t kHandleBase = 0x40000000;

struct WindowTable {
  std::map<uintptr_t, std::unique_ptr<Window>> windows;  // by handle = by creation
  int nextNumber = 0;
  std::vector<HWND> topLevel;
};

WindowTable& table() {
  static WindowTable t;
  return t;
}

}  // namespace

Window* findWindow(HWND handle) {
  auto& windows = table().windows;
  auto it = windows.find(reinterpret_cast<uintptr_t>(handle));
  return it == windows.end() ? nullptr : it->second.get();
}

Window* addWindow() {
  WindowTable& t = table();
  auto window = std::make_unique<Window>();
  window->number = t.nextNumber++;
  window->handle = reinterpret_cast<HWND>(kHandleBase + 4 * uintptr_t(window->number));
  Window* record = window.get();
  t.windows[reinterpret_cast<uintptr_t>(record->handle)] = std::move(window);
  return record;
}

void removeWindow(HWND handle) { table().windows.erase(reinterpret_cast<uintptr_t>(handle)); }

Window* desktopWindow() {
  static Window* desktop = [] {
    Window* w = addWindow();
    w->desktop = true;
    w->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    SIZE screen = displayDriver().screenSize();
    w->rect = RECT{0, 0, screen.cx, screen.cy};
    return w;
  }();
  return desktop;
}

std::vector<HWND>& topLevelWindows() { return table().topLevel; }

std::vector<Window*> allWindows() {
  std::vector<Window*> all;
  for (auto& entry : table().windows) all.push_back(entry.second.get());
  return all;
}

HWND topLevelOf(HWND handle) {
  Window* window = findWindow(handle);
  while (window && window->parent && !window->foreignParent) window = findWindow(window->parent);
  return window ? window->handle : nullptr;
}

Window* nativeAncestor(Window* window, POINT* offset) {
  POINT at = {0, 0};
  while (window && !window->native) {
    if (!window->parent || window->foreignParent) return nullptr;
    at.x += window->rect.left;
    at.y += window->rect.top;
    window = findWindow(window->parent);
  }
  if (offset) *offset = at;
  return window;
}

bool clientOriginOnScreen(const Window& window, POINT* origin) {
  POINT at = {window.rect.left, window.rect.top};
  const Window* w = &window;
  while (w->parent) {
    if (w->foreignParent) {
      RECT parentRect;
      if (!displayDriver().foreignWindowRect(reinterpret_cast<uintptr_t>(w->parent), &parentRect))
        return false;
      at.x += parentRect.left;
      at.y += parentRect.top;
      break;
    }
    w = findWindow(w->parent);
    if (!w) return false;
    at.x += w->rect.left;
    at.y += w->rect.top;
  }
  *origin = at;
  return true;
}
