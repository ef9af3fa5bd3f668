// Outlines of rectangles: FrameRect (a one-pixel frame in a brush's colour)
// and DrawFocusRect (a dotted frame drawn by inverting every other pixel,
// so that drawing it twice removes it, as in Win32).
#include <windows.h>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_rules.h"
#include "platform/gdi/primitives.h"

int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return 0;
  RECT sides[4] = {
      {rect->left, rect->top, rect->right, rect->top + 1},
      {rect->left, rect->bottom - 1, rect->right, rect->bottom},
      {rect->left, rect->top, rect->left + 1, rect->bottom},
      {rect->right - 1, rect->top, rect->right, rect->bottom},
  };
  for (const RECT& side : sides)
    if (!FillRect(dc, &side, brush)) return 0;
  return 1;
}

BOOL WINAPI DrawFocusRect(HDC dc, const RECT* rect) {
  DcObject* context = findDc(dc);
  PixelBuffer pixels;
  if (!context || !rect || !dcPixels(*context, &pixels)) return FALSE;
  RECT area = clipToBuffer(rect->left, rect->top, rect->right, rect->bottom, pixels.width,
                           pixels.height);
  if (isEmptyRect(area)) return TRUE;
  dcPixelsWillChange(*context, area);
  auto invert = [&](int x, int y) {
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) return;
    primitives32.setPixel(pixels, x, y, primitives32.getPixel(pixels, x, y) ^ 0xFFFFFF);
  };
  // Every other pixel along the outline, starting at the top-left corner.
  for (LONG x = rect->left; x < rect->right; x += 2) {
    invert(x, rect->top);
    if (rect->bottom - 1 > rect->top) invert(x, rect->bottom - 1);
  }
  for (LONG y = rect->top + 2; y < rect->bottom - 1; y += 2) {
    invert(rect->left, y);
    if (rect->right - 1 > rect->left) invert(rect->right - 1, y);
  }
  dcPixelsChanged(*context, area);
  return TRUE;
}
