// The feed fetcher with the real libcurl: file:// documents in a temporary
// directory and HTTP documents from a server on 127.0.0.1.
#include "feed/feed_fetcher.h"

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <string.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "feed/document_buffer.h"
#include "settings/settings.h"
#include "tests/feed/feed_fixture.h"
#include "tests/support/http_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/url_list.h"


TEST_F(FeedFetcher, SplitsAtCrAndLfAndDropsEmptyLines) {
  settings.urlList.append(fileUrl("doc.txt", "a\r\n\r\nb\n").c_str());
  EXPECT_EQ(fetchNext(), 2);
  EXPECT_EQ(takeLines(), (Lines{"a", "b"}));
  EXPECT_FALSE(fetchRunning());
}

TEST_F(FeedFetcher, DocumentShapes) {
  struct Case {
    const char* name;
    std::string body;
    Lines lines;
  } cases[] = {
      {"no separator", "one whole line", {"one whole line"}},
      {"empty", "", {}},
      {"separators only", "\r\n\n\r\r", {}},
      {"mixed endings", "\rx\ry\n\nz\r\n", {"x", "y", "z"}},
      {"blanks and tabs kept", "  indented\tline  \n", {"  indented\tline  "}},
      {"zero byte ends the chunk's text", std::string("abc\0def\nghi\n", 12), {"abc"}},
  };
  for (const Case& c : cases) {
    settings.urlList.clear();
    settings.urlList.append(fileUrl("doc.txt", c.body).c_str());
    EXPECT_EQ(fetchNext(), static_cast<int>(c.lines.size())) << c.name;
    EXPECT_EQ(takeLines(), c.lines) << c.name;
  }
}

TEST_F(FeedFetcher, FailuresGiveTwoErrorLinesNamingTheUrlAsStored) {
  std::string refused = "http://127.0.0.1:" + std::to_string(refusedPort()) + "/feed";
  std::string missingFile = "file://" + dir_.file("no-such-file.txt");
  std::string badScheme = "nosuchscheme://example/feed";
  for (const std::string& url : {refused, missingFile, badScheme}) {
    settings.urlList.clear();
    settings.urlList.append(url.c_str());
    EXPECT_EQ(fetchNext(), 0) << url;
    EXPECT_EQ(takeLines(), errorLines(url));
  }
}

TEST_F(FeedFetcher, LongUrlAppearsWholeInTheErrorLine) {
  std::string url = "http://127.0.0.1:" + std::to_string(refusedPort()) + "/";
  url += std::string(510 - url.size(), 'p');
  ASSERT_EQ(url.size(), 510u);
  settings.urlList.append(url.c_str());
  fetchNext();
  EXPECT_EQ(takeLines(), errorLines(url));
}

TEST_F(FeedFetcher, UrlsAreFetchedRoundRobinAndTheListIsKept) {
  HttpServer server;
  for (const char* path : {"/u1", "/u2", "/u3"}) {
    HttpRoute route;
    route.body = std::string("line from ") + path + "\n";
    server.route(path, route);
  }
  Lines list = {server.url("/u1"), server.url("/u2"), server.url("/u3")};
  for (const std::string& url : list) settings.urlList.append(url.c_str());

  for (int i = 0; i < 4; i++) fetchNext();
  EXPECT_EQ(server.requests(), (Lines{"/u1", "/u2", "/u3", "/u1"}));
  EXPECT_EQ(takeLines(),
            (Lines{"line from /u1", "line from /u2", "line from /u3", "line from /u1"}));
  EXPECT_EQ(currentUrls(), (Lines{list[1], list[2], list[0]}));
}

// HTTP as users mean it: redirects between http URLs are followed (at most
// 10 hops), never to another scheme; an error status is a failed fetch, and
// a server that wants a user agent gets one.
TEST_F(FeedFetcher, HttpStatusesAndRedirects) {
  HttpServer server;
  std::string secret = fileUrl("secret.txt", "a local file\n");
  HttpRoute target;
  target.body = "arrived\n";
  server.route("/target", target);
  struct Case {
    const char* path;
    const char* status;
    std::string location;  // empty: no Location header
    bool fails;
  } cases[] = {
      {"/301", "301 Moved Permanently", "/target", false},
      {"/302", "302 Found", "/target", false},
      {"/307", "307 Temporary Redirect", "/target", false},
      {"/308", "308 Permanent Redirect", server.url("/target"), false},
      {"/to-file", "302 Found", secret, true},
      {"/404", "404 Not Found", "", true},
      {"/500", "500 Internal Server Error", "", true},
  };
  for (const Case& c : cases) {
    HttpRoute route;
    route.status = c.status;
    if (!c.location.empty()) route.headers = "Location: " + c.location + "\r\n";
    route.body = std::string("the body of ") + c.status + "\n";
    server.route(c.path, route);
    Lines lines = fetchLines(server.url(c.path));
    EXPECT_EQ(lines, c.fails ? errorLines(server.url(c.path)) : Lines{"arrived"}) << c.path;
  }
  // A loop of redirects ends after 10 hops.
  HttpRoute loop;
  loop.status = "302 Found";
  loop.headers = "Location: /loop\r\n";
  server.route("/loop", loop);
  size_t before = server.requests().size();
  EXPECT_EQ(fetchLines(server.url("/loop")), errorLines(server.url("/loop")));
  EXPECT_EQ(server.requests().size() - before, 11u);
}

TEST_F(FeedFetcher, RequestsNameTheProgramAsUserAgent) {
  HttpServer server;
  HttpRoute picky;
  picky.needsUserAgent = true;
  picky.body = "welcome\n";
  server.route("/picky", picky);
  EXPECT_EQ(fetchLines(server.url("/picky")), Lines{"welcome"});
  ASSERT_EQ(server.requestHeads().size(), 1u);
  EXPECT_NE(server.requestHeads()[0].find("\r\nUser-Agent: Quillon/"), std::string::npos)
      << server.requestHeads()[0];
}

// A file: URL that names no regular file fails at once: a FIFO without a
// writer would block the reader for good, a device may never end.
TEST_F(FeedFetcher, FileUrlsOfAnythingButARegularFileFail) {
  std::string fifo = dir_.file("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string folder = dir_.file("folder");
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  for (const std::string& url : Lines{"file://" + fifo, "file:///dev/zero", "file://" + folder,
                                      "feed:file://" + fifo}) {
    EXPECT_EQ(fetchLines(url), errorLines(url)) << url;
  }
  // Percent-encoding is decoded as libcurl decodes it: this is a file.
  std::string spaced = dir_.write("with space.txt", "spaced\n");
  EXPECT_EQ(fetchLines("file://" + dir_.file("with%20space.txt")), Lines{"spaced"});
  (void)spaced;
}

// A feed: URL whose document gives nothing to type says so.
TEST_F(FeedFetcher, FeedWithoutItemsSaysSo) {
  std::string url = "feed:" + fileUrl("empty.xml",
                                      "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel>"
                                      "<title>Quiet</title></channel></rss>");
  EXPECT_EQ(fetchLines(url), Lines{"** No items in " + url});
}

TEST_F(FeedFetcher, StalledTransferPastTheTimeoutShowsOnlyTheErrorLines) {
  HttpServer server;
  HttpRoute stalling;
  stalling.body = "partial line\nnever finished line\n";
  stalling.stallAfter = 13;
  stalling.stallMs = 4000;
  server.route("/slow", stalling);
  HttpRoute quick;
  quick.body = "quick\n";
  server.route("/quick", quick);

  settings.fetchTimeout = 1;
  settings.urlList.append(server.url("/slow").c_str());
  settings.urlList.append(server.url("/quick").c_str());
  EXPECT_EQ(fetchNext(), 0);
  // The partial text is never typed.
  EXPECT_EQ(takeLines(), errorLines(server.url("/slow")));
  EXPECT_EQ(fetchNext(), 1);
  EXPECT_EQ(takeLines(), Lines{"quick"});
}

TEST_F(FeedFetcher, ChunksKeepTextUpToTheirFirstZeroByte) {
  char first[] = {'a', 'b', 0, 'c', 'd'};
  char second[] = {'e', 'f', '\n', 'g'};
  DocumentBuffer document;
  document.limit = maxDocumentBytes;
  EXPECT_EQ(receiveChunk(first, 1, sizeof first, &document), sizeof first);
  EXPECT_EQ(receiveChunk(second, 1, sizeof second, &document), sizeof second);
  EXPECT_EQ(receiveChunk(second, 2, 0, &document), 0u);
  ASSERT_NE(document.text, nullptr);
  EXPECT_STREQ(document.text, "abef\ng");
  EXPECT_EQ(document.received, 9u);
  EXPECT_EQ(queueDocumentLines(&document), 2);
  EXPECT_EQ(document.text, nullptr);
  EXPECT_EQ(takeLines(), (Lines{"abef", "g"}));
}

TEST_F(FeedFetcher, DocumentsOverTheCapFailInsteadOfGrowing) {
  std::string big(maxDocumentBytes + 1, 'x');
  for (size_t i = 79; i < big.size(); i += 80) big[i] = '\n';
  std::string url = fileUrl("big.txt", big);
  big.clear();
  big.shrink_to_fit();
  settings.urlList.append(url.c_str());
  EXPECT_EQ(fetchNext(), 0);
  EXPECT_EQ(takeLines(), errorLines(url));

  // Exactly at the cap is still a document.
  std::string atCap(maxDocumentBytes, 'y');
  atCap[100] = '\n';
  settings.urlList.clear();
  settings.urlList.append(fileUrl("cap.txt", atCap).c_str());
  EXPECT_EQ(fetchNext(), 2);
  EXPECT_EQ(lineQueue.count(), 2);
}

// A feed in UTF-16 arrives whole, zero bytes and all, and is read as its
// byte-order mark says; a plain URL's document still ends its text at a
// zero byte.
TEST_F(FeedFetcher, Utf16FeedsArriveWhole) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><rss version=\"2.0\"><channel>"
                    "<item><title>Wide news</title></item></channel></rss>";
  std::string wide = "\xFF\xFE";
  for (char c : xml) {
    wide += c;
    wide += '\0';
  }
  std::string url = fileUrl("wide.xml", wide);
  EXPECT_EQ(fetchLines("feed:" + url), Lines{"Wide news"});
  EXPECT_EQ(fetchLines(url), Lines{"\xFF\xFE<"});
}

// Names are looked up without blocking the transfer's thread against a
// cancel: libcurl's threaded resolver.
TEST_F(FeedFetcher, LibcurlResolvesNamesAsynchronously) {
  const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
  ASSERT_NE(info, nullptr);
  EXPECT_NE(info->features & CURL_VERSION_ASYNCHDNS, 0);
}
