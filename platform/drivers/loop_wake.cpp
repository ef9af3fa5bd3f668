// The message loop's wake pipe and the count of the program's threads
// (loop_wake.h).
#include "platform/drivers/loop_wake.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

#include "platform/internal/diagnostics.h"

namespace {

int pipeEnds[2] = {-1, -1};
std::once_flag pipeMade;
std::atomic<int> running{0};
std::atomic<uint64_t> started{0};

void makePipe() {
  if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
    layerDiagnostic("user", "no pipe to wake the message loop (%s): messages posted by other "
                    "threads wait for the next timer or input", strerror(errno));
    pipeEnds[0] = pipeEnds[1] = -1;
  }
}

}  // namespace

int messageLoopWakeFd() {
  std::call_once(pipeMade, makePipe);
  return pipeEnds[0];
}

void wakeMessageLoop() {
  std::call_once(pipeMade, makePipe);
  if (pipeEnds[1] < 0) return;
  char byte = 1;
  ssize_t written = write(pipeEnds[1], &byte, 1);
  (void)written;  // a full pipe wakes the loop all the same
}

void drainMessageLoopWake() {
  int fd = messageLoopWakeFd();
  if (fd < 0) return;
  char bytes[64];
  while (read(fd, bytes, sizeof bytes) > 0) {
  }
}

void noteThreadStarted() {
  started.fetch_add(1);
  running.fetch_add(1);
}

// An ending thread wakes the loop too: a wait that held the virtual clock
// back for it has nothing left to wait for.
void noteThreadEnded() {
  running.fetch_sub(1);
  wakeMessageLoop();
}

int runningThreads() { return running.load(); }

uint64_t startedThreads() { return started.load(); }
