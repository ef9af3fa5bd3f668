// Brushes of platform/gdi: solid colours only, plus the stock null brush,
// which paints nothing.
#ifndef QUILLON_PLATFORM_GDI_BRUSH_H
#define QUILLON_PLATFORM_GDI_BRUSH_H

#include "platform/gdi/gdi_objects.h"

struct BrushObject : GdiObject {
  COLORREF color = 0;
  bool paintsNothing = false;  // NULL_BRUSH
};

// The stock brushes WHITE_BRUSH, BLACK_BRUSH and NULL_BRUSH; NULL for others.
BrushObject* stockBrush(int index);

int brushObjectInfo(const BrushObject& brush, int size, void* buffer);

#endif
