// The saver's picture on the X server: after typing ticks, line scrolls
// (which the driver makes by moving the window's pixels inside the server),
// wraps, a re-layout, a window of another program over part of the saver
// and its going away, the screen shows exactly the picture. Built twice: on
// a server with MIT-SHM and on one without, where pictures go by XPutImage.
#include <string.h>

// The saver's headers come before Xlib's, whose macro None would break the
// run mode's enumeration.
#include "display/terminal_surface.h"
#include "display/typewriter.h"
#include "host/saver_state.h"
#include "platform/internal/pixels.h"
#include "settings/settings.h"
#include "tests/support/surface_window.h"

#include "tests/platform/x11/x11_test_support.h"

namespace {

const int kWidth = 400;
const int kHeight = 300;

class X11PictureTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    settings.fgColor = 0x00FF00;
    settings.bgColor = 0x302010;
    settings.fontSize = 20;
    settings.indent = 4;
    // The test calls the ticks itself: no timer may fire meanwhile.
    settings.typeDelay = 1000000;
    settings.lineScrollDelay = 1000000;
    strcpy(settings.fontName, "Courier New");
    openSurfaceWindow(kWidth, kHeight);
    ASSERT_NE(saverWindow, nullptr);
    startTyping(saverWindow, "The screen shows what the picture holds, character by character, "
                             "and lines wrap at the right edge of the window.");
  }
  void TearDown() override { closeSurfaceWindow(); }

  void type(int characters) {
    for (int i = 0; i < characters && typewriterLine()[typewriterPosition()] != 0; ++i) {
      typeTick(saverWindow, WM_TIMER, TypeTimer, 0);
      UpdateWindow(saverWindow);
    }
  }
  void scroll() {
    scrollTick(saverWindow, WM_TIMER, ScrollTimer, 0);
    KillTimer(saverWindow, TypeTimer);
    UpdateWindow(saverWindow);
  }

  // Pixels of the window's place on the screen that differ from the
  // picture, outside `skip`.
  static int pixelsOffThePicture(const RECT& skip = RECT{0, 0, 0, 0}) {
    RECT client;
    GetClientRect(saverWindow, &client);
    std::vector<uint32_t> screen = screenArea(client);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, screenBitmap);
    int off = 0;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) {
        if (x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom) continue;
        uint32_t picture = pixelFromColorref(GetPixel(dc, x, y));
        off += screen[size_t(y) * client.right + x] != picture;
      }
    SelectObject(dc, old);
    DeleteDC(dc);
    return off;
  }
  static bool showsThePicture(const RECT& skip = RECT{0, 0, 0, 0}) {
    return pumpUntil([&] { return pixelsOffThePicture(skip) == 0; }, 3000);
  }
};

TEST_F(X11PictureTest, ScreenShowsThePictureAfterTicksScrollsAndWraps) {
  ASSERT_TRUE(showsThePicture()) << "the blank picture";
  type(5);
  ASSERT_TRUE(showsThePicture()) << "ticks";
  scroll();
  ASSERT_TRUE(showsThePicture()) << "a line scroll";
  type(60);
  ASSERT_TRUE(showsThePicture()) << "a wrap";
  for (int i = 0; i < 4; ++i) {
    scroll();
    type(3);
  }
  ASSERT_TRUE(showsThePicture()) << "scrolls and ticks before the driver sent anything";
  SetWindowPos(saverWindow, nullptr, 0, 0, kWidth + 60, kHeight - 40, SWP_NOMOVE | SWP_NOZORDER);
  relayoutSurface();
  type(10);
  scroll();
  ASSERT_TRUE(showsThePicture()) << "a re-layout, ticks and a scroll";
}

TEST_F(X11PictureTest, ScreenShowsThePictureAroundAndAfterAnotherWindowOverIt) {
  type(20);
  scroll();
  type(20);
  ASSERT_TRUE(showsThePicture());
  // Another program's window over rows of text: the scrolls move pixels
  // from under it, which the server does not have.
  RECT cover = {50, 200, 300, 270};
  Window other = makeForeignWindow(cover, 0xFF00FF);
  for (int i = 0; i < 3; ++i) {
    scroll();
    type(8);
  }
  ASSERT_TRUE(showsThePicture(cover)) << "around the other window";
  XDestroyWindow(testDisplay(), other);
  XSync(testDisplay(), False);
  ASSERT_TRUE(showsThePicture()) << "after it went away (exposed)";
  type(4);
  scroll();
  ASSERT_TRUE(showsThePicture()) << "ticks and a scroll after that";
}

}  // namespace
