// The configuration dialog of the real program on an X server (Xvfb with a
// German keyboard layout and no window manager): `quillon /c` shows the
// dialog titled with its caption, its client area centred as the program
// asks; a URL copied by another program (this test, owning the CLIPBOARD
// selection) pastes into the URL field with Ctrl+V, a key of the German
// layout types its own character, Alt+A adds the URL, Enter is OK, and the
// settings file holds what was entered. Set QUILLON_X11_SCREENSHOT to keep
// the screenshot of the dialog.
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

}  // namespace
