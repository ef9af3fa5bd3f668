// WinMain: the program's entry. Reads the command line, keeps a second
// non-windowed instance from starting, registers the window class, starts
// the run mode and runs the message loop until the saver window is gone.
// Its result is the process's exit code.
//
// Embedded mode's command lines are read first, from the runtime's split
// arguments (a font name may hold blanks); every other command line goes to
// the switches of Windows.
#include <winsock2.h>
#include <windows.h>

#include <stdlib.h>

#include "host/command_line.h"
#include "host/embedded_options.h"
#include "host/saver_class.h"
#include "host/saver_state.h"
#include "host/start_mode.h"
#include "resources/resource.h"

int WINAPI WinMain(HINSTANCE moduleInstance, HINSTANCE, LPSTR commandLine, int showCommand) {
  if (isEmbeddedCommandLine(__argc, __argv)) {
    int exitCode = readEmbeddedOptions(__argc, __argv);
    if (exitCode >= 0) return exitCode;
  } else {
    parseCommandLine(commandLine);
  }

  // Only one saver, preview or dialog at a time; windowed instances neither
  // create nor test the mutex, so they can run beside a saver. Nor do
  // embedded ones: a host may run one per monitor.
  if (runMode != Windowed && runMode != Embedded) {
    singleInstanceMutex = CreateMutexA(nullptr, TRUE, "QuillonNoOtherInstance");
    DWORD error = GetLastError();
    if (singleInstanceMutex != nullptr) ReleaseMutex(singleInstanceMutex);
    if (error == ERROR_ALREADY_EXISTS) return 0;
  }

  LoadStringA(moduleInstance, IDS_APP_CLASS, className, sizeof className);
  registerSaverClass(moduleInstance);
  int exitCode = startMode(moduleInstance, showCommand);
  if (exitCode >= 0) return exitCode;

  // libcurl does not start the socket layer itself.
  WSADATA socketData;
  WSAStartup(MAKEWORD(1, 1), &socketData);
  if (runMode == Saver) ShowCursor(FALSE);

  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) != 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
