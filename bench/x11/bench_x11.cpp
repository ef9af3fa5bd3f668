// What presenting a window's pixels costs the X11 driver and the X server,
// at four window sizes (1280x720 to 3840x2160, full-screen windows on an
// Xvfb of its own, with MIT-SHM unless QUILLON_X11_PUTIMAGE=1):
//   - one text cell of 18x30 pixels changed, as a typing tick presents it;
//   - a line scroll: the window's rows moved up by 30 (movePixels, which the
//     driver makes an XCopyArea) and the new bottom rows presented;
//   - every pixel changed and presented.
// Each iteration is the change, the driver's present (and move) and the
// flush in waitEvents(0), which includes waiting for the server when it has
// not finished reading the previous frame. The counter server_us is the X
// server's own CPU time per iteration (from /proc, after a final XSync).
// Targets: a cell costs the same at every size; a scroll costs what its
// new rows cost, far below a whole frame.
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <utility>

#include <benchmark/benchmark.h>

#include <windows.h>

#include "platform/drivers/driver.h"
#include "platform/drivers/x11/x11_connection.h"
#include "platform/internal/window_pixels.h"
#include "tests/support/xvfb_server.h"

namespace {

const int kRowHeight = 30;

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

XvfbServer* server() {
  static std::unique_ptr<XvfbServer> xvfb;
  if (!xvfb) {
    xvfb = std::make_unique<XvfbServer>(3840, 2160);
    if (xvfb->running()) {
      setenv("DISPLAY", xvfb->display().c_str(), 1);
      setenv("QUILLON_DRIVER", "x11", 1);
      WNDCLASSEXA windowClass = {};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = plainProc;
      windowClass.lpszClassName = "QuillonBench";
      RegisterClassExA(&windowClass);
    }
  }
  return xvfb->running() ? xvfb.get() : nullptr;
}

// A window of the size at the screen's origin, made on first use; the one
// of the previous size is hidden.
HWND benchWindow(int width, int height) {
  static std::map<std::pair<int, int>, HWND> windows;
  if (!server()) return nullptr;
  for (auto& entry : windows) ShowWindow(entry.second, SW_HIDE);
  HWND& window = windows[{width, height}];
  if (!window) {
    window = CreateWindowExA(0, "QuillonBench", "bench", WS_POPUP, 0, 0, width, height, nullptr,
                             nullptr, nullptr, nullptr);
  }
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  displayDriver().waitEvents(0);
  XSync(x11().display, False);
  return window;
}

double serverCpuSeconds() {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/stat", int(server()->pid()));
  FILE* file = fopen(path, "r");
  if (!file) return 0;
  char text[1024] = {};
  size_t length = fread(text, 1, sizeof text - 1, file);
  fclose(file);
  text[length] = 0;
  // Fields after the command's closing parenthesis: state is the 3rd field,
  // utime the 14th and stime the 15th.
  const char* after = strrchr(text, ')');
  unsigned long user = 0, system = 0;
  if (after) sscanf(after + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system);
  return double(user + system) / double(sysconf(_SC_CLK_TCK));
}

void fillRect(const PixelBuffer& pixels, const RECT& r, uint32_t value) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.pixels[size_t(y) * pixels.width + x] = value;
}

enum class Change { OneCell, LineScroll, Everything };

void presentFrames(benchmark::State& state, Change change) {
  int width = int(state.range(0)), height = int(state.range(1));
  HWND window = benchWindow(width, height);
  if (!window) {
    state.SkipWithError("Xvfb is not available");
    return;
  }
  const DisplayDriver& driver = displayDriver();
  uint32_t shade = 0;
  double serverBefore = serverCpuSeconds();
  for (auto _ : state) {
    PixelBuffer pixels;
    windowPixels(window, &pixels);
    ++shade;
    RECT changed = {0, 0, width, height};
    if (change == Change::OneCell) {
      int column = int(shade % uint32_t(width / 18));
      changed = RECT{18 * column, height - kRowHeight, 18 * column + 18, height};
    } else if (change == Change::LineScroll) {
      memmove(pixels.pixels, pixels.pixels + size_t(kRowHeight) * width,
              size_t(height - kRowHeight) * width * 4);
      driver.movePixels(window, RECT{0, 0, width, height - kRowHeight}, kRowHeight);
      changed = RECT{0, height - kRowHeight, width, height};
    }
    fillRect(pixels, changed, shade);
    driver.present(window, changed);
    driver.waitEvents(0);
  }
  XSync(x11().display, False);
  double serverSeconds = serverCpuSeconds() - serverBefore;
  state.counters["server_us"] = benchmark::Counter(serverSeconds * 1e6 / double(state.iterations()));
}

void BM_PresentOneCell(benchmark::State& state) { presentFrames(state, Change::OneCell); }
void BM_PresentLineScroll(benchmark::State& state) { presentFrames(state, Change::LineScroll); }
void BM_PresentEverything(benchmark::State& state) { presentFrames(state, Change::Everything); }

void screenSizes(benchmark::internal::Benchmark* bench) {
  bench->Args({1280, 720})->Args({1920, 1080})->Args({2560, 1440})->Args({3840, 2160});
  bench->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_PresentOneCell)->Apply(screenSizes);
BENCHMARK(BM_PresentLineScroll)->Apply(screenSizes);
BENCHMARK(BM_PresentEverything)->Apply(screenSizes);
