// What the X11 driver's tests share: an Xvfb server of the test process's
// own, started before the first test, with $DISPLAY pointing at it and
// QUILLON_DRIVER=x11 so that the layer draws there; the test's own
// connection to it for looking at windows and pixels from outside, as
// another program would; xdotool for synthetic input; and a message pump
// that runs the layer's message loop until a condition holds.
#ifndef QUILLON_TESTS_PLATFORM_X11_X11_TEST_SUPPORT_H
#define QUILLON_TESTS_PLATFORM_X11_X11_TEST_SUPPORT_H

// GoogleTest comes before Xlib, whose macro None would break its templates.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <X11/Xlib.h>

#include "tests/support/temp_dir.h"
#include "tests/support/xvfb_server.h"

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
// The colour of the test server's desktop.
constexpr uint32_t kDesktopPixel = 0x336699;

// Skips the test (with the reason) when there is no X server to test on.
class X11Test : public ::testing::Test {
 protected:
  void SetUp() override;
};

// The test's own connection to the server.
Display* testDisplay();
// $DISPLAY of the test server, for child processes.
std::string testDisplayName();

// Runs the layer's message loop (GetMessageA, DispatchMessageA) until
// `done` holds, checking it after every message and at least every 10 ms;
// false when it still does not hold after `limitMs`.
bool pumpUntil(const std::function<bool()>& done, int limitMs = 5000);

// Runs xdotool with the arguments; true when it succeeded.
bool xdotool(const std::vector<std::string>& arguments);

// The X windows directly inside `parent` (the root: top-level windows) that
// are mapped, bottom first.
std::vector<Window> mappedChildren(Window parent);
// The mapped top-level windows whose WM_CLASS name is "quillon", bottom
// first, and the only one of them, or 0.
std::vector<Window> quillonWindows();
Window quillonWindow();

// A window's place on the screen (its inside, without border).
RECT screenRectOf(Window window);

// The screen's pixel (0x00RRGGBB) at a point, and whether every pixel of a
// rectangle of the screen is `pixel`.
uint32_t screenPixel(int x, int y);
bool screenAreaIs(const RECT& area, uint32_t pixel);
// The pixels of a rectangle of the screen, row by row.
std::vector<uint32_t> screenArea(const RECT& area);
// Writes the whole screen as a PNG file.
bool saveScreenshot(const std::string& path);

// Whether the cursor's image (where the pointer is now) is all transparent.
bool cursorIsBlank();

// A window of the test's own (another program's, for the layer), mapped,
// filled with `pixel`; `parent` 0 is the root.
Window makeForeignWindow(const RECT& rect, uint32_t pixel, Window parent = 0);

// The real program's settings in `dir` (quillonscr.ini): three short lines
// of a feed file there, typed fast (10 ms a character, 50 ms a scroll).
void writeFastFeedSettings(const TempDir& dir);
// Starts the program at `executable` with these arguments and environment,
// its settings, lock and temporary files in `dir`, its stderr into the file
// `errorsPath` when one is given.
std::unique_ptr<ChildProcess> startProgram(const std::string& executable, const TempDir& dir,
                                           const std::vector<std::string>& arguments,
                                           std::vector<std::string> environment = {},
                                           const std::string& errorsPath = "");

// Fills `rect` (client coordinates) of a layer window through GDI.
void fillWithGdi(HWND window, const RECT& rect, COLORREF color);

#endif
