// The process-wide values of the saver host that the other subsystems read:
// how the process was started, its window, and the module instance.
#ifndef QUILLON_HOST_SAVER_STATE_H
#define QUILLON_HOST_SAVER_STATE_H

#include <windows.h>

#include <stdint.h>

// How the process was started, decided once from the command line.
enum RunMode {
  None = -1,
  Windowed = 1,
  Configure = 2,
  Saver = 3,
  Preview = 4,
  SetPassword = 5,
  Embedded = 6,  // inside a screen-saver host's window (embedded_options.h)
};

extern RunMode runMode;
extern HWND parentWindow;       // the window number after /p or /a; the
                                // host's window in Embedded mode
extern HINSTANCE instance;      // kept for the dialogs
extern HWND saverWindow;        // null in the dialog modes
extern char className[100];     // string resource 109
extern HANDLE singleInstanceMutex;
extern char* previewFilePath;   // the banner file in Preview mode, else null

#endif
