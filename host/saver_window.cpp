// saverWindowProc and onKeyDown: the messages of the saver window by run
// mode. Every message handled here returns 0, everything else gets default
// processing. Every close is a request: WM_CLOSE is posted, its default
// processing destroys the window, and WM_DESTROY cleans up.
#include "host/saver_window.h"

#include "display/terminal_surface.h"
#include "display/typewriter.h"
#include "feed/feed_fetcher.h"
#include "host/cleanup.h"
#include "host/saver_state.h"
#include "host/wake_check.h"
#include "host/window_drag.h"

int32_t mouseMoveCount = 0;

namespace {

bool closeAllowed = false;

// Saver mode: system commands that would close, minimize, move or leave the
// window are activity; the system's own screen-saver command asks for
// nothing (the saver runs already); the rest keeps its default processing.
LRESULT onSysCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_SCREENSAVE:
      return 0;
    case SC_MONITORPOWER:
      return DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
    default:
      wakeCheck();
      return 0;
  }
}

const WPARAM kKeyQ = 0x51;

// Saver mode: the first four moves after start (or after the last password
// prompt) are ignored, the fifth and every later one wake the saver. Moves
// add up over the whole run; nothing ages them out.
void countMouseMove() {
  mouseMoveCount++;
  if (mouseMoveCount >= 5) wakeCheck();
}

// Mouse-move positions are signed: under capture the pointer can be left of
// or above the client area.
int signedX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int signedY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

}  // namespace

void allowSaverClose() { closeAllowed = true; }

void onKeyDown(WPARAM virtualKey) {
  if (runMode == Saver) {
    wakeCheck();
  } else if (runMode == Preview || runMode == Embedded) {
    // Input is ignored in the preview, and in a host's window: the host
    // owns the keyboard and the mouse.
  } else if (virtualKey == kKeyQ) {
    PostMessageA(saverWindow, WM_CLOSE, 0, 0);
  }
}

LRESULT CALLBACK saverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const RunMode mode = runMode;
  switch (message) {
    case WM_DESTROY:
      cleanupOnDestroy();
      PostQuitMessage(0);
      return 0;
    case WM_ERASEBKGND:
      // The only place the picture reaches the window (see paintSurface).
      paintSurface(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_KEYDOWN:
      onKeyDown(wParam);
      return 0;
    // In Saver mode, every way out goes through the wake check: Alt+F4 and
    // F10 arrive as system keys, whose default processing would close the
    // window or open its menu; the window manager's close and minimize come
    // as system commands; another program may post WM_CLOSE.
    // Alt itself wakes the saver when it is let go alone: pressed, it waits
    // for the key it goes with, so that Alt+F4 asks for the password once
    // (at F4) instead of opening the prompt at Alt and closing it at F4.
    case WM_SYSKEYDOWN:
      if (mode != Saver) break;
      if (wParam != VK_MENU) wakeCheck();
      return 0;
    case WM_SYSKEYUP:
      if (mode != Saver) break;
      if (wParam == VK_MENU) wakeCheck();
      return 0;
    case WM_SYSCHAR:
      if (mode != Saver) break;
      return 0;
    case WM_SYSCOMMAND:
      if (mode != Saver) break;
      return onSysCommand(window, wParam, lParam);
    case WM_CLOSE:
      if (mode != Saver || closeAllowed) break;
      wakeCheck();
      return 0;
    // The session ends (logoff, shutdown; on Linux a termination signal):
    // the saver goes at once, through its clean-up.
    case WM_ENDSESSION:
      if (wParam && mode == Saver) {
        allowSaverClose();
        DestroyWindow(window);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (mode == Windowed) dragMove(signedX(lParam), signedY(lParam));
      else if (mode == Saver) countMouseMove();
      return 0;
    case WM_LBUTTONDOWN:
      if (mode == Windowed) beginDrag(LOWORD(lParam), HIWORD(lParam));
      else if (mode == Saver) wakeCheck();
      return 0;
    case WM_LBUTTONUP:
      endDrag();
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (mode == Saver) wakeCheck();
      return 0;
    case WM_EXITSIZEMOVE:
      relayoutSurface();
      return 0;
    case DocumentMessage:
      documentArrived();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
