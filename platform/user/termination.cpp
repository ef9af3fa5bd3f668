// Termination signals as close requests (deliverTerminationSignals): a
// SIGTERM, SIGINT or SIGHUP that came (platform/drivers/termination_signals.h)
// becomes WM_CLOSE posted to each of the process's outermost windows, its
// top-level windows and its children of foreign windows, as Windows asks
// the windows of a program to close when the session ends. The default
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
    for (HWND window : outermost) PostMessageA(window, WM_CLOSE, 0, 0);
  }
}
