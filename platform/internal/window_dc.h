// What platform/gdi offers platform/user: device contexts bound to a window's
// client-area pixels, for GetDC/ReleaseDC and BeginPaint/EndPaint.
#ifndef QUILLON_PLATFORM_INTERNAL_WINDOW_DC_H
#define QUILLON_PLATFORM_INTERNAL_WINDOW_DC_H

#include <windows.h>

HDC createWindowDC(HWND window);
void deleteWindowDC(HDC dc);

#endif
