// Drawing through a window's device context under the headless driver, and
// the trace lines that drawing writes: "textout X Y BYTE" for every
// character TextOutA draws (X being that character's cell) and "bitblt X Y W
// H SRCX SRCY" for every BitBlt. The trace file is named before anything
// reads the environment, so this test has an executable of its own.
#include <stdlib.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

TempDir* traceDir = nullptr;

std::string tracePath() { return traceDir->file("trace.txt"); }

// Every trace line whose event starts with `prefix`, without the time.
std::vector<std::string> traceEvents(const std::string& prefix) {
  std::vector<std::string> events;
  std::istringstream lines(readFile(tracePath()));
  std::string line;
  while (std::getline(lines, line)) {
    std::string event = line.substr(line.find(' ') + 1);
    if (event.compare(0, prefix.size(), prefix) == 0) events.push_back(event);
  }
  return events;
}

class TraceFile : public ::testing::Environment {
 public:
  void SetUp() override {
    traceDir = new TempDir;
    setenv("QUILLON_TRACE", tracePath().c_str(), 1);
  }
  void TearDown() override {
    delete traceDir;
    traceDir = nullptr;
  }
};
::testing::Environment* const traceFile = ::testing::AddGlobalTestEnvironment(new TraceFile);

class WindowDc : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "GdiWindowDcTest";
    RegisterClassExA(&windowClass);
    window_ = CreateWindowExA(0, "GdiWindowDcTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, NULL,
                              NULL, NULL, NULL);
    ASSERT_NE(window_, (HWND)NULL);
  }
  void TearDown() override { DestroyWindow(window_); }

  HWND window_ = NULL;
};

TEST_F(WindowDc, DrawsIntoTheClientAreaAndTracesEveryCharacterAndCopy) {
  HDC dc = GetDC(window_);
  ASSERT_NE(dc, (HDC)NULL);
  EXPECT_EQ(GetObjectType(dc), (DWORD)OBJ_DC);
  // A bitmap is not selected into a window's device context.
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 40, 30);
  EXPECT_EQ(SelectObject(dc, bitmap), (HGDIOBJ)NULL);

  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  RECT all = {0, 0, 40, 30};
  EXPECT_NE(FillRect(dc, &all, brush), 0);
  EXPECT_EQ(GetPixel(dc, 39, 29), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 40, 29), CLR_INVALID);

  HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           "Courier New");
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA tm;
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_TRUE(TextOutA(dc, 3, 4, "Hi\xE9", 3));
  SelectObject(dc, previous);

  // The window's pixels copied out through a memory device context.
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ initial = SelectObject(memory, bitmap);
  EXPECT_TRUE(BitBlt(memory, 0, 0, 40, 30, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(memory, 39, 29), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(memory, 1, 1), RGB(0, 0, 255));

  std::ostringstream expected;
  expected << "textout 3 4 72|textout " << 3 + tm.tmAveCharWidth << " 4 105|textout "
           << 3 + 2 * tm.tmAveCharWidth << " 4 233|";
  std::string textouts;
  for (const std::string& event : traceEvents("textout ")) textouts += event + "|";
  EXPECT_EQ(textouts, expected.str());
  EXPECT_EQ(traceEvents("bitblt "), std::vector<std::string>{"bitblt 0 0 40 30 0 0"});

  SelectObject(memory, initial);
  DeleteDC(memory);
  DeleteObject(bitmap);
  DeleteObject(font);
  DeleteObject(brush);
  EXPECT_EQ(ReleaseDC(window_, dc), 1);
}

TEST_F(WindowDc, DrawingFailsOnceTheWindowIsGone) {
  HDC dc = GetDC(window_);
  DestroyWindow(window_);
  window_ = NULL;
  RECT all = {0, 0, 40, 30};
  EXPECT_EQ(FillRect(dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH)), 0);
  EXPECT_FALSE(TextOutA(dc, 0, 0, "x", 1));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  ReleaseDC(NULL, dc);
}

}  // namespace
