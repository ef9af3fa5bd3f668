// Hostile and broken feeds through the real fetcher: each gives the lines of
// every item the fault leaves readable, before and after it, never a crash,
// a hang or unbounded memory; external entities are never read.
#include <gtest/gtest.h>

#include <string>

#include "tests/feed/feed_fixture.h"

namespace {

std::string itemFeed(const std::string& items) { return "<rss><channel>" + items + "</channel></rss>"; }

std::string item(const std::string& title) { return "<item><title>" + title + "</title></item>"; }

// Ten entities, each ten of the one before: 10^10 bytes if expanded.
std::string entityBomb() {
  std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE rss [\n<!ENTITY e0 \"lollollollol\">\n";
  for (int i = 1; i <= 10; i++) {
    std::string previous = "&e" + std::to_string(i - 1) + ";";
    doc += "<!ENTITY e" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; k++) doc += previous;
    doc += "\">\n";
  }
  return doc + "]>\n" + itemFeed(item("Before the bomb") + item("&e10;") + item("After"));
}

}  // namespace

TEST_F(FeedFetcher, BrokenFeedsKeepEveryItemTheFaultLeavesReadable) {
  struct Case {
    const char* name;
    std::string body;
    Lines lines;
  } cases[] = {
      {"entity bomb", entityBomb(), {"Before the bomb", "After"}},
      {"unclosed tags", "<rss><channel>" + item("One") + "<item><title>Two", {"One"}},
      {"truncated in a tag", "<rss><channel>" + item("One") + item("Two") + "<item><ti", {"One", "Two"}},
      {"unknown entity as text", itemFeed(item("One") + item("&bogus; &") + item("Three")),
       {"One", "&bogus; &", "Three"}},
      {"mismatched end tag", itemFeed(item("One") + "<item><title>Two</item></title>" + item("Three")),
       {"One", "Three"}},
      {"unclosed item in the middle", itemFeed(item("One") + "<item><title>Two</title>" + item("Three")),
       {"One", "Two", "Three"}},
      {"garbage after the root", itemFeed(item("One")) + "<<<>>>", {"One"}},
      {"bytes that are no UTF-8", itemFeed(item("One") + item("caf\xE9")), {"One", "caf\xE9"}},
      {"forbidden control characters", itemFeed(item("a\x01" "b\x1F" "c") + item("&#1;&#x0;d")),
       {"a b c", "??d"}},
      {"a raw '<' in a title", itemFeed(item("1 < 2 and 3<4") + item("Next")), {"1 < 2 and 3<4", "Next"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fetchLines("feed:" + fileUrl("bad.xml", c.body)), c.lines) << c.name;
  }
}

TEST_F(FeedFetcher, ExternalEntitiesAreNeverRead) {
  std::string secret = dir_.write("secret.txt", "SECRET-CONTENT");
  std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE rss [<!ENTITY ext SYSTEM \"file://" + secret +
                    "\">]>\n" + itemFeed(item("Secret: &ext; end"));
  Lines lines = fetchLines("feed:" + fileUrl("ext.xml", doc));
  for (const std::string& line : lines) EXPECT_EQ(line.find("SECRET-CONTENT"), std::string::npos) << line;
}

TEST_F(FeedFetcher, HugeTitlesAreCutAndManyItemsAllTyped) {
  // Thirteen bytes, then nineteen-byte runs: the first MiB ends inside a "\xC3\xBC".
  std::string words = "Headline now:";
  while (words.size() < 10u * 1000 * 1000) words += "lorem ips\xC3\xBCm dolor ";
  Lines lines = fetchLines("feed:" + fileUrl("huge.xml", itemFeed(item(words) + item("Next item"))));
  // A field keeps its first MiB: some 3,900 lines of up to 255 characters.
  ASSERT_GT(lines.size(), 3800u);
  EXPECT_LT(lines.size(), 4300u);
  for (const std::string& line : lines) {
    ASSERT_LE(line.size(), 255u);
    ASSERT_EQ(line.find('\xC3'), std::string::npos) << line;  // converted, so valid UTF-8 throughout
  }
  EXPECT_EQ(lines.back(), "Next item");

  std::string items;
  for (int i = 0; i < 100000; i++) items += item("Item " + std::to_string(i));
  lines = fetchLines("feed:" + fileUrl("many.xml", itemFeed(items)));
  ASSERT_EQ(lines.size(), 100000u);
  EXPECT_EQ(lines.back(), "Item 99999");
}
