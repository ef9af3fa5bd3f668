// The settings store with a long URL list: loadSettings of a file of 100,000
// URLs (target: under a second) and of 10,000, and saveSettings of as many
// into a new file, flush included (target: under two seconds), so that
// growth with the count can be read off. Also a load whose "url count" is
// 2^31 - 1 with one URL present, which must not cost more than the key.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "settings/settings.h"
#include "tests/support/temp_dir.h"

namespace {

std::string iniWithUrls(int count, int declared) {
  std::string text = "[settings]\nurl count=" + std::to_string(declared) + "\n";
  for (int i = 0; i < count; i++)
    text += "url" + std::to_string(i) + "=http://feeds.example.net/feed/" + std::to_string(i) + "\n";
  return text;
}

void fillUrlList(int count) {
  settings.urlList.clear();
  for (int i = 0; i < count; i++) {
    std::string url = "http://feeds.example.net/feed/" + std::to_string(i);
    settings.urlList.append(url.c_str());
  }
}

void BM_LoadUrls(benchmark::State& state) {
  TempDir dir;
  ScopedEnv windows("QUILLON_WINDOWS_DIR", dir.path());
  int count = static_cast<int>(state.range(0));
  dir.write("quillonscr.ini", iniWithUrls(count, count));
  for (auto _ : state) {
    loadSettings();
    if (settings.urlList.count() != count) state.SkipWithError("wrong URL count");
  }
}
BENCHMARK(BM_LoadUrls)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadHugeCount(benchmark::State& state) {
  TempDir dir;
  ScopedEnv windows("QUILLON_WINDOWS_DIR", dir.path());
  dir.write("quillonscr.ini", iniWithUrls(1, 2147483647));
  for (auto _ : state) {
    loadSettings();
    if (settings.urlList.count() != 1) state.SkipWithError("wrong URL count");
  }
}
BENCHMARK(BM_LoadHugeCount)->Unit(benchmark::kMicrosecond);

void BM_SaveUrls(benchmark::State& state) {
  TempDir dir;
  ScopedEnv windows("QUILLON_WINDOWS_DIR", dir.path());
  int count = static_cast<int>(state.range(0));
  fillUrlList(count);
  std::string path = dir.file("quillonscr.ini");
  for (auto _ : state) {
    state.PauseTiming();
    unlink(path.c_str());
    state.ResumeTiming();
    saveSettings();
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // flush
  }
  if (readFile(path).find("url" + std::to_string(count - 1) + "=") == std::string::npos)
    state.SkipWithError("the file lacks the last URL");
}
BENCHMARK(BM_SaveUrls)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
