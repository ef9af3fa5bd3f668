// The window procedure of the saver window and its input rules: in Saver
// mode any key, any button press, the fifth and every later mouse move and
// every way out of the window (system keys, system commands, a close request
// the saver did not make) run the wake check, while the end of the session
// ends the saver at once; in Windowed mode the left button drags the window and
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

// The saver itself closes its window next (the wake check let it go): the
// WM_CLOSE that follows destroys it. Any other WM_CLOSE in Saver mode is
// activity that goes through the wake check.
void allowSaverClose();

LRESULT CALLBACK saverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_KEYDOWN: the wake check in Saver mode; Q (0x51, with or without Shift)
// closes the window in Windowed mode; nothing else.
void onKeyDown(WPARAM virtualKey);

#endif
