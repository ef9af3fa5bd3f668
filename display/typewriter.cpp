// The typewriter engine: typeTick and scrollTick.
#include "display/typewriter.h"

#include "display/terminal_surface.h"
#include "display/wrapping.h"
#include "feed/feed_fetcher.h"
#include "host/saver_state.h"
#include "settings/settings.h"

char currentLine[256];
int32_t typePos = 0;

namespace {

// Each tick draws through the window's context and a memory context of the
// picture, taken at its start and given back at its end.
void takeContexts() {
  windowDC = GetDC(saverWindow);
  pictureDC = CreateCompatibleDC(windowDC);
}

void giveContextsBack() {
  DeleteDC(pictureDC);
  pictureDC = nullptr;
  ReleaseDC(saverWindow, windowDC);
  windowDC = nullptr;
}

// Types currentLine[typePos] at x, wrapping first when its cell would end
// past the right edge.
void typeCharacter(int x, int rowTop) {
  HGDIOBJ previousFont = SelectObject(pictureDC, terminalFont);
  SetBkMode(pictureDC, TRANSPARENT);
  SetTextColor(pictureDC, static_cast<COLORREF>(settings.fgColor));

  int index = typePos;
  if (wrapAdd(x, charWidth) > clientRect.right) {
    // The row is full: scroll now and go on with the rest of the line from
    // the indent of the new bottom row.
    scrollOneLine();
    int from = typePos;
    int to = 0;
    while (currentLine[from] != 0) currentLine[to++] = currentLine[from++];
    currentLine[to] = 0;
    x = settings.indent;
    index = 0;
  }
  typePos = index + 1;
  TextOutA(pictureDC, x, rowTop, &currentLine[index], 1);
  TextOutA(pictureDC, wrapAdd(x, charWidth), rowTop, "_", 1);
  SelectObject(pictureDC, previousFont);
}

// The line is used up: load the next one (fetching when the queue is
// empty) and pause before the scroll.
void endLine() {
  typePos = 0;
  if (lineQueue.popFront(currentLine, 255) == 0) {
    fetchNext();
    lineQueue.popFront(currentLine, 255);
  }
  SetTimer(saverWindow, ScrollTimer, static_cast<UINT>(settings.lineScrollDelay), scrollTick);
  KillTimer(saverWindow, TypeTimer);
}

}  // namespace

void CALLBACK typeTick(HWND, UINT, UINT_PTR, DWORD) {
  takeContexts();
  // Positions wrap around as on 32-bit Windows when the indent or the cell
  // width is near the ends of the integer range.
  int x = wrapAdd(wrapAdd(settings.indent, wrapMul(charWidth, typePos)), clientRect.left);
  int rowTop = wrapSub(clientRect.bottom, lineHeight);

  // Erase the cell where the previous tick drew the cursor.
  SelectObject(pictureDC, screenBitmap);
  RECT cell = {x, rowTop, wrapAdd(x, charWidth), clientRect.bottom};
  FillRect(pictureDC, &cell, backgroundBrush);

  if (currentLine[typePos] != 0)
    typeCharacter(x, rowTop);
  else
    endLine();

  giveContextsBack();
  InvalidateRect(saverWindow, nullptr, TRUE);
}

void CALLBACK scrollTick(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(saverWindow, ScrollTimer);
  takeContexts();
  scrollOneLine();
  DeleteDC(scratchDC);
  scratchDC = nullptr;
  giveContextsBack();
  SetTimer(saverWindow, TypeTimer, static_cast<UINT>(settings.typeDelay), typeTick);
  InvalidateRect(saverWindow, nullptr, TRUE);
}
