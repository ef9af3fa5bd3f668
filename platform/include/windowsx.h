// <windowsx.h> of the POSIX layer: the coordinate macros for mouse messages.
#ifndef QUILLON_PLATFORM_WINDOWSX_H
#define QUILLON_PLATFORM_WINDOWSX_H

#include "windows.h"

#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

#endif
