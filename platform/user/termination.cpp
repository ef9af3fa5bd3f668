// Termination signals as the end of the session (deliverTerminationSignals):
// a SIGTERM, SIGINT or SIGHUP that came
// (platform/drivers/termination_signals.h) is told to each of the process's
// outermost windows, its top-level windows and its children of foreign
// windows, as Windows tells them when the session ends: WM_QUERYENDSESSION
// (whose answer cannot stop the end here) and WM_ENDSESSION with TRUE are
// sent, then WM_CLOSE is posted. A program that handles WM_ENDSESSION can
// tell the end of the session from a close request; otherwise the default
// processing of WM_CLOSE destroys a window, and its WM_DESTROY runs the
// program's clean-up; a dialog takes it as Cancel. A process without any
// window gets WM_QUIT with code 0 instead, so that its message loop ends.
#include <vector>

#include "platform/drivers/termination_signals.h"
#include "platform/internal/trace.h"
#include "platform/user/message_queue.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

void deliverTerminationSignals() {
  while (int signalNumber = takeTerminationSignal()) {
    if (traceEnabled()) traceEvent("signal %s", terminationSignalName(signalNumber));
    std::vector<HWND> outermost = topLevelWindows();
    if (outermost.empty()) PostQuitMessage(0);
    for (HWND window : outermost) {
      if (!IsWindow(window)) continue;  // went with a window handled before
      SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
      if (IsWindow(window)) SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
      if (IsWindow(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    }
  }
}
