// The mouse cursor: ShowCursor with Win32's display count (0 at start, the
// cursor shows while the count is 0 or more) and GetCursorPos. A change of
// visibility is traced.
#include "platform/drivers/driver.h"
#include "platform/internal/trace.h"
#include "platform/user/message_queue.h"

namespace {
int displayCount = 0;
}  // namespace

int WINAPI ShowCursor(BOOL show) {
  bool wasShown = displayCount >= 0;
  displayCount += show ? 1 : -1;
  bool shown = displayCount >= 0;
  if (shown != wasShown) {
    displayDriver().showCursor(shown);
    traceEvent("cursor %s", shown ? "show" : "hide");
  }
  return displayCount;
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (!point) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *point = cursorPosition();
  return TRUE;
}
