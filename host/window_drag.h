// Dragging the Windowed-mode window with the left mouse button: the window
// follows the pointer while the button is held.
#ifndef QUILLON_HOST_WINDOW_DRAG_H
#define QUILLON_HOST_WINDOW_DRAG_H

#include <stdint.h>

// Client coordinates of the press that started the drag; -1 in both while
// no drag is in progress.
extern int32_t dragAnchorX;
extern int32_t dragAnchorY;

// Left button down at (x, y): remember the anchor and capture the mouse, so
// that moves outside the window keep arriving.
void beginDrag(int x, int y);

// Pointer at (x, y) (client coordinates, maybe negative under capture): move
// the window so the anchor follows the pointer. Nothing without a drag.
void dragMove(int x, int y);

// Left button up (in every mode): no drag any more, capture released.
void endDrag();

#endif
