// The end of a foreign window (driverForeignWindowGone): another program
// destroyed a window that holds windows of ours, such as the preview box of
// the display settings. Win32 destroys a window's children with it, even
// when they belong to another process, so each of our windows inside it is
// destroyed at once (WM_DESTROY and all).
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
