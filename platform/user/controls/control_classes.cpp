// The system window classes of the dialog manager, registered on first
// lookup of any class: the dialog class "#32770" (DefDlgProcA) and the
// controls STATIC, BUTTON, EDIT, LISTBOX and COMBOBOX. As in Win32 they need
// no registration by the program, and their names are case-insensitive.
#include "platform/user/controls/controls.h"
#include "platform/user/dialog.h"

void registerSystemClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  struct SystemClass {
    const char* name;
    WNDPROC proc;
    UINT style;
  };
  const SystemClass classes[] = {
      {kDialogClassName, DefDlgProcA, CS_DBLCLKS | CS_SAVEBITS},
      {"STATIC", staticControlProc, CS_PARENTDC | CS_DBLCLKS},
      {"BUTTON", buttonControlProc, CS_PARENTDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW},
      {"EDIT", editControlProc, CS_PARENTDC | CS_DBLCLKS},
      {"LISTBOX", listBoxControlProc, CS_PARENTDC | CS_DBLCLKS},
      {"COMBOBOX", comboBoxControlProc, CS_PARENTDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW},
  };
  for (const SystemClass& c : classes) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    info.style = c.style;
    info.lpfnWndProc = c.proc;
    info.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    info.lpszClassName = c.name;
    RegisterClassExA(&info);
  }
}
