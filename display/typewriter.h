// The typewriter: types the lines of lineQueue onto the bottom row of the
// terminal surface, one character per TypeTimer tick with a "_" cursor
// behind it, wraps at the right edge by scrolling at once, and at the end of
// a line loads the next one and pauses: ScrollTimer fires once after the
// line scroll delay, scrolls one row and restarts typing.
//
// When the queue is empty at a line end, the next document is fetched
// beside the message loop (feed/feed_fetcher.h): the typewriter waits for
// it with the cursor where the typing stopped, and the window keeps
// answering. DocumentMessage tells it the document is there; from that
// moment on everything happens as if the fetch had been that long, so a
// document that is there at once keeps every tick on its time. After a
// round of the URL list without any line, FetchTimer holds the next fetch
// back (feed/fetch_cycle.h).
//
// Its states, one at a time (TypewriterState). Every tick ends by
// invalidating the whole window, which paints the picture. The module owns
// its window's three timers; nobody else arms or kills them.
#ifndef QUILLON_DISPLAY_TYPEWRITER_H
#define QUILLON_DISPLAY_TYPEWRITER_H

#include <windows.h>

#include <stdint.h>

enum TypewriterState {
  Typing,              // TypeTimer armed: a character per tick
  LinePause,           // ScrollTimer armed: the pause after a line
  WaitingForDocument,  // a fetch runs, or FetchTimer holds the next one back
  Suspended,           // no timer: the password prompt is up
  Stopped,             // no timer: not started, or the window is going
};

// The timers of the saver window.
const UINT_PTR ScrollTimer = 42;
const UINT_PTR TypeTimer = 43;
const UINT_PTR FetchTimer = 44;

// The timer callbacks (arguments unused). Benchmarks and tests that drive
// the picture without the clock call them directly.
void CALLBACK typeTick(HWND window, UINT message, UINT_PTR id, DWORD time);
void CALLBACK scrollTick(HWND window, UINT message, UINT_PTR id, DWORD time);

// Starts typing `line` (at most 255 characters) on `window`, whose terminal
// surface exists: TypeTimer armed, the window invalidated, the fetch cycle
// begun anew. The saver starts
// with an empty line, so that its first tick fetches the first document.
void startTyping(HWND window, const char* line);

// The password prompt is about to open: every timer stopped. A fetch that
// runs goes on; its document is taken when it comes.
void suspendTyping();

// The prompt has closed: typing goes on with the line it was at (a line
// pause that was cut short does not scroll), or the wait for a document goes
// on where it was.
void resumeTyping();

// The window is going: every timer stopped, a running fetch cancelled.
void stopTyping();

// DocumentMessage reached the window: its lines join the queue.
void documentArrived();

TypewriterState typewriterState();
// The line being typed (after a wrap, the rest of it), and the index of its
// next character.
const char* typewriterLine();
int typewriterPosition();

#endif
