// The window shows the picture: after typing ticks, line scrolls, wraps,
// re-layouts, and with a second window over part of it, every pixel of the
// saver window (as the driver reads it to present it) is the picture's.
// The copies onto the window skip what it already shows and move what it
// shows at another height, so this is what catches a copy that skipped too
// much.
#include <string.h>

#include <vector>

#include "display/terminal_surface.h"
#include "display/typewriter.h"
#include "feed/feed_fetcher.h"
#include "host/saver_state.h"
#include "platform/drivers/driver.h"
#include "settings/settings.h"
#include "tests/display/display_fixture.h"

namespace {

class WindowPicture : public DisplayTest {
 protected:
  void start(const char* firstLine) {
    startTyping(saverWindow, firstLine);
  }

  // How many pixels of the window differ from the picture; the window is
  // read as the driver reads it, which leaves its record of what it shows
  // alone (a read through GDI would make it forget).
  static int pixelsOffThePicture() {
    PixelBuffer shown;
    if (!nativeWindowPixels(saverWindow, &shown)) return -1;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, screenBitmap);
    int off = 0;
    for (int y = 0; y < shown.height; ++y)
      for (int x = 0; x < shown.width; ++x) {
        COLORREF picture = GetPixel(dc, x, y);
        if (picture == CLR_INVALID) picture = 0;  // outside a smaller picture
        off += pixelFromColorref(picture) != shown.pixels[size_t(y) * shown.width + x];
      }
    SelectObject(dc, old);
    DeleteDC(dc);
    return off;
  }
};

TEST_F(WindowPicture, MatchesAfterTicksScrollsWrapsAndRelayouts) {
  settings.typeDelay = 10;
  settings.lineScrollDelay = 30;
  open(300, 200);
  for (int i = 0; i < 12; ++i)
    lineQueue.append(i % 3 == 0 ? "a line long enough to wrap twice in a window this narrow"
                                : "short line");
  start("first");
  struct Step {
    const char* name;
    DWORD ms;
    int width, height;  // a re-layout to this size first, when not 0
  };
  const Step steps[] = {
      {"a few ticks", 35, 0, 0},        {"the first line scroll", 300, 0, 0},
      {"a wrapping line", 900, 0, 0},   {"a taller, narrower window", 200, 250, 260},
      {"ticks and scrolls after it", 1500, 0, 0}, {"a smaller window", 300, 180, 120},
      {"a wider one", 1200, 420, 120},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.width > 0) {
      SetWindowPos(saverWindow, nullptr, 0, 0, step.width, step.height, SWP_NOMOVE | SWP_NOZORDER);
      relayoutSurface();
    }
    runFor(step.ms);
    UpdateWindow(saverWindow);
    ASSERT_EQ(pixelsOffThePicture(), 0);
  }
}

LRESULT CALLBACK coverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(window, &r);
    HBRUSH brush = CreateSolidBrush(RGB(200, 0, 200));
    FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
    DeleteObject(brush);
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WindowPicture, MatchesUnderAndAfterASecondWindowOverPartOfIt) {
  settings.typeDelay = 10;
  settings.lineScrollDelay = 30;
  open(320, 240);
  for (int i = 0; i < 8; ++i) lineQueue.append("text under another window");
  start("first");
  runFor(400);
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = coverProc;
  wc.lpszClassName = "QuillonCoverWindow";
  RegisterClassExA(&wc);
  HWND cover = CreateWindowExA(0, "QuillonCoverWindow", "", WS_POPUP | WS_VISIBLE, 40, 100, 200, 90,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(cover, nullptr);
  runFor(1200);
  UpdateWindow(saverWindow);
  EXPECT_EQ(pixelsOffThePicture(), 0) << "under the other window";
  DestroyWindow(cover);
  runFor(300);
  UpdateWindow(saverWindow);
  EXPECT_EQ(pixelsOffThePicture(), 0) << "after it went away";
}

}  // namespace
