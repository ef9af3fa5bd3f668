// The clipboard as the edit control uses it: text in Windows-1252. The
// display driver keeps it where it has one of its own (the X11 CLIPBOARD
// selection); otherwise it lives in the process.
#ifndef QUILLON_PLATFORM_USER_CLIPBOARD_H
#define QUILLON_PLATFORM_USER_CLIPBOARD_H

#include <string>

std::string clipboardText();
void setClipboardText(const std::string& text);

#endif
