// The configuration dialog of the real program on an X server (Xvfb with a
// German keyboard layout and no window manager): `quillon /c` shows the
// dialog titled with its caption, its client area centred as the program
// asks; a URL copied by another program (this test, owning the CLIPBOARD
// selection) pastes into the URL field with Ctrl+V, a key of the German
// layout types its own character, Alt+A adds the URL, Enter is OK, and the
// settings file holds what was entered. The password dialog: set with
// `quillon /a 0`, then asked for above the full-screen saver; `/a ID` owned
// by another program's window. Set
// QUILLON_X11_SCREENSHOT to keep the screenshots of the dialogs (the
// password dialog's gets "-password" before the extension).
#include "tests/platform/x11/x11_test_support.h"

#include <poll.h>
#include <stdlib.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "tests/support/temp_dir.h"
#include "tests/support/xvfb_server.h"

namespace {

const char* const kCopied = "http://paste.example/feed";

// Owns the CLIPBOARD selection with `text` as UTF8_STRING, as a browser
// that copied it would.
class ClipboardOwner {
 public:
  explicit ClipboardOwner(const std::string& text) : text_(text) {
    Display* d = testDisplay();
    window_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False), window_, CurrentTime);
    XFlush(d);
  }
  ~ClipboardOwner() { XDestroyWindow(testDisplay(), window_); }

  // Answers requests until one for the text was answered, or for at most
  // `ms` milliseconds; how many were answered.
  int serveOne(int ms) {
    Display* d = testDisplay();
    int answered = 0;
    for (int waited = 0; waited < ms && answered == 0; waited += 10) {
      while (XPending(d)) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.type != SelectionRequest) continue;
        const XSelectionRequestEvent& request = event.xselectionrequest;
        XSelectionEvent reply = {};
        reply.type = SelectionNotify;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        reply.property = request.property;
        if (request.target == XInternAtom(d, "UTF8_STRING", False)) {
          XChangeProperty(d, request.requestor, request.property, request.target, 8,
                          PropModeReplace, reinterpret_cast<const unsigned char*>(text_.data()),
                          int(text_.size()));
          ++answered;
        } else {
          reply.property = 0;
        }
        XSendEvent(d, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
        XFlush(d);
      }
      poll(nullptr, 0, 10);
    }
    return answered;
  }

 private:
  std::string text_;
  Window window_;
};

std::string windowTitle(Window window) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(testDisplay(), window, &name) && name) title = name;
  if (name) XFree(name);
  return title;
}

class X11DialogTest : public X11Test {};

TEST_F(X11DialogTest, ConfigurationDialogTakesPastedAndTypedTextAndSaves) {
  TempDir dir;
  dir.write("quillonscr.ini", "[settings]\nurl count=1\nurl0=zeta\nfont name=Courier New\n");
  ASSERT_EQ(system(("setxkbmap -display " + testDisplayName() + " de").c_str()), 0);
  ChildProcess program({QUILLON_EXECUTABLE, "/c"},
                       {"QUILLON_WINDOWS_DIR=" + dir.path(), "XDG_RUNTIME_DIR=" + dir.path()});
  Window window = 0;
  ASSERT_TRUE(pumpUntil([&] { return (window = quillonWindow()) != 0; }, 10000));
  EXPECT_EQ(windowTitle(window), "--== Configuration ==--");

  // The client area, 287x266, with its corner where the client area would
  // be centred on the 1280x1024 screen, plus the frame and caption.
  RECT place = screenRectOf(window);
  EXPECT_EQ(place.left, 640 - 287 / 2 + 3);
  EXPECT_EQ(place.top, 512 - 266 / 2 + 21);
  EXPECT_EQ(place.right - place.left, 287);
  EXPECT_EQ(place.bottom - place.top, 266);
  // Grey, with the white URL field (7, 49 in dialog units: 11, 80 pixels).
  ASSERT_TRUE(pumpUntil([&] {
    return screenPixel(place.left + 2, place.top + 2) == 0xC0C0C0 &&
           screenPixel(place.left + 100, place.top + 88) == 0xFFFFFF;
  }));
  const char* keep = getenv("QUILLON_X11_SCREENSHOT");
  EXPECT_TRUE(saveScreenshot(keep && *keep ? keep : dir.file("dialog.png")));

  ClipboardOwner clipboard(kCopied);
  int fieldX = place.left + 100, fieldY = place.top + 88;
  ASSERT_TRUE(xdotool({"mousemove", std::to_string(fieldX), std::to_string(fieldY), "click", "1",
                       "key", "ctrl+v"}));
  EXPECT_EQ(clipboard.serveOne(10000), 1);
  ASSERT_TRUE(xdotool({"key", "odiaeresis", "key", "alt+a", "key", "Return"}));
  EXPECT_EQ(program.waitForExit(10000), 0);
  system(("setxkbmap -display " + testDisplayName() + " us").c_str());

  std::string saved = readFile(dir.file("quillonscr.ini"));
  EXPECT_NE(saved.find(std::string("url0=") + kCopied + "\xF6\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("url1=zeta\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("url count=2\n"), std::string::npos) << saved;
}

Window inputFocus() {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(testDisplay(), &focus, &revert);
  return focus;
}

// `/a 0` stores the password typed twice; the saver then asks for it on a
// key press in a dialog above its full-screen window, centred, with the
// keyboard focus and a visible pointer. Escape gives the focus back to the
// saver and hides the pointer again; the right password ends the saver.
TEST_F(X11DialogTest, PasswordSetThenAskedForAboveTheFullScreenSaver) {
  TempDir dir;
  std::string feed = dir.write("feed.txt", "Green text on black\n");
  dir.write("quillonscr.ini", "[settings]\nurl count=1\nurl0=file://" + feed +
                                  "\ntype delay=10\nline scroll delay=50\n");
  dir.write("registry.reg",
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
            "\"ScreenSaveUsePassword\"=dword:00000001\n");
  std::vector<std::string> env = {"QUILLON_WINDOWS_DIR=" + dir.path(),
                                  "XDG_RUNTIME_DIR=" + dir.path()};

  ChildProcess setter({QUILLON_EXECUTABLE, "/a", "0"}, env);
  Window window = 0;
  ASSERT_TRUE(pumpUntil([&] { return (window = quillonWindow()) != 0; }, 10000));
  EXPECT_EQ(windowTitle(window), "Change Password:");
  ASSERT_TRUE(pumpUntil([&] { return inputFocus() == window; }));
  ASSERT_TRUE(xdotool({"type", "Pw1"}));
  ASSERT_TRUE(xdotool({"key", "Tab", "type", "Pw1"}));
  ASSERT_TRUE(xdotool({"key", "Return"}));
  EXPECT_EQ(setter.waitForExit(10000), 0);
  std::string saved = readFile(dir.file("quillonscr.ini"));
  EXPECT_NE(saved.find("\npassword="), std::string::npos) << saved;
  EXPECT_EQ(saved.find("Pw1"), std::string::npos) << saved;

  ASSERT_TRUE(xdotool({"mousemove", "600", "500"}));
  ChildProcess saver({QUILLON_EXECUTABLE, "/s"}, env);
  Window saverWindow = 0;
  ASSERT_TRUE(pumpUntil([&] { return (saverWindow = quillonWindow()) != 0; }, 10000));
  ASSERT_TRUE(pumpUntil([&] { return inputFocus() == saverWindow && cursorIsBlank(); }));
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(xdotool({"key", "space"}));
    std::vector<Window> windows;
    ASSERT_TRUE(pumpUntil([&] { return (windows = quillonWindows()).size() == 2; }, 10000));
    Window dialog = windows[1];  // above the saver
    EXPECT_EQ(windows[0], saverWindow);
    EXPECT_EQ(windowTitle(dialog), "password:");
    // The client area, 230x107, centred on the 1280x1024 screen by its own
    // size, inside a 3-pixel frame and under the caption.
    RECT place = screenRectOf(dialog);
    EXPECT_EQ(place.left, 640 - 230 / 2 + 3);
    EXPECT_EQ(place.top, 512 - 107 / 2 + 21);
    EXPECT_TRUE(pumpUntil([&] { return inputFocus() == dialog; }));
    EXPECT_TRUE(pumpUntil([] { return !cursorIsBlank(); }));
    if (round == 1) {
      ASSERT_TRUE(pumpUntil([&] { return screenPixel(place.left + 2, place.top + 2) == 0xC0C0C0; }));
      const char* keep = getenv("QUILLON_X11_SCREENSHOT");
      std::string name = keep && *keep ? keep : dir.file("dialog.png");
      size_t dot = name.rfind('.');
      EXPECT_TRUE(saveScreenshot(name.substr(0, dot) + "-password" + name.substr(dot)));
      ASSERT_TRUE(xdotool({"type", "Pw1"}));
      ASSERT_TRUE(xdotool({"key", "Return"}));
      break;
    }
    ASSERT_TRUE(xdotool({"key", "Escape"}));
    EXPECT_TRUE(pumpUntil([&] { return quillonWindows().size() == 1; }));
    EXPECT_TRUE(pumpUntil([&] { return inputFocus() == saverWindow; })) << inputFocus();
    EXPECT_TRUE(pumpUntil(cursorIsBlank));
  }
  EXPECT_EQ(saver.waitForExit(10000), 0);
}

// `/a ID`: the dialog is transient for X window ID, another program's
// window; Escape ends it and saves nothing.
TEST_F(X11DialogTest, PasswordDialogIsTransientForTheWindowNamedAfterA) {
  TempDir dir;
  dir.write("quillonscr.ini", "[settings]\npassword=\n");
  Window owner = makeForeignWindow(RECT{100, 100, 500, 400}, 0xFFFFFF);
  ChildProcess setter({QUILLON_EXECUTABLE, "/a", std::to_string(owner)},
                      {"QUILLON_WINDOWS_DIR=" + dir.path(), "XDG_RUNTIME_DIR=" + dir.path()});
  Window dialog = 0;
  ASSERT_TRUE(pumpUntil([&] { return (dialog = quillonWindow()) != 0; }, 10000));
  Window transientFor = 0;
  EXPECT_TRUE(XGetTransientForHint(testDisplay(), dialog, &transientFor));
  EXPECT_EQ(transientFor, owner);
  ASSERT_TRUE(pumpUntil([&] { return inputFocus() == dialog; }));
  ASSERT_TRUE(xdotool({"key", "Escape"}));
  EXPECT_EQ(setter.waitForExit(10000), 0);
  EXPECT_EQ(readFile(dir.file("quillonscr.ini")), "[settings]\npassword=\n");
  XDestroyWindow(testDisplay(), owner);
}

}  // namespace
