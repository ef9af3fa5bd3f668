// Win32 rules that several drawing calls share: rectangle clipping, done in
// 64-bit arithmetic so that no coordinate sum overflows, and the meaning of a
// COLORREF on a 32-bit surface.
#ifndef QUILLON_PLATFORM_GDI_GDI_RULES_H
#define QUILLON_PLATFORM_GDI_GDI_RULES_H

#include <stdint.h>
#include <windows.h>

// The part of [left, right) x [top, bottom) inside a width x height buffer;
// an empty rectangle when nothing is inside.
RECT clipToBuffer(int64_t left, int64_t top, int64_t right, int64_t bottom, int width, int height);

bool isEmptyRect(const RECT& rect);

RECT intersectRect(const RECT& a, const RECT& b);

// The smallest rectangle holding both; an empty one adds nothing.
RECT unionRect(const RECT& a, const RECT& b);

// The 0x00RRGGBB pixel of a colour value: RGB() and PALETTERGB() values give
// their colour, PALETTEINDEX() values an entry of the default palette.
uint32_t pixelFromColorValue(COLORREF color);

#endif
