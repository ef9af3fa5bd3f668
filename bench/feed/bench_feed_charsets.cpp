// Feeds in other charsets: the conversion of a 10 MiB feed to UTF-8
// (decision, MultiByteToWideChar, WideCharToMultiByte) in UTF-8 (checked and
// kept), windows-1251 and Shift_JIS (target: at least 50 MB/s each; the whole
// way to display lines is bench_feed_text's); the peak resident growth while a 20 MiB feed
// becomes lines, over the feed's size; and a feed of one 60 MB attribute,
// the token expat once re-scanned for every block it spanned.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "bench/feed/resident_memory.h"
#include "feed/display_text.h"
#include "feed/document_utf8.h"
#include "feed/feed_document.h"
#include "feed/feed_fetcher.h"

namespace {

const size_t kFeedBytes = 10u << 20;

struct Charset {
  const char* name;
  UINT codePage;
  const char* words;  // UTF-8 text the code page holds
};

const Charset kCharsets[] = {
    {"UTF-8", CP_UTF8, "Caf\xC3\xA9 \xE2\x80\x93 \xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xE6\x97\xA5\xE6\x9C\xAC"},
    {"windows-1251", 1251, "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xD0\xBD\xD0\xBE\xD0\xB2\xD0\xBE\xD1\x81\xD1\x82\xD0\xB8"},
    {"Shift_JIS", 932, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x8B\xE3\x83\xA5\xE3\x83\xBC\xE3\x82\xB9"},
};

// A UTF-8 text in the code page, through the layer's own conversion.
std::string encode(const std::string& utf8, UINT codePage) {
  if (codePage == CP_UTF8) return utf8;
  std::vector<WCHAR> wide(utf8.size());
  int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                  static_cast<int>(wide.size()));
  std::string out(static_cast<size_t>(units) * 2, '\0');
  int bytes = WideCharToMultiByte(codePage, 0, wide.data(), units, &out[0], static_cast<int>(out.size()), nullptr,
                                  nullptr);
  out.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
  return out;
}

// An RSS feed of about `bytes` in the charset: items of a title and an HTML
// description in the charset's script, one item to a line.
std::string makeFeed(const Charset& charset, size_t bytes) {
  std::string item = std::string("<item><title>") + charset.words + " " + charset.words +
                     "</title><description>&lt;p&gt;" + charset.words + " &amp;amp; " + charset.words + " " +
                     charset.words + "&lt;/p&gt;</description></item>\n";
  std::string encodedItem = encode(item, charset.codePage);
  std::string feed = std::string("<?xml version=\"1.0\" encoding=\"") + charset.name + "\"?>\n<rss version=\"2.0\"><channel>\n";
  feed.reserve(bytes + encodedItem.size() + 64);
  while (feed.size() < bytes) feed += encodedItem;
  return feed + "</channel></rss>\n";
}

void BM_ConvertToUtf8(benchmark::State& state) {
  const Charset& charset = kCharsets[state.range(0)];
  std::string feed = makeFeed(charset, kFeedBytes);
  for (auto _ : state) {
    std::string storage;
    const char* text = nullptr;
    size_t length = 0;
    documentUtf8(feed.data(), feed.size(), nullptr, &storage, &text, &length);
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * feed.size()));
  state.SetLabel(charset.name);
}

void BM_PeakMemoryOf20MiBFeed(benchmark::State& state) {
  const Charset& charset = kCharsets[state.range(0)];
  const size_t bytes = 20u << 20;
  std::string feed = makeFeed(charset, bytes);
  double ratio = 0;
  for (auto _ : state) {
    size_t length = feed.size();
    char* text = static_cast<char*>(malloc(length + 1));
    memcpy(text, feed.c_str(), length + 1);
    resetPeak();
    long before = statusKiB("VmRSS");
    text = displayText(text, &length, true, nullptr, maxDocumentBytes);
    ratio = static_cast<double>(statusKiB("VmHWM") - before) * 1024.0 / static_cast<double>(feed.size());
    free(text);
  }
  state.counters["peak_over_size"] = ratio;
  state.SetLabel(charset.name);
}

void BM_HugeAttribute(benchmark::State& state) {
  std::string feed = "<rss><channel><item><title>Before</title></item><item a=\"";
  feed.append(60u * 1000 * 1000, 'x');
  feed += "\"><title>After</title></item></channel></rss>";
  for (auto _ : state) {
    std::string text;
    feedDocumentText(feed.data(), feed.size(), nullptr, maxDocumentBytes, &text);
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * feed.size()));
}

}  // namespace

BENCHMARK(BM_ConvertToUtf8)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeakMemoryOf20MiBFeed)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HugeAttribute)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
