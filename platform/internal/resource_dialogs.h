// The dialog templates of the program's resource script
// (resources/quillon.rc), for the layer's DialogBoxParamA. On Windows the
// resource compiler puts them into the executable; on POSIX the build turns
// the script's DIALOG statements into this C++ table
// (cmake/rc_dialogs.cmake), which the resource library holds. The layer
// makes the standard in-memory DLGTEMPLATE of an entry
// (platform/user/dialog_resource.cpp), so that both ways of starting a
// dialog read one format.
#ifndef QUILLON_PLATFORM_INTERNAL_RESOURCE_DIALOGS_H
#define QUILLON_PLATFORM_INTERNAL_RESOURCE_DIALOGS_H

#include <windows.h>

struct ResourceDialogItem {
  const char* className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX" or another class
  const char* text;
  int id;
  DWORD style;
  short x, y, cx, cy;     // dialog units
};

struct ResourceDialog {
  unsigned id;
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;     // dialog units
  const char* caption;    // null: none
  WORD pointSize;         // with DS_SETFONT
  const char* face;
  const ResourceDialogItem* items;
  int itemCount;
};

// The templates in the order of the script; one further entry with id 0
// follows the last.
extern const ResourceDialog resourceDialogs[];
extern const int resourceDialogCount;

#endif
