// Device contexts of platform/gdi. A memory device context draws into the
// bitmap selected into it; a window device context (made by platform/user
// through createWindowDC) draws into the window's client pixels, asked for
// afresh on every operation because they move when the window is resized.
#ifndef QUILLON_PLATFORM_GDI_DC_H
#define QUILLON_PLATFORM_GDI_DC_H

#include "platform/gdi/gdi_objects.h"
#include "platform/internal/pixels.h"

struct BitmapObject;
struct BrushObject;
struct FontObject;

// `type` is OBJ_MEMDC for a memory device context, OBJ_DC for a window's.
struct DcObject : GdiObject {
  HWND window = NULL;               // window device contexts only
  BitmapObject* bitmap = nullptr;   // memory device contexts only
  FontObject* font = nullptr;
  BrushObject* brush = nullptr;
  // A new device context's state, as in Win32.
  COLORREF textColor = 0x000000;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
};

// A device context of `type` (OBJ_MEMDC, or OBJ_DC for `window`) with the
// stock font and brush selected, and for a memory device context the stock
// bitmap; NULL when the handle table is full.
DcObject* newDc(DWORD type, HWND window);

// Ends every selection of the device context and destroys it.
void destroyDc(DcObject* dc);

DcObject* findDc(HDC handle);

// The pixels the device context draws into; false when there are none (the
// window is gone).
bool dcPixels(const DcObject& dc, PixelBuffer* out);

// Drawing is about to change `area` (inside the pixels): a bitmap makes
// those rows its own and notes the change (bitmap_rows.h). Every drawing
// into a device context's pixels calls it first.
void dcPixelsWillChange(const DcObject& dc, const RECT& area);

// Drawing changed `area` of those pixels: a window's driver presents it.
void dcPixelsChanged(const DcObject& dc, const RECT& area);

#endif
