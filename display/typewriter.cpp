// The typewriter: its states, its timer callbacks and its operations
// (typewriter.h).
#include "display/typewriter.h"

#include <string.h>

#include "display/terminal_surface.h"
#include "display/wrapping.h"
#include "feed/feed_fetcher.h"
#include "feed/fetch_cycle.h"
#include "settings/settings.h"

namespace {

HWND typingWindow = nullptr;
TypewriterState state = Stopped;
TypewriterState stateBeforeSuspend = Stopped;
// The line being typed (after a wrap, the rest of it), zero-terminated; at
// most 255 characters, so the last byte always stays zero.
char currentLine[256];
// The index of the next character to type, and its column on the bottom row.
int32_t typePos = 0;
// GetTickCount when FetchTimer's wait ends.
DWORD fetchDue = 0;

void CALLBACK fetchTick(HWND, UINT, UINT_PTR, DWORD);

// Each tick draws through the window's context and a memory context of the
// picture, taken at its start and given back at its end.
void takeContexts() {
  windowDC = GetDC(typingWindow);
  pictureDC = CreateCompatibleDC(windowDC);
}

void giveContextsBack() {
  DeleteDC(pictureDC);
  pictureDC = nullptr;
  ReleaseDC(typingWindow, windowDC);
  windowDC = nullptr;
}

void showChanges() { InvalidateRect(typingWindow, nullptr, TRUE); }

// The left edge of the cell of typePos on the bottom row. Positions wrap
// around as on 32-bit Windows when the indent or the cell width is near the
// ends of the integer range.
int cursorX() {
  return wrapAdd(wrapAdd(settings.indent, wrapMul(charWidth, typePos)), clientRect.left);
}

int bottomRowTop() { return wrapSub(clientRect.bottom, lineHeight); }

// Erases the cell where the previous tick drew the cursor.
void eraseCursorCell() {
  int x = cursorX();
  SelectObject(pictureDC, screenBitmap);
  RECT cell = {x, bottomRowTop(), wrapAdd(x, charWidth), clientRect.bottom};
  FillRect(pictureDC, &cell, backgroundBrush);
}

void typeAgain() {
  SetTimer(typingWindow, TypeTimer, static_cast<UINT>(settings.typeDelay), typeTick);
  state = Typing;
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

// The line is used up and the next one is in the queue (or the queue gave
// nothing, and the line is typed again): the cursor goes, the pause begins.
void loadNextLine() {
  eraseCursorCell();
  typePos = 0;
  lineQueue.popFront(currentLine, 255);
}

void pauseAfterLine() {
  SetTimer(typingWindow, ScrollTimer, static_cast<UINT>(settings.lineScrollDelay), scrollTick);
  KillTimer(typingWindow, TypeTimer);
  state = LinePause;
}

// The fetch has ended (or could not start): its lines are in the queue.
void takeDocument() {
  finishFetch();
  takeContexts();
  loadNextLine();
  giveContextsBack();
  if (state == Suspended) {
    // Typing resumes with this line when the prompt closes, without the
    // pause's scroll, as after a prompt during a line pause.
    stateBeforeSuspend = LinePause;
  } else {
    pauseAfterLine();
  }
  showChanges();
}

void beginFetch() {
  if (!startFetch(typingWindow)) takeDocument();
}

// Nothing is left to type: fetch the next document, after the fetch cycle's
// wait if it asks for one.
void waitForDocument() {
  KillTimer(typingWindow, TypeTimer);
  state = WaitingForDocument;
  DWORD delay = nextFetchDelay();
  if (delay == 0) {
    beginFetch();
    return;
  }
  fetchDue = GetTickCount() + delay;
  SetTimer(typingWindow, FetchTimer, delay, fetchTick);
}

void CALLBACK fetchTick(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(typingWindow, FetchTimer);
  beginFetch();
}

}  // namespace

void CALLBACK typeTick(HWND, UINT, UINT_PTR, DWORD) {
  if (currentLine[typePos] == 0 && lineQueue.count() == 0) {
    // The cursor stays where it is while the document is fetched.
    waitForDocument();
    return;
  }
  takeContexts();
  if (currentLine[typePos] != 0) {
    int x = cursorX();
    eraseCursorCell();
    typeCharacter(x, bottomRowTop());
  } else {
    loadNextLine();
    pauseAfterLine();
  }
  giveContextsBack();
  showChanges();
}

void CALLBACK scrollTick(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(typingWindow, ScrollTimer);
  takeContexts();
  scrollOneLine();
  DeleteDC(scratchDC);
  scratchDC = nullptr;
  giveContextsBack();
  typeAgain();
  showChanges();
}

void startTyping(HWND window, const char* line) {
  typingWindow = window;
  resetFetchCycle();
  memset(currentLine, 0, sizeof currentLine);
  strncpy(currentLine, line, sizeof currentLine - 1);
  typePos = 0;
  typeAgain();
  showChanges();
}

void suspendTyping() {
  if (state == Suspended || state == Stopped) return;
  stateBeforeSuspend = state;
  state = Suspended;
  KillTimer(typingWindow, TypeTimer);
  KillTimer(typingWindow, ScrollTimer);
  KillTimer(typingWindow, FetchTimer);
}

void resumeTyping() {
  if (state != Suspended) return;
  if (stateBeforeSuspend != WaitingForDocument) {
    typeAgain();
    return;
  }
  state = WaitingForDocument;
  if (fetchRunning()) return;
  // The fetch cycle's wait was cut short by the prompt: what is left of it.
  LONG left = static_cast<LONG>(fetchDue - GetTickCount());
  if (left <= 0) beginFetch();
  else SetTimer(typingWindow, FetchTimer, static_cast<UINT>(left), fetchTick);
}

void stopTyping() {
  if (typingWindow != nullptr) {
    KillTimer(typingWindow, ScrollTimer);
    KillTimer(typingWindow, TypeTimer);
    KillTimer(typingWindow, FetchTimer);
  }
  cancelFetch();
  state = Stopped;
}

void documentArrived() {
  if (!fetchEnded()) return;
  if (state != WaitingForDocument &&
      !(state == Suspended && stateBeforeSuspend == WaitingForDocument)) {
    finishFetch();
    return;
  }
  takeDocument();
}

TypewriterState typewriterState() { return state; }
const char* typewriterLine() { return currentLine; }
int typewriterPosition() { return typePos; }
