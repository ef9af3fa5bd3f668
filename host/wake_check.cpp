// wakeCheck: close the saver on user activity, or ask for its password
// first when it has one and screen-saver passwords are on in the system.
//
// The password is asked for by the password dialog in its verify role; a
// dialog that cannot be made counts as cancelled, and the saver runs on.
// While the prompt is up the typewriter is suspended (a fetch that runs goes
// on); it resumes when the prompt closes, even after a close request, which
// comes first.
#include "host/wake_check.h"

#include <windows.h>

#include "dialogs/password_dialog.h"
#include "display/typewriter.h"
#include "host/saver_state.h"
#include "host/saver_window.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

// The prompt is up: activity that reaches the saver window meanwhile (a
// close request the prompt's loop dispatches to it) asks for nothing more.
bool prompting = false;

void requestClose() {
  allowSaverClose();
  PostMessageA(saverWindow, WM_CLOSE, 0, 0);
}

// The prompt while it is up: typing frozen, cursor shown, the system told
// that a screen saver is running. True when the user gave the password.
bool askForPassword() {
  BOOL previouslyRunning = FALSE;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &previouslyRunning, 0);
  suspendTyping();
  ShowCursor(TRUE);
  mouseMoveCount = 0;
  INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PASSWORD), saverWindow,
                                   passwordDialogProc, VerifyPasswordRole);
  ShowCursor(FALSE);
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previouslyRunning, 0);
  return result == IDOK;
}

}  // namespace

void wakeCheck() {
  if (prompting) return;
  if (settings.password[0] == '\0') {
    requestClose();
    return;
  }
  HKEY desktopKey;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktopKey) != ERROR_SUCCESS)
    return;
  // Only whether the value's bytes are all zero matters, whatever its type:
  // the text "0" counts as on.
  DWORD usePassword = 0;
  DWORD size = sizeof usePassword;
  LONG read = RegQueryValueExA(desktopKey, "ScreenSaveUsePassword", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&usePassword), &size);
  if (read != ERROR_SUCCESS || usePassword == 0) {
    requestClose();
    RegCloseKey(desktopKey);
    return;
  }
  prompting = true;
  bool given = askForPassword();
  prompting = false;
  if (given) requestClose();
  resumeTyping();
  RegCloseKey(desktopKey);
}
