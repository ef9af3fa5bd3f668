// The configuration dialog (dialog resource 129): every setting but the
// password, edited as text; OK writes them back into the settings record and
// ends the dialog with 1, Cancel ends it with 2 and changes nothing. The
// host saves the record on 1.
#ifndef QUILLON_DIALOGS_CONFIG_DIALOG_H
#define QUILLON_DIALOGS_CONFIG_DIALOG_H

#include <windows.h>

// The running dialog; the handlers and the font enumeration reach the
// controls through it.
extern HWND configDialogWindow;
// The colour picker's sixteen custom colours, shared by both picker buttons
// for the life of the process and never saved.
extern COLORREF customColors[16];

INT_PTR CALLBACK configDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void initConfigDialog();
void fillFontList();
int CALLBACK addFontName(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType,
                         LPARAM userValue);
void readConfigDialog();
void addUrl();
void deleteUrl();
void showSelectedUrl();
void pickColor(int fieldId);

// Removes blanks (space, tab, CR, LF) at both ends of a text, in place.
void trimBlanks(char* text);
bool isBlank(char character);

#endif
