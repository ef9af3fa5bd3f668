// The CLIPBOARD selection of the X server, as the layer's clipboard text:
// what a browser copied pastes into an edit control, and what an edit
// control copied pastes into other programs.
#ifndef QUILLON_PLATFORM_DRIVERS_X11_X11_CLIPBOARD_H
#define QUILLON_PLATFORM_DRIVERS_X11_X11_CLIPBOARD_H

#include <string>

#include <X11/Xlib.h>

// Takes the CLIPBOARD selection with this Windows-1252 text; false when no
// window of ours exists to own it.
bool x11SetClipboardText(const char* text);
// The CLIPBOARD selection's text in Windows-1252 (characters the code page
// lacks become "?"); false when nobody owns it or the owner does not answer
// within a second.
bool x11ClipboardText(std::string* text);

// Events of the selection: another program asks for our text, or took the
// selection from us. True when the event was one of them.
bool x11HandleSelectionEvent(const XEvent& event);

#endif
