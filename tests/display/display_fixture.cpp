// The display tests' saver window, clock, pixel and trace helpers.
#include "tests/display/display_fixture.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "display/terminal_surface.h"
#include "display/typewriter.h"
#include "feed/feed_fetcher.h"
#include "host/saver_state.h"
#include "settings/settings.h"
#include "tests/support/surface_window.h"

namespace {

// The trace file of this test process, named before anything is drawn.
std::string& tracePath() {
  static std::string path = [] {
    std::string p = "/tmp/quillon-display-trace-" + std::to_string(getpid()) + ".txt";
    remove(p.c_str());
    setenv("QUILLON_TRACE", p.c_str(), 1);
    setenv("QUILLON_CLOCK", "virtual", 1);
    return p;
  }();
  return path;
}
const std::string& kTraceAtStart = tracePath();

struct RemoveTrace {
  ~RemoveTrace() { remove(tracePath().c_str()); }
} removeTrace;

bool stopped = false;
void CALLBACK stopLoop(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  stopped = true;
}

}  // namespace

void DisplayTest::SetUp() {
  lineQueue.clear();
  settings.urlList.clear();
  settings.fgColor = static_cast<int32_t>(kForeground);
  settings.bgColor = static_cast<int32_t>(kBackground);
  settings.lineScrollDelay = 500;
  settings.typeDelay = 50;
  settings.fetchTimeout = 5;
  settings.indent = 0;
  settings.fontSize = 30;
  strcpy(settings.fontName, "Courier New");
  mark();
}

void DisplayTest::TearDown() {
  closeSurfaceWindow();
  lineQueue.clear();
  settings.urlList.clear();
}

void DisplayTest::open(int width, int height) {
  openSurfaceWindow(width, height);
  ASSERT_NE(saverWindow, nullptr);
}

void DisplayTest::runFor(DWORD ms) {
  stopped = false;
  // A timer of its own (another id than the engine's) ends the loop.
  SetTimer(saverWindow, 999, ms, stopLoop);
  MSG m;
  while (!stopped && GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

int DisplayTest::cellWidthOfFont() {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(settings.fontSize, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                           0, 0, settings.fontName);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICA tm = {};
  GetTextMetricsA(screen, &tm);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return tm.tmAveCharWidth;
}

COLORREF DisplayTest::pixel(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

COLORREF DisplayTest::windowPixel(int x, int y) {
  HDC dc = GetDC(saverWindow);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(saverWindow, dc);
  return c;
}

void DisplayTest::paintRow(int y, COLORREF color) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, screenBitmap);
  HBRUSH brush = CreateSolidBrush(color);
  RECT row = {0, y, clientRect.right, y + 1};
  FillRect(dc, &row, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
}

void DisplayTest::mark() {
  std::ifstream in(tracePath(), std::ios::binary | std::ios::ate);
  traceMark_ = in ? static_cast<long>(in.tellg()) : 0;
}

std::vector<DrawEvent> DisplayTest::events(const std::vector<std::string>& kinds) const {
  std::vector<DrawEvent> out;
  std::ifstream in(tracePath(), std::ios::binary);
  in.seekg(traceMark_);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    DrawEvent e;
    words >> e.time >> e.kind;
    bool wanted = false;
    for (const std::string& k : kinds) wanted = wanted || k == e.kind;
    if (!wanted) continue;
    std::string word;
    while (words >> word) {
      // Window labels ("w1") and other words count as 0; numbers as numbers.
      char* end = nullptr;
      long value = strtol(word.c_str(), &end, 10);
      e.args.push_back(end && *end == 0 ? value : 0);
    }
    out.push_back(e);
  }
  return out;
}

std::string DisplayTest::typedText(bool withCursor) const {
  std::string text;
  for (const DrawEvent& e : events({"textout"})) {
    char c = static_cast<char>(e.args.at(2));
    if (withCursor || c != '_') text += c;
  }
  return text;
}
