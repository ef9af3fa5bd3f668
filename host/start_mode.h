// Start-up by run mode: load the settings, then either end (the dialog
// modes) or create the saver window and start the terminal display.
#ifndef QUILLON_HOST_START_MODE_H
#define QUILLON_HOST_START_MODE_H

#include <windows.h>

// True when the saver window was created and the message loop must run;
// false when the process must end (exit code 0).
bool startMode(HINSTANCE instance, int showCommand);

#endif
