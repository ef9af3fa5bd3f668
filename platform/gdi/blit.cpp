// Pixel copies and single pixels: BitBlt (SRCCOPY only), GetPixel, SetPixel.
//
// BitBlt clips the copy to both pixel areas: destination pixels outside the
// destination are dropped, and those whose source lies outside the source
// are left as they were. A width or height of zero or less copies nothing.
//
// Whole rows copied between bitmaps are shared, not copied (bitmap_rows.h).
// Bitmap rows copied onto a window (typically a whole-picture paint of
// which a few cells changed, or a picture moved up by a text line) are
// copied and presented only where they changed since the window took them
// (window_copy.cpp).
#include <windows.h>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_rules.h"
#include "platform/gdi/primitives.h"
#include "platform/gdi/window_copy.h"
#include "platform/internal/trace.h"
#include "platform/internal/window_pixels.h"

BOOL WINAPI BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                   DWORD rop) {
  DcObject* to = findDc(dst);
  DcObject* from = findDc(src);
  if (!to) return FALSE;
  if (rop != SRCCOPY) {
    gdiLimitation("BitBlt supports only SRCCOPY; other raster operations fail");
    return FALSE;
  }
  if (!from) return FALSE;
  if (traceEnabled()) traceEvent("bitblt %d %d %d %d %d %d", x, y, width, height, srcX, srcY);
  if (width < 0 || height < 0) {
    gdiLimitation("BitBlt with a negative width or height copies nothing (Win32 mirrors it)");
  }
  if (width <= 0 || height <= 0) return TRUE;

  PixelBuffer target, source;
  std::vector<uint64_t>* rowContent = nullptr;
  bool ontoWindow = to->type == OBJ_DC && from->type == OBJ_MEMDC;
  if (!dcPixels(*from, &source)) return FALSE;
  if (ontoWindow ? !(to->window && windowPixelsForCopy(to->window, &target, &rowContent))
                 : !dcPixels(*to, &target))
    return FALSE;
  // Everything in destination coordinates: the copy is offset by (dx, dy).
  int64_t dx = int64_t(x) - srcX, dy = int64_t(y) - srcY;
  RECT inTarget = clipToBuffer(x, y, int64_t(x) + width, int64_t(y) + height, target.width,
                               target.height);
  RECT inSource = clipToBuffer(srcX, srcY, int64_t(srcX) + width, int64_t(srcY) + height,
                               source.width, source.height);
  if (isEmptyRect(inSource)) return TRUE;
  RECT sourceMoved = clipToBuffer(inSource.left + dx, inSource.top + dy, inSource.right + dx,
                                  inSource.bottom + dy, target.width, target.height);
  RECT area = intersectRect(inTarget, sourceMoved);
  if (isEmptyRect(area)) return TRUE;
  int fromX = int(area.left - dx), fromY = int(area.top - dy);
  bool wholeRows = area.left == 0 && fromX == 0 && area.right == target.width &&
                   source.width == target.width;
  if (ontoWindow) {
    copyRowsOntoWindow(*to, from->bitmap->rows, target, source, area, fromY, fromX, rowContent);
  } else if (wholeRows && to->type == OBJ_MEMDC && from->type == OBJ_MEMDC) {
    shareRows(to->bitmap->rows, area.top, from->bitmap->rows, fromY, area.bottom - area.top);
  } else {
    dcPixelsWillChange(*to, area);
    primitives32.copyRect(target, area, source, fromX, fromY);
    dcPixelsChanged(*to, area);
  }
  return TRUE;
}

COLORREF WINAPI GetPixel(HDC dc, int x, int y) {
  DcObject* context = findDc(dc);
  PixelBuffer pixels;
  if (!context || !dcPixels(*context, &pixels)) return CLR_INVALID;
  if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) return CLR_INVALID;
  return colorrefFromPixel(primitives32.getPixel(pixels, x, y));
}

COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF color) {
  DcObject* context = findDc(dc);
  PixelBuffer pixels;
  if (!context || !dcPixels(*context, &pixels)) return CLR_INVALID;
  if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) return CLR_INVALID;
  uint32_t pixel = pixelFromColorValue(color);
  dcPixelsWillChange(*context, RECT{x, y, x + 1, y + 1});
  primitives32.setPixel(pixels, x, y, pixel);
  dcPixelsChanged(*context, RECT{x, y, x + 1, y + 1});
  // The colour the pixel was actually given.
  return colorrefFromPixel(pixel);
}
