// Feed fetcher throughput: fetchNext of a large document through file:// and
// through loopback HTTP, and popping every line it produced, for a 60 MiB
// document of one million lines and a 6 MiB one of one hundred thousand, so
// that growth with size can be read off. The memory of a 60 MiB document of
// two-byte lines, the worst case for a queue of lines, is reported as the
// peak resident growth over the document's size (target: at most 3, plus
// 16 MiB).
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "bench/feed/resident_memory.h"
#include "feed/feed_fetcher.h"
#include "settings/settings.h"
#include "tests/support/http_server.h"
#include "tests/support/temp_dir.h"

namespace {

// Lines of 62 characters and a newline: one million of them are 60 MiB.
std::string makeDocument(int lines) {
  std::string doc;
  doc.reserve(static_cast<size_t>(lines) * 63);
  std::string line(62, 'x');
  for (int i = 0; i < lines; i++) {
    std::string number = std::to_string(i);
    line.replace(0, number.size(), number);
    doc += line;
    doc += '\n';
  }
  return doc;
}

struct Documents {
  TempDir dir;
  HttpServer server;
  std::string fileUrl[2];
  std::string httpUrl[2];
  size_t bytes[2];
  Documents() {
    const int lines[2] = {100000, 1000000};
    for (int i = 0; i < 2; i++) {
      std::string doc = makeDocument(lines[i]);
      bytes[i] = doc.size();
      std::string name = "doc" + std::to_string(lines[i]) + ".txt";
      fileUrl[i] = "file://" + dir.write(name, doc);
      HttpRoute route;
      route.body = doc;
      server.route("/" + name, route);
      httpUrl[i] = server.url("/" + name);
    }
  }
};

Documents& documents() {
  static Documents docs;
  return docs;
}

void fetchOnce(const std::string& url) {
  lineQueue.clear();
  settings.urlList.clear();
  settings.urlList.append(url.c_str());
  settings.fetchTimeout = 0;
  fetchNext();
}

// state.range(0): 0 = 6 MiB / 100k lines, 1 = 60 MiB / 1M lines.
void fetchBenchmark(benchmark::State& state, bool http) {
  Documents& docs = documents();
  int which = static_cast<int>(state.range(0));
  const std::string& url = http ? docs.httpUrl[which] : docs.fileUrl[which];
  for (auto _ : state) {
    state.PauseTiming();
    lineQueue.clear();
    state.ResumeTiming();
    fetchOnce(url);
  }
  state.counters["lines"] = lineQueue.count();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * docs.bytes[which]));
  lineQueue.clear();
}

void BM_FetchFile(benchmark::State& state) { fetchBenchmark(state, false); }
void BM_FetchHttp(benchmark::State& state) { fetchBenchmark(state, true); }

void BM_PopEveryLine(benchmark::State& state) {
  Documents& docs = documents();
  int which = static_cast<int>(state.range(0));
  char line[256];
  int popped = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fetchOnce(docs.fileUrl[which]);
    state.ResumeTiming();
    popped = 0;
    while (lineQueue.popFront(line, 255) > 0) popped++;
    benchmark::DoNotOptimize(line);
  }
  state.counters["lines"] = popped;
}

void BM_FetchTwoByteLines(benchmark::State& state) {
  TempDir dir;
  std::string doc;
  const size_t bytes = 60u << 20;
  doc.reserve(bytes);
  while (doc.size() < bytes) doc += "a\n";
  std::string url = "file://" + dir.write("two-byte-lines.txt", doc);
  doc = std::string();
  double ratio = 0;
  for (auto _ : state) {
    state.PauseTiming();
    lineQueue.clear();
    resetPeak();
    long before = statusKiB("VmRSS");
    state.ResumeTiming();
    fetchOnce(url);
    ratio = static_cast<double>(statusKiB("VmHWM") - before) * 1024.0 / static_cast<double>(bytes);
  }
  state.counters["lines"] = lineQueue.count();
  state.counters["peak_over_size"] = ratio;
  lineQueue.clear();
}

}  // namespace

BENCHMARK(BM_FetchTwoByteLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FetchFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FetchHttp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PopEveryLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
