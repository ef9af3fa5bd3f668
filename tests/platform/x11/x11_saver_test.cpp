// The real program on an X server: `quillon -w`, `/s` and `/p ID` started as
// a user or a screen-saver manager would, with QUILLON_DRIVER=x11 under
// Xvfb and a local feed file, looked at from outside: where its window is,
// that it types green text on black, that dragging moves it, that the cursor
// hides in Saver mode, and that Q, any key, or the end of the preview's
// parent ends it with exit code 0. Set QUILLON_X11_SCREENSHOT to a file name
// to keep the Windowed mode's screenshot as a PNG.
#include "tests/platform/x11/x11_test_support.h"

#include <stdlib.h>

#include "tests/support/http_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xvfb_server.h"

namespace {

// Windowed mode: a third of the 1280x1024 screen, centred.
const RECT kWindowed = {427, 342, 427 + 426, 342 + 341};

class X11SaverTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    writeFastFeedSettings(dir_);
  }

  // Starts the program with the test's folders for settings, lock and
  // temporary files.
  std::unique_ptr<ChildProcess> start(const std::vector<std::string>& arguments) {
    return startProgram(QUILLON_EXECUTABLE, dir_, arguments);
  }

  TempDir dir_;
};

bool isGreenOnBlack(uint32_t pixel) { return (pixel & 0xFF00FF) == 0; }

// Pixels of green text on black (white, which has green in it too, is not).
int countGreen(const std::vector<uint32_t>& pixels) {
  int count = 0;
  for (uint32_t p : pixels) count += (p & 0x00FF00) >= 0x008000 && isGreenOnBlack(p);
  return count;
}

TEST_F(X11SaverTest, WindowedModeTypesGreenTextOnBlackAndQClosesIt) {
  auto saver = start({"-w"});
  Window window = 0;
  ASSERT_TRUE(pumpUntil([&] { return (window = quillonWindow()) != 0; }, 10000));
  RECT place = screenRectOf(window);
  EXPECT_EQ(place.left, kWindowed.left);
  EXPECT_EQ(place.top, kWindowed.top);
  EXPECT_EQ(place.right, kWindowed.right);
  EXPECT_EQ(place.bottom, kWindowed.bottom);

  // Some words have been typed; the rest of the window is black.
  ASSERT_TRUE(pumpUntil([] { return countGreen(screenArea(kWindowed)) > 600; }, 10000));
  std::vector<uint32_t> pixels = screenArea(kWindowed);
  EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), isGreenOnBlack));
  const char* keep = getenv("QUILLON_X11_SCREENSHOT");
  EXPECT_TRUE(saveScreenshot(keep && *keep ? keep : dir_.file("windowed.png")));

  ASSERT_TRUE(xdotool({"mousemove", "640", "512", "key", "q"}));
  EXPECT_EQ(saver->waitForExit(10000), 0);
  EXPECT_EQ(quillonWindow(), 0u);
}

TEST_F(X11SaverTest, DraggingWithTheLeftButtonMovesTheWindow) {
  auto saver = start({"-w"});
  Window window = 0;
  ASSERT_TRUE(pumpUntil([&] { return (window = quillonWindow()) != 0; }, 10000));
  // Press at (10, 20) of the client area, move by (60, 40): the window
  // follows, 3 pixels short in both directions as the drag rule says.
  int x = kWindowed.left + 10, y = kWindowed.top + 20;
  ASSERT_TRUE(xdotool({"mousemove", std::to_string(x), std::to_string(y), "mousedown", "1",
                       "mousemove", std::to_string(x + 60), std::to_string(y + 40), "mouseup",
                       "1"}));
  EXPECT_TRUE(pumpUntil([&] {
    RECT r = screenRectOf(window);
    return r.left == kWindowed.left + 57 && r.top == kWindowed.top + 37;
  }));
  RECT r = screenRectOf(window);
  EXPECT_EQ(r.right - r.left, 426);
  ASSERT_TRUE(xdotool({"key", "q"}));
  EXPECT_EQ(saver->waitForExit(10000), 0);
}

TEST_F(X11SaverTest, SaverModeCoversTheScreenHidesTheCursorAndAnyKeyEndsIt) {
  ASSERT_TRUE(xdotool({"mousemove", "600", "500"}));
  auto saver = start({"/s"});
  Window window = 0;
  ASSERT_TRUE(pumpUntil([&] { return (window = quillonWindow()) != 0; }, 10000));
  RECT place = screenRectOf(window);
  EXPECT_EQ(place.left, 0);
  EXPECT_EQ(place.top, 0);
  EXPECT_EQ(place.right, kScreenWidth);
  EXPECT_EQ(place.bottom, kScreenHeight);
  EXPECT_TRUE(pumpUntil(cursorIsBlank));
  ASSERT_TRUE(pumpUntil([] {
    return countGreen(screenArea(RECT{0, 0, kScreenWidth, kScreenHeight})) > 600;
  }, 10000));
  ASSERT_TRUE(xdotool({"key", "space"}));
  EXPECT_EQ(saver->waitForExit(10000), 0);
}

// A server that accepts and never answers, with no fetch timeout: the fetch
// runs beside the message loop, so a key still ends the saver.
TEST_F(X11SaverTest, AKeyEndsTheSaverWhileItsServerNeverAnswers) {
  HttpServer server;
  HttpRoute silent;
  silent.delayMs = 120000;
  server.route("/silent", silent);
  dir_.write("quillonscr.ini", "[settings]\nurl count=1\nurl0=" + server.url("/silent") +
                                   "\nfetch timeout=0\n");
  auto saver = start({"/s"});
  ASSERT_TRUE(pumpUntil([] { return quillonWindow() != 0; }, 10000));
  ASSERT_TRUE(server.waitForRequest("/silent"));
  ASSERT_TRUE(xdotool({"key", "space"}));
  EXPECT_EQ(saver->waitForExit(10000), 0);
}

TEST_F(X11SaverTest, PreviewDrawsInsideTheGivenWindowAndEndsWithIt) {
  const RECT box = {100, 100, 400, 300};
  Window parent = makeForeignWindow(box, 0xFFFFFF);
  auto saver = start({"/p", std::to_string(parent)});
  std::vector<Window> inside;
  ASSERT_TRUE(pumpUntil([&] { return (inside = mappedChildren(parent)).size() == 1; }, 10000));
  RECT place = screenRectOf(inside[0]);
  EXPECT_EQ(place.left, box.left);
  EXPECT_EQ(place.top, box.top);
  EXPECT_EQ(place.right, box.right);
  EXPECT_EQ(place.bottom, box.bottom);
  // The banner is typed in green on black, inside the box only.
  ASSERT_TRUE(pumpUntil([&] { return countGreen(screenArea(box)) > 100; }, 10000));
  std::vector<uint32_t> pixels = screenArea(box);
  auto odd = std::find_if_not(pixels.begin(), pixels.end(), isGreenOnBlack);
  if (odd != pixels.end()) {
    long at = odd - pixels.begin();
    long width = box.right - box.left;
    ADD_FAILURE() << "pixel " << std::hex << *odd << std::dec << " at " << at % width << ","
                  << at / width << " of the box, "
                  << std::count_if(pixels.begin(), pixels.end(),
                                   [](uint32_t p) { return !isGreenOnBlack(p); })
                  << " such pixels";
  }
  XDestroyWindow(testDisplay(), parent);
  XSync(testDisplay(), False);
  EXPECT_EQ(saver->waitForExit(10000), 0);
}

}  // namespace
