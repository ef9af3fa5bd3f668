// FillRect: a rectangle in a brush's colour, right and bottom edges
// excluded, clipped to the device context's pixels.
#include <windows.h>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_rules.h"
#include "platform/gdi/primitives.h"

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  DcObject* context = findDc(dc);
  BrushObject* fill = static_cast<BrushObject*>(findGdiObject(brush, OBJ_BRUSH));
  if (!context || !rect || !fill) {
    // Win32 also takes a system colour index + 1 for a brush; this layer has
    // no system colours, so such a value fails like any unknown handle.
    if (brush && reinterpret_cast<uintptr_t>(brush) <= 31) {
      gdiLimitation("FillRect with a system colour index for a brush fails (no system colours)");
    }
    return 0;
  }
  if (rect->right < rect->left || rect->bottom < rect->top) {
    gdiLimitation("FillRect with an inverted rectangle fills nothing (Win32 fills a mirrored one)");
    return 1;
  }
  PixelBuffer pixels;
  if (!dcPixels(*context, &pixels)) return 0;
  if (fill->paintsNothing) return 1;
  RECT area = clipToBuffer(rect->left, rect->top, rect->right, rect->bottom, pixels.width,
                           pixels.height);
  if (isEmptyRect(area)) return 1;
  uint32_t pixel = pixelFromColorValue(fill->color);
  if (context->type == OBJ_MEMDC && area.left == 0 && area.right == pixels.width) {
    // Whole rows of a bitmap: one shared row of the colour.
    fillRows(context->bitmap->rows, area.top, area.bottom, pixel);
    return 1;
  }
  dcPixelsWillChange(*context, area);
  primitives32.solidRect(pixels, area, pixel);
  dcPixelsChanged(*context, area);
  return 1;
}
