// Termination signals through a self-pipe (termination_signals.h).
#include "platform/drivers/termination_signals.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include "platform/internal/diagnostics.h"

namespace {

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr long kGraceMs = 500;

int pipeEnds[2] = {-1, -1};
timer_t watchdog;
bool watchdogMade = false;
volatile sig_atomic_t watchdogArmed = 0;

// Async-signal-safe only: write() and timer_settime().
void onTerminationSignal(int signalNumber) {
  int savedErrno = errno;
  unsigned char byte = static_cast<unsigned char>(signalNumber);
  ssize_t written = write(pipeEnds[1], &byte, 1);
  (void)written;  // a full pipe already holds enough requests
  if (watchdogMade && !watchdogArmed) {
    watchdogArmed = 1;
    itimerspec when = {};
    when.it_value.tv_nsec = kGraceMs * 1000000L;
    timer_settime(watchdog, 0, &when, nullptr);
  }
  errno = savedErrno;
}

// The clean-up did not get to run in time: end as the host asked.
void onWatchdog(int) { _exit(0); }

void makeWatchdog() {
  int signalNumber = SIGRTMIN;
  struct sigaction action = {};
  action.sa_handler = onWatchdog;
  sigemptyset(&action.sa_mask);
  if (sigaction(signalNumber, &action, nullptr) != 0) return;
  sigevent event = {};
  event.sigev_notify = SIGEV_SIGNAL;
  event.sigev_signo = signalNumber;
  watchdogMade = timer_create(CLOCK_MONOTONIC, &event, &watchdog) == 0;
  if (!watchdogMade)
    layerDiagnostic("signals", "no watchdog timer (%s): a blocked clean-up may delay the end",
                    strerror(errno));
}

}  // namespace

void watchTerminationSignals() {
  if (pipeEnds[0] >= 0) return;
  if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
    layerDiagnostic("signals", "no pipe for termination signals (%s); they end the process "
                    "without the program's clean-up", strerror(errno));
    pipeEnds[0] = pipeEnds[1] = -1;
    return;
  }
  makeWatchdog();
  for (int signalNumber : kSignals) {
    struct sigaction previous = {};
    if (sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
      continue;
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signalNumber, &action, nullptr);
  }
}

int terminationSignalFd() { return pipeEnds[0]; }

int takeTerminationSignal() {
  if (pipeEnds[0] < 0) return 0;
  unsigned char byte = 0;
  ssize_t got;
  do {
    got = read(pipeEnds[0], &byte, 1);
  } while (got < 0 && errno == EINTR);
  return got == 1 ? byte : 0;
}

void stopTerminationWatchdog() {
  if (!watchdogMade) return;
  itimerspec never = {};
  timer_settime(watchdog, 0, &never, nullptr);
}

const char* terminationSignalName(int signalNumber) {
  switch (signalNumber) {
    case SIGTERM: return "TERM";
    case SIGINT: return "INT";
    case SIGHUP: return "HUP";
    default: return "OTHER";
  }
}
