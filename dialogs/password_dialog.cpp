// The password dialog: its dialog procedure and routines (password_dialog.h).
//
// Texts are compared byte by byte, letter case included. The typed password
// stays in the fields and in buffers on the stack; it is never written
// anywhere else than the settings record.
#include "dialogs/password_dialog.h"

#include <string.h>

#include "dialogs/centre_dialog.h"
#include "resources/resource.h"
#include "settings/settings.h"

HWND passwordDialog = nullptr;

namespace {

// At most 48 characters and the terminating zero.
const int kFieldBufferSize = 49;

// The role of the open dialog, from WM_INITDIALOG's parameter.
PasswordRole role = SetPasswordRole;

bool verifyRole() { return role == VerifyPasswordRole; }

// Reads a field into a zero-filled buffer of kFieldBufferSize bytes.
void readField(int id, char* text) {
  memset(text, 0, kFieldBufferSize);
  GetWindowTextA(GetDlgItem(passwordDialog, id), text, kFieldBufferSize);
}

}  // namespace

INT_PTR CALLBACK passwordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    passwordDialog = dialog;
    role = lParam == VerifyPasswordRole ? VerifyPasswordRole : SetPasswordRole;
    initPasswordDialog();
    return 0;
  }
  if (message != WM_COMMAND) return 0;
  switch (LOWORD(wParam)) {
    case IDOK:
      if (!verifyRole()) {
        storePassword();
        EndDialog(passwordDialog, IDOK);
      } else if (passwordMatches()) {
        EndDialog(passwordDialog, IDOK);
      }
      break;
    case IDCANCEL:
      EndDialog(passwordDialog, IDCANCEL);
      break;
    case IDC_PASSWORD:
    case IDC_CONFIRM:
      if (HIWORD(wParam) == EN_CHANGE) updateOkButton();
      break;
  }
  return 0;
}

void initPasswordDialog() {
  if (verifyRole()) {
    ShowWindow(GetDlgItem(passwordDialog, IDC_CONFIRM), SW_HIDE);
    ShowWindow(GetDlgItem(passwordDialog, IDC_CONFIRM_LABEL), SW_HIDE);
    SetWindowTextA(passwordDialog, "password:");
    centreOnDesktop(passwordDialog);
  }
  // Disabled even though two empty fields are equal, until the first change.
  EnableWindow(GetDlgItem(passwordDialog, IDOK), FALSE);
  SetFocus(GetDlgItem(passwordDialog, IDC_PASSWORD));
}

void updateOkButton() {
  char typed[kFieldBufferSize];
  char confirmed[kFieldBufferSize];
  readField(IDC_PASSWORD, typed);
  readField(IDC_CONFIRM, confirmed);
  const char* wanted = verifyRole() ? settings.password : confirmed;
  bool equal = strcmp(typed, wanted) == 0;
  EnableWindow(GetDlgItem(passwordDialog, IDOK), equal);
}

bool passwordMatches() {
  char typed[kFieldBufferSize];
  readField(IDC_PASSWORD, typed);
  return strcmp(typed, settings.password) == 0;
}

void storePassword() {
  char typed[kFieldBufferSize];
  readField(IDC_PASSWORD, typed);
  // Pads the record's field after the text with zero bytes.
  strncpy(settings.password, typed, sizeof settings.password);
}
