// beginDrag, dragMove and endDrag: the window drag of Windowed mode.
#include "host/window_drag.h"

#include <windows.h>

#include "host/saver_state.h"

int32_t dragAnchorX = -1;
int32_t dragAnchorY = -1;

namespace {

// Taken off both coordinates of the new place: a fixed allowance for the
// sizing frame; the frame's real width is not asked of the system.
const int kFrameAllowance = 3;

}  // namespace

void beginDrag(int x, int y) {
  dragAnchorX = x;
  dragAnchorY = y;
  SetCapture(saverWindow);
}

void dragMove(int x, int y) {
  if (dragAnchorX == -1 || dragAnchorY == -1) return;
  RECT client;
  GetClientRect(saverWindow, &client);
  MapWindowPoints(saverWindow, GetDesktopWindow(), reinterpret_cast<POINT*>(&client), 2);
  int left = client.left + (x - dragAnchorX) - kFrameAllowance;
  int top = client.top + (y - dragAnchorY) - kFrameAllowance;
  SetWindowPos(saverWindow, HWND_TOP, left, top, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE);
}

void endDrag() {
  dragAnchorY = -1;
  dragAnchorX = -1;
  ReleaseCapture();
}
