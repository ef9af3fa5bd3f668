// GetTickCount: milliseconds of the display driver's clock (real time under
// X11, virtual time under the headless driver), wrapping at 2^32 like Win32.
#include <windows.h>

#include "platform/drivers/driver.h"

DWORD WINAPI GetTickCount(void) { return DWORD(driverClockMs()); }
