// UTF-8 documents through the real fetcher and the loopback HTTP server:
// converted to Windows-1252 (the layer's ANSI code page) when they are valid
// UTF-8 with a multi-byte sequence or a byte-order mark, byte for byte
// otherwise.
#include <gtest/gtest.h>

#include "tests/feed/feed_fixture.h"
#include "tests/support/http_server.h"

TEST_F(FeedFetcher, Utf8DocumentsBecomeTheAnsiCodePage) {
  struct Case {
    const char* name;
    std::string body;
    Lines lines;
  } cases[] = {
      {"accents and an en dash", "caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve\n", {"caf\xE9 \x96 na\xEFve"}},
      {"curly quotes, ellipsis, euro",
       "\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x80\x98x\xE2\x80\x99\xE2\x80\xA6 5\xE2\x82\xAC\r\n",
       {"\x93quoted\x94 \x91x\x92\x85 5\x80"}},
      {"spaces and a minus sign", "a\xE2\x80\x82" "b\xE2\x80\x83" "c \xE2\x88\x92" "1\n", {"a b c -1"}},
      {"no fit becomes ?", "\xE4\xB8\xAD \xF0\x9F\x98\x80 \xD0\x96\n", {"? ? ?"}},
      {"byte-order mark dropped", "\xEF\xBB\xBFplain\nsecond\n", {"plain", "second"}},
      {"byte-order mark and UTF-8", "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\n", {"\xE9t\xE9"}},
      {"ASCII unchanged", "just ASCII\n", {"just ASCII"}},
      {"Windows-1252 byte for byte", "caf\xE9 \x96 na\xEFve \x93q\x94\n", {"caf\xE9 \x96 na\xEFve \x93q\x94"}},
      {"one invalid byte keeps all", "caf\xC3\xA9\nbad \xC3(\n", {"caf\xC3\xA9", "bad \xC3("}},
      {"an overlong form keeps all", "\xC3\xA9 \xC0\xAF\n", {"\xC3\xA9 \xC0\xAF"}},
      {"a cut sequence at the end keeps all", "\xC3\xA9 \xE2\x82", {"\xC3\xA9 \xE2\x82"}},
  };
  HttpServer server;
  for (const Case& c : cases) {
    HttpRoute route;
    route.body = c.body;
    server.route("/doc", route);
    EXPECT_EQ(fetchLines(server.url("/doc")), c.lines) << c.name;
  }
}

TEST_F(FeedFetcher, LargeUtf8DocumentConvertsAcrossConversionBlocks) {
  // Three-byte characters at every offset around the 1 MiB blocks.
  std::string line = "x\xE2\x80\x94y";  // x, em dash, y
  std::string body;
  while (body.size() < (3u << 20)) body += line + (body.size() % 7 == 0 ? "z\n" : " ");
  std::string url = fileUrl("big.txt", body);
  Lines lines = fetchLines(url);
  ASSERT_FALSE(lines.empty());
  for (const std::string& l : lines) {
    ASSERT_EQ(l.find('\xE2'), std::string::npos) << l;
    ASSERT_NE(l.find("x\x97y"), std::string::npos) << l;
  }
}
