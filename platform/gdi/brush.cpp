// Brushes: CreateSolidBrush, the stock brushes, and what GetObjectA reports
// about a brush (a LOGBRUSH).
#include "platform/gdi/brush.h"

#include <string.h>

namespace {

const DWORD kBsNull = 1;  // lbStyle of the null brush (BS_NULL)

BrushObject* makeBrush(COLORREF color, bool paintsNothing, bool stock) {
  BrushObject* brush = new BrushObject;
  brush->type = OBJ_BRUSH;
  brush->color = color;
  brush->paintsNothing = paintsNothing;
  brush->stock = stock;
  if (!addGdiObject(brush)) return nullptr;
  return brush;
}

}  // namespace

BrushObject* stockBrush(int index) {
  static BrushObject* white = makeBrush(0xFFFFFF, false, true);
  static BrushObject* black = makeBrush(0x000000, false, true);
  static BrushObject* none = makeBrush(0x000000, true, true);
  switch (index) {
    case WHITE_BRUSH: return white;
    case BLACK_BRUSH: return black;
    case NULL_BRUSH: return none;
    default: return nullptr;
  }
}

int brushObjectInfo(const BrushObject& brush, int size, void* buffer) {
  if (!buffer) return sizeof(LOGBRUSH);
  LOGBRUSH info;
  memset(&info, 0, sizeof(info));
  info.lbStyle = brush.paintsNothing ? kBsNull : BS_SOLID;
  info.lbColor = brush.color;
  // Win32 copies as much as the buffer holds.
  if (size > int(sizeof(info))) size = sizeof(info);
  if (size <= 0) return 0;
  memcpy(buffer, &info, size);
  return size;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  BrushObject* brush = makeBrush(color, false, false);
  return brush ? static_cast<HBRUSH>(brush->handle) : NULL;
}
