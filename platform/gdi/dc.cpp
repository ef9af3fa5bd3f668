// Device contexts: CreateCompatibleDC, DeleteDC, SelectObject,
// GetCurrentObject and the text and background state (SetBkMode, GetBkMode,
// SetTextColor, GetTextColor, SetBkColor, GetBkColor).
#include "platform/gdi/dc.h"

#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/font.h"
#include "platform/internal/window_pixels.h"

namespace {

// Puts `object` in `slot` (one of the device context's selections) and
// returns the handle of what was there.
template <typename T>
HGDIOBJ replaceSelection(T** slot, T* object) {
  T* previous = *slot;
  HGDIOBJ previousHandle = previous ? previous->handle : NULL;
  if (object) retainSelection(object);  // a stock object is missing only when the table is full
  *slot = object;
  if (previous) releaseSelection(previous);
  return previousHandle;
}

// Stores a colour of the device context and returns the one it replaces.
COLORREF exchangeColor(COLORREF* slot, COLORREF color) {
  COLORREF previous = *slot;
  *slot = color;
  return previous;
}

template <typename T>
void endSelection(T** slot) {
  if (*slot) releaseSelection(*slot);
  *slot = nullptr;
}

}  // namespace

DcObject* newDc(DWORD type, HWND window) {
  DcObject* dc = new DcObject;
  dc->type = type;
  dc->window = window;
  if (!addGdiObject(dc)) return nullptr;
  if (type == OBJ_MEMDC) replaceSelection(&dc->bitmap, defaultBitmap());
  replaceSelection(&dc->font, stockFont(SYSTEM_FONT));
  replaceSelection(&dc->brush, stockBrush(WHITE_BRUSH));
  return dc;
}

void destroyDc(DcObject* dc) {
  endSelection(&dc->bitmap);
  endSelection(&dc->font);
  endSelection(&dc->brush);
  destroyGdiObject(dc);
}

DcObject* findDc(HDC handle) {
  GdiObject* object = findGdiObject(handle);
  if (!object || (object->type != OBJ_DC && object->type != OBJ_MEMDC)) return nullptr;
  return static_cast<DcObject*>(object);
}

bool dcPixels(const DcObject& dc, PixelBuffer* out) {
  if (dc.type == OBJ_DC) return dc.window && windowPixels(dc.window, out);
  *out = bitmapPixels(*dc.bitmap);
  return true;
}

void dcPixelsWillChange(const DcObject& dc, const RECT& area) {
  if (dc.type == OBJ_MEMDC && area.right > area.left && area.bottom > area.top)
    writeRows(dc.bitmap->rows, area);
}

void dcPixelsChanged(const DcObject& dc, const RECT& area) {
  if (dc.type == OBJ_DC && dc.window && area.right > area.left && area.bottom > area.top) {
    windowPixelsChanged(dc.window, area);
  }
}

HDC WINAPI CreateCompatibleDC(HDC dc) {
  if (dc && !findDc(dc)) return NULL;
  DcObject* memory = newDc(OBJ_MEMDC, NULL);
  return memory ? static_cast<HDC>(memory->handle) : NULL;
}

BOOL WINAPI DeleteDC(HDC dc) {
  DcObject* context = findDc(dc);
  if (!context) return FALSE;
  if (context->type == OBJ_DC) {
    gdiLimitation("DeleteDC on a window's device context is refused; ReleaseDC gives it back");
    return FALSE;
  }
  destroyDc(context);
  return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  DcObject* context = findDc(dc);
  GdiObject* selected = findGdiObject(object);
  if (!context || !selected || selected->deletePending) return NULL;
  switch (selected->type) {
    case OBJ_BITMAP: {
      BitmapObject* bitmap = static_cast<BitmapObject*>(selected);
      // Only memory device contexts hold bitmaps, and a bitmap other than
      // the stock one is held by one device context at a time.
      if (context->type != OBJ_MEMDC) return NULL;
      if (bitmap == context->bitmap) return object;
      if (!bitmap->stock && bitmap->selections > 0) return NULL;
      return replaceSelection(&context->bitmap, bitmap);
    }
    case OBJ_FONT:
      return replaceSelection(&context->font, static_cast<FontObject*>(selected));
    case OBJ_BRUSH:
      return replaceSelection(&context->brush, static_cast<BrushObject*>(selected));
    default:
      return NULL;
  }
}

HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type) {
  DcObject* context = findDc(dc);
  if (!context) return NULL;
  switch (type) {
    case OBJ_BITMAP:
      // A window's device context reports the stock bitmap, as in Win32.
      return context->bitmap ? context->bitmap->handle : defaultBitmap()->handle;
    case OBJ_FONT: return context->font ? context->font->handle : NULL;
    case OBJ_BRUSH: return context->brush ? context->brush->handle : NULL;
    default:
      // The layer has no pens (nor palettes, regions...).
      return NULL;
  }
}

int WINAPI SetBkMode(HDC dc, int mode) {
  DcObject* context = findDc(dc);
  if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int previous = context->bkMode;
  context->bkMode = mode;
  return previous;
}

int WINAPI GetBkMode(HDC dc) {
  DcObject* context = findDc(dc);
  return context ? context->bkMode : 0;
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
  DcObject* context = findDc(dc);
  return context ? exchangeColor(&context->textColor, color) : CLR_INVALID;
}

COLORREF WINAPI GetTextColor(HDC dc) {
  DcObject* context = findDc(dc);
  return context ? context->textColor : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF color) {
  DcObject* context = findDc(dc);
  return context ? exchangeColor(&context->bkColor, color) : CLR_INVALID;
}

COLORREF WINAPI GetBkColor(HDC dc) {
  DcObject* context = findDc(dc);
  return context ? context->bkColor : CLR_INVALID;
}
