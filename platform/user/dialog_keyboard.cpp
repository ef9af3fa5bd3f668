// The dialog keyboard: IsDialogMessageA, with WM_GETDLGCODE asking each
// control which keys it keeps for itself.
//
// Tab and Shift+Tab move through the WS_TABSTOP controls in template order;
// the arrow keys move within a group; Enter presses the focused push button,
// or else the default button (nothing when it is disabled); Escape sends the
// Cancel command (IDCANCEL); Alt+letter, or the letter alone where the focus
// takes no characters, follows the "&" mnemonics: a label gives the focus to
// the next tab stop after it, a push button is pressed. Every other message
// of the dialog or its controls is translated and dispatched here, as Win32
// does, so the caller's loop does nothing more with it.
#include "platform/user/dialog.h"
#include "platform/user/window.h"

namespace {

bool isStatic(HWND control) {
  return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) != 0;
}

bool isButton(HWND control) {
  return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void pressButton(HWND dialog, HWND button) {
  if (!IsWindowEnabled(button)) return;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void pressEnter(HWND dialog) {
  HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus) && isButton(focus)) {
    pressButton(dialog, focus);
    return;
  }
  LRESULT id = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(id) != DC_HASDEFID) return;
  HWND button = GetDlgItem(dialog, LOWORD(id));
  if (button) {
    pressButton(dialog, button);
  } else if (LOWORD(id) == IDOK) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
}

// A mnemonic letter: true when a control took it.
bool followMnemonic(HWND dialog, char letter) {
  HWND control = mnemonicControl(dialog, letter);
  if (!control) return false;
  if (isStatic(control)) {
    HWND next = GetNextDlgTabItem(dialog, control, FALSE);
    if (next) setDialogFocus(dialog, next);
  } else if (isButton(control)) {
    if (IsWindowEnabled(control)) {
      SetFocus(control);
      pressButton(dialog, control);
    }
  } else if (IsWindowEnabled(control)) {
    setDialogFocus(dialog, control);
  }
  return true;
}

}  // namespace

BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG message) {
  if (!dialog || !message || !findWindow(dialog)) return FALSE;
  if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return FALSE;
  HWND target = message->hwnd;
  switch (message->message) {
    case WM_KEYDOWN: {
      LRESULT code = SendMessageA(target, WM_GETDLGCODE, message->wParam,
                                  reinterpret_cast<LPARAM>(message));
      if (code & DLGC_WANTMESSAGE) break;
      switch (message->wParam) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          {
            HWND next = GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0);
            if (next) setDialogFocus(dialog, next);
          }
          return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
          if (code & DLGC_WANTARROWS) break;
          {
            bool back = message->wParam == VK_LEFT || message->wParam == VK_UP;
            HWND next = GetNextDlgGroupItem(dialog, GetFocus(), back);
            if (next && next != GetFocus()) setDialogFocus(dialog, next);
          }
          return TRUE;
        case VK_ESCAPE:
          SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
          return TRUE;
        case VK_RETURN:
          pressEnter(dialog);
          return TRUE;
      }
      break;
    }
    case WM_CHAR: {
      LRESULT code = SendMessageA(target, WM_GETDLGCODE, message->wParam,
                                  reinterpret_cast<LPARAM>(message));
      if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) break;
      if (message->wParam == '\t' && (code & DLGC_WANTTAB)) break;
      if (message->wParam == '\t' || message->wParam == '\r' || message->wParam == 27) return TRUE;
      followMnemonic(dialog, char(message->wParam));
      return TRUE;
    }
    case WM_SYSCHAR:
      if (followMnemonic(dialog, char(message->wParam))) return TRUE;
      break;
  }
  TranslateMessage(message);
  DispatchMessageA(message);
  return TRUE;
}
