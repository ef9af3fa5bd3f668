// The window procedure of the saver window and its input rules: in Saver
// mode any key, any button press and the fifth and every later mouse move
// run the wake check; in Windowed mode the left button drags the window and
// Q closes it; in Preview and Embedded modes input is ignored. Painting and the end of a
// user resize go to the terminal surface; destruction releases the run's
// resources and ends the message loop.
#ifndef QUILLON_HOST_SAVER_WINDOW_H
#define QUILLON_HOST_SAVER_WINDOW_H

#include <windows.h>

#include <stdint.h>

// Mouse-move messages received in Saver mode; only the wake check sets it
// back to 0, just before it asks for the password.
extern int32_t mouseMoveCount;

LRESULT CALLBACK saverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_KEYDOWN: the wake check in Saver mode; Q (0x51, with or without Shift)
// closes the window in Windowed mode; nothing else.
void onKeyDown(WPARAM virtualKey);

#endif
