// System settings the program asks for: GetSystemMetrics (the screen size
// from the driver, the mouse facts, the frame and scroll-bar sizes) and SystemParametersInfoA, which
// accepts SPI_SETSCREENSAVERRUNNING (it only remembers the flag: there is no
// secure-attention key to block here) and refuses every other action.
#include "platform/drivers/driver.h"
#include "platform/internal/diagnostics.h"
#include "platform/user/window.h"

int WINAPI GetSystemMetrics(int index) {
  SIZE screen = displayDriver().screenSize();
  switch (index) {
    case SM_CXSCREEN: return screen.cx;
    case SM_CYSCREEN: return screen.cy;
    case SM_MOUSEPRESENT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return kCaptionHeight;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return kDialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME: return kResizingFrame;
  }
  layerDiagnostic("user", "GetSystemMetrics(%d) is not provided; it gives 0", index);
  return 0;
}

BOOL WINAPI SystemParametersInfoA(UINT action, UINT uiParam, LPVOID pvParam, UINT) {
  static BOOL screenSaverRunning = FALSE;
  if (action == SPI_SETSCREENSAVERRUNNING) {
    if (pvParam) *static_cast<BOOL*>(pvParam) = screenSaverRunning;
    screenSaverRunning = uiParam != 0;
    return TRUE;
  }
  layerDiagnostic("user", "SystemParametersInfoA(%u) is not provided", action);
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}
