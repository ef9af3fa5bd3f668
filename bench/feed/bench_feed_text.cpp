// Throughput of what the fetcher makes of a document before cutting it into
// lines: a 10 MiB RSS feed to display lines (expat, HTML reduction, wrapping,
// UTF-8 to ANSI), and a 10 MiB UTF-8 text to the ANSI code page. Each
// iteration works on a fresh copy of the document, the copy untimed.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "feed/display_text.h"
#include "feed/feed_fetcher.h"

namespace {

const size_t kDocumentBytes = 10u << 20;

// Items of a news feed: a title with an accent and a typographic dash, an
// HTML description with entities, tags and a numeric reference.
std::string makeFeed() {
  std::string feed = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel>\n";
  for (int i = 0; feed.size() < kDocumentBytes; i++) {
    feed += "<item><title>Caf\xC3\xA9 story " + std::to_string(i) +
            " \xE2\x80\x93 markets, weather &amp; sport</title><link>http://example.org/" +
            std::to_string(i) +
            "</link><description>&lt;p&gt;The council met on Tuesday &amp;amp; agreed "
            "the &lt;b&gt;new&lt;/b&gt; budget &#8212; after a long debate about roads, "
            "schools and the library.&lt;/p&gt;&lt;p&gt;More&amp;nbsp;soon.&lt;/p&gt;"
            "</description></item>\n";
  }
  return feed + "</channel></rss>\n";
}

std::string makeUtf8Text() {
  std::string text;
  while (text.size() < kDocumentBytes) {
    text += "Na\xC3\xAFve caf\xC3\xA9 owners \xE2\x80\x9Cwelcome\xE2\x80\x9D the new "
            "\xE2\x82\xAC" "5 menu \xE2\x80\x94 for now\xE2\x80\xA6\n";
  }
  return text;
}

void convert(benchmark::State& state, const std::string& document, bool feed) {
  for (auto _ : state) {
    state.PauseTiming();
    size_t length = document.size();
    char* text = static_cast<char*>(malloc(length + 1));
    memcpy(text, document.c_str(), length + 1);
    state.ResumeTiming();
    text = displayText(text, &length, feed, nullptr, maxDocumentBytes);
    benchmark::DoNotOptimize(text);
    free(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}

void BM_FeedToLines(benchmark::State& state) {
  static const std::string feed = makeFeed();
  convert(state, feed, true);
}

void BM_Utf8ToAnsi(benchmark::State& state) {
  static const std::string text = makeUtf8Text();
  convert(state, text, false);
}

}  // namespace

BENCHMARK(BM_FeedToLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Utf8ToAnsi)->Unit(benchmark::kMillisecond)->UseRealTime();
