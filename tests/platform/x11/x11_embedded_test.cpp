// The real program embedded as screen-saver hosts run it, under Xvfb: in a
// window the test makes and names in XSCREENSAVER_WINDOW (with --root), or
// on the root window when no host gives one. Looked at from outside: the
// text is drawn inside the host's window and nowhere else, the window
// follows the host's size, SIGTERM ends the program with 0 and leaves the
// host's window as it was, the end of the host's window or of the X server
// ends it with 0; and every run mode is silent on stderr. How fast a signal
// ends the program is measured, not tested here: a sanitizer build under
// load takes its time.
// Set QUILLON_X11_EMBEDDED_SCREENSHOT to a file name to keep a screenshot of
// the saver in its host's window as a PNG.
#include "tests/platform/x11/x11_test_support.h"

#include <signal.h>
#include <stdlib.h>

#include <memory>

#include <X11/Xutil.h>


namespace {

const uint32_t kHostPixel = 0x808080;

class X11EmbeddedTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    writeFastFeedSettings(dir_);
  }

  std::unique_ptr<ChildProcess> start(const std::vector<std::string>& arguments,
                                      const std::vector<std::string>& environment = {}) {
    return startProgram(QUILLON_EXECUTABLE, dir_, arguments, environment, errorsPath());
  }

  std::string errorsPath() const { return dir_.file("stderr.txt"); }
  std::string errors() const { return readFile(errorsPath()); }

  TempDir dir_;
};

int countGreen(const std::vector<uint32_t>& pixels) {
  int count = 0;
  for (uint32_t p : pixels) count += (p & 0x00FF00) >= 0x008000 && (p & 0xFF00FF) == 0;
  return count;
}

// Text of any colour on a black background (amber included).
int countTyped(const std::vector<uint32_t>& pixels) {
  int count = 0;
  for (uint32_t p : pixels) count += p != 0 && p != kDesktopPixel;
  return count;
}

bool allGreenOnBlack(const std::vector<uint32_t>& pixels) {
  for (uint32_t p : pixels)
    if ((p & 0xFF00FF) != 0) return false;
  return true;
}

std::string hex(Window window) {
  char text[32];
  snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

TEST_F(X11EmbeddedTest, FillsTheHostsWindowFollowsItsSizeAndEndsOnSigterm) {
  const RECT box = {200, 150, 600, 450};
  Window host = makeForeignWindow(box, kHostPixel);
  auto saver = start({"--root"}, {"XSCREENSAVER_WINDOW=" + hex(host)});
  std::vector<Window> inside;
  ASSERT_TRUE(pumpUntil([&] { return (inside = mappedChildren(host)).size() == 1; }, 10000));
  RECT place = screenRectOf(inside[0]);
  EXPECT_EQ(place.left, box.left);
  EXPECT_EQ(place.top, box.top);
  EXPECT_EQ(place.right, box.right);
  EXPECT_EQ(place.bottom, box.bottom);
  ASSERT_TRUE(pumpUntil([&] { return countGreen(screenArea(box)) > 300; }, 10000));
  EXPECT_TRUE(allGreenOnBlack(screenArea(box)));
  // Nothing is drawn outside the host's window.
  EXPECT_TRUE(screenAreaIs(RECT{0, 0, kScreenWidth, box.top}, kDesktopPixel));
  EXPECT_TRUE(screenAreaIs(RECT{0, box.bottom, kScreenWidth, kScreenHeight}, kDesktopPixel));

  // The host grows its window (a new monitor): the saver fills it again and
  // types on its new bottom line.
  const RECT grown = {200, 150, 900, 700};
  XResizeWindow(testDisplay(), host, 700, 550);
  XSync(testDisplay(), False);
  ASSERT_TRUE(pumpUntil([&] { return screenRectOf(inside[0]).bottom == grown.bottom; }, 10000));
  EXPECT_EQ(screenRectOf(inside[0]).right, grown.right);
  const RECT newBottom = {grown.left, grown.bottom - 40, grown.right, grown.bottom};
  ASSERT_TRUE(pumpUntil([&] { return countGreen(screenArea(newBottom)) > 50; }, 10000));
  EXPECT_TRUE(allGreenOnBlack(screenArea(grown)));
  const char* keep = getenv("QUILLON_X11_EMBEDDED_SCREENSHOT");
  EXPECT_TRUE(saveScreenshot(keep && *keep ? keep : dir_.file("embedded.png")));

  ASSERT_TRUE(saver->signal(SIGTERM));
  EXPECT_EQ(saver->waitForExit(10000), 0);
  // The host's window stays, without the saver's.
  EXPECT_TRUE(mappedChildren(host).empty());
  EXPECT_TRUE(pumpUntil([&] { return screenAreaIs(grown, kHostPixel); }));
  EXPECT_EQ(errors(), "");
  XDestroyWindow(testDisplay(), host);
}

// The host hides the pointer over its window (the saver is running); the
// saver's window keeps the host's cursor, and the clicks and keys over it
// reach the host's window.
TEST_F(X11EmbeddedTest, TheHostKeepsThePointerItsCursorAndTheKeys) {
  const RECT box = {100, 100, 400, 300};
  Window host = makeForeignWindow(box, kHostPixel);
  Display* display = testDisplay();
  char empty[1] = {0};
  Pixmap blank = XCreateBitmapFromData(display, host, empty, 1, 1);
  XColor black = {};
  Cursor invisible = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
  XDefineCursor(display, host, invisible);
  XSelectInput(display, host, ButtonPressMask | KeyPressMask);
  XSetInputFocus(display, host, RevertToPointerRoot, CurrentTime);
  ASSERT_TRUE(xdotool({"mousemove", "250", "200"}));
  ASSERT_TRUE(pumpUntil(cursorIsBlank));
  auto saver = start({"--root"}, {"XSCREENSAVER_WINDOW=" + hex(host)});
  ASSERT_TRUE(pumpUntil([&] { return countGreen(screenArea(box)) > 100; }, 10000));
  ASSERT_TRUE(xdotool({"mousemove", "260", "210"}));
  EXPECT_TRUE(cursorIsBlank());
  ASSERT_TRUE(xdotool({"click", "1", "key", "a"}));
  XEvent event;
  EXPECT_TRUE(pumpUntil([&] { return XCheckTypedWindowEvent(display, host, ButtonPress, &event); }));
  EXPECT_TRUE(pumpUntil([&] { return XCheckTypedWindowEvent(display, host, KeyPress, &event); }));
  ASSERT_TRUE(saver->signal(SIGTERM));
  EXPECT_EQ(saver->waitForExit(10000), 0);
  XDestroyWindow(display, host);
  XFreeCursor(display, invisible);
  XFreePixmap(display, blank);
}

TEST_F(X11EmbeddedTest, WindowIdWinsAndTheEndOfTheHostsWindowEndsIt) {
  const RECT box = {100, 100, 400, 300};
  Window host = makeForeignWindow(box, kHostPixel);
  auto saver = start({"--window-id", std::to_string(host)}, {"XSCREENSAVER_WINDOW=0x1"});
  ASSERT_TRUE(pumpUntil([&] { return mappedChildren(host).size() == 1; }, 10000));
  ASSERT_TRUE(pumpUntil([&] { return countGreen(screenArea(box)) > 100; }, 10000));
  XDestroyWindow(testDisplay(), host);
  XSync(testDisplay(), False);
  EXPECT_EQ(saver->waitForExit(10000), 0);
  EXPECT_EQ(errors(), "");
}

TEST_F(X11EmbeddedTest, WithoutAHostDrawsOnTheRootWindowBehindOthers) {
  const RECT other = {50, 50, 250, 250};
  Window window = makeForeignWindow(other, kHostPixel);
  auto saver = start({"--root"});
  const RECT bottom = {0, kScreenHeight - 60, kScreenWidth, kScreenHeight};
  ASSERT_TRUE(pumpUntil([&] { return countGreen(screenArea(bottom)) > 100; }, 10000));
  // Drawn on the root window itself: no window of its own, and the other
  // window stays on top.
  EXPECT_TRUE(quillonWindows().empty());
  EXPECT_TRUE(screenAreaIs(other, kHostPixel));
  ASSERT_TRUE(saver->signal(SIGINT));
  EXPECT_EQ(saver->waitForExit(10000), 0);
  // The desktop's background comes back.
  EXPECT_TRUE(pumpUntil([&] { return screenAreaIs(bottom, kDesktopPixel); }));
  EXPECT_EQ(errors(), "");
  XDestroyWindow(testDisplay(), window);
}

TEST_F(X11EmbeddedTest, TheEndOfTheXServerEndsItQuietly) {
  auto server = std::make_unique<XvfbServer>(640, 480);
  ASSERT_TRUE(server->running()) << server->failure();
  auto saver = start({"--root"}, {"DISPLAY=" + server->display()});
  Display* other = XOpenDisplay(server->display().c_str());
  ASSERT_NE(other, nullptr);
  auto greenAtBottom = [&] {
    XImage* image = XGetImage(other, DefaultRootWindow(other), 0, 420, 640, 60, AllPlanes, ZPixmap);
    int green = 0;
    for (int y = 0; image && y < 60; y++)
      for (int x = 0; x < 640; x++) green += (XGetPixel(image, x, y) & 0x00FF00) >= 0x008000;
    if (image) XDestroyImage(image);
    return green > 100;
  };
  ASSERT_TRUE(pumpUntil(greenAtBottom, 10000));
  XCloseDisplay(other);
  server.reset();
  EXPECT_EQ(saver->waitForExit(10000), 0);
  EXPECT_EQ(errors(), "");
}

// Every run mode, in normal use, writes nothing on stderr; the end of each
// is a termination signal, which every mode takes as a close request.
TEST_F(X11EmbeddedTest, EveryModeIsSilentOnStderr) {
  Window host = makeForeignWindow(RECT{300, 300, 500, 450}, kHostPixel);
  struct Case {
    std::vector<std::string> arguments;
    int signalNumber;
  };
  const Case cases[] = {
      {{"-w"}, SIGTERM},
      {{"/s"}, SIGHUP},
      {{"/p", std::to_string(host)}, SIGTERM},
      {{"/c"}, SIGINT},
      {{"--root"}, SIGTERM},
      {{"-root", "--font-size", "20", "--fg", "#ffbf00"}, SIGTERM},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[0]);
    auto saver = start(c.arguments);
    ASSERT_TRUE(pumpUntil([&] {
      return !quillonWindows().empty() || !mappedChildren(host).empty() ||
             countTyped(screenArea(RECT{0, kScreenHeight - 60, kScreenWidth, kScreenHeight})) > 0;
    }, 10000));
    ASSERT_TRUE(saver->signal(c.signalNumber));
    EXPECT_EQ(saver->waitForExit(10000), 0);
    EXPECT_EQ(errors(), "");
    EXPECT_TRUE(pumpUntil([] { return quillonWindows().empty(); }));
  }
  XDestroyWindow(testDisplay(), host);
}

}  // namespace
