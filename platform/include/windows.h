// <windows.h> of the POSIX Win32 layer: the subset of the ANSI Win32 API that
// Quillon calls, with Win32's names, signatures and constant values. The
// application includes it exactly as it would on Windows.
#ifndef QUILLON_PLATFORM_WINDOWS_H
#define QUILLON_PLATFORM_WINDOWS_H

#include "windef.h"
#include "winbase.h"
#include "winnls.h"
#include "wingdi.h"
#include "winuser.h"
#include "winreg.h"

#endif
