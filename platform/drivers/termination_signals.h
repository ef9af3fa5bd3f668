// Termination signals (SIGTERM, SIGINT, SIGHUP): how a screen-saver host, a
// terminal or the end of the session asks the process to end. The handler
// only writes the signal's number into a pipe of the process's own (a
// self-pipe); every driver's waitEvents watches its read end, so a signal
// ends any wait at once, and platform/user takes the numbers out after each
// wait and turns them into close requests of the process's outermost
// windows: the program's own clean-up runs, as on Windows.
//
// The one thread may be busy elsewhere when a signal comes (a fetch that
// blocks until its timeout): the first signal also arms a watchdog that
// ends the process with exit code 0 if the clean-up has not ended the
// message loop within half a second.
#ifndef QUILLON_PLATFORM_DRIVERS_TERMINATION_SIGNALS_H
#define QUILLON_PLATFORM_DRIVERS_TERMINATION_SIGNALS_H

// Installs the handlers, once (when the display driver opens). A signal the
// process was started with ignored (nohup) stays ignored.
void watchTerminationSignals();

// The pipe's read end, for a driver's poll(); -1 before the handlers are
// installed.
int terminationSignalFd();

// The number of a signal that came and has not been taken yet (SIGTERM,
// SIGINT or SIGHUP), or 0.
int takeTerminationSignal();

// The message loop has ended (WM_QUIT was taken): the clean-up has run,
// and the watchdog has nothing left to guard.
void stopTerminationWatchdog();

// "TERM", "INT" or "HUP" for the trace.
const char* terminationSignalName(int signalNumber);

#endif
