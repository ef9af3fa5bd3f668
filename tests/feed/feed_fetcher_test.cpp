// The feed fetcher with the real libcurl: file:// documents in a temporary
// directory and HTTP documents from a server on 127.0.0.1.
#include "feed/feed_fetcher.h"

#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/feed/feed_fixture.h"
#include "tests/support/http_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/url_list.h"


TEST_F(FeedFetcher, SplitsAtCrAndLfAndDropsEmptyLines) {
  settings.urlList.append(fileUrl("doc.txt", "a\r\n\r\nb\n").c_str());
  EXPECT_EQ(fetchNext(), 2);
  EXPECT_EQ(takeLines(), (Lines{"a", "b"}));
  EXPECT_EQ(textBuffer, nullptr);  // released after a successful fetch
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

TEST_F(FeedFetcher, ErrorPagesAndRedirectsAreDocuments) {
  HttpServer server;
  HttpRoute notFound;
  notFound.status = "404 Not Found";
  notFound.body = "Nothing here\nat all\n";
  server.route("/missing", notFound);
  HttpRoute moved;
  moved.status = "302 Found";
  moved.headers = "Location: /elsewhere\r\n";
  moved.body = "Moved to /elsewhere\n";
  server.route("/moved", moved);

  settings.urlList.append(server.url("/missing").c_str());
  settings.urlList.append(server.url("/moved").c_str());
  EXPECT_EQ(fetchNext(), 2);
  EXPECT_EQ(fetchNext(), 1);
  EXPECT_EQ(takeLines(), (Lines{"Nothing here", "at all", "Moved to /elsewhere"}));
  EXPECT_EQ(server.requests(), (Lines{"/missing", "/moved"}));  // not followed
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
  EXPECT_EQ(takeLines(), errorLines(server.url("/slow")));
  // The partial text is kept until the next fetch starts, and never typed.
  ASSERT_NE(textBuffer, nullptr);
  EXPECT_STREQ(textBuffer, "partial line\n");
  EXPECT_EQ(fetchNext(), 1);
  EXPECT_EQ(takeLines(), Lines{"quick"});
}

TEST_F(FeedFetcher, ChunksKeepTextUpToTheirFirstZeroByte) {
  char first[] = {'a', 'b', 0, 'c', 'd'};
  char second[] = {'e', 'f', '\n', 'g'};
  EXPECT_EQ(receiveChunk(first, 1, sizeof first, nullptr), sizeof first);
  EXPECT_EQ(receiveChunk(second, 1, sizeof second, nullptr), sizeof second);
  EXPECT_EQ(receiveChunk(second, 2, 0, nullptr), 0u);
  ASSERT_NE(textBuffer, nullptr);
  EXPECT_STREQ(textBuffer, "abef\ng");
  // The next fetch starts from nothing.
  settings.urlList.append(fileUrl("x.txt", "x").c_str());
  fetchNext();
  EXPECT_EQ(takeLines(), Lines{"x"});
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
