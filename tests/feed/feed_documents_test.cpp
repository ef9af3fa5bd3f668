// feed: URLs through the real fetcher: RSS 2.0, RSS 1.0 and Atom documents
// served by the loopback HTTP server or read from files, their items typed
// as title and description lines; documents that are no feed typed as text.
#include <gtest/gtest.h>

#include "tests/feed/feed_fixture.h"
#include "tests/support/http_server.h"

namespace {

const char kRss2[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<rss version=\"2.0\" xmlns:content=\"http://purl.org/rss/1.0/modules/content/\">\n"
    "<channel>\n"
    "  <title>Test channel</title><link>http://example.org/</link>\n"
    "  <description>Channel text is not typed</description>\n"
    "  <item>\n"
    "    <title>Caf&#233; opens &amp; closes</title>\n"
    "    <link>http://example.org/1</link>\n"
    "    <description><![CDATA[<p>First <b>bold</b>   paragraph.</p>"
    "<p>Second&nbsp;one<br/>after a break</p>]]></description>\n"
    "  </item>\n"
    "  <item>\n"
    "    <description>&lt;p&gt;Escaped &amp;amp; &lt;i&gt;HTML&lt;/i&gt;&lt;/p&gt;"
    "&lt;script&gt;alert(1)&lt;/script&gt;&#8220;quoted&#8221;</description>\n"
    "    <title>Prices rise &#x2014; again</title>\n"
    "  </item>\n"
    "  <item>\n"
    "    <title>Only content</title>\n"
    "    <content:encoded><![CDATA[<div>From content:encoded</div>]]></content:encoded>\n"
    "  </item>\n"
    "</channel>\n"
    "</rss>\n";

const Lines kRss2Lines = {
    "Caf\xE9 opens & closes", "First bold paragraph.", "Second\xA0one", "after a break",
    "Prices rise \x97 again", "Escaped & HTML", "\x93quoted\x94",
    "Only content", "From content:encoded",
};

const char kRss1[] =
    "<?xml version=\"1.0\"?>\n"
    "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"\n"
    "         xmlns=\"http://purl.org/rss/1.0/\">\n"
    "  <channel rdf:about=\"http://example.org/\"><title>Channel</title>\n"
    "    <description>not typed</description></channel>\n"
    "  <item rdf:about=\"http://example.org/a\">\n"
    "    <title>RDF item one</title>\n"
    "    <description>Plain description\n      over two source lines</description>\n"
    "  </item>\n"
    "  <item rdf:about=\"http://example.org/b\"><title>RDF item two</title></item>\n"
    "</rdf:RDF>\n";

const Lines kRss1Lines = {"RDF item one", "Plain description over two source lines", "RDF item two"};

const char kAtom[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<feed xmlns=\"http://www.w3.org/2005/Atom\">\n"
    "  <title>Atom feed</title>\n"
    "  <entry>\n"
    "    <title>Text title with &lt;b&gt; kept</title>\n"
    "    <summary type=\"html\">&lt;p&gt;Na&amp;iuml;ve summary&lt;/p&gt;</summary>\n"
    "    <content type=\"html\">not typed: the entry has a summary</content>\n"
    "  </entry>\n"
    "  <entry>\n"
    "    <title type=\"html\">Html &amp;amp; title</title>\n"
    "    <content type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\">"
    "<p>Xhtml one</p><p>Xhtml &amp; two</p></div></content>\n"
    "  </entry>\n"
    "  <entry>\n"
    "    <title>\xC3\x89lan \xE2\x80\x93 UTF-8</title>\n"
    "    <content src=\"http://example.org/x\"/>\n"
    "  </entry>\n"
    "</feed>\n";

const Lines kAtomLines = {
    "Text title with <b> kept", "Na\xEFve summary", "Html & title", "Xhtml one", "Xhtml & two",
    "\xC9lan \x96 UTF-8",
};

// "http://127.0.0.1:PORT/path" as "feed://127.0.0.1:PORT/path".
std::string feedSlashes(const std::string& httpUrl) { return "feed:" + httpUrl.substr(5); }

}  // namespace

TEST_F(FeedFetcher, FeedUrlsTypeTheItemsOfRssAndAtom) {
  HttpServer server;
  struct Case {
    const char* path;
    const char* body;
    const Lines* lines;
  } cases[] = {{"/rss2", kRss2, &kRss2Lines}, {"/rss1", kRss1, &kRss1Lines}, {"/atom", kAtom, &kAtomLines}};
  for (const Case& c : cases) {
    HttpRoute route;
    route.body = c.body;
    server.route(c.path, route);
    EXPECT_EQ(fetchLines("feed:" + server.url(c.path)), *c.lines) << c.path;
  }
  EXPECT_EQ(fetchLines(feedSlashes(server.url("/rss2"))), kRss2Lines);
  EXPECT_EQ(fetchLines("feed:" + fileUrl("atom.xml", kAtom)), kAtomLines);
  // Declared encodings other than UTF-8, Windows-1252 among them.
  for (const char* encoding : {"windows-1252", "ISO-8859-1"}) {
    std::string latin = std::string("<?xml version=\"1.0\" encoding=\"") + encoding +
                        "\"?>\n<rss><channel><item><title>caf\xE9 na\xEFve</title></item></channel></rss>";
    EXPECT_EQ(fetchLines("feed:" + fileUrl("latin.xml", latin)), Lines{"caf\xE9 na\xEFve"}) << encoding;
  }
  // Without the prefix the document is text, as it always was.
  Lines raw = fetchLines(server.url("/rss2"));
  ASSERT_FALSE(raw.empty());
  EXPECT_EQ(raw[0], "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
}

TEST_F(FeedFetcher, FeedUrlOfADocumentThatIsNoFeedTypesItAsText) {
  struct Case {
    const char* name;
    std::string body;
    Lines lines;
  } cases[] = {
      {"plain text", "just text\nsecond line\n", {"just text", "second line"}},
      {"UTF-8 text", "na\xC3\xAFve\n", {"na\xEFve"}},
      {"HTML page", "<html><body>\n<p>Hello</p>\n</body></html>\n", {"<html><body>", "<p>Hello</p>", "</body></html>"}},
      {"other XML", "<?xml version=\"1.0\"?>\n<note><item>x</item></note>\n",
       {"<?xml version=\"1.0\"?>", "<note><item>x</item></note>"}},
  };
  HttpServer server;
  for (const Case& c : cases) {
    HttpRoute route;
    route.body = c.body;
    server.route("/doc", route);
    EXPECT_EQ(fetchLines("feed:" + server.url("/doc")), c.lines) << c.name;
  }
}

TEST_F(FeedFetcher, FeedUrlThatFailsGivesTheErrorLinesNamingTheFeedUrl) {
  std::string url = "feed:http://127.0.0.1:" + std::to_string(refusedPort()) + "/rss";
  settings.urlList.append(url.c_str());
  EXPECT_EQ(fetchNext(), 0);
  EXPECT_EQ(takeLines(), errorLines(url));
}

TEST_F(FeedFetcher, FeedTextIsWrappedAtWordsIntoLinesOf255) {
  std::string words;
  for (int i = 0; i < 120; i++) words += "word" + std::to_string(i) + " ";
  std::string longWord(300, 'x');
  std::string feed = "<rss><channel><item><title>" + words + "</title><description>" + longWord +
                     "</description></item></channel></rss>";
  Lines lines = fetchLines("feed:" + fileUrl("wrap.xml", feed));
  ASSERT_GE(lines.size(), 4u);
  std::string joined;
  for (size_t i = 0; i + 2 < lines.size(); i++) {
    EXPECT_LE(lines[i].size(), 255u);
    EXPECT_NE(lines[i].back(), ' ');
    joined += (i ? " " : "") + lines[i];
  }
  EXPECT_EQ(joined + " ", words);
  EXPECT_EQ(lines[lines.size() - 2], std::string(255, 'x'));
  EXPECT_EQ(lines.back(), std::string(45, 'x'));
}
