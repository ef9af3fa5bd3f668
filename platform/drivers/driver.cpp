// The list of display drivers, the choice of one from the environment, and
// the harmless defaults for the entries a driver leaves empty.
#include "platform/drivers/driver.h"

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "platform/drivers/loop_wake.h"
#include "platform/drivers/termination_signals.h"

namespace {

bool openNothing() { return true; }
void doNothing() {}
SIZE defaultScreenSize() { return SIZE{1024, 768}; }

void sleepUntilTimeout(DWORD timeoutMs) {
  pollfd wakes[2] = {{terminationSignalFd(), POLLIN, 0}, {messageLoopWakeFd(), POLLIN, 0}};
  poll(wakes, 2, timeoutMs == INFINITE ? -1 : int(timeoutMs > 0x7FFFFFFF ? 0x7FFFFFFF : timeoutMs));
}

bool noForeignWindow(uintptr_t, RECT*) { return false; }
uintptr_t noRootWindow() { return 0; }
bool createNothing(HWND, const NativeWindowSpec&) { return true; }
void windowNothing(HWND) {}
void placeNothing(HWND, const RECT&) {}
void showNothing(HWND, bool) {}
void titleNothing(HWND, const char*) {}
void presentNothing(HWND, const RECT&) {}
bool moveNothing(HWND, const RECT&, int) { return false; }
uint32_t* lendNothing(HWND, int, int) { return nullptr; }
void cursorNothing(bool) {}
bool noClipboardToSet(const char*) { return false; }
bool noClipboardToRead(std::string*) { return false; }

template <typename Entry>
void fill(Entry& entry, Entry fallback) {
  if (!entry) entry = fallback;
}

DisplayDriver completed(const DisplayDriver& driver) {
  DisplayDriver d = driver;
  fill(d.open, openNothing);
  fill(d.close, doNothing);
  fill(d.screenSize, defaultScreenSize);
  fill(d.clockMs, monotonicClockMs);
  fill(d.waitEvents, sleepUntilTimeout);
  fill(d.foreignWindowRect, noForeignWindow);
  fill(d.rootWindow, noRootWindow);
  fill(d.createWindow, createNothing);
  fill(d.destroyWindow, windowNothing);
  fill(d.placeWindow, placeNothing);
  fill(d.showWindow, showNothing);
  fill(d.raiseWindow, windowNothing);
  fill(d.enableWindow, showNothing);
  fill(d.setTitle, titleNothing);
  fill(d.present, presentNothing);
  fill(d.movePixels, moveNothing);
  fill(d.lendPixels, lendNothing);
  fill(d.setCapture, windowNothing);
  fill(d.showCursor, cursorNothing);
  fill(d.setClipboardText, noClipboardToSet);
  fill(d.clipboardText, noClipboardToRead);
  return d;
}

struct DriverList {
  DisplayDriver headless = completed(headlessDisplayDriver());
  DisplayDriver x11 = completed(x11DisplayDriver());
};

DriverList& drivers() {
  static DriverList list;
  return list;
}

const DisplayDriver* active = nullptr;

void closeActive() {
  if (active) active->close();
}

const DisplayDriver& openDriver() {
  const char* wanted = getenv("QUILLON_DRIVER");
  if (!wanted || !*wanted) {
    const char* display = getenv("DISPLAY");
    wanted = display && *display ? "x11" : "headless";
  }
  const DisplayDriver* driver = driverFor(wanted);
  if (!driver) {
    fprintf(stderr, "quillon: unknown display driver \"%s\", using headless\n", wanted);
  } else if (!driver->open()) {
    fprintf(stderr, "quillon: display driver \"%s\" could not start, using headless\n", wanted);
    driver = nullptr;
  }
  if (!driver) {
    driver = &drivers().headless;
    driver->open();
  }
  active = driver;
  atexit(closeActive);
  watchTerminationSignals();
  return *driver;
}

}  // namespace

const DisplayDriver* driverFor(const char* name) {
  if (strcmp(name, "headless") == 0) return &drivers().headless;
  if (strcmp(name, "x11") == 0) return &drivers().x11;
  return nullptr;
}

const DisplayDriver& displayDriver() {
  return active ? *active : openDriver();
}

uint64_t driverClockMs() { return displayDriver().clockMs(); }

uint64_t monotonicClockMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint64_t(now.tv_sec) * 1000 + uint64_t(now.tv_nsec) / 1000000;
}
