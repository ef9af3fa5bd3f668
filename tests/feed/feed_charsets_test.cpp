// Feeds in every charset family: the same item text written in each, its
// charset named by the XML declaration, by the HTTP Content-Type, or by both
// (the Content-Type wins), must give the same UTF-8 text; UTF-16 and UTF-32
// with and without a byte-order mark; and through the real fetcher and the
// loopback server, the typed lines of a feed whose charset only the HTTP
// header names.
#include <gtest/gtest.h>

#include <string>

#include "feed/charset_decision.h"
#include "feed/charset_names.h"
#include "feed/feed_document.h"
#include "tests/feed/feed_fixture.h"
#include "tests/support/http_server.h"

namespace {

struct Encoded {
  const char* charset;
  std::string bytes;  // the text in the charset
  std::string utf8;   // the same text in UTF-8
};

const Encoded kFamilies[] = {
    {"windows-1250", "\x8Akoda \xA3\xF3" "d\x9F", "\xC5\xA0koda \xC5\x81\xC3\xB3" "d\xC5\xBA"},
    {"ISO-8859-2", "\xA3\xF3" "d\xBC \xBElu\xBB", "\xC5\x81\xC3\xB3" "d\xC5\xBA \xC5\xBElu\xC5\xA5"},
    {"windows-1251", "\xCC\xEE\xF1\xEA\xE2\xE0 \x88",
     "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xE2\x82\xAC"},
    {"KOI8-R", "\xED\xCF\xD3\xCB\xD7\xC1", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"},
    {"iso-8859-5", "\xBC\xDE\xE1\xDA\xD2\xD0", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"},
    {"ISO-8859-7", "\xC5\xEB\xEB\xDC\xE4\xE1", "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1"},
    {"ISO-8859-9", "\xDDstanbul \xF0", "\xC4\xB0stanbul \xC4\x9F"},
    {"ISO-8859-15", "\xA4" "5 \xBDuvre", "\xE2\x82\xAC" "5 \xC5\x93uvre"},
    {"Shift_JIS", "\x93\xFA\x96{\x8C\xEA", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
    {"EUC-JP", "\xC6\xFC\xCB\xDC\xB8\xEC", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
    {"ISO-2022-JP", "\x1B$BF|K\x5C" "8l\x1B(B", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
    {"Big5", "\xA4\xA4\xA4\xE5", "\xE4\xB8\xAD\xE6\x96\x87"},
    {"GB2312", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
    {"GB18030", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
    {"EUC-KR", "\xC7\xD1\xB1\xB9\xBE\xEE", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"},
    {"windows-1252", "caf\xE9 \x93q\x94", "caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D"},
    {"latin1", "caf\xE9 \x93q\x94", "caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D"},  // C1 bytes as windows-1252
    {"utf8", "caf\xC3\xA9", "caf\xC3\xA9"},
};

std::string declared(const std::string& encoding, const std::string& title) {
  std::string declaration = encoding.empty() ? "<?xml version=\"1.0\"?>"
                                             : "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>";
  return declaration + "\n<rss version=\"2.0\"><channel><title>x</title><item><title>" + title +
         "</title><description>A &amp; B</description></item></channel></rss>\n";
}

// The UTF-8 lines of a feed document, or "(no feed)".
std::string feedText(const std::string& document, const char* contentType) {
  std::string text;
  if (!feedDocumentText(document.data(), document.size(), contentType, 1u << 20, &text)) return "(no feed)";
  return text;
}

// Each UTF-16 unit of an ASCII-and-BMP text in the byte order asked for.
std::string wide(const std::u32string& text, int unitBytes, bool bigEndian) {
  std::string out;
  for (char32_t c : text) {
    std::u32string units;
    if (unitBytes == 2 && c >= 0x10000) {
      units = {static_cast<char32_t>(0xD800 + ((c - 0x10000) >> 10)),
               static_cast<char32_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
    } else {
      units = {c};
    }
    for (char32_t unit : units) {
      for (int k = 0; k < unitBytes; k++) {
        int shift = 8 * (bigEndian ? unitBytes - 1 - k : k);
        out += static_cast<char>((unit >> shift) & 0xFF);
      }
    }
  }
  return out;
}

}  // namespace

TEST(FeedCharsets, EveryFamilyGivesTheSameTextHoweverItsCharsetIsNamed) {
  for (const Encoded& family : kFamilies) {
    std::string want = family.utf8 + "\nA & B\n";
    std::string contentType = std::string("application/rss+xml; charset=\"") + family.charset + "\"";
    EXPECT_EQ(feedText(declared(family.charset, family.bytes), nullptr), want) << family.charset << " declared";
    EXPECT_EQ(feedText(declared("", family.bytes), contentType.c_str()), want) << family.charset << " by HTTP";
    // The HTTP charset wins over a wrong declaration.
    EXPECT_EQ(feedText(declared("UTF-8", family.bytes), contentType.c_str()), want) << family.charset << " both";
  }
}

TEST(FeedCharsets, Utf16AndUtf32WithAndWithoutAByteOrderMark) {
  std::u32string document = U"<?xml version=\"1.0\" encoding=\"UTF-16\"?><rss><channel><item><title>"
                            U"\u041C\u043E\u0441\u043A\u0432\u0430 \u65E5\u672C \u00E9 \U0001F600"
                            U"</title></item></channel></rss>";
  std::string want = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xE6\x97\xA5\xE6\x9C\xAC \xC3\xA9 \xF0\x9F\x98\x80\n";
  struct Case {
    const char* name;
    int unitBytes;
    bool bigEndian;
  } cases[] = {{"UTF-16LE", 2, false}, {"UTF-16BE", 2, true}, {"UTF-32LE", 4, false}, {"UTF-32BE", 4, true}};
  for (const Case& c : cases) {
    std::string body = wide(document, c.unitBytes, c.bigEndian);
    std::string mark = wide(U"\uFEFF", c.unitBytes, c.bigEndian);
    EXPECT_EQ(feedText(mark + body, nullptr), want) << c.name << " with a mark";
    EXPECT_EQ(feedText(body, nullptr), want) << c.name << " without";
    // A cut last unit is left out, the items before it kept.
    EXPECT_EQ(feedText(mark + body + "\x01", nullptr), want) << c.name << " cut";
  }
}

TEST(FeedCharsets, TheDecisionTakesTheMarkThenHttpThenTheDeclarationThenUtf8) {
  struct Case {
    const char* name;
    std::string document;
    const char* contentType;
    unsigned codePage;
    size_t markLength;
  } cases[] = {
      {"UTF-8 mark over HTTP", "\xEF\xBB\xBF<?xml?>", "text/xml; charset=koi8-r", kCodePageUtf8, 3},
      {"UTF-16LE mark", std::string("\xFF\xFE<\0", 4), nullptr, kCodePageUtf16Le, 2},
      {"UTF-32LE mark", std::string("\xFF\xFE\0\0<\0\0\0", 8), nullptr, kCodePageUtf32Le, 4},
      {"HTTP over the declaration", "<?xml version=\"1.0\" encoding=\"utf-8\"?>", "text/xml;charset=windows-1251",
       1251, 0},
      {"quoted HTTP charset, blanks", "<rss/>", "application/xml ; Charset = 'Shift_JIS' ; q=1", 932, 0},
      {"unknown HTTP charset: the declaration", "<?xml version='1.0' encoding='koi8-r'?>",
       "text/xml; charset=x-unknown", 20866, 0},
      {"HTTP claims UTF-16 of 8-bit text", "<?xml version=\"1.0\"?><rss/>", "text/xml; charset=utf-16",
       kCodePageUtf8, 0},
      {"blanks before the declaration", "\n  <?xml version=\"1.0\" encoding=\"ISO-8859-7\"?>", nullptr, 28597, 0},
      {"no declaration, valid UTF-8", "<rss>caf\xC3\xA9</rss>", nullptr, kCodePageUtf8, 0},
      {"no declaration, Latin-1 bytes", "<rss>caf\xE9</rss>", "text/xml", kCodePageWindows1252, 0},
      {"no declaration, UTF-8 and fewer stray bytes", "<rss>caf\xC3\xA9 cr\xC3\xA8me \x93q\x94</rss>", nullptr,
       kCodePageUtf8, 0},
      {"no declaration, more stray bytes than UTF-8", "<rss>\xC3\xA9 \x93q\x94</rss>", nullptr,
       kCodePageWindows1252, 0},
      {"ISO-8859-1 means windows-1252", "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", nullptr,
       kCodePageWindows1252, 0},
  };
  for (const Case& c : cases) {
    CharsetDecision decision = decideCharset(c.document.data(), c.document.size(), c.contentType);
    EXPECT_EQ(decision.codePage, c.codePage) << c.name;
    EXPECT_EQ(decision.markLength, c.markLength) << c.name;
  }
}

TEST_F(FeedFetcher, FeedsWhoseCharsetOnlyTheHttpHeaderNames) {
  struct Case {
    const char* charset;
    std::string title;
    std::string typed;  // in the ANSI code page, '?' where it lacks a letter
  } cases[] = {
      {"windows-1251", "\xCC\xEE\xF1\xEA\xE2\xE0 \x88", "?????? \x80"},
      {"KOI8-R", "\xED\xCF\xD3\xCB\xD7\xC1 \xBF", "?????? \xA9"},
      {"ISO-8859-15", "\xA4" "5 \xBDuvre", "\x80" "5 \x9Cuvre"},
      {"windows-1250", "\x8Akoda \xA3\xF3" "d\x9F", "\x8Akoda L\xF3" "dz"},
      {"Shift_JIS", "\x93\xFA\x96{ \x82\x60", "?? A"},  // a full-width A has a best fit
  };
  HttpServer server;
  for (const Case& c : cases) {
    HttpRoute route;
    route.headers = std::string("Content-Type: application/rss+xml; charset=") + c.charset + "\r\n";
    route.body = declared("", c.title);
    server.route("/feed", route);
    EXPECT_EQ(fetchLines("feed:" + server.url("/feed")), (Lines{c.typed, "A & B"})) << c.charset;
    // Without the header the bytes are no UTF-8: read as windows-1252.
    route.headers.clear();
    server.route("/feed", route);
    Lines lines = fetchLines("feed:" + server.url("/feed"));
    ASSERT_EQ(lines.size(), 2u) << c.charset;
  }
  // A plain URL's document stays byte for byte, whatever its header says.
  HttpRoute plain;
  plain.headers = "Content-Type: text/plain; charset=koi8-r\r\n";
  plain.body = "\xED\xCF\xD3\xCB\xD7\xC1\n";
  server.route("/plain", plain);
  EXPECT_EQ(fetchLines(server.url("/plain")), Lines{"\xED\xCF\xD3\xCB\xD7\xC1"});
}
