// The Win32 calls that take any GDI object: DeleteObject, GetObjectType,
// GetObjectA and GetStockObject.
//
// DeleteObject follows Win32: a bitmap selected into a device context is
// not deleted (FALSE); a font or brush that is selected is deleted once its
// last device context lets it go (TRUE at once, the handle stays usable by
// those device contexts until then but can no longer be selected); a stock
// object is never deleted (TRUE); a memory device context is deleted as by
// DeleteDC.
#include <windows.h>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  GdiObject* target = findGdiObject(object);
  if (!target) return FALSE;
  if (target->stock) return TRUE;
  if (target->type == OBJ_DC || target->type == OBJ_MEMDC) return DeleteDC(static_cast<HDC>(object));
  if (target->selections > 0) {
    if (target->type == OBJ_BITMAP) return FALSE;
    target->deletePending = true;
    return TRUE;
  }
  destroyGdiObject(target);
  return TRUE;
}

DWORD WINAPI GetObjectType(HGDIOBJ object) {
  GdiObject* target = findGdiObject(object);
  return target ? target->type : 0;
}

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
  GdiObject* target = findGdiObject(object);
  if (!target) return 0;
  switch (target->type) {
    case OBJ_BITMAP: return bitmapObjectInfo(*static_cast<BitmapObject*>(target), size, buffer);
    case OBJ_BRUSH: return brushObjectInfo(*static_cast<BrushObject*>(target), size, buffer);
    case OBJ_FONT: return fontObjectInfo(*static_cast<FontObject*>(target), size, buffer);
    default: return 0;
  }
}

// GetStockObject(21) gives the 1x1 bitmap of new memory device contexts in
// Win32, without a name in its headers.
const int kDefaultBitmapIndex = 21;

HGDIOBJ WINAPI GetStockObject(int index) {
  GdiObject* object = nullptr;
  switch (index) {
    case WHITE_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH: object = stockBrush(index); break;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: object = stockFont(index); break;
    case kDefaultBitmapIndex: object = defaultBitmap(); break;
    default: break;  // pens and palettes do not exist in this layer
  }
  return object ? object->handle : NULL;
}
