// One run of text drawn as TextOutA draws it, for the text calls of
// platform/gdi: TextOutA traces every character it draws (the trace's
// "textout" lines are the saver's typing); DrawTextA, which draws the labels
// of dialogs, does not.
#ifndef QUILLON_PLATFORM_GDI_TEXT_RUN_H
#define QUILLON_PLATFORM_GDI_TEXT_RUN_H

#include <windows.h>

bool drawTextRun(HDC dc, int x, int y, LPCSTR text, int count, bool traced);

#endif
