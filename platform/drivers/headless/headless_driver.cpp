// The headless display driver: a virtual screen in memory, a virtual (or
// real) clock, the input script and PNG snapshots, for tests and automation.
// The script and trace formats are documented in README.md in this folder.
//
// Foreign windows (other programs' windows, such as a preview box or a
// screen-saver host's window) are numbers: each is at (0, 0) with the size
// QUILLON_FOREIGN_SIZE until the script gives it another (parentresize);
// the root window, kRootWindow, has the screen's size.
//
// With the virtual clock, time moves only while the program waits for
// events: the wait jumps straight to the next timer or script event. While a
// thread of the program runs (a fetch beside the message loop), the jump
// first waits up to kThreadGraceMs of real time for that thread to post its
// result or end, so a document that is there at once arrives at the same
// virtual moment on every run; work that hangs longer lets the clock go on.
// With
// either clock, a wait that nothing can ever end (no timer, no script event
// left) ends the process with exit code 1 and the trace line "stall", since
// no other input can come.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>

#include "platform/drivers/driver.h"
#include "platform/drivers/headless/headless_config.h"
#include "platform/drivers/headless/headless_screen.h"
#include "platform/drivers/headless/headless_script.h"
#include "platform/drivers/headless/png_file.h"
#include "platform/drivers/key_names.h"
#include "platform/drivers/loop_wake.h"
#include "platform/drivers/termination_signals.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/internal/trace.h"

namespace {

constexpr uint64_t kNever = UINT64_MAX;
constexpr uintptr_t kLargestForeignNumber = 0x1FFFFFFF;  // X11 ids have 29 bits
constexpr uintptr_t kRootWindow = 0x100;
// Real time the virtual clock gives a running thread of the program before it
// jumps past it; each new thread gets its own.
constexpr uint64_t kThreadGraceMs = 3000;

struct Headless {
  HeadlessConfig config;
  uint64_t virtualNow = 0;
  uint64_t realStart = 0;
  std::vector<ScriptEvent> script;
  size_t nextEvent = 0;
  std::map<uintptr_t, SIZE> foreignSizes;  // sizes the script gave foreign windows
  uint64_t graceThreads = 0;    // startedThreads() when the grace below began
  uint64_t graceEnds = 0;       // real time when the grace for them runs out
};

Headless& headless() {
  static Headless h;
  return h;
}

// Ends the process as a kill would, without the program's clean-up (nor
// leak reports about it); what was written to stdio streams is kept.
[[noreturn]] void endAbruptly(int code) {
  fflush(nullptr);
  _exit(code);
}

// The script's text; false (with the reason) when it cannot be read whole:
// missing, unreadable, a directory.
bool readScriptText(const std::string& path, std::string* text, std::string* why) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *why = strerror(errno);
    return false;
  }
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    close(fd);
    *why = "it is a directory";
    return false;
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) *why = strerror(errno);
    if (n <= 0) break;
    text->append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return why->empty();
}

bool loadScript(const std::string& path) {
  std::string text, why;
  if (!readScriptText(path, &text, &why)) {
    fprintf(stderr, "quillon: headless: cannot read the script %s: %s\n", path.c_str(),
            why.c_str());
    return false;
  }
  std::string error;
  if (!parseScript(text, &headless().script, &error)) {
    fprintf(stderr, "quillon: headless: script %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  return true;
}

bool open() {
  Headless& h = headless();
  h.config = readHeadlessConfig();
  h.realStart = monotonicClockMs();
  // A script that cannot be followed would make every test that relies on
  // it meaningless: stop at once.
  if (!h.config.scriptPath.empty() && !loadScript(h.config.scriptPath)) endAbruptly(2);
  return true;
}

SIZE screenSize() { return SIZE{headless().config.screenWidth, headless().config.screenHeight}; }

uint64_t clockMs() {
  Headless& h = headless();
  return h.config.virtualClock ? h.virtualNow : monotonicClockMs() - h.realStart;
}

// --- Script actions -----------------------------------------------------------

HWND keyboardWindow() {
  const ScreenWindow* top = screenTopWindow(false);
  return top ? top->window : nullptr;
}

void pressKeys(const std::vector<UINT>& keys, bool press, bool release) {
  HWND window = keyboardWindow();
  if (press)
    for (UINT vk : keys) driverKey(window, vk, true);
  if (release)
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) driverKey(window, *it, false);
}

void typeText(const std::string& text) {
  for (char c : text) {
    UINT vk;
    bool shift;
    if (!keyForCharacter(c, &vk, &shift)) {
      fprintf(stderr, "quillon: headless: type: no key types the byte 0x%02X; skipped\n",
              static_cast<unsigned char>(c));
      continue;
    }
    std::vector<UINT> keys;
    if (shift) keys.push_back(VK_SHIFT);
    keys.push_back(vk);
    pressKeys(keys, true, true);
  }
}

void button(const ScriptEvent& e, bool press, bool release) {
  POINT at = {e.x, e.y};
  if (press) driverMouseButton(screenWindowAt(at), e.button, true, at);
  if (release) driverMouseButton(screenWindowAt(at), e.button, false, at);
}

void snapshot(const std::string& path, bool wholeScreen) {
  std::vector<uint32_t> pixels;
  PixelBuffer image;
  if (wholeScreen) {
    SIZE size = screenSize();
    composeScreen(size.cx, size.cy, &pixels);
    image = PixelBuffer{pixels.data(), int(size.cx), int(size.cy)};
  } else {
    const ScreenWindow* top = screenTopWindow(false);
    if (!top || !nativeWindowPixels(top->window, &image)) {
      fprintf(stderr, "quillon: headless: windowsnapshot: no window is shown\n");
      return;
    }
  }
  writePng(path.c_str(), image);
  traceEvent("%s %s", wholeScreen ? "snapshot" : "windowsnapshot", path.c_str());
}

// One line of what the process holds, appended to `path`: the driver time,
// the resident memory in KiB, the open file descriptors and the live GDI
// objects. Soak runs write it every virtual hour to see that they stay flat.
void writeStats(const std::string& path) {
  long residentKiB = 0;
  if (FILE* status = fopen("/proc/self/status", "r")) {
    char line[256];
    while (fgets(line, sizeof line, status))
      if (strncmp(line, "VmRSS:", 6) == 0) residentKiB = atol(line + 6);
    fclose(status);
  }
  int descriptors = 0;
  if (DIR* fds = opendir("/proc/self/fd")) {
    while (dirent* entry = readdir(fds))
      if (entry->d_name[0] != '.') descriptors++;
    closedir(fds);
    descriptors--;  // the one opendir holds
  }
  FILE* out = fopen(path.c_str(), "a");
  if (out == nullptr) {
    fprintf(stderr, "quillon: headless: stats: cannot write %s\n", path.c_str());
    return;
  }
  fprintf(out, "%llu rss_kib=%ld fds=%d gdi_objects=%zu\n",
          static_cast<unsigned long long>(clockMs()), residentKiB, descriptors, liveGdiObjects());
  fclose(out);
  traceEvent("stats %s", path.c_str());
}

void resizeTopWindow(const ScriptEvent& e) {
  const ScreenWindow* top = screenTopWindow(true);
  if (!top || !top->resizable) {
    fprintf(stderr, "quillon: headless: resize: no resizable window is shown\n");
    return;
  }
  driverUserResize(top->window, e.x, e.y);
}

// The window manager's request to close or to minimize the topmost window.
void askTopWindow(void (*request)(HWND), const char* action) {
  const ScreenWindow* top = screenTopWindow(true);
  if (!top) {
    fprintf(stderr, "quillon: headless: %s: no window is shown\n", action);
    return;
  }
  request(top->window);
}

void resizeForeignWindow(const ScriptEvent& e) {
  uintptr_t number = uintptr_t(e.id);
  headless().foreignSizes[number] = SIZE{e.x, e.y};
  driverForeignWindowResized(number, e.x, e.y);
}

void run(const ScriptEvent& e) {
  switch (e.action) {
    case ScriptAction::Key: pressKeys(e.keys, true, true); break;
    case ScriptAction::KeyDown: pressKeys(e.keys, true, false); break;
    case ScriptAction::KeyUp: pressKeys(e.keys, false, true); break;
    case ScriptAction::MouseMove: {
      POINT at = {e.x, e.y};
      driverMouseMove(screenWindowAt(at), at);
      break;
    }
    case ScriptAction::Click: button(e, true, true); break;
    case ScriptAction::Press: button(e, true, false); break;
    case ScriptAction::Release: button(e, false, true); break;
    case ScriptAction::Resize: resizeTopWindow(e); break;
    case ScriptAction::Close: askTopWindow(driverCloseRequest, "close"); break;
    case ScriptAction::Minimize: askTopWindow(driverMinimizeRequest, "minimize"); break;
    case ScriptAction::Snapshot: snapshot(e.text, true); break;
    case ScriptAction::WindowSnapshot: snapshot(e.text, false); break;
    case ScriptAction::Stats: writeStats(e.text); break;
    case ScriptAction::Type: typeText(e.text); break;
    case ScriptAction::Command:
      traceEvent("command %d %s", e.id, driverDialogCommand(e.id) ? "pressed" : "ignored");
      break;
    case ScriptAction::Focus:
      traceEvent("focus %d %s", e.id, driverDialogFocus(e.id) ? "given" : "ignored");
      break;
    case ScriptAction::Select:
      traceEvent("select %d %d %s", e.id, e.index,
                 driverDialogSelect(e.id, e.index) ? "selected" : "ignored");
      break;
    case ScriptAction::ParentGone: driverForeignWindowGone(uintptr_t(e.id)); break;
    case ScriptAction::ParentResize: resizeForeignWindow(e); break;
    // A real signal, through the same handler as one from another process.
    case ScriptAction::Signal: raise(e.id); break;
    case ScriptAction::Quit:
      // Like a kill: no clean-up of the program runs; the trace is complete
      // because it is written line by line.
      traceEvent("scriptquit");
      endAbruptly(0);
  }
}

// Runs the script events that are due; true when any ran.
bool runDueEvents() {
  Headless& h = headless();
  bool ran = false;
  while (h.nextEvent < h.script.size() && h.script[h.nextEvent].at <= clockMs()) {
    run(h.script[h.nextEvent++]);
    ran = true;
  }
  return ran;
}

uint64_t nextEventTime() {
  Headless& h = headless();
  return h.nextEvent < h.script.size() ? h.script[h.nextEvent].at : kNever;
}

// Polls the termination signals' pipe and the wake pipe of other threads'
// posts for up to `ms` of real time; true when one became readable.
bool pollWakes(uint64_t ms) {
  pollfd wakes[2] = {{terminationSignalFd(), POLLIN, 0}, {messageLoopWakeFd(), POLLIN, 0}};
  return poll(wakes, 2, int(std::min<uint64_t>(ms, 1000))) > 0;
}

// Virtual clock: while a thread of the program runs and its grace lasts,
// waits in real time for it. True when it posted or ended (the program is to
// look at its queue before the clock moves), false when the clock may jump.
bool waitForRunningThreads() {
  Headless& h = headless();
  if (runningThreads() == 0) return false;
  uint64_t started = startedThreads();
  uint64_t now = monotonicClockMs();
  if (started != h.graceThreads) {
    h.graceThreads = started;
    h.graceEnds = now + kThreadGraceMs;
  }
  while (now < h.graceEnds) {
    if (pollWakes(h.graceEnds - now)) return true;
    now = monotonicClockMs();
  }
  return false;
}

void waitEvents(DWORD timeoutMs) {
  Headless& h = headless();
  if (runDueEvents() || timeoutMs == 0) return;
  uint64_t now = clockMs();
  uint64_t until = timeoutMs == INFINITE ? kNever : now + timeoutMs;
  uint64_t wake = std::min(until, nextEventTime());
  if (h.config.virtualClock && waitForRunningThreads()) return;
  if (wake == kNever) {
    // A running thread may still post: wait for it in real time.
    if (runningThreads() > 0) {
      pollWakes(1000);
      return;
    }
    traceEvent("stall");
    fprintf(stderr, "quillon: headless: the program waits for input, and no timer or script "
                    "event is left; exiting\n");
    endAbruptly(1);
  }
  if (h.config.virtualClock) {
    h.virtualNow = wake;
  } else {
    while ((now = clockMs()) < wake) {
      if (pollWakes(wake - now)) return;
    }
  }
  runDueEvents();
}

// --- Windows ------------------------------------------------------------------

bool foreignWindowRect(uintptr_t number, RECT* rect) {
  if (number == 0 || number > kLargestForeignNumber) return false;
  Headless& h = headless();
  SIZE size = {h.config.foreignWidth, h.config.foreignHeight};
  if (number == kRootWindow) size = screenSize();
  auto given = h.foreignSizes.find(number);
  if (given != h.foreignSizes.end()) size = given->second;
  *rect = RECT{0, 0, size.cx, size.cy};
  return true;
}

uintptr_t rootWindow() { return kRootWindow; }

bool createWindow(HWND window, const NativeWindowSpec& wanted) {
  screenAddWindow(window, wanted);
  return true;
}

}  // namespace

DisplayDriver headlessDisplayDriver() {
  DisplayDriver driver = {};
  driver.name = "headless";
  driver.open = open;
  driver.screenSize = screenSize;
  driver.clockMs = clockMs;
  driver.waitEvents = waitEvents;
  driver.foreignWindowRect = foreignWindowRect;
  driver.rootWindow = rootWindow;
  driver.createWindow = createWindow;
  driver.destroyWindow = screenRemoveWindow;
  driver.placeWindow = screenPlaceWindow;
  driver.showWindow = screenShowWindow;
  driver.raiseWindow = screenRaiseWindow;
  return driver;
}
