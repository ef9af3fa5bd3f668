// The dialog window class: the records of dialogs, DefDlgProcA (the class's
// window procedure, which calls the application's dialog procedure first)
// and EndDialog.
//
// DefDlgProcA gives a message to the dialog procedure; a FALSE result leaves
// it to the default dialog handling. For most messages the result is the
// one the procedure put into DWLP_MSGRESULT; for WM_INITDIALOG (and the few
// other messages Win32 treats alike) it is the procedure's own result. The
// default handling paints the grey face, turns WM_CLOSE into the Cancel
// command (not when a Cancel button exists and is disabled), keeps the
// focus of an inactive dialog to give it back, moves the focus on
// WM_NEXTDLGCTL, and answers DM_GETDEFID and DM_SETDEFID.
#include <map>

#include "platform/user/dialog.h"
#include "platform/user/window.h"

const char* const kDialogClassName = "#32770";

namespace {

std::map<HWND, DialogRecord>& records() {
  static std::map<HWND, DialogRecord> map;
  return map;
}

bool returnsOwnResult(UINT message) {
  return message == WM_INITDIALOG || (message >= 0x0132 && message <= 0x0138) /* WM_CTLCOLOR* */ ||
         message == 0x0039 /* WM_COMPAREITEM */ || message == 0x002E /* WM_VKEYTOITEM */ ||
         message == 0x002F /* WM_CHARTOITEM */ || message == 0x0037 /* WM_QUERYDRAGICON */;
}

// Gives the focus back to the control that had it, or to the first tab stop.
void restoreFocus(HWND dialog, DialogRecord& record) {
  HWND target = record.savedFocus;
  if (!target || !IsWindow(target) || !IsChild(dialog, target) || !IsWindowEnabled(target))
    target = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (target) setDialogFocus(dialog, target);
}

void setDefaultId(HWND dialog, DialogRecord& record, int id) {
  HWND old = GetDlgItem(dialog, record.defaultId);
  record.defaultId = id;
  if (old) SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (HWND now = GetDlgItem(dialog, id)) SendMessageA(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

LRESULT defaultDialogHandling(HWND dialog, DialogRecord* record, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(dialog, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (!cancel || IsWindowEnabled(cancel))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_ACTIVATE:
      if (!record) break;
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) record->savedFocus = focus;
      } else {
        restoreFocus(dialog, *record);
      }
      return 0;
    case WM_SETFOCUS:
      if (record) restoreFocus(dialog, *record);
      return 0;
    case WM_SETFONT:
      if (Window* window = findWindow(dialog)) window->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      if (Window* window = findWindow(dialog)) return reinterpret_cast<LRESULT>(window->font);
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                           : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
      if (target) setDialogFocus(dialog, target);
      return 0;
    }
    case DM_GETDEFID:
      if (record && record->defaultId) return MAKELRESULT(record->defaultId, DC_HASDEFID);
      return 0;
    case DM_SETDEFID:
      if (record) setDefaultId(dialog, *record, int(wParam));
      return TRUE;
    case WM_NCDESTROY:
      if (record && record->ownsFont) DeleteObject(record->font);
      removeDialog(dialog);
      break;
  }
  return DefWindowProcA(dialog, message, wParam, lParam);
}

}  // namespace

DialogRecord* findDialog(HWND dialog) {
  auto it = records().find(dialog);
  return it == records().end() ? nullptr : &it->second;
}

DialogRecord* addDialog(HWND dialog) { return &records()[dialog]; }

void removeDialog(HWND dialog) { records().erase(dialog); }

LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogRecord* record = findDialog(dialog);
  if (record && record->proc) {
    record->messageResult = 0;
    INT_PTR handled = record->proc(dialog, message, wParam, lParam);
    record = findDialog(dialog);  // the procedure may have destroyed the dialog
    if (handled) {
      if (returnsOwnResult(message)) return handled;
      return record ? record->messageResult : 0;
    }
    if (!IsWindow(dialog)) return 0;
  }
  return defaultDialogHandling(dialog, record, message, wParam, lParam);
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  DialogRecord* record = findDialog(dialog);
  if (!record) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  record->ended = true;
  record->result = result;
  // Win32 wakes the modal loop with a message of its own.
  PostMessageA(dialog, WM_NULL, 0, 0);
  return TRUE;
}
