// The fixture of the feed fetcher's tests: an empty URL list and line queue,
// a temporary folder for file:// documents, and no proxy for the loopback
// server.
#ifndef QUILLON_TESTS_FEED_FEED_FIXTURE_H
#define QUILLON_TESTS_FEED_FEED_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "feed/feed_fetcher.h"
#include "settings/settings.h"
#include "tests/support/temp_dir.h"

using Lines = std::vector<std::string>;

const char* const kErrorTail = "Please check your configuration!";

class FeedFetcher : public ::testing::Test {
 protected:
  void SetUp() override {
    lineQueue.clear();
    settings.urlList.clear();
    settings.fetchTimeout = 5;
  }
  void TearDown() override {
    lineQueue.clear();
    settings.urlList.clear();
  }

  std::string fileUrl(const std::string& name, const std::string& bytes) {
    return "file://" + dir_.write(name, bytes);
  }

  // Empties lineQueue into a list.
  static Lines takeLines() {
    Lines lines;
    std::vector<char> buf(1024);
    while (lineQueue.count() > 0) {
      std::fill(buf.begin(), buf.end(), 0);
      lineQueue.popFront(buf.data(), static_cast<int>(buf.size()) - 1);
      lines.push_back(buf.data());
    }
    return lines;
  }

  // Fetches `url` alone and returns its lines.
  static Lines fetchLines(const std::string& url) {
    settings.urlList.clear();
    settings.urlList.append(url.c_str());
    fetchNext();
    return takeLines();
  }

  static Lines errorLines(const std::string& url) {
    return {"** Error fetching data from " + url, kErrorTail};
  }

  // Proxies come from the environment; the loopback server is reached directly.
  ScopedEnv noProxy_{"no_proxy", "*"};
  TempDir dir_;
};

#endif
