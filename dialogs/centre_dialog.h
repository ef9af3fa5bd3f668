// Placing a dialog in the middle of the desktop, as both dialogs do.
#ifndef QUILLON_DIALOGS_CENTRE_DIALOG_H
#define QUILLON_DIALOGS_CENTRE_DIALOG_H

#include <windows.h>

// Moves the dialog so that its client area would be centred on the
// desktop's (each half truncated); the frame and caption are not counted,
// so the dialog sits slightly right of and below the centre.
void centreOnDesktop(HWND dialog);

#endif
