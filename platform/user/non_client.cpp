// The non-client area of top-level windows with a caption: a classic dialog
// frame (three pixels; four for a resizable frame) around the client area
// and an 18-pixel caption above it, so that the window rectangle is larger
// than the client rectangle as on Windows. AdjustWindowRectEx gives the
// window rectangle of a client rectangle. The frame itself is drawn by the
// display driver (the window manager on X11, a plain title bar headless).
// Windows without WS_CAPTION (the saver's own) and child windows have none.
#include "platform/user/window.h"

RECT nonClientFrame(DWORD style, bool child) {
  if (child || (style & WS_CAPTION) != WS_CAPTION) return RECT{0, 0, 0, 0};
  int border = (style & WS_THICKFRAME) ? kResizingFrame : kDialogFrame;
  return RECT{border, border + kCaptionHeight, border, border};
}

RECT windowRectOf(const Window& window) {
  return RECT{window.rect.left - window.frame.left, window.rect.top - window.frame.top,
              window.rect.right + window.frame.right, window.rect.bottom + window.frame.bottom};
}

RECT clientRectFor(const Window& window, const RECT& windowRect) {
  RECT client = {windowRect.left + window.frame.left, windowRect.top + window.frame.top,
                 windowRect.right - window.frame.right, windowRect.bottom - window.frame.bottom};
  if (client.right < client.left) client.right = client.left;
  if (client.bottom < client.top) client.bottom = client.top;
  return client;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD) {
  if (!rect) return FALSE;
  (void)menu;  // there are no menus here
  RECT frame = nonClientFrame(style, (style & WS_CHILD) != 0);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
  return TRUE;
}
