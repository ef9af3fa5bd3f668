// The full-screen saver holds the screen: the real program with a password
// ("/s", passwords on), on a bare X server and under openbox, against what
// a user or another program on the same display may try: Alt+Tab, Super+D,
// a minimize request for each of its windows, raising another window,
// giving another window the focus and typing, unmapping the saver, and a
// second client's keyboard grab. None uncovers the screen, moves a key to
// the other window, or takes the keyboard; the grabs end with the program.
#include "tests/platform/x11/x11_test_support.h"

#include <signal.h>

#include <X11/Xatom.h>

#include "tests/support/temp_dir.h"
#include "tests/support/xvfb_server.h"

namespace {

class X11HoldTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    writeFastFeedSettings(dir_);
    // A password ("pw" as the settings store it) and passwords on: a key
    // asks for it.
    std::string ini = readFile(dir_.file("quillonscr.ini"));
    dir_.write("quillonscr.ini", ini + "password=t|\n");
    dir_.write("registry.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
                               "\"ScreenSaveUsePassword\"=\"1\"\n");
  }

  TempDir dir_;
};

// Whether this connection can grab the keyboard now (released at once).
bool keyboardIsFree(Window window) {
  Display* display = testDisplay();
  bool free = XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
              GrabSuccess;
  if (free) XUngrabKeyboard(display, CurrentTime);
  XSync(display, False);
  return free;
}

// The same for the pointer.
bool pointerIsFree(Window window) {
  Display* display = testDisplay();
  bool free = XGrabPointer(display, window, False, ButtonPressMask, GrabModeAsync, GrabModeAsync,
                           None, None, CurrentTime) == GrabSuccess;
  if (free) XUngrabPointer(display, CurrentTime);
  XSync(display, False);
  return free;
}

// Whether the keyboard focus is on one of the saver's windows.
bool focusOnSaver() {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(testDisplay(), &focus, &revert);
  for (Window window : quillonWindows())
    if (window == focus) return true;
  return false;
}

bool windowManagerReady() {
  Display* display = testDisplay();
  Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type;
  int format;
  unsigned long count = 0, after;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                     &format, &count, &after, &data);
  if (data) XFree(data);
  return count == 1;
}

// The saver covers the screen: its windows are the topmost mapped ones.
bool saverOnTop() {
  std::vector<Window> all = mappedChildren(DefaultRootWindow(testDisplay()));
  std::vector<Window> ours = quillonWindows();
  if (ours.empty() || all.empty() || all.back() != ours.back()) return false;
  RECT place = screenRectOf(ours.front());
  return place.left == 0 && place.top == 0 && place.right == kScreenWidth &&
         place.bottom == kScreenHeight;
}

// Whether the other window received a key since the last call.
bool receivedKey(Window window) {
  Display* display = testDisplay();
  XSync(display, False);
  XEvent event;
  bool any = false;
  while (XCheckWindowEvent(display, window, KeyPressMask | KeyReleaseMask, &event)) any = true;
  return any;
}

TEST_F(X11HoldTest, NothingGetsPastTheSaver) {
  Display* display = testDisplay();
  for (bool withWindowManager : {false, true}) {
    SCOPED_TRACE(withWindowManager ? "openbox" : "no window manager");
    std::unique_ptr<ChildProcess> manager;
    if (withWindowManager) {
      if (!programOnPath("openbox")) {
        ADD_FAILURE() << "openbox is not installed (scripts/setup installs it)";
        continue;
      }
      manager = std::make_unique<ChildProcess>(std::vector<std::string>{"openbox", "--sm-disable"});
      ASSERT_TRUE(pumpUntil(windowManagerReady, 10000));
    }
    Window other = makeForeignWindow(RECT{100, 100, 500, 400}, 0xFFFFFF);
    XSelectInput(display, other, KeyPressMask | KeyReleaseMask);
    XSync(display, False);
    std::string errorsPath = dir_.file("errors.txt");
    auto saver = startProgram(QUILLON_EXECUTABLE, dir_, {"/s"}, {}, errorsPath);
    Window saverWindow = 0;
    ASSERT_TRUE(pumpUntil([&] { return (saverWindow = quillonWindow()) != 0; }, 10000));
    ASSERT_TRUE(pumpUntil([&] { return !keyboardIsFree(other); }, 10000));
    // A key asks for the password: the attempts below are made while the
    // prompt is up, when the password is being typed.
    ASSERT_TRUE(xdotool({"key", "space"}));
    ASSERT_TRUE(pumpUntil([] { return quillonWindows().size() == 2; }, 10000));

    std::string hex = std::to_string(saverWindow);
    const std::vector<std::vector<std::string>> attempts = {
        {"key", "alt+Tab"},
        {"key", "super+d"},
        {"windowminimize", hex},
        {"windowraise", std::to_string(other)},
        {"windowfocus", std::to_string(other)},
        {"type", "abc"},
        {"windowunmap", hex},
    };
    for (const std::vector<std::string>& attempt : attempts) {
      SCOPED_TRACE(attempt[0] + " " + attempt[1]);
      // Another program's request may fail (a window the manager has not
      // made viewable yet); what is typed must reach the server.
      bool sent = xdotool(attempt);
      if (attempt[0] == "key" || attempt[0] == "type") {
        EXPECT_TRUE(sent);
      }
      // The prompt is part of the screen: a minimize request for it changes nothing.
      for (Window window : quillonWindows()) xdotool({"windowminimize", std::to_string(window)});
      EXPECT_TRUE(pumpUntil(saverOnTop, 3000));
      EXPECT_FALSE(receivedKey(other));
      // An unmapped window loses its grab until the saver maps it again.
      EXPECT_TRUE(pumpUntil([&] { return !keyboardIsFree(other); }, 3000));
      EXPECT_TRUE(pumpUntil([&] { return !pointerIsFree(other); }, 3000));
      EXPECT_TRUE(pumpUntil(focusOnSaver, 3000));
      EXPECT_EQ(saver->waitForExit(0), -1) << "the saver ended";
    }
    EXPECT_EQ(quillonWindows().size(), 2u) << "the password prompt is still over the saver";

    // The end: the keyboard is free again, and nothing was said.
    ASSERT_TRUE(saver->signal(SIGTERM));
    EXPECT_EQ(saver->waitForExit(10000), 0);
    EXPECT_TRUE(keyboardIsFree(other));
    EXPECT_TRUE(pointerIsFree(other));
    EXPECT_EQ(readFile(errorsPath), "");
    XDestroyWindow(display, other);
    XSync(display, False);
  }
}

// A keyboard that another client holds when the saver starts: one line on
// stderr after a moment, and the saver takes the keyboard once it is let go.
TEST_F(X11HoldTest, KeyboardHeldByAnotherIsTakenWhenLetGo) {
  Display* display = testDisplay();
  Window other = makeForeignWindow(RECT{100, 100, 500, 400}, 0xFFFFFF);
  ASSERT_EQ(XGrabKeyboard(display, other, False, GrabModeAsync, GrabModeAsync, CurrentTime),
            GrabSuccess);
  XSync(display, False);
  std::string errorsPath = dir_.file("errors.txt");
  auto saver = startProgram(QUILLON_EXECUTABLE, dir_, {"/s"}, {}, errorsPath);
  const std::string line =
      "quillon: another program holds the keyboard; the screen saver takes them when it lets go\n";
  ASSERT_TRUE(pumpUntil([&] { return readFile(errorsPath) == line; }, 10000))
      << readFile(errorsPath);
  XUngrabKeyboard(display, CurrentTime);
  XSync(display, False);
  EXPECT_TRUE(pumpUntil([&] { return !keyboardIsFree(other); }, 5000));
  EXPECT_TRUE(saverOnTop());
  ASSERT_TRUE(saver->signal(SIGTERM));
  EXPECT_EQ(saver->waitForExit(10000), 0);
  EXPECT_EQ(readFile(errorsPath), line);
  EXPECT_TRUE(keyboardIsFree(other));
}

}  // namespace
