// The drawing of the saver's ticks, through the Win32 calls the display code
// makes, on memory bitmaps of full-screen sizes:
//   - a typing tick: a memory DC made for the tick, one cell filled, two
//     one-character TextOutA (the character and the cursor) in a 30-pixel
//     Courier New, and the full-area BitBlt that paints the window;
//   - a line scroll: two full-area BitBlts and one FillRect;
//   - one character drawn with a glyph from the cache, against the first
//     use of a font (matching, opening and rasterising).
// The target for a typing tick with its full-area copy at 1920x1080 is
// 1.5 ms.
#include <windows.h>

#include <benchmark/benchmark.h>

namespace {

const int kCellHeight = 30;

struct Screen {
  int width, height;
  HDC pictureDc, windowDc;
  HBITMAP picture, window, scratch;
  HGDIOBJ initialPicture, initialWindow;
  HFONT font;
  HBRUSH background;

  Screen(int w, int h) : width(w), height(h) {
    pictureDc = CreateCompatibleDC(NULL);
    windowDc = CreateCompatibleDC(NULL);
    picture = CreateBitmap(w, h, 1, 32, NULL);
    window = CreateBitmap(w, h, 1, 32, NULL);
    scratch = CreateBitmap(w, h, 1, 32, NULL);
    initialPicture = SelectObject(pictureDc, picture);
    initialWindow = SelectObject(windowDc, window);
    font = CreateFontA(kCellHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                       "Courier New");
    background = CreateSolidBrush(RGB(0, 0, 0));
    RECT all = {0, 0, w, h};
    FillRect(pictureDc, &all, background);
  }
  ~Screen() {
    SelectObject(pictureDc, initialPicture);
    SelectObject(windowDc, initialWindow);
    DeleteDC(pictureDc);
    DeleteDC(windowDc);
    DeleteObject(picture);
    DeleteObject(window);
    DeleteObject(scratch);
    DeleteObject(font);
    DeleteObject(background);
  }
};

void typingTick(benchmark::State& state) {
  Screen screen(int(state.range(0)), int(state.range(1)));
  TEXTMETRICA tm;
  HGDIOBJ previous = SelectObject(screen.pictureDc, screen.font);
  GetTextMetricsA(screen.pictureDc, &tm);
  SelectObject(screen.pictureDc, previous);
  int columns = screen.width / tm.tmAveCharWidth - 1;
  int top = screen.height - tm.tmHeight;
  int column = 0;
  for (auto _ : state) {
    // The tick's own memory DC on the picture.
    HDC dc = CreateCompatibleDC(screen.windowDc);
    HGDIOBJ initial = SelectObject(dc, screen.picture);
    int x = column * tm.tmAveCharWidth;
    RECT cell = {x, top, x + tm.tmAveCharWidth, screen.height};
    FillRect(dc, &cell, screen.background);
    HGDIOBJ font = SelectObject(dc, screen.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 255, 0));
    char character = char('!' + column % 94);
    TextOutA(dc, x, top, &character, 1);
    TextOutA(dc, x + tm.tmAveCharWidth, top, "_", 1);
    SelectObject(dc, font);
    SelectObject(dc, initial);
    DeleteDC(dc);
    // The paint: the whole picture onto the window.
    SelectObject(screen.pictureDc, screen.picture);
    BitBlt(screen.windowDc, 0, 0, screen.width, screen.height, screen.pictureDc, 0, 0, SRCCOPY);
    column = (column + 1) % columns;
  }
}
BENCHMARK(typingTick)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

void lineScroll(benchmark::State& state) {
  Screen screen(int(state.range(0)), int(state.range(1)));
  HDC scratchDc = CreateCompatibleDC(screen.windowDc);
  HGDIOBJ initial = SelectObject(scratchDc, screen.scratch);
  int w = screen.width, h = screen.height;
  for (auto _ : state) {
    BitBlt(scratchDc, 0, 0, w, h - kCellHeight, screen.pictureDc, 0, kCellHeight, SRCCOPY);
    RECT bottom = {0, h - kCellHeight, w, h};
    FillRect(scratchDc, &bottom, screen.background);
    BitBlt(screen.pictureDc, 0, 0, w, h, scratchDc, 0, 0, SRCCOPY);
  }
  SelectObject(scratchDc, initial);
  DeleteDC(scratchDc);
}
BENCHMARK(lineScroll)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

void characterFromCache(benchmark::State& state) {
  Screen screen(200, 60);
  HGDIOBJ previous = SelectObject(screen.pictureDc, screen.font);
  SetBkMode(screen.pictureDc, TRANSPARENT);
  TextOutA(screen.pictureDc, 10, 10, "W", 1);
  for (auto _ : state) TextOutA(screen.pictureDc, 10, 10, "W", 1);
  SelectObject(screen.pictureDc, previous);
}
BENCHMARK(characterFromCache)->Unit(benchmark::kNanosecond);

void characterWithANewFont(benchmark::State& state) {
  Screen screen(200, 60);
  SetBkMode(screen.pictureDc, TRANSPARENT);
  for (auto _ : state) {
    HFONT font = CreateFontA(kCellHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                             0, "Courier New");
    HGDIOBJ previous = SelectObject(screen.pictureDc, font);
    TextOutA(screen.pictureDc, 10, 10, "W", 1);
    SelectObject(screen.pictureDc, previous);
    DeleteObject(font);
  }
}
BENCHMARK(characterWithANewFont)->Unit(benchmark::kMicrosecond);

}  // namespace
