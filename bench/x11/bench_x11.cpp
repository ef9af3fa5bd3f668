// What presenting a window's pixels costs the X11 driver, next to copying
// the pixels once (memcpy of the same frame): a 1280x1024 window whose
// whole area is presented, as the saver does every tick, with nothing, one
// text cell, or every pixel changed since the last frame. Each iteration is
// the driver's present() and the flush in waitEvents(0), which includes
// waiting for the server when it has not finished reading the previous
// frame. Runs under an Xvfb of its own (with MIT-SHM).
#include <string.h>

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <windows.h>

#include "platform/drivers/driver.h"
#include "platform/internal/window_pixels.h"
#include "tests/support/xvfb_server.h"

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// The server and a full-screen window on it, made on first use.
HWND benchWindow() {
  static std::unique_ptr<XvfbServer> server;
  static HWND window = nullptr;
  if (server) return window;
  server = std::make_unique<XvfbServer>(kWidth, kHeight);
  if (!server->running()) return nullptr;
  setenv("DISPLAY", server->display().c_str(), 1);
  setenv("QUILLON_DRIVER", "x11", 1);
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = plainProc;
  windowClass.lpszClassName = "QuillonBench";
  RegisterClassExA(&windowClass);
  window = CreateWindowExA(0, "QuillonBench", "bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight,
                           nullptr, nullptr, nullptr, nullptr);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  return window;
}

// Changes `cells` text cells of 18x30 pixels (0: nothing; -1: every pixel),
// then presents the whole window and lets the driver send it.
void presentFrames(benchmark::State& state, int cells) {
  HWND window = benchWindow();
  if (!window) {
    state.SkipWithError("Xvfb is not available");
    return;
  }
  uint32_t shade = 0;
  for (auto _ : state) {
    PixelBuffer pixels;
    windowPixels(window, &pixels);
    ++shade;
    if (cells < 0) {
      for (size_t i = 0; i < size_t(kWidth) * kHeight; ++i) pixels.pixels[i] = shade;
    }
    for (int cell = 0; cell < cells; ++cell)
      for (int y = 900; y < 930; ++y)
        for (int x = 18 * cell; x < 18 * cell + 18; ++x) pixels.pixels[y * kWidth + x] = shade;
    displayDriver().present(window, RECT{0, 0, kWidth, kHeight});
    displayDriver().waitEvents(0);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
}

void BM_PresentNothingChanged(benchmark::State& state) { presentFrames(state, 0); }
void BM_PresentOneCellChanged(benchmark::State& state) { presentFrames(state, 1); }
void BM_PresentEverythingChanged(benchmark::State& state) { presentFrames(state, -1); }

// The yardstick: one copy of the frame, and one write of every pixel (the
// drawing that precedes a full change in the benchmark above).
void BM_CopyFrame(benchmark::State& state) {
  std::vector<uint32_t> from(size_t(kWidth) * kHeight, 1), to(size_t(kWidth) * kHeight);
  for (auto _ : state) {
    memcpy(to.data(), from.data(), to.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
}

void BM_FillFrame(benchmark::State& state) {
  std::vector<uint32_t> to(size_t(kWidth) * kHeight);
  uint32_t shade = 0;
  for (auto _ : state) {
    ++shade;
    for (uint32_t& p : to) p = shade;
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
}

}  // namespace

BENCHMARK(BM_CopyFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentNothingChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentOneCellChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentEverythingChanged)->Unit(benchmark::kMicrosecond);
