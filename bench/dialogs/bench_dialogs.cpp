// The configuration dialog with large inputs, in process on the headless
// driver:
//   - opening it (font list, fields, URL list) and taking OK (reading every
//     control back) with 0 and with 10,000 URLs;
//   - the font enumeration alone, every installed family.
// Targets: with 10,000 URLs the dialog opens in under 1 s; with the font
// list of every installed family in under 300 ms.
#include <windows.h>

#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>

#include "dialogs/config_dialog.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

const bool driverChosen = [] {
  setenv("QUILLON_DRIVER", "headless", 0);
  return true;
}();

// The dialog procedure, ended at once after its initialisation: OK when
// `takeOk`, which reads every control back into the settings.
bool takeOk = false;
INT_PTR CALLBACK openAndEnd(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = configDialogProc(window, message, wParam, lParam);
  if (message == WM_INITDIALOG) {
    if (takeOk) readConfigDialog();
    EndDialog(window, takeOk ? IDOK : IDCANCEL);
  }
  return result;
}

void fillUrls(int count) {
  settings.urlList.clear();
  char url[64];
  for (int i = 0; i < count; ++i) {
    // Not in sorted order: the list box sorts them.
    snprintf(url, sizeof url, "http://feed%05d.example.org/news", (i * 7919) % count);
    settings.urlList.append(url);
  }
}

void BM_ConfigDialogOpen(benchmark::State& state) {
  takeOk = state.range(1) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    fillUrls(int(state.range(0)));
    state.ResumeTiming();
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_CONFIG), GetDesktopWindow(), openAndEnd, 0);
  }
  state.counters["urls"] = double(settings.urlList.count());
}
// Arguments: URLs, and whether OK reads them back.
BENCHMARK(BM_ConfigDialogOpen)->Args({0, 0})->Args({10000, 0})->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

int CALLBACK countFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return 1;
}

void BM_FontEnumeration(benchmark::State& state) {
  int reported = 0;
  for (auto _ : state) {
    reported = 0;
    LOGFONTA font = {};
    font.lfCharSet = DEFAULT_CHARSET;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExA(dc, &font, countFamily, reinterpret_cast<LPARAM>(&reported), 0);
    ReleaseDC(nullptr, dc);
  }
  state.counters["reports"] = reported;
}
BENCHMARK(BM_FontEnumeration)->Unit(benchmark::kMillisecond);

}  // namespace
