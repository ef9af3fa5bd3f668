// Registered window classes, looked up by name or atom for CreateWindowExA.
#ifndef QUILLON_PLATFORM_USER_WINDOW_CLASS_H
#define QUILLON_PLATFORM_USER_WINDOW_CLASS_H

#include <windows.h>

#include "platform/user/window.h"

// The class named by `name` (case-insensitive) or by an atom given as
// MAKEINTRESOURCEA; null when none is registered.
const WindowClass* findWindowClass(LPCSTR name);

#endif
