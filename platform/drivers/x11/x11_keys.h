// X keysyms as Win32 virtual-key codes.
#ifndef QUILLON_PLATFORM_DRIVERS_X11_X11_KEYS_H
#define QUILLON_PLATFORM_DRIVERS_X11_X11_KEYS_H

#include <X11/Xlib.h>

#include <windows.h>

// The virtual-key code of the key that produced `keysym` (the key's
// unshifted symbol: letters come lower case), or 0 for a key without one.
// Punctuation keys get the codes of a US keyboard's keys with that symbol.
UINT virtualKeyOfKeysym(KeySym keysym);

#endif
