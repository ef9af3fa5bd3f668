// A saver window for display tests: a real window of the layer whose
// procedure paints the picture on WM_ERASEBKGND, the settings the display
// reads, and the clean-up of everything the surface made. Time passes on the
// headless driver's virtual clock; what was drawn is read back from the
// bitmaps and from the trace.
#ifndef QUILLON_TESTS_DISPLAY_DISPLAY_FIXTURE_H
#define QUILLON_TESTS_DISPLAY_DISPLAY_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// One "textout" or "bitblt" line of the trace, with its time.
struct DrawEvent {
  unsigned long long time;
  std::string kind;      // "textout" or "bitblt" or "settimer" or "killtimer"
  std::vector<long> args;
};

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the saver window (client width x height) and the surface.
  void open(int width, int height);
  // Runs the message loop for `ms` milliseconds of the driver's clock.
  void runFor(DWORD ms);
  // The width of a character cell of settings' font, before any window.
  static int cellWidthOfFont();

  static COLORREF pixel(HBITMAP bitmap, int x, int y);
  static COLORREF windowPixel(int x, int y);
  // Fills pixel row y of the picture with a colour of its own.
  static void paintRow(int y, COLORREF color);
  static COLORREF rowColor(int y) { return RGB(y & 0xFF, (y >> 8) & 0xFF, 0x80); }

  // Trace events of the given kinds since the last mark().
  void mark();
  std::vector<DrawEvent> events(const std::vector<std::string>& kinds) const;
  // The bytes typed (cursor textouts of '_' left out when `withCursor` is
  // false) since the mark, in order.
  std::string typedText(bool withCursor = false) const;

  static constexpr COLORREF kBackground = RGB(0x10, 0x20, 0x30);
  static constexpr COLORREF kForeground = RGB(0x00, 0xFF, 0x00);

 private:
  long traceMark_ = 0;
};

#endif
