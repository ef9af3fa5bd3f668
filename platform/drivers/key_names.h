// Names of keys as the headless script and the trace write them ("Q",
// "ESCAPE", "F4", "LEFT", ...), with their Win32 virtual-key codes and PC
// scan codes, and the US keyboard layout for typing text.
#ifndef QUILLON_PLATFORM_DRIVERS_KEY_NAMES_H
#define QUILLON_PLATFORM_DRIVERS_KEY_NAMES_H

#include <windows.h>

// The virtual-key code of a name (case-insensitive), or 0 when unknown.
UINT virtualKeyFromName(const char* name);

// The canonical name of a virtual-key code; "VK_xx" (hex) for one without a
// name. The text lives until the next call.
const char* nameOfVirtualKey(UINT virtualKey);

// The PC set-1 scan code of a key, with KF_EXTENDED (0x100) for the keys of
// the extended block; 0 when unknown.
UINT scanCodeOfVirtualKey(UINT virtualKey);

// The key that types `c` on a US keyboard and whether it needs Shift; false
// for a character that has no key there.
bool keyForCharacter(char c, UINT* virtualKey, bool* shift);

// The character a key types on a US keyboard, with or without Shift; 0 for
// a key that types none.
char characterOfKey(UINT virtualKey, bool shift);

#endif
