// The modal dialogs of platform/user as its files share them: the record of
// a running dialog, the dialog window class, template parsing and creation,
// and the hooks that keep the default push button in step with the focus.
#ifndef QUILLON_PLATFORM_USER_DIALOG_H
#define QUILLON_PLATFORM_USER_DIALOG_H

#include <string>
#include <vector>

#include <windows.h>

// The class of dialog windows, as Win32 names it ("#32770").
extern const char* const kDialogClassName;

struct DialogRecord {
  DLGPROC proc = nullptr;
  LRESULT messageResult = 0;  // DWLP_MSGRESULT
  LONG_PTR user = 0;          // DWLP_USER
  bool ended = false;         // EndDialog was called
  INT_PTR result = 0;
  HFONT font = nullptr;       // the template's font
  bool ownsFont = false;
  SIZE baseUnits = {4, 8};    // pixels per 4 horizontal and 8 vertical dialog units
  HWND savedFocus = nullptr;  // the focus while the dialog was inactive
  int defaultId = IDOK;
};

// The record of a dialog window, or null for any other window.
DialogRecord* findDialog(HWND dialog);
DialogRecord* addDialog(HWND dialog);
void removeDialog(HWND dialog);

// A dialog template as DialogBoxIndirectParamA reads it.
struct DialogItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;
  std::string className;  // the name of an ordinal class ("BUTTON", ...) too
  std::string text;
  std::vector<BYTE> data; // creation data
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string className;  // empty: the dialog class
  std::string caption;
  bool hasFont = false;
  WORD pointSize = 0;
  std::string face;
  std::vector<DialogItem> items;
};

// Reads an in-memory template; false for one the layer cannot read
// (DLGTEMPLATEEX, a menu, no end in `size` bytes when a size is known).
bool parseDialogTemplate(const void* bytes, DialogTemplate* out);

// The in-memory template of dialog resource `id` of the program's resource
// script; empty when there is none.
std::vector<WORD> resourceDialogTemplate(unsigned id);
// The in-memory template of a dialog described as a resource table entry.
struct ResourceDialog;
std::vector<WORD> dialogTemplateBytes(const ResourceDialog& dialog);

// The base units of a font: the average width of the alphabet's letters and
// the cell height, as Win32 computes them for dialogs.
SIZE fontBaseUnits(HFONT font);
// A rectangle in dialog units as pixels, for a font of these base units.
RECT dialogUnitsToPixels(SIZE baseUnits, const RECT& units);

// Makes the dialog and its controls from a template; null when it cannot
// (DialogBoxParamA then returns -1).
HWND createDialog(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND owner,
                  DLGPROC proc, LPARAM initParam);

// The focus moved to `control` (a child of a dialog, or null): the default
// push button's frame follows it, as in Win32.
void dialogFocusMoved(HWND dialog, HWND control);

// Gives a control the focus as the dialog keyboard does: an edit control
// gets all its text selected.
void setDialogFocus(HWND dialog, HWND control);

// The control of `dialog` whose caption marks `letter` with "&", or null.
HWND mnemonicControl(HWND dialog, char letter);

#endif
