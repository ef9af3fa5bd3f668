// The terminal surface: createSurface, scrollOneLine, paintSurface and
// relayoutSurface over GDI bitmaps and memory device contexts.
#include "display/terminal_surface.h"

#include "display/wrapping.h"
#include "settings/settings.h"

HFONT terminalFont = nullptr;
HBRUSH backgroundBrush = nullptr;
int32_t lineHeight = 0;
int32_t charWidth = 0;
RECT clientRect = {0, 0, 0, 0};
HBITMAP screenBitmap = nullptr;
HBITMAP scrollBitmap = nullptr;
HDC windowDC = nullptr;
HDC pictureDC = nullptr;
HDC scratchDC = nullptr;

namespace {

// The window the surface belongs to.
HWND surfaceWindow = nullptr;

// A new bitmap of the window's format, selected into `dc` and filled with the
// background.
HBITMAP createFilledBitmap(HDC compatible, HDC dc, int width, int height) {
  HBITMAP bitmap = CreateCompatibleBitmap(compatible, width, height);
  SelectObject(dc, bitmap);
  RECT all = {0, 0, width, height};
  FillRect(dc, &all, backgroundBrush);
  return bitmap;
}

}  // namespace

void destroySurface() {
  // A wrap inside a typing tick scrolls through scratchDC, which stays held
  // with scrollBitmap selected until the next scroll tick deletes it. When
  // the window goes before that tick, delete the context first: a bitmap
  // that is still selected into a context cannot be destroyed.
  if (scratchDC != nullptr) DeleteDC(scratchDC);
  scratchDC = nullptr;
  HGDIOBJ objects[] = {screenBitmap, scrollBitmap, terminalFont, backgroundBrush};
  for (HGDIOBJ object : objects)
    if (object != nullptr) DeleteObject(object);
  screenBitmap = scrollBitmap = nullptr;
  terminalFont = nullptr;
  backgroundBrush = nullptr;
}

void createSurface(HWND window) {
  surfaceWindow = window;
  GetClientRect(surfaceWindow, &clientRect);
  terminalFont = CreateFontA(settings.fontSize, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, settings.fontName);
  backgroundBrush = CreateSolidBrush(static_cast<COLORREF>(settings.bgColor));

  windowDC = GetDC(surfaceWindow);
  HGDIOBJ previousFont = SelectObject(windowDC, terminalFont);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(windowDC, &metrics);
  lineHeight = metrics.tmHeight;
  charWidth = metrics.tmAveCharWidth;
  SelectObject(windowDC, previousFont);

  pictureDC = CreateCompatibleDC(windowDC);
  int width = clientRect.right;
  int height = clientRect.bottom;
  screenBitmap = createFilledBitmap(windowDC, pictureDC, width, height);
  scrollBitmap = createFilledBitmap(windowDC, pictureDC, width, height);
  BitBlt(windowDC, 0, 0, width, height, pictureDC, 0, 0, SRCCOPY);

  DeleteDC(pictureDC);
  pictureDC = nullptr;
  ReleaseDC(surfaceWindow, windowDC);
  windowDC = nullptr;
}

void scrollOneLine() {
  RECT client;
  GetClientRect(surfaceWindow, &client);
  int width = client.right;
  int height = client.bottom;
  if (scratchDC == nullptr) scratchDC = CreateCompatibleDC(windowDC);
  SelectObject(pictureDC, screenBitmap);
  SelectObject(scratchDC, scrollBitmap);
  BitBlt(scratchDC, 0, 0, width, wrapSub(height, lineHeight), pictureDC, 0, lineHeight, SRCCOPY);
  RECT bottomRow = {0, wrapSub(height, lineHeight), width, height};
  FillRect(scratchDC, &bottomRow, backgroundBrush);
  BitBlt(pictureDC, 0, 0, width, height, scratchDC, 0, 0, SRCCOPY);
}

void paintSurface(HDC deviceContext) {
  RECT client;
  GetClientRect(surfaceWindow, &client);
  if (screenBitmap == nullptr) return;
  HDC memory = CreateCompatibleDC(deviceContext);
  SelectObject(memory, screenBitmap);
  BitBlt(deviceContext, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  DeleteDC(memory);
}

void relayoutSurface() {
  if (screenBitmap == nullptr) return;
  HDC window = GetDC(surfaceWindow);
  pictureDC = CreateCompatibleDC(window);
  HDC copyDC = CreateCompatibleDC(window);

  SelectObject(pictureDC, screenBitmap);
  BITMAP old = {};
  GetObjectA(screenBitmap, sizeof old, &old);
  int oldWidth = old.bmWidth;
  int oldHeight = old.bmHeight;

  HBITMAP copyBitmap = CreateCompatibleBitmap(window, oldWidth, oldHeight);
  SelectObject(copyDC, copyBitmap);
  BitBlt(copyDC, 0, 0, oldWidth, oldHeight, pictureDC, 0, 0, SRCCOPY);

  GetClientRect(surfaceWindow, &clientRect);
  int width = clientRect.right;
  int height = clientRect.bottom;

  HBITMAP oldScreen = screenBitmap;
  screenBitmap = CreateCompatibleBitmap(window, width, height);
  SelectObject(pictureDC, screenBitmap);
  DeleteObject(oldScreen);
  FillRect(pictureDC, &clientRect, backgroundBrush);
  BitBlt(pictureDC, 0, wrapSub(height, oldHeight), oldWidth, oldHeight, copyDC, 0, 0, SRCCOPY);

  HBITMAP oldScroll = scrollBitmap;
  scrollBitmap = CreateCompatibleBitmap(window, width, height);
  if (scratchDC != nullptr) SelectObject(scratchDC, scrollBitmap);
  DeleteObject(oldScroll);

  DeleteDC(pictureDC);
  pictureDC = nullptr;
  DeleteDC(copyDC);
  DeleteObject(copyBitmap);
  ReleaseDC(surfaceWindow, window);
}
