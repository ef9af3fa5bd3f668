// The typewriter engine: types currentLine one character per TypeTimer tick
// onto the bottom row of the picture with a "_" cursor behind it, wraps at
// the right edge by scrolling at once, and at the end of a line loads the
// next one (fetching when the queue is empty) and pauses: ScrollTimer fires
// once after the line scroll delay, scrolls one row and restarts typing.
//
// State machine over the armed timer: Typing (TypeTimer), LinePause
// (ScrollTimer), Suspended and Stopped (none). Every tick ends by
// invalidating the whole window, which paints the picture.
#ifndef QUILLON_DISPLAY_TYPEWRITER_H
#define QUILLON_DISPLAY_TYPEWRITER_H

#include <windows.h>

#include <stdint.h>

// The timers of the saver window.
const UINT_PTR ScrollTimer = 42;
const UINT_PTR TypeTimer = 43;

// The line being typed (after a wrap, the rest of it), zero-terminated; at
// most 255 characters, so the last byte always stays zero.
extern char currentLine[256];
// The index of the next character to type, and its column on the bottom row.
extern int32_t typePos;

// The timer callbacks; their arguments are not used.
void CALLBACK typeTick(HWND window, UINT message, UINT_PTR id, DWORD time);
void CALLBACK scrollTick(HWND window, UINT message, UINT_PTR id, DWORD time);

#endif
