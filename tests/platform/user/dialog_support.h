// Test support for the dialog conformance tests, on the Win32 API only:
// in-memory dialog templates (DLGTEMPLATE, font "MS Sans Serif" 8 pt), and a
// modal run of one in which the test acts from WM_INITDIALOG and sees every
// message of the dialog procedure.
#ifndef QUILLON_TESTS_PLATFORM_USER_DIALOG_SUPPORT_H
#define QUILLON_TESTS_PLATFORM_USER_DIALOG_SUPPORT_H

#include <windows.h>

#include <functional>
#include <vector>

struct TemplateItem {
  const char* className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX"
  const char* text;
  int id;
  DWORD style;            // WS_CHILD | WS_VISIBLE are added
  short x, y, cx, cy;
};

// A dialog template of `cx` x `cy` dialog units with these controls, in
// this order. The words are DWORD-aligned in memory as Win32 wants them.
std::vector<DWORD> dialogTemplate(DWORD style, short cx, short cy, const char* caption,
                                  const std::vector<TemplateItem>& items);

struct DialogMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// A modal run of a template: `onInit` runs in WM_INITDIALOG (its result is
// the dialog procedure's), `onMessage` for every other message (a true
// result makes the procedure return TRUE). Every message is recorded.
struct DialogRun {
  std::function<INT_PTR(HWND dialog)> onInit;
  std::function<bool(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)> onMessage;
  std::vector<DialogMessage> received;

  INT_PTR run(const std::vector<DWORD>& dialogTemplate, HWND owner = nullptr);
  // The ids of the WM_COMMAND messages with BN_CLICKED that came, in order.
  std::vector<int> clicked() const;
};

// Ends the dialog with `result` once the messages posted before this call
// (and the ones their handling posts) have been handled: posts WM_USER + 100,
// whose handling posts WM_USER + 101, which ends the dialog. onMessage sees
// both first.
void endDialogLater(HWND dialog, INT_PTR result);

#endif
