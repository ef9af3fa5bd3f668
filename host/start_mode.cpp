// startMode: what each run mode does after the command line has been read.
//
// Configure and SetPassword end here: each runs its dialog (configuration,
// or the password dialog in its set role, owned by the window the command
// line names) and saves the settings on OK. A save that fails says so in a
// message box owned by the dialog's owner and ends the process with exit
// code 1, so that nobody believes a setting or password was kept.
//
// Embedded mode fills the host's window with a child, with the settings
// and the command line's options; it never saves them.
#include "host/start_mode.h"

#include <string.h>

#include "dialogs/config_dialog.h"
#include "dialogs/password_dialog.h"
#include "display/terminal_surface.h"
#include "display/typewriter.h"
#include "host/cleanup.h"
#include "host/embedded_options.h"
#include "host/preview_banner.h"
#include "host/saver_state.h"
#include "host/window_drag.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

const char* const kWindowTitle = "QuillonScr";

HWND createWindow(DWORD style, int x, int y, int width, int height, HWND parent) {
  return CreateWindowExA(0, className, kWindowTitle, style, x, y, width, height, parent, nullptr,
                         instance, nullptr);
}

// The saver window of the current mode, or null when it cannot be created.
HWND createSaverWindow() {
  RECT desktop;
  GetClientRect(GetDesktopWindow(), &desktop);
  int desktopWidth = desktop.right - desktop.left;
  int desktopHeight = desktop.bottom - desktop.top;

  if (runMode == Windowed) {
    // A third of the desktop, in its middle; movable and resizable.
    int width = desktopWidth / 3;
    int height = desktopHeight / 3;
    return createWindow(WS_POPUP | WS_VISIBLE | WS_THICKFRAME, desktop.right / 2 - width / 2,
                        desktop.bottom / 2 - height / 2, width, height, nullptr);
  }
  if (runMode == Saver) {
    // The whole desktop; not made topmost.
    return createWindow(WS_POPUP | WS_VISIBLE, 0, 0, desktopWidth, desktopHeight, nullptr);
  }
  if (runMode == Embedded) {
    // Fills the host's window, whose size it follows (saver_window.cpp).
    // Disabled: the keyboard and the mouse stay the host's, whose window
    // gets the input over it.
    RECT host = {0, 0, 0, 0};
    GetClientRect(parentWindow, &host);
    return createWindow(WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, host.right - host.left,
                        host.bottom - host.top, parentWindow);
  }
  // Preview: fills the window that the display settings gave us.
  RECT parent = {0, 0, 0, 0};
  GetWindowRect(parentWindow, &parent);
  return createWindow(WS_CHILD | WS_VISIBLE, 0, 0, parent.right - parent.left,
                      parent.bottom - parent.top, parentWindow);
}

// Saves the settings after a dialog's OK; the exit code of the run.
int saveAfterDialog(HWND owner) {
  if (saveSettings()) return 0;
  MessageBoxA(owner,
              "The settings could not be saved: quillonscr.ini cannot be written. "
              "Nothing was changed.",
              "Quillon", MB_OK | MB_ICONERROR);
  return 1;
}

}  // namespace

int startMode(HINSTANCE moduleInstance, int showCommand) {
  instance = moduleInstance;
  loadSettings();
  if (runMode == Embedded) applyEmbeddedOptions();

  switch (runMode) {
    case Configure:
      // A dialog that cannot be shown (-1) saves nothing, like Cancel.
      if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG), GetDesktopWindow(),
                          configDialogProc, 0) == IDOK)
        return saveAfterDialog(GetDesktopWindow());
      return 0;
    case SetPassword:
      if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PASSWORD), parentWindow,
                          passwordDialogProc, SetPasswordRole) == IDOK)
        return saveAfterDialog(parentWindow);
      return 0;
    case None:
      return 0;
    case Windowed:
    case Saver:
    case Preview:
    case Embedded:
      break;
  }

  saverWindow = createSaverWindow();
  // The preview's banner replaces the feeds whether or not its window could
  // be made; a banner file written for a window that failed is removed at
  // once, since no window will ever show it.
  if (runMode == Preview) preparePreviewFeed();
  if (saverWindow == nullptr) {
    removePreviewFile();
    return 0;
  }

  ShowWindow(saverWindow, showCommand);
  UpdateWindow(saverWindow);
  dragAnchorX = -1;
  dragAnchorY = -1;
  createSurface(saverWindow);

  // An empty line makes the first tick fetch the first URL: the user sees a
  // scroll first, then the first line being typed.
  startTyping(saverWindow, "");
  return -1;
}
