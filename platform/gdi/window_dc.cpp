// Device contexts of windows, for platform/user's GetDC/ReleaseDC and
// BeginPaint/EndPaint (see platform/internal/window_dc.h). They draw into
// the window's client pixels; a window that is gone leaves them drawing
// nowhere, and their drawing calls fail.
#include "platform/internal/window_dc.h"

#include "platform/gdi/dc.h"

HDC createWindowDC(HWND window) {
  DcObject* dc = newDc(OBJ_DC, window);
  return dc ? static_cast<HDC>(dc->handle) : NULL;
}

void deleteWindowDC(HDC handle) {
  DcObject* dc = findDc(handle);
  if (dc && dc->type == OBJ_DC) destroyDc(dc);
}
