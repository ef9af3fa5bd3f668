// The password dialog (dialog resource 130) in its two roles, chosen by
// DialogBoxParamA's parameter (PasswordRole). Verify role (the running
// saver asks for it): one field, OK enabled only while it holds the saver's
// password, OK ends the dialog with 1. Set role: the password typed twice, OK enabled only while both fields
// are equal, OK stores the password in the settings record (the caller
// saves it) and ends with 1. Cancel, Escape and the close box end with 2.
// Fields are read at most 48 characters deep: a longer text counts by its
// first 48 characters, for comparing and for storing.
#ifndef QUILLON_DIALOGS_PASSWORD_DIALOG_H
#define QUILLON_DIALOGS_PASSWORD_DIALOG_H

#include <windows.h>

// What the dialog is for: DialogBoxParamA's last argument.
enum PasswordRole { SetPasswordRole = 0, VerifyPasswordRole = 1 };

// The open password dialog (only one is open at a time); the routines below
// work through it.
extern HWND passwordDialog;

INT_PTR CALLBACK passwordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void initPasswordDialog();
// On every change of a field: enable OK when the texts are equal.
void updateOkButton();
// Verify role: the password field equals the saver's password.
bool passwordMatches();
// Set role: the password field becomes the saver's password.
void storePassword();

#endif
