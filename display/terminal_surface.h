// The terminal surface: the off-screen picture of the saver window with its
// font, background brush and text cell size. The typewriter draws into the
// picture; this module creates it, scrolls it up one text row, copies it to
// the window on every paint, and re-lays it out, bottom-aligned, after the
// user has resized the window. Rows that scroll off the top are gone: there
// is no grid of characters behind the picture.
#ifndef QUILLON_DISPLAY_TERMINAL_SURFACE_H
#define QUILLON_DISPLAY_TERMINAL_SURFACE_H

#include <windows.h>

#include <stdint.h>

extern HFONT terminalFont;       // from settings.fontName and settings.fontSize
extern HBRUSH backgroundBrush;   // solid, settings.bgColor
extern int32_t lineHeight;       // tmHeight of the font: one text row, one scroll step
extern int32_t charWidth;        // tmAveCharWidth: the width of every cell
extern RECT clientRect;          // client size at creation and at the last re-layout
extern HBITMAP screenBitmap;     // the picture
extern HBITMAP scrollBitmap;     // scratch copy used while scrolling
extern HDC windowDC;             // held only during an operation or a tick
extern HDC pictureDC;            // memory context drawing into screenBitmap
extern HDC scratchDC;            // memory context of scrollBitmap, made by a scroll

// Builds the font, brush, cell size and both bitmaps for `window`, and
// shows the blank picture. Called once, after the window is shown; the other
// operations work on that window.
void createSurface(HWND window);

// Releases what createSurface and the scrolls made (window destruction).
void destroySurface();

// Moves the picture up by lineHeight and blanks the bottom row. The caller
// holds windowDC and pictureDC; scratchDC stays held afterwards.
void scrollOneLine();

// Copies the whole picture onto the device context (WM_ERASEBKGND).
void paintSurface(HDC deviceContext);

// Adapts both bitmaps to the current client size, keeping the picture's
// bottom-left corner in place (WM_EXITSIZEMOVE).
void relayoutSurface();

#endif
