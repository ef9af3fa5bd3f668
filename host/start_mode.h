// Start-up by run mode: load the settings, then either end (the dialog
// modes) or create the saver window and start the terminal display.
#ifndef QUILLON_HOST_START_MODE_H
#define QUILLON_HOST_START_MODE_H

#include <windows.h>

// -1 when the saver window was created and the message loop must run;
// otherwise the process ends with the result as its exit code (0, or 1 when
// a dialog's settings could not be saved).
int startMode(HINSTANCE instance, int showCommand);

#endif
