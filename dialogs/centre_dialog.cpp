// centreOnDesktop (centre_dialog.h).
#include "dialogs/centre_dialog.h"

void centreOnDesktop(HWND dialog) {
  RECT desktop, client;
  GetClientRect(GetDesktopWindow(), &desktop);
  GetClientRect(dialog, &client);
  int x = (desktop.right - desktop.left) / 2 - (client.right - client.left) / 2;
  int y = (desktop.bottom - desktop.top) / 2 - (client.bottom - client.top) / 2;
  SetWindowPos(dialog, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}
