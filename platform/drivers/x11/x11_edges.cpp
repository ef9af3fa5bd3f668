// Resizing a borderless window by the band along its edges, through the
// window manager's _NET_WM_MOVERESIZE or by the driver itself.
#include "platform/drivers/x11/x11_edges.h"

#include <string.h>

#include <algorithm>

#include <X11/cursorfont.h>

#include "platform/drivers/x11/x11_connection.h"

namespace {

constexpr int kBand = 6;      // width of the sizing band inside each edge
constexpr int kCorner = 16;   // reach of a corner along the band
constexpr int kSmallest = 2 * kCorner;  // the driver's resize keeps at least this size

// _NET_WM_MOVERESIZE directions, which the driver uses for its own resize too.
enum Edge { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left, NoEdge = -1 };

int edgeAt(const X11Window& window, int x, int y) {
  if (!window.resizable) return NoEdge;
  int width = window.width, height = window.height;
  bool inLeft = x < kBand, inRight = x >= width - kBand;
  bool inTop = y < kBand, inBottom = y >= height - kBand;
  if (!inLeft && !inRight && !inTop && !inBottom) return NoEdge;
  bool side = inLeft || inRight, topOrBottom = inTop || inBottom;
  bool top = inTop || (side && y < kCorner);
  bool bottom = inBottom || (side && y >= height - kCorner);
  bool left = inLeft || (topOrBottom && x < kCorner);
  bool right = inRight || (topOrBottom && x >= width - kCorner);
  if (top) return left ? TopLeft : right ? TopRight : Top;
  if (bottom) return left ? BottomLeft : right ? BottomRight : Bottom;
  return left ? Left : Right;
}

Cursor edgeCursor(int edge) {
  static Cursor cursors[8] = {};
  static const unsigned shapes[8] = {XC_top_left_corner,     XC_top_side,
                                     XC_top_right_corner,    XC_right_side,
                                     XC_bottom_right_corner, XC_bottom_side,
                                     XC_bottom_left_corner,  XC_left_side};
  if (!cursors[edge]) cursors[edge] = XCreateFontCursor(x11().display, shapes[edge]);
  return cursors[edge];
}

bool movesLeft(int edge) { return edge == TopLeft || edge == Left || edge == BottomLeft; }
bool movesRight(int edge) { return edge == TopRight || edge == Right || edge == BottomRight; }
bool movesTop(int edge) { return edge == TopLeft || edge == Top || edge == TopRight; }
bool movesBottom(int edge) { return edge == BottomLeft || edge == Bottom || edge == BottomRight; }

// The start rectangle with the dragged edges moved by (dx, dy).
RECT resized(const RECT& start, int edge, int dx, int dy) {
  RECT r = start;
  if (movesLeft(edge)) r.left = std::min<LONG>(start.left + dx, start.right - kSmallest);
  if (movesRight(edge)) r.right = std::max<LONG>(start.right + dx, start.left + kSmallest);
  if (movesTop(edge)) r.top = std::min<LONG>(start.top + dy, start.bottom - kSmallest);
  if (movesBottom(edge)) r.bottom = std::max<LONG>(start.bottom + dy, start.top + kSmallest);
  return r;
}

void askWindowManager(const X11Window& window, const XButtonEvent& press, int edge) {
  const X11Connection& c = x11();
  // The window manager grabs the pointer itself: give up the press's grab.
  XUngrabPointer(c.display, press.time);
  XEvent message = {};
  message.xclient.type = ClientMessage;
  message.xclient.window = window.id;
  message.xclient.message_type = c.atoms.netWmMoveResize;
  message.xclient.format = 32;
  message.xclient.data.l[0] = press.x_root;
  message.xclient.data.l[1] = press.y_root;
  message.xclient.data.l[2] = edge;
  message.xclient.data.l[3] = Button1;
  message.xclient.data.l[4] = 1;  // asked by an application
  XSendEvent(c.display, c.root, False, SubstructureRedirectMask | SubstructureNotifyMask,
             &message);
  XFlush(c.display);
}

}  // namespace

bool startEdgeResize(X11Window& window, const XButtonEvent& press) {
  if (window.kind != NativeKind::Popup || window.gone) return false;
  int edge = edgeAt(window, press.x, press.y);
  if (edge == NoEdge) return false;
  if (windowManagerMovesAndResizes()) {
    askWindowManager(window, press, edge);
    return true;
  }
  // The press's implicit grab brings every motion and the release here.
  window.edgeDrag = edge;
  window.edgeStart = POINT{press.x_root, press.y_root};
  window.edgeStartRect = RECT{window.rect.left, window.rect.top, window.rect.left + window.width,
                              window.rect.top + window.height};
  window.edgeRect = window.edgeStartRect;
  return true;
}

bool trackEdgeResize(X11Window& window, const XMotionEvent& motion) {
  if (window.edgeDrag == NoEdge) {
    int edge = (motion.state & (Button1Mask | Button2Mask | Button3Mask))
                   ? NoEdge
                   : edgeAt(window, motion.x, motion.y);
    if (edge != window.pointerEdge) {
      window.pointerEdge = edge;
      x11DefineCursor(window, edge == NoEdge ? None : edgeCursor(edge));
    }
    return false;
  }
  RECT r = resized(window.edgeStartRect, window.edgeDrag, motion.x_root - window.edgeStart.x,
                   motion.y_root - window.edgeStart.y);
  if (memcmp(&r, &window.edgeRect, sizeof r) != 0) {
    window.edgeRect = r;
    window.placedSerial = NextRequest(x11().display);
    XMoveResizeWindow(x11().display, window.id, r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  return true;
}

bool finishEdgeResize(X11Window& window, const XButtonEvent&) {
  if (window.edgeDrag == NoEdge) return false;
  window.edgeDrag = NoEdge;
  RECT r = window.edgeRect;
  HWND handle = window.handle;
  int width = r.right - r.left, height = r.bottom - r.top;
  window.width = width;
  window.height = height;
  int oldWidth = window.rect.right - window.rect.left;
  int oldHeight = window.rect.bottom - window.rect.top;
  if (r.left != window.rect.left || r.top != window.rect.top) {
    window.rect = RECT{r.left, r.top, r.left + oldWidth, r.top + oldHeight};
    driverWindowMoved(handle, POINT{r.left, r.top});
  }
  X11Window* still = x11WindowOf(handle);
  if (still && (width != oldWidth || height != oldHeight)) {
    still->rect = r;
    driverUserResize(handle, width, height);
  }
  return true;
}
