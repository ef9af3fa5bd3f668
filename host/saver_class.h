// The window class of the saver window.
#ifndef QUILLON_HOST_SAVER_CLASS_H
#define QUILLON_HOST_SAVER_CLASS_H

#include <windows.h>

// Registers the class named className: redrawn whole on every size change,
// saverWindowProc, the program's icons, the arrow cursor, and no background
// brush (the window paints its own background). The result is not checked.
void registerSaverClass(HINSTANCE instance);

#endif
