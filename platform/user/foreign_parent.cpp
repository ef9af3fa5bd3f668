// Changes of a foreign window that holds windows of ours, such as the
// preview box of the display settings or a screen-saver host's window.
//
// Its end (driverForeignWindowGone): another program destroyed it. Win32
// destroys a window's children with it, even when they belong to another
// process, so each of our windows inside it is destroyed at once
// (WM_DESTROY and all).
//
// A new size (driverForeignWindowResized): a host that follows a change of
// monitors resizes its window and expects what it embeds to fill it again.
// Win32 leaves a child's size to its program; here each of our windows that
// filled the foreign window (placed at its top-left corner) is resized to
// the new size as a user's resize would be, ending with WM_EXITSIZEMOVE,
// which the program answers as it answers the end of a user's resize.
//
// This runs inside the driver's wait, not as a queued input action: a
// message that the destruction posts (the saver's WM_QUIT) must be found by
// the GetMessageA that is waiting, and an action runs only after the posted
// messages have been looked at.
#include <vector>

#include "platform/drivers/driver.h"
#include "platform/internal/trace.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

void driverForeignWindowGone(uintptr_t number) {
  HWND parent = reinterpret_cast<HWND>(number);
  if (traceEnabled()) traceEvent("parentgone %s", windowLabel(parent).c_str());
  std::vector<HWND> children;
  for (Window* window : allWindows())
    if (window->foreignParent && window->parent == parent) children.push_back(window->handle);
  for (HWND child : children) DestroyWindow(child);
}

void driverForeignWindowResized(uintptr_t number, int width, int height) {
  HWND parent = reinterpret_cast<HWND>(number);
  std::vector<HWND> filling;
  for (Window* window : allWindows()) {
    if (!window->foreignParent || window->parent != parent) continue;
    if (window->rect.left != 0 || window->rect.top != 0) continue;
    if (clientWidth(*window) == width && clientHeight(*window) == height) continue;
    filling.push_back(window->handle);
  }
  if (filling.empty()) return;
  if (traceEnabled()) traceEvent("parentresize %s %dx%d", windowLabel(parent).c_str(), width, height);
  for (HWND child : filling) driverUserResize(child, width, height);
}
