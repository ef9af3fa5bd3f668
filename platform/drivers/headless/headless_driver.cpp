// The headless display driver: a virtual screen in memory, a virtual (or
// real) clock, the input script, the trace of driver events and PNG
// snapshots. Used by tests and automation; see README.md in this folder for
// the script and trace formats.
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>

#include "platform/drivers/driver.h"
#include "platform/drivers/headless/headless_config.h"

namespace {

HeadlessConfig config;
uint64_t virtualNow = 0;
uint64_t realStart = 0;

bool open() {
  config = readHeadlessConfig();
  realStart = monotonicClockMs();
  return true;
}

SIZE screenSize() { return SIZE{config.screenWidth, config.screenHeight}; }

uint64_t clockMs() { return config.virtualClock ? virtualNow : monotonicClockMs() - realStart; }

void waitEvents(DWORD timeoutMs) {
  if (timeoutMs == 0) return;
  if (timeoutMs == INFINITE) {
    fprintf(stderr, "quillon: headless: waiting for an event that can never come; exiting\n");
    exit(1);
  }
  if (config.virtualClock)
    virtualNow += timeoutMs;
  else
    poll(nullptr, 0, int(timeoutMs > 0x7FFFFFFF ? 0x7FFFFFFF : timeoutMs));
}

}  // namespace

DisplayDriver headlessDisplayDriver() {
  DisplayDriver driver = {};
  driver.name = "headless";
  driver.open = open;
  driver.screenSize = screenSize;
  driver.clockMs = clockMs;
  driver.waitEvents = waitEvents;
  return driver;
}
