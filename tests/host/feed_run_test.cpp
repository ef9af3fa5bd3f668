// The real program typing a feed: URL of a file (an RSS document in UTF-8)
// through the headless driver, checked on the characters its trace shows
// drawn: the items' titles and descriptions, in Windows-1252.
#include <gtest/gtest.h>
#include <stdio.h>

#include <fstream>
#include <string>

#include "tests/host/saver_process.h"

TEST(FeedRun, TypesTheItemsOfAFeedFileUrl) {
  SaverSandbox sandbox;
  std::string path = sandbox.root() + "/news.xml";
  std::ofstream(path) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<rss version=\"2.0\"><channel><title>Ignored</title>\n"
                         "<item><title>Caf\xC3\xA9 news</title>"
                         "<description>&lt;p&gt;Fresh &amp;amp; hot&lt;/p&gt;</description></item>\n"
                         "</channel></rss>\n";
  sandbox.writeSettings("url count=1\nurl0=feed:file://" + path +
                        "\nfetch timeout=5\ntype delay=10\nline scroll delay=20\n");
  SaverRun run = sandbox.run({"-w"}, "at 1500 key Q\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;

  // Every character is followed by the cursor '_' in the next cell.
  std::string typed;
  std::vector<TraceLine> drawn = run.trace.starting("textout ");
  for (size_t i = 0; i + 1 < drawn.size(); i += 2) {
    int x, y, byte;
    ASSERT_EQ(sscanf(drawn[i].event.c_str(), "textout %d %d %d", &x, &y, &byte), 3);
    typed += static_cast<char>(byte);
    ASSERT_NE(drawn[i + 1].event.find(" 95"), std::string::npos) << drawn[i + 1].event;
  }
  EXPECT_EQ(typed.substr(0, 22), "Caf\xE9 newsFresh & hotCa") << run.trace.text();
}
