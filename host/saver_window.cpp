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
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
